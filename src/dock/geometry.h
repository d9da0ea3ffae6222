// Ring geometry: the screen metrics, the slot table that every drawing and hit test
// reads, the point-in-slot test, the minimised position and the slot letters. Nothing
// here draws.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/model.h"
#include "core/rounding.h"
#include "core/settings_record.h"

namespace vek {

// What the dock draws once its sizes and slots are computed again.
enum class AfterRelayout { Nothing, PaintRing, QuickResize, RebuildMagnified };

// π as the ring's angles use it.
constexpr double kRingPi = 3.1415926;

struct PixelRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;

  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool Intersects(const PixelRect& o) const {
    return !empty() && !o.empty() && left < o.right && o.left < right && top < o.bottom &&
           o.top < bottom;
  }
  PixelRect Intersection(const PixelRect& o) const;
  // The smallest rectangle holding both (an empty one adds nothing).
  PixelRect Union(const PixelRect& o) const;
  friend bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

// The desktop the dock and the menu windows cover; both windows share its coordinates
// (origin at the work area's top-left corner).
struct ScreenMetrics {
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
  int32_t CenterX = 0;
  int32_t CenterY = 0;
  PixelRect WorkArea;  // screen coordinates; left/top are the windows' position
  friend bool operator==(const ScreenMetrics& a, const ScreenMetrics& b) {
    return a.ScreenWidth == b.ScreenWidth && a.ScreenHeight == b.ScreenHeight && a.WorkArea == b.WorkArea;
  }
  friend bool operator!=(const ScreenMetrics& a, const ScreenMetrics& b) { return !(a == b); }
};

// fullWidth/fullHeight/captionHeight are the system's full-screen client size and caption
// height (the height covered is the full-screen height plus one caption, which is the
// work area's height; never more than the work area).
ScreenMetrics ComputeScreenMetrics(int32_t fullWidth, int32_t fullHeight, int32_t captionHeight,
                                   const PixelRect& workArea);

// What the settings' defaults and checks take from the screen: its size, and the largest
// ring radius, which leaves 80 pixels above and below the ring.
SettingsScreen ScreenForSettings(const ScreenMetrics& screen);

struct SlotBox {
  int32_t X = 0, Y = 0, Size = 0;           // normal box, also the hit box
  int32_t MagX = 0, MagY = 0, MagSize = 0;  // magnified box (centre: the ring image)
  // Ring slots: offset of the slot letter from the screen centre. Centre: absolute
  // anchor of the caption.
  int32_t LabelX = 0, LabelY = 0;
};

constexpr int kSlotCount = 37;     // 0 = the centre, 1..36 the ring
constexpr int kSizeVariants = 4;   // IconSizes[1..4]
constexpr int32_t kMenuIconSize = 32;
constexpr int32_t kDefaultBorderSize = 152;

class DockGeometry {
 public:
  ScreenMetrics screen;
  // The side of the "BORDER" ring image; the skin loader sets it to the image's width.
  int32_t BorderSize = kDefaultBorderSize;
  // Index 0 unused; 1 normal, 2 magnified, 3 the largest (centre), 4 menu rows.
  std::array<int32_t, kSizeVariants + 1> IconSizes{0, 48, 64, 128, kMenuIconSize};
  std::array<SlotBox, kSlotCount> DockPos{};
  // The ring slots the last layout placed (1..ShownSlotCount); the boxes above it are
  // stale.
  int32_t ShownSlotCount = 0;
  // The widest a line of the centre's caption may be: the room between the ring's icons
  // beside its two lines, so that a long title never runs over them, and never narrower
  // than the centre's ring image. With no icon beside it, the screen's width.
  int32_t CaptionWidth = 0;
  // Top-left of the minimised dock's ring image and of its centre icon.
  int32_t MinBorderX = 0, MinBorderY = 0, MinIconX = 0, MinIconY = 0;

  // Recomputes IconSizes and the slot table from the settings, the ring's radius no larger
  // than the screen's largest. Entries above the icon quantity keep what they held.
  void Relayout(const AppSettings& settings);
  // The side of the centre picture while the pointer is on it: the largest size
  // magnified as much as a ring icon is (magnified over normal size).
  int32_t CentreMagnifiedSize() const;
  // The slot under the point (the first of 0..iconQuantity whose normal box holds it:
  // the left edge belongs to a box, the top edge does not), or −1.
  int HitSlot(int32_t x, int32_t y, int32_t iconQuantity) const;
  // Places the minimised dock at one of its nine places; a value naming none of them
  // leaves the previous place.
  void CalcMinimizedPos(MinimizedPosition position, int32_t maxIconSize);

 private:
  // CaptionWidth for the first `shownSlots` ring slots as just laid out.
  int32_t CaptionRoom(int32_t shownSlots) const;
};

// The number of ring slots shown, kept within 0..36 whatever a record holds.
int32_t ShownSlots(const AppSettings& settings);

// The key that launches a slot, as shown: "0".."9" for slots 1..10, "A".."Z" for
// 11..36, "~" for the centre; empty for anything else.
std::string SlotLetter(int slot);

// What each ring slot shows, refilled from the model by RefreshSlots. Entry 0 is never
// filled and reads 0 / empty.
struct SlotContents {
  std::array<int32_t, kSlotCount> SlotIcon{};
  std::array<ItemKind, kSlotCount> SlotType{};
  std::array<std::string, kSlotCount> SlotName{};
};

// Slot i shows the pool item that ring position i holds (the first entry of its member
// list); that item's image index, kind and trimmed title are copied. A member list entry that names no pool item leaves the slot blank.
void FillSlots(const Model& model, SlotContents& slots);

// The part of the work area the ring's window covers while the dock is shown: every
// shown slot's normal and magnified box and the centre's ring, grown by the magnified
// size (room for the slot letters), plus a band as wide as the centre's caption around
// it and its letter; within the work area.
PixelRect RingArea(const DockGeometry& geometry, int32_t shownSlots);

// Which part of the work area `whole` a window covers for a frame whose drawing reaches
// `drawn`: `preferred` when it holds the drawing, else the whole work area; with nothing
// drawn the window stays as it is (`current`).
PixelRect ChooseWindowArea(const PixelRect& current, const PixelRect& preferred, const PixelRect& drawn,
                           const PixelRect& whole);

// `r` grown by `margin` pixels on every side.
PixelRect Inflated(const PixelRect& r, int32_t margin);

}  // namespace vek
