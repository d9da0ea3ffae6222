#include "tray/tray_commands.h"

namespace vek {

void TrayCommands::Hotkey(int which) {
  // The desktop switch is the shell's; everything else would reach over a modal window.
  if (which != hotkey::kSwitch && modal_.Refuse()) return;
  switch (which) {
    case hotkey::kShowDock: ShowDockOrHide(); break;
    case hotkey::kSwitch:
      // The switch is Shift+Tab: in the program's own dialogs that keeps its meaning. An
      // open group menu goes with the ring, as for the other hotkeys.
      if (host_.BackTabInOwnDialog()) break;
      if (host_.GroupMenuOpen()) host_.CloseGroupMenu(true);
      host_.SwitchDesktop();
      break;
    case hotkey::kMinimise:
      // An open group menu goes with the ring.
      if (host_.GroupMenuOpen()) host_.CloseGroupMenu(true);
      host_.SetDockState(DockState::Minimised);
      break;
    case hotkey::kSearch: ShowSearchBox(); break;
    default: break;
  }
}

void TrayCommands::ShowDockOrHide() {
  // Without the fade: the hotkey answers at once.
  const bool fade = host_.FadeEnabled();
  host_.SetFadeEnabled(false);
  if (host_.GroupMenuOpen()) host_.CloseGroupMenu(false);
  if (host_.KeyMode()) {
    host_.SetDockState(DockState::Hidden);
  } else {
    host_.AltSpace();
  }
  host_.SetFadeEnabled(fade);
}

void TrayCommands::ShowSearchBox() {
  if (!host_.Windows().searchBox) return;
  host_.ShowSearchBox();
  // The box keeps the keyboard: the dock, which would take it with the closing menu, goes
  // behind all windows without taking it (hiding does that too).
  if (host_.GroupMenuOpen()) host_.CloseGroupMenu(true);
  if (host_.AutoHide())
    host_.SetDockState(DockState::Hidden);
  else
    host_.DockToBottom();
}

void TrayCommands::TrayLeftClick() {
  if (modal_.Refuse()) return;
  host_.AltSpace();
}

bool TrayCommands::StartedAgain() {
  if (host_.Ending()) return false;
  // An open question or dialog comes to the front instead.
  if (modal_.Refuse()) return true;
  // A ring shown beneath the windows in use comes forward too: the start did something.
  host_.BringDockForward();
  return true;
}

void TrayCommands::TrayMenuEntry(int entry) {
  if (entry < 0 || entry >= tray_entry::kCount || !TrayMenuEnabling(host_.Windows())[entry]) return;
  switch (entry) {
    case tray_entry::kUserIcon:
      // Its file dialog and name box cannot open over another modal window: the name
      // question would be skipped, and an open input box's answer taken.
      if (modal_.Refuse()) return;
      host_.ChangeUserIdentity();
      break;
    case tray_entry::kSettings: host_.ShowSettings(); break;
    case tray_entry::kWizard:
      // The wizard changes the model: never under a question still waiting on it.
      if (modal_.Refuse()) return;
      host_.ShowWizard();
      break;
    case tray_entry::kAbout: host_.ShowAbout(); break;
    case tray_entry::kExit:
      // Ending the program under an open modal window would pull everything from under
      // it: the window comes to the front and the user closes it first.
      if (modal_.Refuse()) return;
      // Asked first (it runs once this handler has returned), so that the program counts
      // as ending while the messages run.
      host_.ExitProgram();
      if (host_.CurrentDockState() == DockState::Shown) {
        host_.Activate(false);
        host_.LetMessagesRun();
      }
      return;
    default: break;
  }
  // A window the entry opened was owned by the dock, which Windows brings to the front
  // as the window closes: the dock goes back behind all windows, as after the edit menu.
  if (host_.DockInForeground()) host_.LeaveKeyMode();
}

}  // namespace vek
