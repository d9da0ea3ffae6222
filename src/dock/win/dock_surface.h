// The dock's drawing surface: one 32-bit premultiplied bitmap (a DIB section in a memory
// DC, drawn into through a GDI+ Graphics) pushed to the layered window with per-pixel
// alpha. Frames are written in the coordinates of the whole work area; the bitmap and
// its window may cover only part of it (Place), since the system's cost of a push grows
// with the window's area. Drawing outside that part is left out.
//
// A repaint keeps the frame shown last and compares it with the new one: only the areas
// that differ are cleared (a plain fill of the bits, far cheaper than a GDI+ clear),
// redrawn (everything that touches them, clipped to them, in painting order, so the
// pixels come out as a full repaint would make them) and pushed (one dirty rectangle).
// Hovering from one slot to the next touches two small boxes and the centre instead of
// the whole screen.
//
// In that repaint every picture is blended from pixels prepared once: the pre-scaled
// variants as they are, pictures drawn scaled and outlined captions kept as ready-made
// premultiplied sprites (blending a sprite made by GDI+ gives the pixels GDI+ would
// have drawn in place, since "over" composition is associative, save for GDI+'s own
// rounding). The whole-frame way draws everything with GDI+ itself.
//
// A sprite remembers when the picture it was made from last changed in the image store
// and is made again once that picture changes; a repaint likewise redraws only where the
// shown or the new frame draws a picture changed since the last one was shown. Pictures
// filling in elsewhere (a group menu's page) cost the dock nothing.
#pragma once

#include <windows.h>
#include <objidl.h>  // before GDI+, which needs it and the lean Windows headers omit it
#include <gdiplus.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "dock/dock_scene.h"
#include "icons/win/image_store.h"
#include "platform/win/dib_section.h"

namespace vek::win {

class DockSurface {
 public:
  enum class Painting {
    kChangedAreas,  // the program's way: redraw and push only what changed
    kAllAreas,      // the same drawing over the whole bitmap at every frame, pushed whole:
                    // what the changed areas must reproduce to the last bit
    kWholeFrame,    // clear everything with GDI+, redraw all with GDI+, push the whole bitmap
  };

  DockSurface() = default;
  ~DockSurface();
  DockSurface(const DockSurface&) = delete;
  DockSurface& operator=(const DockSurface&) = delete;

  // Builds the bitmap, its memory DC and Graphics (high-quality bicubic scaling,
  // anti-aliased text) and the caption font, for a width × height work area; the bitmap
  // covers `firstArea` of it, or all of it when that is empty. False when any of them
  // cannot be made.
  [[nodiscard]] bool CreateGraphic(HWND window, int width, int height, const PixelRect& firstArea = PixelRect{});
  // Makes the bitmap and the window cover `area` of the work area, whose top-left lies
  // at `screenOrigin` on the screen; the next Present repaints and pushes all of it,
  // moving and sizing the window with the push. False (the old area kept) when the new
  // bitmap cannot be made.
  bool Place(const PixelRect& area, POINT screenOrigin);
  // The part of the work area the bitmap covers.
  const PixelRect& area() const { return area_; }
  // The work area's width changed: captions and letters are centred across the new one,
  // their pictures made anew.
  void SetLayoutWidth(int width);
  // Releases the font objects, the Graphics and the bitmap (harmless when not created).
  void DeleteGraphic();
  // The caption font: the family at `pixels` size, bold. A family the system lacks is
  // replaced by the generic sans-serif family rather than drawing nothing.
  [[nodiscard]] bool CreateGraphicFont(const std::wstring& family, float pixels);
  void DeleteGraphicFont();
  // The font of plain boxed text (the group menus): the family at `pixels` size, regular,
  // left-aligned and vertically centred in its box; a caption too long for its box
  // wraps and ends in an ellipsis.
  bool CreatePlainFont(const std::wstring& family, float pixels);

  // Shows `frame` with the window-wide alpha `alpha`.
  void Present(const DockFrame& frame, const ImageStore& images, BYTE alpha);
  // Makes the ready-to-blend pictures of `frame`'s operations now, without drawing, so
  // that a later Present of such operations only blends.
  void PrepareSprites(const DockFrame& frame, const ImageStore& images);
  // The next Present repaints and pushes everything.
  void Invalidate() { valid_ = false; }

  void set_painting(Painting painting) { painting_ = painting; }
  bool created() const { return graphics_ != nullptr; }
  // The bitmap's size (that of area()).
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixels of area() (premultiplied BGRA, top-down rows of width() pixels).
  const uint32_t* bits() const { return bits_; }
  HDC dc() const { return canvas_.dc(); }
  // The family the caption font was made from.
  std::wstring FontFamilyName() const;
  // Pixels the operation can touch (empty for a missing image).
  PixelRect Bounds(const DrawOp& op, const ImageStore& images);
  // Area pushed by the last Present, in work-area coordinates (empty when nothing was
  // pushed).
  const PixelRect& last_pushed() const { return lastPushed_; }

 private:
  // Premultiplied pixels ready to blend, placed relative to an operation's anchor (its
  // x, y; for text the whole-pixel part of its layout origin).
  struct Sprite {
    int32_t left = 0, top = 0, width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint64_t madeFrom = 0;  // the store's change mark of the picture's index, for pictures
  };
  // A picture's set, index and variant.
  using VariantKey = std::tuple<ImageSet, int32_t, int32_t>;
  // A full-size picture's set and index, the size it is drawn at and the part drawn.
  using ScaledKey = std::tuple<ImageSet, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t>;
  using TextKey = std::tuple<std::string, float, float, TextStyle, float, float>;

  void FillRect(const PixelRect& r, uint32_t argb);
  // Draws one operation with GDI+ (the whole-frame way).
  void Draw(const DrawOp& op, const ImageStore& images);
  // Draws one operation by blending its sprite, only inside `clip`.
  void Paint(const DrawOp& op, const ImageStore& images, const PixelRect& clip);
  const Sprite* SpriteOf(const DrawOp& op, const ImageStore& images);
  void Blend(const Sprite& sprite, int32_t x, int32_t y, const PixelRect& clip);
  void ForgetSprites();
  // The caption, white with a dark outline, centred in a screen-wide box at (x, y).
  void DrawOutlinedText(Gdiplus::Graphics& g, const std::wstring& text, float x, float y) const;
  // Draws plain text into its box on `g`, at (x, y) instead of the operation's corner.
  void DrawPlainText(Gdiplus::Graphics& g, const DrawOp& op, float x, float y);
  bool Push(BYTE alpha, const PixelRect* dirty);
  // The bitmap, its DC and Graphics at width × height (drawing offset by area_'s corner).
  bool MakeCanvas(int width, int height);
  void PresentWhole(const DockFrame& frame, const ImageStore& images, BYTE alpha);

  HWND window_ = nullptr;
  int width_ = 0, height_ = 0;
  int layoutWidth_ = 0;  // the work area's width: captions are centred across it
  PixelRect area_;
  POINT screenOrigin_{0, 0};
  bool placed_ = false;  // pushes move and size the window to area_
  DibSection canvas_;
  uint32_t* bits_ = nullptr;  // the canvas's pixels, while it exists
  std::unique_ptr<Gdiplus::Bitmap> target_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
  std::unique_ptr<Gdiplus::ImageAttributes> scaledEdges_;

  std::unique_ptr<Gdiplus::FontFamily> family_;
  std::unique_ptr<Gdiplus::Font> font_;
  std::unique_ptr<Gdiplus::StringFormat> format_;
  std::unique_ptr<Gdiplus::SolidBrush> textBrush_;
  std::unique_ptr<Gdiplus::SolidBrush> outlineBrush_;
  std::unique_ptr<Gdiplus::FontFamily> plainFamily_;
  std::unique_ptr<Gdiplus::Font> plainFont_;
  std::unique_ptr<Gdiplus::StringFormat> plainFormat_;
  std::unique_ptr<Gdiplus::SolidBrush> plainBrush_;
  std::unique_ptr<Gdiplus::SolidBrush> greyBrush_;
  // A caption as drawn: its lines joined by line breaks, and their measured box relative
  // to the layout origin.
  struct CaptionLayout {
    std::wstring lines;
    Gdiplus::RectF box;
  };
  // The caption's lines (fitted to the operation's line width, when it has one) and box;
  // kept by text and line width.
  const CaptionLayout* CaptionOf(const DrawOp& op);
  std::map<std::pair<std::string, float>, CaptionLayout> captions_;
  std::map<VariantKey, Sprite> variantSprites_;
  std::map<ScaledKey, Sprite> scaledSprites_;
  std::map<TextKey, Sprite> textSprites_;

  Painting painting_ = Painting::kChangedAreas;
  DockFrame shown_;
  std::vector<PixelRect> shownBounds_;  // Bounds of each operation of shown_ when shown
  uint64_t shownGeneration_ = 0;
  BYTE shownAlpha_ = 255;
  bool valid_ = false;
  PixelRect lastPushed_;
};

}  // namespace vek::win
