#include "dock/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vek {

PixelRect PixelRect::Intersection(const PixelRect& o) const {
  PixelRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
              std::min(bottom, o.bottom)};
  if (r.empty()) return PixelRect{};
  return r;
}

PixelRect PixelRect::Union(const PixelRect& o) const {
  if (empty()) return o;
  if (o.empty()) return *this;
  return PixelRect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                   std::max(bottom, o.bottom)};
}

ScreenMetrics ComputeScreenMetrics(int32_t fullWidth, int32_t fullHeight, int32_t captionHeight,
                                   const PixelRect& workArea) {
  ScreenMetrics m;
  m.ScreenWidth = fullWidth;
  m.ScreenHeight = fullHeight + captionHeight;
  // On Windows the sum is the work area's height. Some systems report a full-screen
  // height that is not reduced by the caption (Wine gives 1091 + 19 on a 1080-line
  // screen); the dock never reaches beyond the work area, or its centre would leave the
  // screen's centre.
  if (!workArea.empty()) {
    m.ScreenWidth = std::min(m.ScreenWidth, workArea.width());
    m.ScreenHeight = std::min(m.ScreenHeight, workArea.height());
  }
  m.CenterX = RoundHalfEven(m.ScreenWidth / 2.0);
  m.CenterY = RoundHalfEven(m.ScreenHeight / 2.0);
  m.WorkArea = workArea;
  return m;
}

SettingsScreen ScreenForSettings(const ScreenMetrics& screen) {
  // The ring stays on the screen both ways, on a screen stood on its side too.
  return SettingsScreen{screen.ScreenWidth, screen.ScreenHeight, std::min(screen.CenterX, screen.CenterY) - 80};
}

int32_t ShownSlots(const AppSettings& settings) {
  return std::clamp<int32_t>(settings.IconQuantity, 0, kSlotCount - 1);
}

namespace {
// "Centre minus half a side", the half held exactly and the result rounded.
int32_t MinusHalf(int32_t centre, int32_t side) { return RoundHalfEven(centre - side / 2.0); }
}  // namespace

void DockGeometry::Relayout(const AppSettings& s) {
  IconSizes = {0, s.NormalIconSize, s.MagnifiedIconSize, s.MaxIconSize, kMenuIconSize};

  SlotBox& c = DockPos[0];
  c.Size = s.MaxIconSize;
  c.X = MinusHalf(screen.CenterX, c.Size);
  c.Y = MinusHalf(screen.CenterY, c.Size);
  c.MagSize = BorderSize;
  c.MagX = MinusHalf(screen.CenterX, BorderSize);
  c.MagY = MinusHalf(screen.CenterY, BorderSize);
  c.LabelX = screen.CenterX;
  c.LabelY = RoundHalfEven(screen.CenterY + BorderSize / 2.0 + 10);

  const int32_t count = ShownSlots(s);
  ShownSlotCount = count;
  if (count == 0) {
    CaptionWidth = CaptionRoom(count);
    return;
  }
  const double step = 360.0 / count;
  const double radius = ShownRadius(s);
  for (int i = 1; i <= count; ++i) {
    const double theta = (i - 1) * step * kRingPi / 180.0;
    const double cosT = std::cos(theta), sinT = std::sin(theta);
    const int32_t cx = RoundHalfEven(cosT * radius + screen.CenterX);
    const int32_t cy = RoundHalfEven(sinT * radius + screen.CenterY);
    SlotBox& b = DockPos[i];
    b.Size = s.NormalIconSize;
    b.X = MinusHalf(cx, b.Size);
    b.Y = MinusHalf(cy, b.Size);
    b.MagSize = s.MagnifiedIconSize;
    b.MagX = MinusHalf(cx, b.MagSize);
    b.MagY = MinusHalf(cy, b.MagSize);
    const double half = b.MagSize / 2.0;
    const double distance = radius + RoundToFourPlaces(std::sqrt(2.0 * half * half)) + 3;
    b.LabelX = RoundHalfEven(cosT * distance);
    b.LabelY = RoundHalfEven(sinT * distance);
  }
  CaptionWidth = CaptionRoom(count);
}

int32_t DockGeometry::CaptionRoom(int32_t shownSlots) const {
  // Two lines of the caption's font, with its outline, hang from the caption's anchor. A
  // little room is kept beside them, for the outline and so that a line does not touch
  // an icon.
  constexpr int32_t kCaptionHeight = 44, kGap = 8;
  const SlotBox& c = DockPos[0];
  int32_t half = screen.ScreenWidth / 2;
  for (int i = 1; i <= std::min<int32_t>(shownSlots, kSlotCount - 1); ++i) {
    const SlotBox& b = DockPos[i];
    if (b.Y + b.Size <= c.LabelY || b.Y >= c.LabelY + kCaptionHeight) continue;
    half = std::min(half, std::abs(b.X + b.Size / 2 - screen.CenterX) - b.Size / 2 - kGap);
  }
  return std::max(2 * half, BorderSize);
}

int32_t DockGeometry::CentreMagnifiedSize() const {
  if (IconSizes[1] <= 0 || IconSizes[2] <= IconSizes[1]) return IconSizes[3];
  return RoundHalfEven(static_cast<double>(IconSizes[3]) * IconSizes[2] / IconSizes[1]);
}

int DockGeometry::HitSlot(int32_t x, int32_t y, int32_t iconQuantity) const {
  const int last = std::clamp<int32_t>(iconQuantity, 0, kSlotCount - 1);
  for (int i = 0; i <= last; ++i) {
    const SlotBox& b = DockPos[i];
    if (b.X <= x && x < b.X + b.Size && b.Y < y && y < b.Y + b.Size) return i;
  }
  return -1;
}

void DockGeometry::CalcMinimizedPos(MinimizedPosition position, int32_t maxIconSize) {
  const int32_t b = BorderSize;
  const int32_t half = RoundHalfEven(b / 2.0);
  const int32_t middleX = screen.CenterX - half, middleY = screen.CenterY - half;
  const int32_t right = screen.ScreenWidth - b - 2, bottom = screen.ScreenHeight - b - 2;
  int32_t x = 0, y = 0;
  using P = MinimizedPosition;
  switch (position) {
    case P::kCenter: x = middleX; y = middleY; break;
    case P::kTop: x = middleX; y = 2; break;
    case P::kBottom: x = middleX; y = bottom; break;
    case P::kLeft: x = 2; y = middleY; break;
    case P::kRight: x = right; y = middleY; break;
    case P::kTopLeft: x = 2; y = 2; break;
    case P::kTopRight: x = right; y = 2; break;
    case P::kBottomLeft: x = 2; y = bottom; break;
    case P::kBottomRight: x = right; y = bottom; break;
    default: return;
  }
  const int32_t d = RoundHalfEven((b - maxIconSize) / 2.0);
  MinBorderX = x;
  MinBorderY = y;
  MinIconX = x + d;
  MinIconY = y + d;
}

std::string SlotLetter(int slot) {
  if (slot == 0) return "~";
  if (slot >= 1 && slot <= 10) return std::string(1, static_cast<char>(47 + slot));
  if (slot >= 11 && slot <= 36) return std::string(1, static_cast<char>(54 + slot));
  return {};
}

void FillSlots(const Model& model, SlotContents& slots) {
  const int items = static_cast<int>(model.Items.size());
  const int groups = static_cast<int>(model.Groups.size());
  for (int i = 1; i < kSlotCount; ++i) {
    slots.SlotIcon[i] = 0;
    slots.SlotType[i] = ItemKind::kFree;
    slots.SlotName[i].clear();
    if (i >= groups) continue;
    const int32_t index = model.Groups[i].ShownItem;
    if (index < 0 || index >= items) continue;
    const ShortcutItem& item = model.Items[index];
    slots.SlotIcon[i] = item.ImageIndex;
    slots.SlotType[i] = item.Kind;
    slots.SlotName[i] = item.Title;
  }
}

PixelRect Inflated(const PixelRect& r, int32_t margin) {
  if (r.empty()) return r;
  return PixelRect{r.left - margin, r.top - margin, r.right + margin, r.bottom + margin};
}

PixelRect RingArea(const DockGeometry& g, int32_t shownSlots) {
  const PixelRect whole{0, 0, g.screen.ScreenWidth, g.screen.ScreenHeight};
  PixelRect area;
  const int32_t last = std::clamp(shownSlots, 0, kSlotCount - 1);
  for (int i = 0; i <= last; ++i) {
    const SlotBox& b = g.DockPos[i];
    area = area.Union(PixelRect{b.X, b.Y, b.X + b.Size, b.Y + b.Size});
    area = area.Union(PixelRect{b.MagX, b.MagY, b.MagX + b.MagSize, b.MagY + b.MagSize});
  }
  const int32_t largest = std::max({g.IconSizes[2], g.IconSizes[3], g.CentreMagnifiedSize(), g.BorderSize});
  const PixelRect centre{g.screen.CenterX - largest / 2 - 1, g.screen.CenterY - largest / 2 - 1,
                         g.screen.CenterX + largest / 2 + 1, g.screen.CenterY + largest / 2 + 1};
  area = Inflated(area.Union(centre), std::max(g.IconSizes[2], 0));
  // The caption hangs below the centre's ring, its letter above it; the outline reaches
  // a pixel beyond the caption's lines.
  const SlotBox& c = g.DockPos[0];
  const int32_t captionHalfWidth = g.CaptionWidth / 2 + 2;
  area = area.Union(PixelRect{c.LabelX - captionHalfWidth, c.LabelY - 200, c.LabelX + captionHalfWidth, c.LabelY + 48});
  return area.Intersection(whole);
}

PixelRect ChooseWindowArea(const PixelRect& current, const PixelRect& preferred, const PixelRect& drawn,
                           const PixelRect& whole) {
  if (drawn.empty()) return current;
  if (!preferred.empty() && drawn.Intersection(preferred) == drawn) return preferred;
  return whole;
}

}  // namespace vek
