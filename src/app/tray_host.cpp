#include "app/tray_host.h"

#include "app/services.h"
#include "core/config_files.h"
#include "dock/win/dock_window.h"
#include "menu/win/group_menu_window.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace vek {

void AppTrayHost::CloseGroupMenu() { CloseGroupMenu(false); }

bool AppTrayHost::KeyMode() { return p_.dock.keyMode(); }

void AppTrayHost::LeaveKeyMode() { p_.dock.controller().LeaveKeyMode(); }

// The slot under the pointer stays magnified, now showing whatever item moved there.
void AppTrayHost::RefreshRing() { p_.dock.controller().RefreshRing(); }

void AppTrayHost::RefreshGroupMenu() { p_.menu.controller().ShowNewOrder(); }

bool AppTrayHost::DeleteItem(int item) { return p_.services.items.DeleteItem(item, false); }

void AppTrayHost::SaveMenu() { vek::SaveMenu(p_.model, p_.io); }

bool AppTrayHost::DockInForeground() { return p_.dock.hwnd() && GetForegroundWindow() == p_.dock.hwnd(); }

void AppTrayHost::ShowProperties(int item, bool addMode) {
  if (windows.showProperties) windows.showProperties(item, addMode);
}

void AppTrayHost::SwapItemImages(int a, int b) { p_.dock.images().Swap(ImageSet::kItem, a, b); }

void AppTrayHost::AltSpace() { p_.dock.controller().AltSpace(); }

void AppTrayHost::BringDockForward() { p_.dock.controller().BringForward(); }

DockState AppTrayHost::CurrentDockState() { return p_.dock.dockState(); }

void AppTrayHost::SetDockState(DockState state) { p_.dock.controller().SetDockState(state); }

void AppTrayHost::DockToBottom() { p_.dock.controller().ToBottomQuietly(); }

void AppTrayHost::Activate(bool paintRing) { p_.dock.Activate(paintRing); }

bool AppTrayHost::FadeEnabled() { return p_.dock.controller().state().FadeEnabled; }

void AppTrayHost::SetFadeEnabled(bool on) { p_.dock.controller().state().FadeEnabled = on; }

bool AppTrayHost::GroupMenuOpen() { return p_.menu.SubMenuShown(); }

void AppTrayHost::CloseGroupMenu(bool noDockFocus) { p_.menu.CloseMenu(noDockFocus); }

void AppTrayHost::SwitchDesktop() { p_.services.commands.SwitchDesktop(); }

void AppTrayHost::ShellStartedAgain() { p_.services.commands.ApplyStoredDesktopIcons(); }

bool AppTrayHost::BackTabInOwnDialog() {
  const HWND front = win::OwnDialogInFront();
  if (!front) return false;
  SendMessageW(front, WM_NEXTDLGCTL, 1, FALSE);
  return true;
}

void AppTrayHost::LetMessagesRun() { win::PumpPendingMessages(); }

void AppTrayHost::ExitProgram() {
  ProgramControl* program = &p_.program;
  program->ExitAsked();
  win::RunAfterHandlers([program] { program->ExitProgram(); });
}

void AppTrayHost::ExitNow() { p_.program.ExitProgram(); }

void AppTrayHost::SessionEnding() {
  if (p_.modal.open())
    p_.program.SaveAll();
  else
    p_.program.ExitProgram();
}

AvailableWindows AppTrayHost::Windows() {
  AvailableWindows w;
  w.settings = static_cast<bool>(windows.showSettings);
  w.about = static_cast<bool>(windows.showAbout);
  w.userIdentity = static_cast<bool>(windows.changeUserIdentity);
  w.properties = static_cast<bool>(windows.showProperties);
  w.searchBox = static_cast<bool>(windows.showSearchBox);
  w.wizard = static_cast<bool>(windows.showWizard);
  return w;
}

}  // namespace vek
