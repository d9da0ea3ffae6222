// Where a group menu stands and where its parts go: rows per page, the menu's corner
// beside its ring slot, the hit rectangles of the page arrows and rows, the key letter
// of each member, and paging. Nothing here draws.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "dock/geometry.h"

namespace vek {

// Fixed measures of the menu, in pixels.
namespace menu_size {
constexpr int32_t kWidth = 268;        // outer width
constexpr int32_t kBandLeft = 10;      // rows, arrows and separators start here
constexpr int32_t kBandWidth = 248;
constexpr int32_t kRowHeight = 38;
constexpr int32_t kArrowHeight = 25;
constexpr int32_t kSeparatorHeight = 5;
constexpr int32_t kEdgeHeight = 12;    // top and bottom edge pictures
constexpr int32_t kMostRows = 18;
constexpr int32_t kCaptionWidth = 183;
constexpr int32_t kLetterWidth = 18;
constexpr int32_t kTextHeight = 32;
constexpr int32_t kArrowCaptionWidth = 48;
}  // namespace menu_size

// Rows per page on a screen `screenHeight` pixels high: (height − 76) \ 38 − 1, at most
// 18 and never less than 1 (a very low work area still shows one row per page).
int32_t RowsPerPage(int32_t screenHeight);

// The drawn height of a menu of `count` members with `rowsPerPage` rows per page.
int32_t MenuHeight(int32_t count, int32_t rowsPerPage);

// What the menu's placement reads of the ring.
struct MenuPlacement {
  const DockGeometry& geometry;
  int32_t normalIconSize = 48;
  int32_t rowsPerPage = 18;
};

// The menu's left edge for a group of `count` members beside ring slot `slot`: the
// centre item's menu (and that of a slot the ring does not show) starts 72 px right of
// the centre; a slot on the right half (or within 2 px left of the vertical axis) opens
// to the right of its icon, one on the left half to the left; the menu stays inside the
// screen.
int32_t MenuLeft(const MenuPlacement& p, int32_t count, int slot);
// The top edge: centred on the slot's icon (on the ring centre for the centre item and a
// slot the ring does not show) and kept inside the screen, except for those.
int32_t MenuTop(const MenuPlacement& p, int32_t count, int slot);

// Bands of a menu: index 0 the up arrow, 1..rows the visible rows, rows + 1 the down
// arrow.
struct MenuBands {
  static constexpr int kSlots = menu_size::kMostRows + 2;
  std::array<PixelRect, kSlots> rects{};
  int32_t rows = 0;     // rows shown
  bool paged = false;   // arrows present

  // Lays the bands out for a menu at (x, y) of `count` members.
  void Build(int32_t x, int32_t y, int32_t count, int32_t rowsPerPage);
  // The band holding (x, y), or −1. The left and bottom edges of a band belong to it,
  // the right edge does not; the first band in index order wins.
  int HitTest(int32_t x, int32_t y) const;
  int downArrow() const { return rows + 1; }
};

// The key of member `position` (1-based in the whole group): "0".."9" for 1..10,
// "A".."Z" for 11..36, nothing from 37 on.
std::string MemberLetter(int position);
// The member a key code addresses ('0'..'9', 'A'..'Z'), or 0 for any other key.
int MemberOfKey(int keyCode);

// The page state of an open menu.
struct MenuPaging {
  int32_t count = 0;        // members
  int32_t rowsPerPage = 1;
  int32_t offset = 0;       // members scrolled off the top
  bool upEnabled = false;
  bool downEnabled = false;

  bool paged() const { return count > rowsPerPage; }
  int32_t visibleRows() const { return paged() ? rowsPerPage : count; }
  // A fresh menu at its first page.
  void Reset(int32_t members, int32_t rows);
  // One member back (up) or on; a menu that is not paged stays where it is.
  void ScrollOne(bool up);
  // One page back (up) or on.
  void ScrollPage(bool up);
  // After the group lost or gained members: the offset kept inside it, the arrows set.
  void Resize(int32_t members);

 private:
  // `step` members back (up) or on, stopping at the first and the last page.
  void ScrollBy(int32_t step, bool up);
};

}  // namespace vek
