// What the tray icon, the tray menu and the global hotkeys do, as logic over the rest of
// the program (TrayHost). The tray owner window turns its messages into these calls.
#pragma once

#include "platform/modal_state.h"
#include "tray/edit_menu.h"
#include "tray/hotkeys.h"

namespace vek {

// What the tray's commands ask of the dock, the group menu and the rest of the program.
class TrayHost : public EditMenuHost, public ItemImageSwap {
 public:
  // The dock in front in key mode.
  virtual void AltSpace() = 0;
  // The dock shown in front of the windows with the keyboard, without key mode.
  virtual void BringDockForward() = 0;
  // 0 shown, 1 minimised, 2 hidden.
  virtual DockState CurrentDockState() = 0;
  virtual void SetDockState(DockState state) = 0;
  // The dock behind all windows, without activating it.
  virtual void DockToBottom() = 0;
  // Refreshes the ring's slots; with paintRing it also paints the plain ring and wakes
  // the dock's timers.
  virtual void Activate(bool paintRing) = 0;
  virtual bool FadeEnabled() = 0;
  virtual void SetFadeEnabled(bool on) = 0;
  virtual bool GroupMenuOpen() = 0;
  // Closes the group menu if one is open; unless noDockFocus, the dock takes the focus.
  virtual void CloseGroupMenu(bool noDockFocus) = 0;
  virtual bool AutoHide() = 0;
  virtual void SwitchDesktop() = 0;
  // When one of the program's own dialogs is in front, moves its focus to the previous
  // control (the Shift+Tab the desktop switch's hotkey takes) and is true.
  virtual bool BackTabInOwnDialog() = 0;
  virtual void LetMessagesRun() = 0;
  // Ends the program once the handler asking for it has returned.
  virtual void ExitProgram() = 0;
  // True once an exit is under way.
  virtual bool Ending() = 0;
  // Runs the exit sequence at once (the tray owner is closed); it refuses itself while a
  // modal window is open.
  virtual void ExitNow() = 0;
  // The Windows session is ending: everything is saved; the program is ended too unless a
  // modal window is open (the code waiting on it still uses the windows).
  virtual void SessionEnding() = 0;
  // Explorer started again (after a crash or an update) with its desktop icons shown:
  // the stored switch that hides them takes effect again. Asked a few times, as the new
  // desktop appears a little after the taskbar.
  virtual void ShellStartedAgain() = 0;

  // The windows that later parts of the program add.
  virtual AvailableWindows Windows() = 0;
  // Settings: one window, brought to the front when it is already open.
  virtual void ShowSettings() = 0;
  virtual void ShowAbout() = 0;
  // The add-and-manage wizard, modal.
  virtual void ShowWizard() = 0;
  virtual void ChangeUserIdentity() = 0;
  // Shows the search box in front of all windows.
  virtual void ShowSearchBox() = 0;

  using EditMenuHost::CloseGroupMenu;
};

class TrayCommands {
 public:
  TrayCommands(TrayHost& host, ModalState& modal) : host_(host), modal_(modal) {}

  // Hotkey `which` of the hotkey table was pressed.
  void Hotkey(int which);
  // The tray icon's left button went up: the dock comes up in key mode.
  void TrayLeftClick();
  // The program was started again while it runs: the dock comes forward (an open
  // question or dialog instead). False when this copy is ending, so that the new start
  // takes its place.
  bool StartedAgain();
  // Tray menu entry `entry` was chosen.
  void TrayMenuEntry(int entry);

 private:
  void ShowDockOrHide();
  void ShowSearchBox();

  TrayHost& host_;
  ModalState& modal_;
};

}  // namespace vek
