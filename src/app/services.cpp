#include "app/services.h"

#include "core/pool_ops.h"
#include "dialogs/win/small_windows.h"
#include "dock/win/FrmMain.h"
#include "icons/win/icon_extraction.h"
#include "launch/network_places.h"
#include "menu/win/FrmSubMenu.h"
#include "search/win/FrmSearch.h"
#include "platform/win/ui_thread.h"
#include "platform/win/window.h"
#include "tray/win/FrmTray.h"

namespace vek {

namespace {
ItemServices MakeItemServices(AppContext& app, Services& s) {
  return ItemServices{app.model,  *app.paths, s.shortcuts, s.associations, s.pictures,
                      s.drives,   s.versions, app.prompt,  app.codec, s.slowCalls};
}
}  // namespace

// --- The dock's requests -----------------------------------------------------------

void AppDockActions::LaunchItem(int index) { app_.services->launcher.LaunchItem(index); }

void AppDockActions::RunSystemCommand(int code) { app_.services->commands.RunSystemCommand(code); }

void AppDockActions::OpenGroupMenu(int slot) {
  if (app_.menu) app_.menu->MenuFocus(true, slot);
}

void AppDockActions::CloseGroupMenu(bool noDockFocus) {
  if (app_.menu) app_.menu->CloseMenu(noDockFocus);
}

bool AppDockActions::GroupMenuOpen() { return app_.menu && app_.menu->SubMenuShown(); }

void AppDockActions::ClearGroupMenuFocus() {
  if (app_.menu) app_.menu->ClearFocus();
}

bool AppDockActions::GroupMenuBusy() { return app_.menu && app_.menu->Busy(); }

void AppDockActions::ShowEditMenu() {
  if (app_.tray && app_.dock)
    app_.tray->ShowEditMenu(EditTarget::Ring(app_.dock->controller().state().MenuSlot), app_.dock->hwnd());
}

int AppDockActions::DeleteItem(int index) { return app_.services->items.DeleteItem(index, false) ? 1 : 0; }

void AppDockActions::SaveMenu() { vek::SaveMenu(app_.model, *app_.io); }

void AppDockActions::ShowGettingStarted() {
  // F1 has already set the first page to show.
  if (app_.windows) app_.windows->ShowGettingStarted();
}

bool AppDockActions::IsRecycleBinFull() { return app_.services->recycleBinFull.Last().value_or(false); }

void AppDockActions::RefreshRing() {
  if (app_.dock) app_.dock->controller().RefreshRing();
}

void AppDockActions::FocusDock() {
  if (!app_.dock || !app_.dock->hwnd()) return;
  // Only while the program is in front: a window of another program that came to the
  // front (and closed the menu) keeps it.
  DWORD process = 0;
  if (const HWND foreground = GetForegroundWindow()) GetWindowThreadProcessId(foreground, &process);
  if (process != 0 && process != GetCurrentProcessId()) return;
  SetForegroundWindow(app_.dock->hwnd());
  SetFocus(app_.dock->hwnd());
}

void AppDockActions::ShowMemberEditMenu() {
  // The member named by the menu's own group, not by the last slot clicked on the dock
  // (a menu opened from the keyboard was never clicked); owned by the menu's window so
  // that the menu stays open under it.
  if (!app_.tray || !app_.menu) return;
  const FrmSubMenu& menu = *app_.menu;
  app_.tray->ShowEditMenu(EditTarget::Member(menu.GroupSlot(), menu.MenuPosition(), menu.MenuSlot()), menu.hwnd());
}

void AppDockActions::KeepDockAwake() {
  if (app_.dock) app_.dock->controller().state().IdleTicks = 0;
}

// --- Pictures --------------------------------------------------------------------------

bool AppItemPictures::WriteModuleIcon(const std::string& file, int32_t iconIndex, const std::string& dest) {
  return win::WriteModuleIcon(app_.fs, file, iconIndex, dest);
}

bool AppItemPictures::WriteShellIcon(const std::string& file, const std::string& dest) {
  return win::WriteShellIcon(file, dest);
}

bool AppItemPictures::ConvertIconFile(const std::string& source, const std::string& dest) {
  return win::ConvertIconFile(app_.fs, source, dest);
}

void AppItemPictures::LoadItemIcon(int index) { dock_.LoadItemIcon(index); }

void AppItemPictures::ReleaseItemImages(int index) { dock_.images().ReleaseItemImages(index); }

// --- Commands' item operations ---------------------------------------------------------

void AppCommandItems::FreeItem(int index) { vek::FreeItem(app_.model, index, pictures_, app_.fs, app_.folders); }

void AppCommandItems::SaveMenu() { vek::SaveMenu(app_.model, *app_.io); }

void AppCommandItems::SaveSettings() { vek::SaveSettings(app_.model, *app_.io); }

// --- Start-up and reset steps of the windows ---------------------------------------------

void AppDefaultsHost::ResetInteraction() {
  DockInteraction& state = dock_.controller().state();
  state.SelIndex = -1;
  state.FadeEnabled = false;
  if (app_.menu) app_.menu->ClearFocus();
}

SettingsScreen AppDefaultsHost::MeasureScreen() { return ScreenForSettings(dock_.MeasureScreen()); }

void AppDefaultsHost::SetMenuRowsPerPage() {
  if (app_.menu) app_.menu->SetRowsPerPage(dock_.geometry().screen.ScreenHeight);
}

void AppDefaultsHost::BuildIconSizeTable() { dock_.CalcIconSizes(); }

void AppDefaultsHost::BuildRingSlotTables() { dock_.Relayout(AfterRelayout::Nothing); }

CatalogueFacts AppDefaultsHost::ReadCatalogueFacts() {
  // Start-up joins the services to the context before the defaults run.
  // The bin's state as last polled: the dock's timer corrects the picture once the
  // first answer is in.
  return CatalogueFacts{win::WindowsUserName(), app_.services->recycleBinFull.Last().value_or(false)};
}

void AppDefaultsHost::ReleaseImages() { dock_.ReleaseImages(); }

void AppDefaultsHost::ReloadImagesAndShow() {
  dock_.LoadAllImages();
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  win::PumpPendingMessages();
  dock_.Activate(true);
}

void AppDefaultsHost::LetMessagesRun() { win::PumpPendingMessages(); }

// --- Assembly --------------------------------------------------------------------------

namespace {
constexpr std::chrono::seconds kRecycleBinInterval{1};
}  // namespace

Services::Services(AppContext& app, FrmMain& dock)
    : slowCalls(kSlowCallLimit, [] { win::PumpPendingMessages(); }, win::WorkerThreadScope),
      recycleBinFull([bin = std::make_shared<win::Win32RecycleBin>()] { return RecycleBinFull(*bin); },
                     kRecycleBinInterval, win::WorkerThreadScope),
      shortcuts(*app.paths, shortcutReader),
      associations(app.registry, *app.paths),
      pictures(app, dock),
      items(MakeItemServices(app, *this), win::WindowsUserName()),
      discovery(items, *app.paths, app.registry, drives),
      launcher(app.model, *app.paths, shortcuts, shortcutReader, shell, app.prompt, dock.controller(), slowCalls),
      actions(win::Win32SystemActions::Windows{
          nullptr,
          [&app] {
            if (app.windows) app.windows->ShowAbout();
          },
          nullptr, nullptr,
          [&app] {
            if (app.search) app.search->Show();
          },
          [&app] {
            if (app.program) app.program->ExitProgram();
          },
          [&dock] { return dock.hwnd(); }}),
      commandItems(app, pictures),
      commands(app.model, app.folders, shell, app.prompt, dock.controller(), actions, commandItems,
               recycleBin, desktop),
      defaultsHost(app, dock),
      defaults(DefaultsServices{app.model, *app.io, app.registry, items, discovery, associations, defaultsHost},
               win::ProgramPath(), app.WindowsMajorVersion) {
  commands.WindowsMajorVersion = app.WindowsMajorVersion;
  commands.separators = win::UserNumberSeparators();
}

}  // namespace vek
