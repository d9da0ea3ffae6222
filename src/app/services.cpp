#include "app/services.h"

#include "core/pool_ops.h"
#include "dialogs/win/small_windows.h"
#include "dock/win/dock_window.h"
#include "icons/win/icon_extraction.h"
#include "launch/network_places.h"
#include "menu/win/group_menu_window.h"
#include "search/win/search_box_window.h"
#include "platform/win/ui_thread.h"
#include "platform/win/window.h"
#include "tray/win/tray_owner.h"

namespace vek {

namespace {
ItemServices MakeItemServices(AppContext& app, Services& s) {
  return ItemServices{app.model,  *app.paths,   s.shortcuts, s.associations, s.pictures, s.drives,
                      s.versions, s.shortPaths, app.prompt,  app.codec,      s.slowCalls};
}
}  // namespace

// --- The dock's requests -----------------------------------------------------------

void AppDockActions::LaunchItem(int index) { p_.services.launcher.LaunchItem(index); }

void AppDockActions::RunSystemCommand(int code) { p_.services.commands.RunSystemCommand(code); }

void AppDockActions::OpenGroupMenu(int slot) { p_.menu.MenuFocus(true, slot); }

void AppDockActions::CloseGroupMenu(bool noDockFocus) { p_.menu.CloseMenu(noDockFocus); }

bool AppDockActions::GroupMenuOpen() { return p_.menu.SubMenuShown(); }

void AppDockActions::ClearGroupMenuFocus() { p_.menu.ClearFocus(); }

bool AppDockActions::GroupMenuBusy() { return p_.menu.Busy(); }

bool AppDockActions::ModalWindowOpen() { return p_.modal.open(); }

void AppDockActions::ShowEditMenu() {
  p_.tray.ShowEditMenu(EditTarget::Ring(p_.dock.controller().state().MenuSlot), p_.dock.hwnd());
}

int AppDockActions::DeleteItem(int index) { return p_.services.items.DeleteItem(index, false) ? 1 : 0; }

void AppDockActions::SaveMenu() { vek::SaveMenu(p_.model, p_.io); }

void AppDockActions::ShowGettingStarted() {
  // F1 has already set the first page to show.
  p_.windows.ShowGettingStarted();
}

std::optional<bool> AppDockActions::IsRecycleBinFull() { return p_.services.recycleBinFull.Last(); }

void AppDockActions::RefreshRing() { p_.dock.controller().RefreshRing(); }

void AppDockActions::FocusDock() {
  if (!p_.dock.hwnd()) return;
  // Only while the program is in front: a window of another program that came to the
  // front (and closed the menu) keeps it.
  DWORD process = 0;
  if (const HWND foreground = GetForegroundWindow()) GetWindowThreadProcessId(foreground, &process);
  if (process != 0 && process != GetCurrentProcessId()) return;
  SetForegroundWindow(p_.dock.hwnd());
  SetFocus(p_.dock.hwnd());
}

void AppDockActions::ShowMemberEditMenu() {
  // The member named by the menu's own group, not by the last slot clicked on the dock
  // (a menu opened from the keyboard was never clicked); owned by the menu's window so
  // that the menu stays open under it.
  const GroupMenuWindow& menu = p_.menu;
  p_.tray.ShowEditMenu(EditTarget::Member(menu.GroupSlot(), menu.MenuPosition(), menu.MenuSlot()), menu.hwnd());
}

void AppDockActions::KeepDockAwake() { p_.dock.controller().state().IdleTicks = 0; }

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

void AppItemPictures::LoadItemIcon(int index) {
  if (membersOnDemand_ && index >= 0 && index < static_cast<int>(app_.model.Items.size()) &&
      app_.model.Items[index].Kind == ItemKind::kMember) {
    // Whatever the entry showed before is gone; the menu asks for the new picture.
    dock_.images().ReleaseItemImages(index);
    return;
  }
  dock_.LoadItemIcon(index);
}

void AppItemPictures::ReleaseItemImages(int index) { dock_.images().ReleaseItemImages(index); }

// --- Commands' item operations ---------------------------------------------------------

void AppCommandItems::FreeItem(int index) { vek::FreeItem(app_.model, index, pictures_, app_.fs, app_.folders); }

void AppCommandItems::SaveMenu() { vek::SaveMenu(app_.model, *app_.io); }

void AppCommandItems::SaveSettings() { vek::SaveSettings(app_.model, *app_.io); }

// --- Reset steps of the windows ---------------------------------------------------------


CatalogueFacts ReadCatalogueFacts(const PolledAnswer& recycleBinFull) {
  return CatalogueFacts{win::WindowsUserName(), recycleBinFull.Last().value_or(false)};
}

void AppDefaultsHost::ResetInteraction() {
  DockInteraction& state = dock_.controller().state();
  state.SelIndex = -1;
  state.FadeEnabled = false;
  menu_.ClearFocus();
}

SettingsScreen AppDefaultsHost::MeasureScreen() { return ScreenForSettings(dock_.MeasureScreen()); }

CatalogueFacts AppDefaultsHost::ReadCatalogueFacts() { return vek::ReadCatalogueFacts(recycleBinFull_); }

void AppDefaultsHost::ReleaseImages() { dock_.ReleaseImages(); }

void AppDefaultsHost::ReloadImagesAndShow() {
  // The sizes first: the pictures are scaled to them.
  dock_.Relayout(AfterRelayout::Nothing);
  // Settings read again (a restored configuration) take effect now, not at the next
  // start: where the dock goes when minimised, and whether the desktop's own icons show.
  dock_.CalcMinimizedPos(model_.Settings.MinimizedPosition);
  commands_.ApplyStoredDesktopIcons();
  menu_.FollowScreen(dock_.geometry().screen);
  dock_.LoadAllImages();
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  win::PumpPendingMessages();
  dock_.Activate(true);
}

void AppDefaultsHost::LetMessagesRun() { win::PumpPendingMessages(); }

void AppDefaultsHost::FillGoesOn() {
  // Often enough for the pointer and the ring to answer, seldom enough to cost nothing.
  constexpr ULONGLONG kPumpEveryMs = 15;
  const ULONGLONG now = GetTickCount64();
  if (now - lastPump_ < kPumpEveryMs) return;
  win::PumpPendingMessages();
  lastPump_ = GetTickCount64();
  if (menu_.hwnd()) menu_.controller().FollowMemberCount();
}

void AppDefaultsHost::GroupsFilled() {
  // The titles changed ("(Empty)" went); the surface redraws only what differs.
  if (!dock_.hwnd()) return;
  if (menu_.hwnd()) menu_.controller().FollowMemberCount();
  // An icon being dragged is drawn by the drag; its next move shows the new titles.
  if (dock_.controller().state().IsDragging)
    dock_.RefreshSlots();
  else
    dock_.controller().RefreshRing();
}

// --- Assembly --------------------------------------------------------------------------

namespace {
// A bin emptied elsewhere shows on its slot within a second.
constexpr std::chrono::milliseconds kRecycleBinInterval{750};
}  // namespace

Services::Services(AppContext& app, ProgramControl& program, DockWindow& dock, GroupMenuWindow& menu,
                   SmallWindows& windows, SearchBoxWindow& search)
    : slowCalls(kSlowCallLimit, [] { win::PumpPendingMessages(); }, win::WorkerThreadScope),
      recycleBinFull([bin = std::make_shared<win::Win32RecycleBin>()] { return RecycleBinFull(*bin); },
                     kRecycleBinInterval, win::WorkerThreadScope),
      recycleBinOffThread(std::make_shared<win::Win32RecycleBin>(), slowCalls, [this] { recycleBinFull.AskNow(); }),
      shortcuts(*app.paths, shortcutReader),
      associations(app.registry, *app.paths),
      pictures(app, dock),
      items(MakeItemServices(app, *this), win::WindowsUserName()),
      discovery(items, *app.paths, app.registry, drives),
      launcher(app.model, *app.paths, shortcuts, shortcutReader, shell, app.prompt, dock.controller(), slowCalls),
      actions(win::Win32SystemActions::Windows{
          nullptr,
          [&windows] { windows.ShowAbout(); }, nullptr, nullptr, [&search] { search.Show(); },
          [&program] { program.ExitProgram(); }, [&dock] { return dock.hwnd(); }, &app.modal,
          [&program] { program.ExitAsked(); }}),
      commandItems(app, pictures),
      commands(app.model, app.folders, shell, app.prompt, dock.controller(), actions, commandItems,
               recycleBinOffThread, desktop),
      defaultsHost(app.model, dock, menu, commands, recycleBinFull),
      defaults(DefaultsServices{app.model, *app.io, app.registry, items, discovery, associations, defaultsHost},
               win::ProgramPath(), app.WindowsMajorVersion) {
  commands.WindowsMajorVersion = app.WindowsMajorVersion;
  commands.separators = win::UserNumberSeparators();
}

}  // namespace vek
