#include "app/program.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include "app/services.h"
#include "app/tray_host.h"
#include "dialogs/win/settings_dialog.h"
#include "dialogs/win/properties_dialog.h"
#include "dialogs/win/wizard_dialog.h"
#include "dialogs/win/dock_preview.h"
#include "dialogs/win/small_windows.h"
#include "dialogs/win/user_identity_win.h"
#include "dock/geometry.h"
#include "dock/win/dock_window.h"
#include "dock/win/screen_win.h"
#include "launch/win/shutdown_privilege.h"
#include "menu/win/group_menu_window.h"
#include "platform/log.h"
#include "platform/win/log_win.h"
#include "platform/win/message_loop.h"
#include "platform/win/text_win.h"
#include "platform/win/window.h"
#include "tray/win/tray_owner.h"
#include "core/mod_registry.h"
#include "core/windows_version.h"
#include "search/win/search_box_window.h"

namespace vek {

namespace {
constexpr wchar_t kInstanceMutexName[] = L"Local\\VEK Desktop single instance";
// How long a second start waits for a copy that is starting or ending to answer or end.
constexpr DWORD kRunningCopyPatienceMs = 10000;
}  // namespace

// Built in the order of their dependencies. The windows' requests reach parts built after
// the windows (a click launches, a launch hides the dock): the adapters that carry them
// come first, hold references to those later parts, and are asked nothing before the
// windows exist.
struct Program::Parts {
  Parts(AppContext& app, ProgramControl& program);

  AppContext& app;
  AppDockActions dockActions;
  AppTrayHost trayHost;
  // The tray owner: its icon, the hotkeys, the popup menus and the session's end.
  TrayOwner tray;
  DockWindow dock;
  GroupMenuWindow menu;
  Services services;
  SmallWindows windows;
  SearchBoxWindow search;
  // The item properties window and the user's picture and name, with what they ask of
  // the ring and the files.
  FunctionDialogHost itemDialogsHost;
  PropertiesDialog properties;
  UserIdentityDialogue userIdentity;
  // The settings dialog and the ring it changes.
  DockPreview ringPreview;
  SettingsDialog settings;
  // The add-and-manage wizard, from the tray menu and the built-in command; its
  // "Properties" opens the properties window when there is one.
  WizardDialog wizard;
};

Program::Parts::Parts(AppContext& a, ProgramControl& program)
    : app(a),
      dockActions(AppDockActions::Parts{a.model, *a.io, services, dock, menu, tray, windows, a.modal}),
      trayHost(AppTrayHost::Parts{a.model, *a.io, a.modal, program, services, dock, menu}),
      tray(trayHost, a.modal, a.model, a.prompt, a.registry),
      // The dock asks about picture files and links through the network places, so that
      // one that does not answer holds the pictures up at most its time limit.
      dock(DockWindow::Parts{a.model, a.modal, a.paths->fs(), a.folders, [this] { SaveMenu(app.model, *app.io); }},
           dockActions),
      menu(a.model, a.modal, dock.geometry(), dock.images(), [this](int item) { dock.LoadItemIcon(item); },
           dockActions),
      services(a, program, dock, menu, windows, search),
      windows(a.modal, a.model.Settings, a.codec, [this] { return dock.hwnd(); },
              [this] { SaveSettings(app.model, *app.io); }, a.WindowsVersionText),
      search(a.model.Settings, a.prompt, [this] { SaveSettings(app.model, *app.io); }),
      itemDialogsHost([this] { trayHost.RefreshRing(); }, [this] { trayHost.SaveMenu(); },
                      [this] { SaveSettings(app.model, *app.io); }),
      properties(windows.modal(),
                 PropertiesServices{a.model, services.items, services.defaults, services.pictures, *a.paths,
                                    a.folders, a.prompt, a.codec, itemDialogsHost},
                 [this] { return dock.hwnd(); }),
      userIdentity(windows.modal(),
                   UserIdentityServices{a.model, a.fs, a.folders, a.codec, services.pictures, a.prompt, windows.input(),
                                        itemDialogsHost, nullptr, nullptr},
                   [this] { return dock.hwnd(); }),
      ringPreview(dock),
      settings(windows.modal(), SettingsDialog::Parts{a.model, *a.io, a.registry, win::ProgramPath(), ringPreview,
                                                 services.defaults, [this] { return dock.hwnd(); },
                                                 [this] { windows.ShowAbout(); }}),
      wizard(windows.modal(), [this] { return dock.hwnd(); },
             WizardDialog::Parts{a.model, services.items, a.prompt, windows.input(), trayHost, trayHost, a.folders,
                              services.drives, a.paths->fs()}) {
  trayHost.windows.showProperties = [this](int item, bool addMode) { properties.Show(item, addMode); };
  trayHost.windows.changeUserIdentity = [this] { userIdentity.Change(); };
  // The settings (their reset fills All Programs from the desktop) and the wizard (its
  // source folders) follow shell folders moved since start; never under the first
  // start's fill, which is reading them.
  const auto followShellFolders = [this] {
    if (!services.defaults.filling()) FollowShellFolders(app.folders, app.shell);
  };
  trayHost.windows.showSettings = [this, followShellFolders] {
    followShellFolders();
    settings.Show();
  };
  trayHost.windows.showWizard = [this, followShellFolders] {
    followShellFolders();
    wizard.Show(trayHost.windows.showProperties);
  };
  trayHost.windows.showAbout = [this] { windows.ShowAbout(); };
  trayHost.windows.showSearchBox = [this] { search.Show(); };
  services.actions.windows().changeUserIdentity = trayHost.windows.changeUserIdentity;
  services.actions.windows().showSettings = trayHost.windows.showSettings;
  services.actions.windows().showWizard = trayHost.windows.showWizard;
  dock.SetAltSpaceIsHotkey([this] { return tray.hotkeysRegistered()[hotkey::kShowDock]; });
  dock.WhenScreenChanges([this](const ScreenMetrics& screen) {
    menu.FollowScreen(screen);
    search.FollowScreen();
  });
}

Program::Program() {
  // Every question and message counts as an open modal window.
  app_.prompt.CountIn(&app_.modal);
}

Program::~Program() {
  UnloadWindows();
  // A call to a device that did not answer may still run on a worker, using the parts
  // freed below. The files are saved and the windows gone: the process ends here instead.
  if (const int overdue = BoundedCalls::CallsStillOverdue(); overdue > 0) {
    WriteLog("the program ends with " + std::to_string(overdue) + " call(s) to slow devices still running");
    ExitProcess(0);
  }
  // Whatever still holds a picture goes before GDI+ does.
  parts_.reset();
  StopGdiPlus();
}

bool Program::TakeInstance() {
  instance_.emplace(kInstanceMutexName);
  if (instance_->Held()) return true;
  // A copy just starting, or just ending after its exit (which saves both files first),
  // is waited for: the user's start is never lost between the two.
  return instance_->CallUpRunningCopy(TrayOwner::kClassName, TrayOwner::kStartedAgainMessage,
                                      TrayOwner::kStartedAgainAnswer,
                                      kRunningCopyPatienceMs) == win::SingleInstance::CallUp::kTakenOver;
}

bool Program::InitControlLibrary() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_USEREX_CLASSES;
  return InitCommonControlsEx(&controls) != FALSE;
}

bool Program::StartGdiPlus() {
  Gdiplus::GdiplusStartupInput input;
  return Gdiplus::GdiplusStartup(&gdiToken_, &input, nullptr) == Gdiplus::Ok;
}

void Program::StopGdiPlus() {
  if (gdiToken_ != 0) Gdiplus::GdiplusShutdown(gdiToken_);
  gdiToken_ = 0;
}

bool Program::CheckWindowsVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return true;
#pragma GCC diagnostic pop
  OsVersion version{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                    info.dwBuildNumber, win::Utf8(info.szCSDVersion)};
  const WindowsVersionInfo described = DescribeWindowsVersion(version);
  app_.WindowsVersionText = described.text;
  if (described.majorKnown) app_.WindowsMajorVersion = described.major;
  if (described.refused) {
    MessageBoxW(nullptr, win::Wide("Sorry! VEK Desktop doesn't support " + described.text).c_str(),
                L"Warning !", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

bool Program::Main() {
  // One instance per user session. A second start ends without a message; the running
  // copy brings its dock in front, which is what the user started the program for.
  if (!TakeInstance()) return false;
  // The extended combo box of the dialogs, and GDI+ for every picture.
  InitControlLibrary();
  if (!StartGdiPlus()) {
    MessageBoxW(nullptr, L"Load GDI+ Error!", L"VEK Desktop Error", MB_OK | MB_ICONERROR);
    return false;
  }
  if (!CheckWindowsVersion()) return false;
  // Folders of the program and the user; the per-user folders are created, and the log
  // file lives in the per-user one.
  app_.folders = InitPaths(win::ProgramFolder(), app_.shell, app_.fs);
  // A profile folder the files' code page cannot name is stored by its short name.
  win::Win32ShortPaths shortPaths;
  UseStorableIconFolder(app_.folders, app_.codec, shortPaths, app_.prompt);
  // Existence tests of items' files wait at most three seconds on a network place that
  // does not answer; the place then counts as absent for a minute.
  networkFs_ = std::make_unique<NetworkPlacesFileSystem>(app_.fs, kPlaceAnswerLimit, kSilentPlaceMemory, &placeDrives_);
  app_.paths = std::make_unique<PathTools>(*networkFs_, app_.env, app_.folders);
  app_.io = std::make_unique<ConfigIo>(ConfigIo{app_.fs, app_.codec, app_.prompt, app_.folders});
  // A per-user folder on a share that cannot be reached looks like a first start: the
  // defaults are shown, and the saves leave the user's files alone for this run. The log,
  // which lives there, then goes to the debugger only: each line would wait on the share.
  const std::string unreached = UnreachedUserFolderText(app_.shell, app_.fs, app_.folders);
  log_ = std::make_unique<win::ProgramLog>(app_.fs,
                                           unreached.empty() ? app_.folders.UserDir + win::kLogFileName : "");
  if (!uiThread_.ok()) WriteLog("OLE could not be started on the UI thread: shortcut files and drops will fail");
  if (!unreached.empty()) {
    WriteLog("the per-user folder cannot be reached: " + app_.folders.UserDir);
    app_.prompt.Warn(unreached);
    app_.io->keepFiles = true;
  }
  // A copy of the program without its pictures folder beside it draws blank plates: the
  // user is told why.
  if (!app_.fs.Exists(app_.folders.SysIconDir)) {
    WriteLog("the program's pictures folder is missing: " + app_.folders.SysIconDir);
    app_.prompt.Warn(kPicturesFolderMissing + app_.folders.SysIconDir);
  }
  // Where this copy lives and which version it is.
  RecordInstallation(app_.registry, win::ProgramPath(),
                     ProgramVersion{VEK_VERSION_MAJOR, VEK_VERSION_MINOR, VEK_VERSION_BUILD});
  // An installer asks for a clean first start with "FirstRun" = "0"; a start that leaves
  // the user's files alone keeps the request for the next one.
  if (!app_.io->keepFiles && IsFirstRun(app_.registry)) DeleteConfigFiles(app_.fs, app_.folders, true);
  // The power commands need the shutdown privilege; this process asks to be told
  // of the session's end last and never to be retried.
  win::EnableShutdownPrivilege(win::kShutdownPrivilege, true);
  SetProcessShutdownParameters(0, SHUTDOWN_NORETRY);
  // The model: pool and member lists at their fixed sizes, all empty.
  app_.model.Size();
  parts_ = std::make_unique<Parts>(app_, *this);
  Parts& p = *parts_;
  // The model is finished before any window exists: the screen first (the default
  // settings follow from it), then the settings, the catalogue and the ring.
  const ScreenMetrics screen = win::ReadScreenMetrics();
  p.services.defaults.LoadAtStart(ScreenForSettings(screen), ReadCatalogueFacts(p.services.recycleBinFull));
  // The stored desktop-icon state.
  p.services.commands.ApplyStoredDesktopIcons();
  return ShowWindows();
}

bool Program::StopForMissingWindow(const char* missing) {
  WriteLog(std::string("start-up stopped: the ") + missing + " window could not be created");
  MessageBoxW(nullptr, L"VEK Desktop could not create its windows and has to stop.", L"VEK Desktop Error",
              MB_OK | MB_ICONERROR);
  UnloadWindows();
  return false;
}

bool Program::ShowWindows() {
  Parts& p = *parts_;
  // The permanent windows are created hidden: the dock first, the tray owner and the
  // group menu once the ring is painted. Without any of them the program cannot work: it
  // says so and stops.
  if (!p.dock.Load()) return StopForMissingWindow("dock");
  // Files dropped on the ring; OLE has run on this thread since the program began.
  p.dock.AcceptDrops(p.services.items, p.services.pictures, app_.prompt, p.windows.input());
  // Skins, the centre, the fallback pictures and the shown ring items: what the first
  // frame draws. Group members decode when their menu page first shows, the other
  // pictures once the ring is painted.
  p.dock.LoadShownImages();
  // What start-up queued runs before the dock appears and takes the focus.
  win::PumpPendingMessages();
  p.dock.Show();
  p.dock.Activate(true);
  // The tray icon, the hotkeys and the group menu are not needed for the first frame.
  if (!p.tray.Load(VEK_VERSION_MAJOR, VEK_VERSION_MINOR)) return StopForMissingWindow("tray");
  p.menu.SetRowsPerPage(p.dock.geometry().screen.ScreenHeight);
  if (!p.menu.Load()) return StopForMissingWindow("menu");
  p.dock.LoadRestLater();
  // The Recycle Bin's picture follows an emptied or filled bin at once.
  p.services.recycleBinFull.WhenChanged(p.dock.RecycleBinChangeNotice());
  // Items kept by their short names get back the titles the file could not hold; that
  // asks the file system, so it waits until the ring is painted.
  win::RunAfterHandlers([this] {
    if (parts_ && !exiting_ && parts_->services.items.RestoreLongTitles()) parts_->dock.controller().RefreshRing();
  });
  // A first start's default groups get their members once the ring is painted: the
  // folder, drive and Office scans run from the message loop, which keeps the windows
  // answering while they wait.
  if (p.services.defaults.groupsWaiting()) win::RunAfterHandlers([this] { FillDefaultGroups(); });
  // The image caches are large and built once: give the memory back.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  // The getting-started pages, until the user turns them off.
  if (app_.model.Settings.GettingStarted.AtStart) p.windows.ShowGettingStarted();
  return true;
}

void Program::FillDefaultGroups() {
  if (!parts_ || exiting_) return;
  Services& s = parts_->services;
  {
    const ScopedFlag toMenus = s.pictures.LeaveMemberPicturesToMenus();
    s.defaults.FillDefaultGroups();
  }
  // What the scans decoded and listed is not needed any more.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  if (exitAfterFill_) ExitProgram();
}

void Program::UnloadWindows() {
  if (!parts_) return;
  parts_->services.recycleBinFull.WhenChanged(nullptr);
  parts_->search.Unload();
  parts_->windows.Unload();
  parts_->menu.Unload();
  parts_->dock.Unload();
  parts_->tray.Unload();
}

void Program::SaveAll() {
  if (!app_.io) return;
  SaveSettings(app_.model, *app_.io);
  // Half-filled default groups are not written as if complete: the menu file stays as
  // it was (none on a first start, so the next start fills them again; the user's own
  // changes were written when they were made).
  if (parts_ && parts_->services.defaults.filling()) return;
  SaveMenu(app_.model, *app_.io);
}

void Program::ExitProgram() {
  if (exiting_) return;
  // Never under a question or dialog that is still open: the code waiting on it would
  // return into unloaded windows. The open window comes to the front instead.
  if (app_.modal.Refuse()) {
    exitAsked_ = false;
    return;
  }
  // Under the default groups' fill (its scans let messages run) the windows must stay:
  // the exit follows the fill, which ends by writing the complete menu file. Should the
  // process be ended before that, the settings are written already.
  if (parts_ && parts_->services.defaults.filling()) {
    if (app_.io) SaveSettings(app_.model, *app_.io);
    exitAfterFill_ = true;
    return;
  }
  exiting_ = true;
  // Nothing the user set up may be lost: both files first.
  if (app_.io) {
    SaveSettings(app_.model, *app_.io);
    SaveMenu(app_.model, *app_.io);
  }
  // The desktop icons and the taskbar are shown again, whatever was hidden.
  if (parts_) parts_->services.commands.SetShellElementsHidden(false);
  // Every picture of the image store goes before the windows and GDI+ do.
  if (parts_) parts_->dock.ReleaseImages();
  // Unload the windows in order. GDI+ stops once the program's parts, which may still
  // hold pictures (a dialog's, a picture pass not yet run), are gone with the program.
  UnloadWindows();
  PostQuitMessage(0);
}

}  // namespace vek
