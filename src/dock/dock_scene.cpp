#include "dock/dock_scene.h"

#include <algorithm>

#include "text/text.h"

namespace vek {

DrawOp DrawOp::Image(ImageSet set, int32_t index, int32_t variant, int32_t x, int32_t y,
                     int32_t w, int32_t h) {
  DrawOp op;
  op.type = Type::kImage;
  op.set = set;
  op.index = index;
  op.variant = variant;
  op.x = x;
  op.y = y;
  // Cached variants are drawn at their own size: the size given does not matter.
  op.w = variant == 0 ? w : 0;
  op.h = variant == 0 ? h : 0;
  return op;
}

DrawOp DrawOp::Text(const std::string& text, float x, float y, float lineWidth) {
  DrawOp op;
  op.type = Type::kText;
  op.text = TrimFixed(text);
  op.textX = x;
  op.textY = y;
  op.textW = lineWidth;
  return op;
}

DrawOp DrawOp::BoxText(const std::string& text, TextStyle style, float x, float y, float w, float h) {
  DrawOp op = Text(text, x, y);
  op.style = style;
  op.textW = w;
  op.textH = h;
  return op;
}

bool operator==(const DrawOp& a, const DrawOp& b) {
  if (a.type != b.type) return false;
  if (a.type == DrawOp::Type::kText)
    return a.text == b.text && a.textX == b.textX && a.textY == b.textY && a.style == b.style &&
           a.textW == b.textW && a.textH == b.textH;
  return a.set == b.set && a.index == b.index && a.variant == b.variant && a.x == b.x &&
         a.y == b.y && a.w == b.w && a.h == b.h && a.srcX == b.srcX && a.srcY == b.srcY &&
         a.srcW == b.srcW && a.srcH == b.srcH;
}

void FrameWriter::Clear(uint32_t argb) {
  frame_.background = argb;
  frame_.ops.clear();
}

void FrameWriter::Icon(int imageIndex, int variant, int32_t x, int32_t y, int32_t w, int32_t h) {
  Add(DrawOp::Image(ImageSet::kItem, imageIndex, variant, x, y, w, h));
}

void FrameWriter::Skin(int skinIndex, int variant, int32_t x, int32_t y, int32_t w, int32_t h) {
  Add(DrawOp::Image(ImageSet::kSkin, skinIndex, variant, x, y, w, h));
}

void FrameWriter::Text(const std::string& text, float x, float y, float lineWidth) {
  DrawOp op = DrawOp::Text(text, x, y, lineWidth);
  if (!op.text.empty()) Add(std::move(op));
}

uint32_t BackdropArgb(const AppSettings& s) { return uint32_t{s.BackdropOpacity} << 24; }

namespace {

constexpr float kHalf = 0.5f;

// The height a ring letter takes on the screen.
constexpr int32_t kLetterHeight = 24;
constexpr int32_t kLetterHalfWidth = 12;  // a letter is drawn centred on its place

int32_t MinusHalfOf(int32_t centre, int32_t side) { return RoundHalfEven(centre - side / 2.0); }

class Painter : public FrameWriter {
 public:
  Painter(DockFrame& frame, const DockView& view)
      : FrameWriter(frame), v_(view), g_(view.geometry), s_(view.settings) {}

  void Background() { Clear(v_.keyMode ? BackdropArgb(s_) : 0); }

  // A ring slot's letter, on the slot's ray just outside its magnified box.
  void RingLetter(int slot) {
    if (!v_.lettersShown() || slot < 1 || slot >= kSlotCount) return;
    const SlotBox& b = g_.DockPos[slot];
    // The largest ring on a low screen puts the top and bottom letters past its edges, and
    // on a narrow (portrait) one the side letters: they are drawn just inside them.
    const ScreenMetrics& screen = g_.screen;
    const int32_t top = std::clamp(b.LabelY + screen.CenterY - 12, 0, std::max(0, screen.ScreenHeight - kLetterHeight));
    const int32_t across =
        std::clamp(b.LabelX + screen.CenterX, kLetterHalfWidth, std::max(kLetterHalfWidth, screen.ScreenWidth - kLetterHalfWidth)) -
        screen.CenterX;
    Text(SlotLetter(slot), static_cast<float>(across), static_cast<float>(top));
  }
  // The letter shown above the centre ("~", or a magnified slot's letter).
  void CentreLetter(const std::string& letter) {
    if (!v_.lettersShown()) return;
    const SlotBox& c = g_.DockPos[0];
    Text(letter, static_cast<float>(RoundHalfEven(c.LabelX - g_.screen.ScreenWidth / 2.0)),
         static_cast<float>(c.LabelY - 182));
  }
  // The centre's caption: the centre item's title, or the magnified slot's name.
  void Caption(const std::string& text) {
    const SlotBox& c = g_.DockPos[0];
    Text(text, c.LabelX - g_.screen.ScreenWidth * kHalf, static_cast<float>(c.LabelY),
         static_cast<float>(g_.CaptionWidth));
  }

  void PlainSlot(int i) {
    const SlotBox& b = g_.DockPos[i];
    Skin(skin::kBackSelectColor, 1, b.X, b.Y);
    Icon(v_.slots.SlotIcon[i], 1, b.X, b.Y);
    RingLetter(i);
  }

  void PlainCentre() {
    const SlotBox& c = g_.DockPos[0];
    Icon(pool::kCentre, 1, c.X, c.Y);
    Skin(skin::kBorder, 1, c.MagX, c.MagY);
    Caption(v_.centreTitle);
    CentreLetter(SlotLetter(0));
  }

  // The centre under the pointer: its own picture magnified, centred on the ring and cut
  // round to it, then the ring, the caption and the letter as on the plain centre.
  void MagnifiedCentre() {
    const SlotBox& c = g_.DockPos[0];
    const int32_t side = g_.CentreMagnifiedSize();
    Icon(pool::kCentre, kCentreMagnifiedVariant, MinusHalfOf(g_.screen.CenterX, side),
         MinusHalfOf(g_.screen.CenterY, side));
    Skin(skin::kBorder, 1, c.MagX, c.MagY);
    Caption(v_.centreTitle);
    CentreLetter(SlotLetter(0));
  }

  int SlotIconOf(int slot) const {
    return slot >= 0 && slot < kSlotCount ? v_.slots.SlotIcon[slot] : 0;
  }

 private:
  const DockView& v_;
  const DockGeometry& g_;
  const AppSettings& s_;
};

bool Paintable(const DockView& view) { return view.dockState == DockState::Shown; }

}  // namespace

bool PaintDockNormal(DockFrame& frame, const DockView& view) {
  if (!Paintable(view)) return false;
  Painter p(frame, view);
  p.Background();
  const int count = ShownSlots(view.settings);
  for (int i = 1; i <= count; ++i) {
    if (i == view.dragSlot) continue;
    p.PlainSlot(i);
  }
  p.PlainCentre();
  return true;
}

bool PaintDockAction(DockFrame& frame, const DockView& view, bool isMouseDown) {
  if (!Paintable(view)) return false;
  Painter p(frame, view);
  const DockGeometry& g = view.geometry;
  const int sel = view.selIndex;
  p.Background();
  const int count = ShownSlots(view.settings);
  for (int i = 1; i <= count; ++i) {
    if (i == sel) continue;
    p.PlainSlot(i);
  }
  if (sel > 0 && sel < kSlotCount) {
    const SlotBox& b = g.DockPos[sel];
    const int icon = p.SlotIconOf(sel);
    p.Skin(skin::kBackSelectColor, 2, b.MagX, b.MagY);
    if (isMouseDown) {
      p.Icon(icon, 1, b.X, b.Y);
    } else {
      p.Icon(icon, 0, b.MagX, b.MagY, g.IconSizes[2], g.IconSizes[2]);
    }
    p.RingLetter(sel);
    const SlotBox& c = g.DockPos[0];
    p.Icon(p.SlotIconOf(sel), 0, c.X, c.Y, g.IconSizes[3], g.IconSizes[3]);
    p.Caption(view.slots.SlotName[sel]);
    p.CentreLetter(SlotLetter(sel));
  } else if (sel == 0 && !isMouseDown) {
    p.MagnifiedCentre();
  } else {
    // Nothing under the pointer, or the centre pressed: it shrinks back to its own size.
    p.PlainCentre();
  }
  return true;
}

void PaintDockSizeChange(DockFrame& frame, const DockView& view) {
  Painter p(frame, view);
  const DockGeometry& g = view.geometry;
  p.Background();
  const int count = ShownSlots(view.settings);
  for (int i = 1; i <= count; ++i) {
    if (i == view.dragSlot) continue;
    const SlotBox& b = g.DockPos[i];
    p.Icon(view.slots.SlotIcon[i], 0, b.X, b.Y, g.IconSizes[1], g.IconSizes[1]);
    p.RingLetter(i);
  }
  p.PlainCentre();
}

std::vector<PixelRect> MergeRects(std::vector<PixelRect> rects) {
  rects.erase(std::remove_if(rects.begin(), rects.end(), [](const PixelRect& r) { return r.empty(); }),
              rects.end());
  bool merged = true;
  while (merged) {
    merged = false;
    for (size_t i = 0; i < rects.size() && !merged; ++i) {
      for (size_t j = i + 1; j < rects.size(); ++j) {
        const PixelRect& a = rects[i];
        const PixelRect& b = rects[j];
        // Touching rectangles merge too: nothing is gained by keeping them apart.
        if (a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom) {
          rects[i] = a.Union(b);
          rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
          merged = true;
          break;
        }
      }
    }
  }
  return rects;
}

std::vector<PixelRect> ChangedAreas(const DockFrame& before, const DockFrame& after,
                                    const std::function<PixelRect(const DrawOp&)>& bounds,
                                    const PixelRect& screen) {
  if (before.background != after.background) return {screen};
  std::vector<PixelRect> dirty;
  // Pair each operation of `before` with the first unpaired equal one of `after`.
  std::vector<bool> paired(after.ops.size(), false);
  int lastPartner = -1;
  for (const DrawOp& op : before.ops) {
    int partner = -1;
    for (size_t j = 0; j < after.ops.size(); ++j) {
      if (!paired[j] && after.ops[j] == op) {
        partner = static_cast<int>(j);
        break;
      }
    }
    if (partner < 0) {
      dirty.push_back(bounds(op));  // gone
      continue;
    }
    paired[static_cast<size_t>(partner)] = true;
    // Drawn in another order relative to the operations before it: where it overlaps
    // them the result may differ, so its area is repainted in the new order.
    if (partner < lastPartner) dirty.push_back(bounds(op));
    lastPartner = std::max(lastPartner, partner);
  }
  for (size_t j = 0; j < after.ops.size(); ++j)
    if (!paired[j]) dirty.push_back(bounds(after.ops[j]));  // new
  for (PixelRect& r : dirty) r = r.Intersection(screen);
  return MergeRects(std::move(dirty));
}

}  // namespace vek
