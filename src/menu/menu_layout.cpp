#include "menu/menu_layout.h"

namespace vek {

using namespace menu_size;

int32_t RowsPerPage(int32_t screenHeight) {
  const int32_t rows = (screenHeight - 76) / kRowHeight - 1;
  if (rows > kMostRows) return kMostRows;
  return rows < 1 ? 1 : rows;
}

int32_t MenuHeight(int32_t count, int32_t rowsPerPage) {
  if (count > rowsPerPage) return rowsPerPage * kRowHeight + 80;
  return count * kRowHeight + 20;
}

namespace {

// A slot the ring shows. The centre's menu, and that of a slot above the icon quantity
// (which key mode can still open), stand beside the centre.
bool OnTheRing(const MenuPlacement& p, int slot) {
  return slot > 0 && slot < kSlotCount && slot <= p.geometry.ShownSlotCount;
}

}  // namespace

int32_t MenuLeft(const MenuPlacement& p, int32_t /*count*/, int slot) {
  const ScreenMetrics& s = p.geometry.screen;
  if (!OnTheRing(p, slot)) return s.CenterX + 72;
  const SlotBox& b = p.geometry.DockPos[slot];
  const double d = b.X + p.normalIconSize / 2.0 - s.CenterX;
  if (d > -2) {
    const int32_t left = b.X + p.normalIconSize;
    return left + kWidth > s.ScreenWidth ? s.ScreenWidth - kWidth : left;
  }
  const int32_t left = b.X - kWidth;
  return left < 0 ? 0 : left;
}

int32_t MenuTop(const MenuPlacement& p, int32_t count, int slot) {
  const ScreenMetrics& s = p.geometry.screen;
  const int32_t h = MenuHeight(count, p.rowsPerPage);
  if (!OnTheRing(p, slot)) return RoundHalfEven(s.CenterY - h / 2.0);
  const SlotBox& b = p.geometry.DockPos[slot];
  int32_t top = RoundHalfEven(b.Y + p.normalIconSize / 2.0 - h / 2.0);
  if (top < 0)
    top = 0;
  else if (top + h > s.ScreenHeight)
    top = s.ScreenHeight - h;
  return top;
}

void MenuBands::Build(int32_t x, int32_t y, int32_t count, int32_t rowsPerPage) {
  const int32_t left = x + kBandLeft, right = left + kBandWidth;
  rects.fill(PixelRect{});
  paged = count > rowsPerPage;
  if (paged) {
    rows = rowsPerPage;
    rects[0] = PixelRect{left, y + 10, right, y + 10 + kArrowHeight};
    for (int r = 1; r <= rows; ++r) {
      const int32_t top = y + 40 + (r - 1) * kRowHeight;
      rects[r] = PixelRect{left, top, right, top + kRowHeight};
    }
    const int32_t top = y + 45 + rows * kRowHeight;
    rects[rows + 1] = PixelRect{left, top, right, top + kArrowHeight};
  } else {
    rows = count < 0 ? 0 : count;
    for (int r = 1; r <= rows; ++r) {
      const int32_t top = y + 10 + (r - 1) * kRowHeight;
      rects[r] = PixelRect{left, top, right, top + kRowHeight};
    }
  }
}

int MenuBands::HitTest(int32_t x, int32_t y) const {
  const int first = paged ? 0 : 1, last = paged ? rows + 1 : rows;
  for (int i = first; i <= last; ++i) {
    const PixelRect& r = rects[i];
    if (r.left <= x && x < r.right && r.top <= y && y <= r.bottom) return i;
  }
  return -1;
}

std::string MemberLetter(int position) {
  // Members are lettered as the ring's slots are, from "0".
  return position >= 1 ? SlotLetter(position) : std::string();
}

int MemberOfKey(int keyCode) {
  if (keyCode >= '0' && keyCode <= '9') return keyCode - 47;
  if (keyCode >= 'A' && keyCode <= 'Z') return keyCode - 54;
  return 0;
}

void MenuPaging::Reset(int32_t members, int32_t rows) {
  count = members;
  rowsPerPage = rows < 1 ? 1 : rows;
  offset = 0;
  upEnabled = false;
  downEnabled = paged();
}

void MenuPaging::ScrollOne(bool up) { ScrollBy(1, up); }

void MenuPaging::ScrollPage(bool up) { ScrollBy(rowsPerPage, up); }

void MenuPaging::ScrollBy(int32_t step, bool up) {
  if (!paged()) return;
  const int32_t p = rowsPerPage;
  if (up) {
    if (offset - step > 0) {
      offset -= step;
      upEnabled = true;
    } else {
      offset = 0;
      upEnabled = false;
    }
    downEnabled = true;
  } else {
    upEnabled = true;
    if (offset + step + p < count) {
      offset += step;
      downEnabled = true;
    } else {
      offset = count - p;
      downEnabled = false;
    }
  }
}

void MenuPaging::Resize(int32_t members) {
  count = members;
  if (!paged()) {
    offset = 0;
    upEnabled = downEnabled = false;
    return;
  }
  const int32_t p = rowsPerPage;
  if (offset + p > count) offset = count - p;
  if (offset < 0) offset = 0;
  upEnabled = offset > 0;
  downEnabled = offset + p < count;
}

}  // namespace vek
