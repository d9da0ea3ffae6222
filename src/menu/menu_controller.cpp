#include "menu/menu_controller.h"

#include <cstdlib>

#include "text/text.h"
#include "dock/dock_controller.h"

namespace vek {

// --- The model's side --------------------------------------------------------------------

int32_t ModelMenuSource::MemberCount(int slot) const { return model_.MemberCount(slot); }

MenuRow ModelMenuSource::Member(int slot, int position) const {
  MenuRow row;
  if (position < 1 || position > MemberCount(slot)) return row;
  const int32_t m = model_.Groups[static_cast<size_t>(slot)].Members[static_cast<size_t>(position - 1)];
  if (m < 0 || m >= static_cast<int32_t>(model_.Items.size())) return row;
  const ShortcutItem& item = model_.Items[static_cast<size_t>(m)];
  row.item = m;
  row.image = item.ImageIndex;
  row.command = item.CommandId;
  row.kind = item.Kind;
  row.system = item.IsSystem;
  row.pathKind = item.PathKind;
  row.title = item.Title;
  return row;
}

// --- Opening and closing -------------------------------------------------------------------

void MenuController::LoadRows() {
  const int32_t count = state_.paging.count;
  state_.rows.clear();
  state_.rows.reserve(static_cast<size_t>(count));
  for (int n = 1; n <= count; ++n) state_.rows.push_back(source_.Member(state_.groupSlot, n));
}

void MenuController::Place(int32_t count) {
  const MenuPlacement placement{geometry_, source_.NormalIconSize(), rowsPerPage_};
  state_.x = MenuLeft(placement, count, state_.groupSlot);
  state_.y = MenuTop(placement, count, state_.groupSlot);
  state_.bands.Build(state_.x, state_.y, count, rowsPerPage_);
}

void MenuController::MenuFocus(bool open, int slot) {
  if (!open) {
    Close();
    return;
  }
  const int32_t count = source_.MemberCount(slot);
  if (count <= 0) {
    // An empty group shows nothing; a menu of another group does not stay open.
    CloseMenu(true);
    return;
  }
  // A menu opened over another (a click on the ring meanwhile gave the dock the front)
  // starts afresh: the window lets go of the last menu's place, which would otherwise
  // stretch over the whole work area to hold both.
  if (state_.shown) window_.HideToBottom();
  state_.groupSlot = slot;
  state_.paging.Reset(count, rowsPerPage_);
  Place(count);
  LoadRows();
  state_.focus = state_.lastFocus = -1;
  EndDrag();
  // The picture is ready before the window shows, so no earlier picture flashes up.
  Paint(false, false);
  window_.Present(frame_, 255);
  window_.ShowOnTop();
  window_.EnableTimer(menu_timer::kForegroundWatch, true);
  window_.EnableTimer(menu_timer::kHighlightWatch, true);
  state_.shown = true;
}

void MenuController::Close() {
  frame_ = DockFrame{};
  window_.Present(frame_, 255);
  window_.HideToBottom();
  window_.EnableTimer(menu_timer::kForegroundWatch, false);
  window_.EnableTimer(menu_timer::kHighlightWatch, false);
  state_.shown = false;
  EndDrag();
}

void MenuController::CloseMenu(bool noDockFocus) {
  if (!state_.shown) return;
  // The dock takes the keyboard while the menu is still in front: a hidden active window
  // hands the activation to the next window that may have it, and Windows passes over
  // the dock (a tool window) for another program's. The picture goes first, so that the
  // dock never comes forward over it. A menu no longer in front leaves the keyboard where
  // the user put it.
  if (!noDockFocus && window_.InForeground()) {
    frame_ = DockFrame{};
    window_.Present(frame_, 255);
    actions_.FocusDock();
  }
  Close();
  state_.focus = state_.lastFocus = -1;
}

void MenuController::MenuClick(int position) {
  CloseMenu(false);
  if (position < 1 || position > static_cast<int>(state_.rows.size())) return;
  const MenuRow& row = state_.rows[static_cast<size_t>(position - 1)];
  if (row.system)
    actions_.RunSystemCommand(row.command);
  else
    actions_.LaunchItem(row.item);
}

// --- Painting ------------------------------------------------------------------------------

MenuView MenuController::View(bool highlight, bool mouseDown) const {
  return MenuView{state_.x, state_.y, state_.paging, state_.rows, highlight ? state_.focus : -1, mouseDown,
                  [this](int32_t image) { return window_.PictureReady(image); }};
}

void MenuController::Paint(bool highlight, bool mouseDown) {
  const std::vector<int32_t> waiting = PaintMenu(frame_, View(highlight, mouseDown));
  if (state_.dragging && state_.dragItem >= 0) {
    // The dragged member's picture follows the pointer.
    for (const MenuRow& row : state_.rows) {
      if (row.item != state_.dragItem) continue;
      frame_.ops.push_back(RowPicture(row, [this](int32_t image) { return window_.PictureReady(image); },
                                      RoundHalfEven(state_.pointerX - 16.0), RoundHalfEven(state_.pointerY - 16.0)));
      break;
    }
  }
  if (!waiting.empty()) window_.RequestPictures(waiting);
}

void MenuController::Repaint() {
  Paint(state_.focus >= 0, false);
  window_.Present(frame_, 255);
}

void MenuController::PicturesArrived() {
  if (!state_.shown) return;
  // A picture that could not be made leaves its item with a fallback picture.
  const int32_t first = state_.paging.offset + 1, last = state_.paging.offset + state_.paging.visibleRows();
  for (int32_t n = first; n <= last && n <= static_cast<int32_t>(state_.rows.size()); ++n)
    state_.rows[static_cast<size_t>(n - 1)].image = source_.Member(state_.groupSlot, n).image;
  Repaint();
}

void MenuController::DeleteEffect(int x, int y) {
  for (int k = 0; k < 5; ++k) {
    Paint(false, false);
    AddDeleteEffect(frame_, k, x, y);
    window_.Present(frame_, 255);
    window_.Wait(25);
  }
  window_.PumpMessages();
}

// --- Paging and keys -----------------------------------------------------------------------

void MenuController::MenuWheel(bool up, bool arrowKeys) {
  if (!arrowKeys) {
    state_.paging.ScrollOne(up);
    Repaint();
    return;
  }
  const int32_t count = state_.paging.count;
  const int32_t visible = state_.paging.visibleRows();
  int f = state_.focus;
  const bool onRow = f >= 1 && f <= count;
  if (up)
    f = onRow ? f - 1 : visible;
  else
    f = onRow ? f + 1 : 1;
  state_.focus = f;
  if (up && f < 1) {
    state_.focus = 1;
    if (state_.paging.offset > 0) state_.paging.ScrollOne(true);
  }
  if (!up && f > visible) {
    state_.focus = visible;
    // Only when a member follows below the page.
    if (state_.paging.offset + visible < count) state_.paging.ScrollOne(false);
  }
  Repaint();
}

void MenuController::MenuUpAndDown(bool up) {
  state_.paging.ScrollPage(up);
  Repaint();
}

bool MenuController::IsArrow(int band) const {
  return state_.bands.paged && (band == 0 || band == state_.bands.downArrow());
}

void MenuController::KeyDown(int keyCode) {
  if (!state_.shown) return;
  switch (keyCode) {
    case menu_key::kEnter: {
      const int f = state_.focus;
      // Enter on a page arrow pages, as a click on it does.
      if (IsArrow(f)) {
        MenuUpAndDown(f == 0);
        return;
      }
      if (f >= 1 && f <= state_.paging.visibleRows()) MenuClick(state_.paging.offset + f);
      return;
    }
    case menu_key::kEscape: CloseMenu(false); return;
    case menu_key::kPageUp: MenuUpAndDown(true); return;
    case menu_key::kPageDown: MenuUpAndDown(false); return;
    case menu_key::kUp: MenuWheel(true, true); return;
    case menu_key::kDown: MenuWheel(false, true); return;
    default: break;
  }
  // Letters address the member's place in the whole group, whatever page is shown.
  if (const int member = MemberOfKey(keyCode)) MenuClick(member);
}

// --- Mouse ---------------------------------------------------------------------------------

void MenuController::MouseDown(int button, int x, int y) {
  if (!state_.shown) return;
  state_.focus = state_.bands.HitTest(x, y);
  const int f = state_.focus;
  if (button == mouse::kLeft && f >= 1 && f <= state_.paging.visibleRows()) {
    const int n = state_.paging.offset + f;
    if (n <= static_cast<int>(state_.rows.size()) && state_.rows[static_cast<size_t>(n - 1)].kind == ItemKind::kMember) {
      state_.dragArmed = true;
      state_.dragItem = state_.rows[static_cast<size_t>(n - 1)].item;
      state_.dragStartX = x;
      state_.dragStartY = y;
    }
  }
  if (f != -1) {
    state_.lastFocus = f;
    Paint(true, true);
    window_.Present(frame_, 255);
  }
}

void MenuController::MouseMove(bool leftHeld, int x, int y) {
  actions_.KeepDockAwake();
  if (!state_.shown) return;
  const bool far = std::abs(x - state_.dragStartX) > 5 || std::abs(y - state_.dragStartY) > 5;
  bool moved = false;
  if (leftHeld && state_.dragArmed && !source_.IconsLocked() && (state_.dragging || far)) {
    state_.dragging = true;
    state_.pointerX = x;
    state_.pointerY = y;
    moved = true;
  }
  // The keys may have moved the highlight off the band under the pointer: a move back
  // onto that band draws it highlighted again, so Enter runs the row that shows.
  const int shown = state_.focus;
  state_.focus = state_.bands.HitTest(x, y);
  if (state_.focus != -1 && (state_.focus != state_.lastFocus || state_.focus != shown)) {
    state_.lastFocus = state_.focus;
    Paint(true, false);
    window_.Present(frame_, 255);
  } else if (moved) {
    Paint(state_.focus >= 0, false);
    window_.Present(frame_, 255);
  }
}

void MenuController::EndDrag() {
  state_.dragging = false;
  state_.dragArmed = false;
  state_.dragItem = -1;
}

void MenuController::CaptureLost() {
  const bool wasDragging = state_.dragging;
  EndDrag();
  if (wasDragging && state_.shown) Repaint();
}

void MenuController::MouseUp(int button, int x, int y) {
  if (!state_.shown) return;
  // Another button's click while the left one holds a member neither ends the drag nor
  // acts: the left release decides whether the member stays.
  if (KeepsCaptureAfter(button)) return;
  const int f = state_.bands.HitTest(x, y);
  if (state_.dragArmed && state_.dragging) {
    const int item = state_.dragItem;
    EndDrag();
    state_.focus = f;
    // Released over one of the menu's rows or bands, the member stays; anywhere else,
    // the menu's edges and separators included, it is deleted.
    if (f == -1 && actions_.DeleteItem(item) == 1) {
      DeleteEffect(x, y);
      // The group's caption on the ring (" (Full)", " (Empty)") follows every delete.
      actions_.RefreshRing();
    }
    MenuResize();
    actions_.SaveMenu();
    return;
  }
  EndDrag();
  state_.focus = f;
  if (f == -1) return;
  if (button == mouse::kLeft) {
    if (IsArrow(f))
      MenuUpAndDown(f == 0);
    else
      MenuClick(state_.paging.offset + f);
    return;
  }
  // Another button on a page arrow names no member: nothing happens.
  if (IsArrow(f)) return;
  state_.menuPosition = state_.paging.offset + f;
  if (state_.menuPosition < 1 || state_.menuPosition > static_cast<int>(state_.rows.size())) return;
  state_.menuSlot = state_.rows[static_cast<size_t>(state_.menuPosition - 1)].item;
  Paint(true, false);
  window_.Present(frame_, 255);
  actions_.ShowMemberEditMenu();
}

void MenuController::MenuResize() {
  const int32_t count = source_.MemberCount(state_.groupSlot);
  if (count <= 0) {
    CloseMenu(false);
    return;
  }
  Place(count);
  state_.paging.Resize(count);
  LoadRows();
  const int last = state_.paging.paged() ? state_.paging.visibleRows() + 1 : state_.paging.visibleRows();
  if (state_.focus > last) state_.focus = -1;
  Repaint();
}

void MenuController::ShowNewOrder() {
  if (!state_.shown) return;
  LoadRows();
  state_.focus = state_.lastFocus = -1;
  Repaint();
}

void MenuController::FollowMemberCount() {
  if (!state_.shown || state_.dragging) return;
  if (source_.MemberCount(state_.groupSlot) != static_cast<int32_t>(state_.rows.size())) MenuResize();
}

// --- Timers --------------------------------------------------------------------------------

void MenuController::TimerTick(int timer) {
  if (timer == menu_timer::kForegroundWatch) {
    if (window_.InForeground()) return;
    window_.EnableTimer(menu_timer::kForegroundWatch, false);
    CloseMenu(false);
    return;
  }
  if (timer != menu_timer::kHighlightWatch) return;
  if (!state_.shown) state_.lastFocus = -1;
  if (state_.lastFocus == -1 || state_.dragging) return;
  int x = 0, y = 0;
  window_.CursorPosition(x, y);
  if (state_.bands.HitTest(x, y) != -1) return;
  state_.lastFocus = -1;
  state_.focus = -1;
  Paint(false, false);
  window_.Present(frame_, 255);
}

}  // namespace vek
