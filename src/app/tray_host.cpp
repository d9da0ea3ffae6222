#include "app/tray_host.h"

#include "app/services.h"
#include "core/config_files.h"
#include "dock/win/FrmMain.h"
#include "menu/win/FrmSubMenu.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace vek {

void AppTrayHost::CloseGroupMenu() { CloseGroupMenu(false); }

bool AppTrayHost::KeyMode() { return app_.dock && app_.dock->keyMode(); }

void AppTrayHost::LeaveKeyMode() {
  if (app_.dock) app_.dock->controller().LeaveKeyMode();
}

void AppTrayHost::RefreshRing() {
  if (!app_.dock) return;
  app_.dock->RefreshSlots();
  app_.dock->DockNormal(false);
}

void AppTrayHost::RefreshGroupMenu() {
  if (app_.menu) app_.menu->controller().ShowNewOrder();
}

bool AppTrayHost::DeleteItem(int item) { return app_.services && app_.services->items.DeleteItem(item, false); }

void AppTrayHost::SaveMenu() {
  if (app_.io) vek::SaveMenu(app_.model, *app_.io);
}

bool AppTrayHost::DockInForeground() { return app_.dock && app_.dock->hwnd() && GetForegroundWindow() == app_.dock->hwnd(); }

void AppTrayHost::ShowProperties(int item, bool addMode) {
  if (windows.showProperties) windows.showProperties(item, addMode);
}

void AppTrayHost::SwapItemImages(int a, int b) {
  if (app_.dock) app_.dock->images().Swap(ImageSet::kItem, a, b);
}

void AppTrayHost::AltSpace() {
  if (app_.dock) app_.dock->controller().AltSpace();
}

DockState AppTrayHost::CurrentDockState() { return app_.dock ? app_.dock->dockState() : DockState::Shown; }

void AppTrayHost::SetDockState(DockState state) {
  if (app_.dock) app_.dock->controller().SetDockState(state);
}

void AppTrayHost::DockToBottom(bool quietly) {
  if (!app_.dock || !app_.dock->hwnd()) return;
  UINT flags = SWP_NOMOVE | SWP_NOSIZE;
  if (quietly) flags |= SWP_NOACTIVATE | SWP_NOSENDCHANGING;
  SetWindowPos(app_.dock->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, flags);
}

void AppTrayHost::Activate(bool paintRing) {
  if (app_.dock) app_.dock->Activate(paintRing);
}

bool AppTrayHost::FadeEnabled() { return app_.dock && app_.dock->controller().state().FadeEnabled; }

void AppTrayHost::SetFadeEnabled(bool on) {
  if (app_.dock) app_.dock->controller().state().FadeEnabled = on;
}

bool AppTrayHost::GroupMenuOpen() { return app_.menu && app_.menu->SubMenuShown(); }

void AppTrayHost::CloseGroupMenu(bool noDockFocus) {
  if (app_.menu) app_.menu->CloseMenu(noDockFocus);
}

void AppTrayHost::SwitchDesktop() {
  if (app_.services) app_.services->commands.SwitchDesktop();
}

void AppTrayHost::LetMessagesRun() { win::PumpPendingMessages(); }

void AppTrayHost::ExitProgram() {
  ProgramControl* program = app_.program;
  if (program) win::RunAfterHandlers([program] { program->ExitProgram(); });
}

void AppTrayHost::ExitNow() {
  if (app_.program) app_.program->ExitProgram();
}

void AppTrayHost::SessionEnding() {
  if (!app_.program) return;
  if (app_.modal.open())
    app_.program->SaveAll();
  else
    app_.program->ExitProgram();
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
