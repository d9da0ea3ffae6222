// What a group menu draws, as a frame of draw operations (the same kind of frame the
// dock draws), so the window can repaint only the parts that change between two frames.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dock/dock_scene.h"
#include "menu/menu_layout.h"

namespace vek {

// Skin pictures of the menu.
namespace menu_skin {
constexpr int kSelect = 1;
constexpr int kMouseDown = 2;
constexpr int kUpUnselect = 3;
constexpr int kUpSelect = 4;
constexpr int kDownUnselect = 5;
constexpr int kDownSelect = 6;
constexpr int kSpace = 7;
constexpr int kBody = 8;
constexpr int kTop = 9;
constexpr int kBottom = 10;
}  // namespace menu_skin

// One member as the menu shows it.
struct MenuRow {
  int32_t item = 0;     // pool index
  int32_t image = 0;    // image index of its picture
  int32_t command = 0;  // built-in command code
  ItemKind kind = ItemKind::kFree;
  bool system = false;  // a built-in command rather than something to launch
  PathKind pathKind = PathKind::kShortcutFile;
  std::string title;    // trimmed
};

struct MenuView {
  int32_t x = 0, y = 0;  // the menu's top-left corner
  const MenuPaging& paging;
  const std::vector<MenuRow>& rows;  // rows[n − 1] is member n
  int focus = -1;                    // highlighted band, −1 none
  bool mouseDown = false;            // the highlighted band is pressed
  // True when the 32-pixel picture of an image index is decoded.
  std::function<bool(int32_t)> pictureReady;
};

// The operation that draws a member's 32-pixel picture with its top-left at (x, y): its
// own picture when decoded, else the fallback picture scaled down. `waiting` is set when
// the member's own picture is not decoded yet.
DrawOp RowPicture(const MenuRow& row, const std::function<bool(int32_t)>& pictureReady, int32_t x,
                  int32_t y, bool* waiting = nullptr);

// Paints the whole menu into `frame` (replacing it): the background, the edges, the page
// arrows of a paged menu with their captions (grey when disabled), and the visible rows
// with picture, caption and key letter, band `view.focus` highlighted. Returns the pool
// indices of the visible members whose pictures are still being decoded.
std::vector<int32_t> PaintMenu(DockFrame& frame, const MenuView& view);

// Operations whose pictures every menu draws, for making them ahead: the key letters,
// both looks of the arrow captions, the skin bands and the body of a full page.
DockFrame CommonMenuParts(int32_t rowsPerPage);

// Adds frame k (0..4) of the delete effect centred on (x, y).
void AddDeleteEffect(DockFrame& frame, int k, int32_t x, int32_t y);

}  // namespace vek
