// What the dock does with the mouse, the keys and its timers: selection and
// magnification, clicks dispatched by item kind, dragging an icon off the ring to delete
// it, key mode with a letter per slot, and the switch between shown, minimised and
// hidden. Painting and the window itself are the Windows side's (DockDisplay); launching,
// commands and menus belong to other parts of the program (DockActions).
#pragma once

#include <cstdint>
#include <optional>

#include "core/model.h"
#include "dock/geometry.h"
#include "launch/dock_commands.h"
#include "platform/mouse_buttons.h"

namespace vek {

// How IconClick was reached.
namespace click {
constexpr int kLeft = 0;
constexpr int kRightOnBuiltIn = 1;
constexpr int kKey = 2;
}  // namespace click

// Virtual-key codes the dock answers to.
namespace vkey {
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kF1 = 112;
constexpr int kOem3 = 192;  // the key left of "1", shown as "~"
constexpr int kAltShift = 4;  // the Shift argument while Alt is held
}  // namespace vkey

// The dock's timers.
namespace dock_timer {
constexpr int kSelection = 1;    // 100 ms: drop the magnification off the ring
constexpr int kFocusWatch = 2;   // 100 ms: leave key mode when another program is in front
constexpr int kRecycleBin = 3;   // 1000 ms: follow the Recycle Bin
constexpr int kAutoHide = 4;     // 1000 ms: hide after seven idle seconds
}  // namespace dock_timer

struct DockInteraction {
  int SelIndex = -1;      // −1 nothing, 0 the centre, 1..36 a ring slot
  int LastSelIndex = -1;  // the slot last drawn magnified
  DockState Visibility = DockState::Shown;
  bool DockHidden = false;
  bool KeyMode = false;
  bool IsDragging = false;
  bool FadeEnabled = false;
  int IdleTicks = 0;
  int ClickedSlot = -1;
  int MenuSlot = -1;
  bool DragArmed = false;
  int DragSlot = -1;
  int DownX = 0, DownY = 0;
  int ButtonsHeld = 0;  // mouse:: bits of the buttons pressed on the dock and not yet released
  int LastClickedSlot = -1;    // the slot the last left click acted on, −1 after anything else
  bool SecondOfDouble = false;  // the left press held is a double click's second
  int LeftPressSlot = -1;       // the slot under the left press held, −1 for none
};

class DockDisplay {
 public:
  virtual ~DockDisplay() = default;
  virtual void DockNormal(bool noUpdate) = 0;
  virtual void DockAction(bool isMouseDown) = 0;
  // The ring without the dragged slot, its icon centred on the pointer, pushed.
  virtual void PaintDraggedIcon(int slot, int x, int y) = 0;
  // Only the centre item inside its ring, at the minimised position, pushed opaque.
  virtual void PaintMinimized() = 0;
  // Pushes the picture as it stands with a whole-window alpha (0..255).
  virtual void PushWithAlpha(int alpha) = 0;
  // Clears the picture and pushes it fully transparent.
  virtual void ClearAndPushInvisible() = 0;
  virtual void DeleteEffect(int x, int y) = 0;
  virtual void RefreshSlots() = 0;  // RefreshSlots
  // Behind all windows (quietly: without activating, without changing messages).
  virtual void ToBottom(bool quietly) = 0;
  virtual void ToTopmost() = 0;
  // Takes the keyboard, remembering the window that had it.
  virtual void TakeFocus() = 0;
  // Gives the keyboard back to that window when the dock still holds it.
  virtual void ReturnKeyboard() = 0;
  virtual void EnableTimer(int timer, bool on) = 0;
  virtual void Wait(int milliseconds) = 0;
  virtual void PumpMessages() = 0;
  // True when the foreground window is one of the program's own windows.
  virtual bool OwnWindowInForeground() = 0;
  // The pointer in window pixels.
  virtual void CursorPosition(int& x, int& y) = 0;
};

class DockActions {
 public:
  virtual ~DockActions() = default;
  virtual void LaunchItem(int index) = 0;
  virtual void RunSystemCommand(int code) = 0;
  virtual void OpenGroupMenu(int slot) = 0;
  virtual void CloseGroupMenu(bool noDockFocus) = 0;
  virtual bool GroupMenuOpen() = 0;
  // The group menu's highlighted row is cleared (the dock was minimised).
  virtual void ClearGroupMenuFocus() = 0;
  // A row of the group menu has the focus, or a member is being dragged out of it.
  virtual bool GroupMenuBusy() = 0;
  // One of the program's modal windows (Settings, Properties, a question) is open.
  virtual bool ModalWindowOpen() = 0;
  // The item edit popup menu for the dock's MenuSlot.
  virtual void ShowEditMenu() = 0;
  // Deletes an item (asking first for a group); 1 when it was deleted.
  virtual int DeleteItem(int index) = 0;
  virtual void SaveMenu() = 0;
  virtual void ShowGettingStarted() = 0;
  // Whether the Recycle Bin holds anything; nothing until the bin has first answered.
  virtual std::optional<bool> IsRecycleBinFull() = 0;
};

// Answers for a dock with no program around it (rendering tests, benchmarks): nothing
// launches, no menu opens, nothing is deleted.
class NoDockActions : public DockActions {
 public:
  void LaunchItem(int) override {}
  void RunSystemCommand(int) override {}
  void OpenGroupMenu(int) override {}
  void CloseGroupMenu(bool) override {}
  bool GroupMenuOpen() override { return false; }
  void ClearGroupMenuFocus() override {}
  bool GroupMenuBusy() override { return false; }
  bool ModalWindowOpen() override { return false; }
  void ShowEditMenu() override {}
  int DeleteItem(int) override { return 0; }
  void SaveMenu() override {}
  void ShowGettingStarted() override {}
  std::optional<bool> IsRecycleBinFull() override { return false; }
};

// The window alpha of fade step k (0..32): k × 255/32, rounded halves to even.
int FadeAlpha(int k);

class DockController : public DockCommands {
 public:
  DockController(Model& model, const DockGeometry& geometry, const SlotContents& slots,
                 DockDisplay& window, DockActions& actions)
      : model_(model), geometry_(geometry), slots_(slots), window_(window), actions_(actions) {}

  DockInteraction& state() { return state_; }
  const DockInteraction& state() const { return state_; }

  // `secondOfDouble`: the system counts this left press as a double click's second. Its
  // release does not act again on the slot the first click acted on, so a double click
  // starts a program once.
  void MouseDown(int button, int x, int y, bool secondOfDouble = false);
  void MouseMove(bool leftHeld, int x, int y);
  void MouseUp(int button, int x, int y);
  // Whether the dock must keep the mouse captured once `button` goes up: another button
  // pressed on it is still down (a drag may go on).
  bool KeepsCaptureAfter(int button) const { return (state_.ButtonsHeld & ~button) != 0; }
  // Another window took the mouse while buttons were down: no release will come, so the
  // press and any drag end here, deleting nothing, and the ring is drawn as it stands.
  void CaptureLost();
  void KeyDown(int keyCode, int shift);
  void KeyUp(int keyCode);
  void IconClick(int how, int slot);
  void AltSpace();
  // Shows the dock in front of the windows with the keyboard, without key mode (the
  // program started again); it goes back behind them once another window comes forward.
  void BringForward();
  void TimerTick(int timer);
  // The dock's window was asked to close: the program exits, as the Exit command does.
  void CloseRequested();

  // DockCommands
  void LeaveKeyMode() override;
  void SetDockState(DockState state) override;
  // The dock behind all windows, leaving the keyboard where it is.
  void ToBottomQuietly() { window_.ToBottom(true); }
  void Activate(bool paintRing) override;
  void RefreshRing() override;
  bool DockHidden() const override { return state_.DockHidden; }
  void CloseGroupMenu(bool noDockFocus) override { actions_.CloseGroupMenu(noDockFocus); }
  bool SubMenuShown() const override { return actions_.GroupMenuOpen(); }
  bool FadeEnabled() const override { return state_.FadeEnabled; }
  void SetFadeEnabled(bool on) override { state_.FadeEnabled = on; }

 private:
  void RepaintSelection();
  // The slot under the pointer becomes the selection, magnified when it changed.
  void FollowPointer(int x, int y);
  void SelectionTimer();
  void FocusWatchTimer();
  void RecycleBinTimer();
  void AutoHideTimer();
  void OpenMenu(int slot) { actions_.OpenGroupMenu(slot); }

  Model& model_;
  const DockGeometry& geometry_;
  const SlotContents& slots_;
  DockDisplay& window_;
  DockActions& actions_;
  DockInteraction state_;
  bool editMenuOpen_ = false;  // the edit menu's own message loop runs
};

}  // namespace vek
