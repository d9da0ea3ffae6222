// What a group menu does: opening beside its ring slot and closing, choosing a member
// with the mouse, the keys or the wheel, paging, launching the chosen member, dragging a
// member out to delete it, and the right click that asks for the edit menu. The window
// and its pictures are the Windows side's (MenuDisplay); the members come from the model
// through MenuSource; launching, deleting and saving belong to the rest of the program
// (MenuActions).
#pragma once

#include <cstdint>
#include <vector>

#include "core/model.h"
#include "dock/dock_scene.h"
#include "dock/geometry.h"
#include "menu/menu_layout.h"
#include "menu/menu_scene.h"
#include "platform/mouse_buttons.h"

namespace vek {

// The menu window's timers.
namespace menu_timer {
constexpr int kForegroundWatch = 1;  // 100 ms: close when another window comes to the front
constexpr int kHighlightWatch = 2;   // 100 ms: drop the highlight once the pointer left
}  // namespace menu_timer

// Virtual-key codes the menu answers to (besides the letters and digits).
namespace menu_key {
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kUp = 38;
constexpr int kDown = 40;
}  // namespace menu_key

// The members of a ring slot's group, read from the model.
class MenuSource {
 public:
  virtual ~MenuSource() = default;
  virtual int32_t MemberCount(int slot) const = 0;
  // Member `position` (1-based) of the slot's group.
  virtual MenuRow Member(int slot, int position) const = 0;
  virtual bool IconsLocked() const = 0;
  virtual int32_t NormalIconSize() const = 0;
};

// MenuSource over the program's model.
class ModelMenuSource : public MenuSource {
 public:
  explicit ModelMenuSource(const Model& model) : model_(model) {}
  int32_t MemberCount(int slot) const override;
  MenuRow Member(int slot, int position) const override;
  bool IconsLocked() const override { return model_.Settings.IconsLocked; }
  int32_t NormalIconSize() const override { return model_.Settings.NormalIconSize; }

 private:
  const Model& model_;
};

class MenuDisplay {
 public:
  virtual ~MenuDisplay() = default;
  // Shows `frame` with the window-wide alpha.
  virtual void Present(const DockFrame& frame, int alpha) = 0;
  // Shows the window in front of all others, with the keyboard focus.
  virtual void ShowOnTop() = 0;
  // Hides the window and puts it behind all others.
  virtual void HideToBottom() = 0;
  virtual void EnableTimer(int timer, bool on) = 0;
  virtual void Wait(int milliseconds) = 0;
  virtual void PumpMessages() = 0;
  // True when the menu window is the foreground window.
  virtual bool InForeground() = 0;
  // The pointer in window pixels.
  virtual void CursorPosition(int& x, int& y) = 0;
  // True when the 32-pixel picture of an image index is decoded.
  virtual bool PictureReady(int32_t image) = 0;
  // Decodes these items' pictures later; PicturesArrived follows.
  virtual void RequestPictures(const std::vector<int32_t>& items) = 0;
};

class MenuActions {
 public:
  virtual ~MenuActions() = default;
  virtual void LaunchItem(int index) = 0;
  virtual void RunSystemCommand(int code) = 0;
  // Deletes an item; 1 when it was deleted.
  virtual int DeleteItem(int index) = 0;
  virtual void SaveMenu() = 0;
  // The ring re-reads its slots (a group's caption may have changed) and repaints.
  virtual void RefreshRing() = 0;
  // The dock takes the keyboard focus back from the closed menu.
  virtual void FocusDock() = 0;
  // The item edit popup menu for the menu's MenuSlot and MenuPosition.
  virtual void ShowMemberEditMenu() = 0;
  // Pointer activity over the menu: the dock does not hide itself meanwhile.
  virtual void KeepDockAwake() = 0;
};

struct MenuState {
  bool shown = false;
  int groupSlot = -1;  // ring slot whose group is shown
  int32_t x = 0, y = 0;
  MenuPaging paging;
  MenuBands bands;
  std::vector<MenuRow> rows;  // rows[n − 1] is member n
  int focus = -1;             // band under the pointer or chosen by keys
  int lastFocus = -1;         // band last drawn highlighted
  bool dragArmed = false;
  bool dragging = false;
  int dragItem = -1;
  int dragStartX = 0, dragStartY = 0;
  int pointerX = 0, pointerY = 0;  // the last pointer position while dragging
  // The member the edit menu acts on: its pool index and its position in the group.
  int menuSlot = -1;
  int menuPosition = 0;
};

class MenuController {
 public:
  MenuController(MenuSource& source, const DockGeometry& geometry, MenuDisplay& window, MenuActions& actions)
      : source_(source), geometry_(geometry), window_(window), actions_(actions) {}

  MenuState& state() { return state_; }
  const MenuState& state() const { return state_; }
  const DockFrame& frame() const { return frame_; }

  // Rows per page for the screen's height.
  void SetRowsPerPage(int32_t screenHeight) { rowsPerPage_ = RowsPerPage(screenHeight); }
  int32_t rowsPerPage() const { return rowsPerPage_; }

  // Opens the menu of ring slot `slot` (open) or closes the open one.
  void MenuFocus(bool open, int slot);
  // Closes the menu if one is open; unless noDockFocus, the dock takes the focus.
  void CloseMenu(bool noDockFocus);
  // Closes the menu and carries out member `position` (1-based); a position outside the
  // group runs nothing.
  void MenuClick(int position);
  // Arrow keys (arrowKeys) move the highlight one row, scrolling at the page's ends; the
  // wheel scrolls by one member.
  void MenuWheel(bool up, bool arrowKeys);
  void MenuUpAndDown(bool up);
  // Rebuilds and repaints the open menu after its group lost or gained members.
  void MenuResize();
  // The open menu shows its group's members in their new order, without highlight, on
  // the same page; a closed menu stays closed and unpainted.
  void ShowNewOrder();
  // The open menu follows a group that gained or lost members meanwhile (the first
  // start's fill adds them while the menu answers); nothing while a member is dragged.
  void FollowMemberCount();

  void KeyDown(int keyCode);
  void MouseDown(int button, int x, int y);
  void MouseMove(bool leftHeld, int x, int y);
  void MouseUp(int button, int x, int y);
  // A member pressed with the left button keeps the mouse through other buttons' clicks:
  // only the left release ends its drag.
  bool KeepsCaptureAfter(int button) const { return state_.dragArmed && button != mouse::kLeft; }
  // The mouse was taken away mid-press: a member being dragged goes back to its row.
  void CaptureLost();
  // A wheel turn: a negative delta (towards the user) moves on through the list.
  void Wheel(int delta) { MenuWheel(delta >= 0, false); }
  void TimerTick(int timer);
  // Pictures asked for have been decoded (or found missing): the page is redrawn.
  void PicturesArrived();

  bool SubMenuShown() const { return state_.shown; }
  void ClearFocus() { state_.focus = -1; }
  // A row has the focus, or a member is being dragged out of the menu.
  bool Busy() const { return state_.shown && (state_.focus >= 1 || state_.dragging); }

 private:
  void Close();
  void EndDrag();  // no member pressed or dragged any more
  void LoadRows();
  void Place(int32_t count);
  // Paints the menu (with the focused band highlighted, pressed when mouseDown).
  void Paint(bool highlight, bool mouseDown);
  void Repaint();  // highlight when a band has the focus, else plain; pushed
  void DeleteEffect(int x, int y);
  bool IsArrow(int band) const;
  MenuView View(bool highlight, bool mouseDown) const;

  MenuSource& source_;
  const DockGeometry& geometry_;
  MenuDisplay& window_;
  MenuActions& actions_;
  int32_t rowsPerPage_ = menu_size::kMostRows;
  MenuState state_;
  DockFrame frame_;
};

}  // namespace vek
