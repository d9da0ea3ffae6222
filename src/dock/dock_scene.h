// What the dock draws, as a list: each paint of the ring (plain, with one slot magnified,
// or the quick repaint during a size change) is written as a frame of draw operations
// over a background, in painting order. The Windows side renders frames; keeping them
// lets it compare two frames and redraw and push only the areas that differ.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/model.h"
#include "dock/geometry.h"
#include "icons/skin_images.h"

namespace vek {

// How a text is drawn: the dock's caption (white, outlined, centred in a screen-wide box
// and hanging from its top), or plain text left-aligned and vertically centred in its own
// box, near-black or grey (the group menus).
enum class TextStyle : uint8_t { kCaption, kPlain, kPlainGrey };

struct DrawOp {
  enum class Type : uint8_t { kImage, kText };
  Type type = Type::kImage;
  // Image: variant 0 is drawn scaled into (x, y, w, h), or only its source rectangle
  // (srcX, srcY, srcW, srcH) when srcW > 0; variants 1..4 are drawn unscaled at (x, y)
  // and w, h are 0.
  ImageSet set = ImageSet::kItem;
  int32_t index = 0;
  int32_t variant = 0;
  int32_t x = 0, y = 0, w = 0, h = 0;
  int32_t srcX = 0, srcY = 0, srcW = 0, srcH = 0;
  // Text: the trimmed text, drawn outlined in a screen-wide layout box whose top-left is
  // (textX, textY), and with textW > 0 broken into at most two lines no wider than that,
  // ended with "…" when it is longer; plain styles draw it in the box (textX, textY,
  // textW, textH).
  std::string text;
  float textX = 0, textY = 0;
  TextStyle style = TextStyle::kCaption;
  float textW = 0, textH = 0;

  static DrawOp Image(ImageSet set, int32_t index, int32_t variant, int32_t x, int32_t y,
                      int32_t w = 0, int32_t h = 0);
  static DrawOp Text(const std::string& text, float x, float y, float lineWidth = 0);
  static DrawOp BoxText(const std::string& text, TextStyle style, float x, float y, float w, float h);
  friend bool operator==(const DrawOp& a, const DrawOp& b);
  friend bool operator!=(const DrawOp& a, const DrawOp& b) { return !(a == b); }
};

// Premultiplied-free ARGB of the background; 0 = fully transparent.
struct DockFrame {
  uint32_t background = 0;
  std::vector<DrawOp> ops;
};

// Writes draw operations into a frame: every paint of the dock goes through it.
class FrameWriter {
 public:
  explicit FrameWriter(DockFrame& frame) : frame_(frame) {}
  // Starts the frame over: no operations, the background colour `argb`.
  void Clear(uint32_t argb);
  void Icon(int imageIndex, int variant, int32_t x, int32_t y, int32_t w = 0, int32_t h = 0);
  void Skin(int skinIndex, int variant, int32_t x, int32_t y, int32_t w = 0, int32_t h = 0);
  // A caption centred in a screen-wide box whose top-left is (x, y), so x is an offset
  // from the screen centre's column, in lines no wider than `lineWidth` (0: one line
  // across the screen); an empty text adds nothing.
  void Text(const std::string& text, float x, float y, float lineWidth = 0);
  void Add(DrawOp op) { frame_.ops.push_back(std::move(op)); }

 private:
  DockFrame& frame_;
};

// The backdrop of key mode as ARGB: black at the opacity setting.
uint32_t BackdropArgb(const AppSettings& settings);

// Dock state the painters read.
struct DockView {
  const DockGeometry& geometry;
  const AppSettings& settings;
  const SlotContents& slots;
  std::string centreTitle;  // the centre item's title
  int selIndex = -1;        // −1 nothing, 0 the centre, 1..36 a ring slot
  bool keyMode = false;
  int dragSlot = -1;        // the slot being dragged, left out of the ring
  DockState dockState = DockState::Shown;

  bool lettersShown() const { return keyMode && !settings.HideLetters; }
};

// The three ways the ring is painted. Each replaces the frame (background first) and
// returns true, or leaves it untouched and returns false while the dock is minimised or
// hidden (DockSizeChange always paints: it is used while the dock is shown).
bool PaintDockNormal(DockFrame& frame, const DockView& view);
bool PaintDockAction(DockFrame& frame, const DockView& view, bool isMouseDown);
void PaintDockSizeChange(DockFrame& frame, const DockView& view);

// The areas whose pixels can differ between two frames. The whole screen when the
// backgrounds differ; otherwise the bounds of every operation found in one frame and not
// in the other, plus those of operations that both frames hold but in another order.
// `bounds` gives the pixels an operation can touch. Overlapping areas are merged.
std::vector<PixelRect> ChangedAreas(const DockFrame& before, const DockFrame& after,
                                    const std::function<PixelRect(const DrawOp&)>& bounds,
                                    const PixelRect& screen);

// Merges rectangles that overlap or touch until none do.
std::vector<PixelRect> MergeRects(std::vector<PixelRect> rects);

}  // namespace vek
