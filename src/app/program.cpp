#include "app/program.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include "dock/geometry.h"
#include "dock/win/FrmMain.h"
#include "dock/win/screen_win.h"
#include "launch/win/shutdown_privilege.h"
#include "menu/win/FrmSubMenu.h"
#include "platform/log.h"
#include "platform/win/log_win.h"
#include "platform/win/text_win.h"
#include "platform/win/window.h"
#include "tray/win/FrmTray.h"
#include "core/mod_registry.h"
#include "core/windows_version.h"
#include "app/services.h"

namespace vek {

namespace {
constexpr wchar_t kInstanceMutexName[] = L"Local\\VEK Desktop single instance";
}  // namespace

Program::Program() {
  app_.program = this;
  // Every question and message counts as an open modal window.
  app_.prompt.CountIn(&app_.modal);
}

Program::~Program() {
  UnloadWindows();
  StopGdiPlus();
}

bool Program::IsPreviousInstanceRunning() {
  instanceMutex_.reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
  return GetLastError() == ERROR_ALREADY_EXISTS;
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
  // One instance per user session; a second start ends silently.
  if (IsPreviousInstanceRunning()) return false;
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
  log_ = std::make_unique<win::ProgramLog>(app_.fs, app_.folders.UserDir + win::kLogFileName);
  // Where this copy lives and which version it is.
  RecordInstallation(app_.registry, win::ProgramPath(),
                     ProgramVersion{VEK_VERSION_MAJOR, VEK_VERSION_MINOR, VEK_VERSION_BUILD});
  // An installer asks for a clean first start with "FirstRun" = "0".
  if (IsFirstRun(app_.registry)) DeleteConfigFiles(app_.fs, app_.folders, true);
  // The power commands need the shutdown privilege; this process asks to be told
  // of the session's end last and never to be retried.
  win::EnableShutdownPrivilege(win::kShutdownPrivilege, true);
  SetProcessShutdownParameters(0, SHUTDOWN_NORETRY);
  // The model: pool and member lists at their fixed sizes, all empty.
  app_.model.Size();
  // The window objects exist from here (their windows are created once the model is
  // filled), so that the working parts of the program can be joined to them.
  dockActions_ = std::make_unique<AppDockActions>(app_);
  trayHost_ = std::make_unique<AppTrayHost>(app_);
  tray_ = std::make_unique<FrmTray>(*trayHost_, app_.modal, app_.model, app_.prompt);
  dock_ = std::make_unique<FrmMain>(
      FrmMain::Parts{app_.model, app_.modal, app_.fs, app_.folders, [this] { SaveMenu(app_.model, *app_.io); }},
      *dockActions_);
  menu_ = std::make_unique<FrmSubMenu>(app_.model, app_.modal, dock_->geometry(), dock_->images(),
                                       [this](int item) { dock_->LoadItemIcon(item); }, *dockActions_);
  app_.tray = tray_.get();
  app_.dock = dock_.get();
  app_.menu = menu_.get();
  services_ = std::make_unique<Services>(app_, *dock_);
  app_.services = services_.get();
  windows_ = std::make_unique<SmallWindows>(
      app_.modal, app_.model.Settings, [this] { return dock_->hwnd(); },
      [this] { SaveSettings(app_.model, *app_.io); }, app_.WindowsVersionText);
  app_.windows = windows_.get();
  itemDialogsHost_ = std::make_unique<FunctionDialogHost>([this] { trayHost_->RefreshRing(); },
                                                         [this] { trayHost_->SaveMenu(); },
                                                         [this] { SaveSettings(app_.model, *app_.io); });
  properties_ = std::make_unique<FrmProperty>(
      windows_->modal(),
      PropertiesServices{app_.model, services_->items, services_->defaults, services_->pictures, *app_.paths,
                         app_.folders, app_.prompt, *itemDialogsHost_},
      [this] { return dock_->hwnd(); });
  userIdentity_ = std::make_unique<UserIdentityDialogue>(
      windows_->modal(),
      UserIdentityServices{app_.model, app_.fs, app_.folders, services_->pictures, app_.prompt, windows_->input(),
                           *itemDialogsHost_, nullptr, nullptr},
      [this] { return dock_->hwnd(); });
  trayHost_->windows.showProperties = [this](int item, bool addMode) { properties_->Show(item, addMode); };
  trayHost_->windows.changeUserIdentity = [this] { userIdentity_->Change(); };
  services_->actions.windows().changeUserIdentity = [this] { userIdentity_->Change(); };
  ringPreview_ = std::make_unique<DockPreview>(*dock_);
  settings_ = std::make_unique<FrmConfig>(
      windows_->modal(), FrmConfig::Parts{app_.model, *app_.io, app_.registry, win::ProgramPath(), *ringPreview_,
                                          services_->defaults, [this] { return dock_->hwnd(); },
                                          [this] { windows_->ShowAbout(); }});
  trayHost_->windows.showSettings = [this] { settings_->Show(); };
  services_->actions.windows().showSettings = trayHost_->windows.showSettings;
  search_ = std::make_unique<FrmSearch>(app_.model.Settings, app_.prompt,
                                        [this] { SaveSettings(app_.model, *app_.io); });
  app_.search = search_.get();
  // The add-and-manage wizard, from the tray menu and the built-in command; its
  // "Properties" opens the properties window when there is one.
  wizard_ = std::make_unique<FrmWizard>(
      windows_->modal(), [this] { return dock_->hwnd(); },
      FrmWizard::Parts{app_.model, services_->items, app_.prompt, windows_->input(), *trayHost_, *trayHost_,
                       app_.folders, services_->drives});
  trayHost_->windows.showWizard = [this] { wizard_->Show(trayHost_->windows.showProperties); };
  services_->actions.windows().showWizard = trayHost_->windows.showWizard;
  trayHost_->windows.showAbout = [this] { windows_->ShowAbout(); };
  trayHost_->windows.showSearchBox = [this] { search_->Show(); };
  dock_->SetAltSpaceIsHotkey([this] { return tray_->hotkeysRegistered()[hotkey::kShowDock]; });
  services_->defaults.LoadAtStart();
  // The stored desktop-icon state.
  services_->commands.SetDesktopIconsHidden(app_.model.Settings.DesktopIconsHidden);
  // The permanent windows, created hidden: tray owner, dock, group menu. Without them
  // the program cannot work: it says so and stops.
  const char* missing = !tray_->Load(VEK_VERSION_MAJOR, VEK_VERSION_MINOR) ? "tray"
                        : !dock_->Load() ? "dock"
                        : !menu_->Load() ? "menu"
                                         : nullptr;
  if (missing) {
    WriteLog(std::string("start-up stopped: the ") + missing + " window could not be created");
    MessageBoxW(nullptr, L"VEK Desktop could not create its windows and has to stop.",
                L"VEK Desktop Error", MB_OK | MB_ICONERROR);
    UnloadWindows();
    return false;
  }
  // Files dropped on the ring; OLE has run on this thread since the program began.
  dock_->AcceptDrops(services_->items, services_->pictures, app_.prompt, windows_->input());
  // Skins, the centre, the fallback pictures and the ring items: what the ring shows.
  // Group members decode when their menu page first shows.
  dock_->LoadAllImages();
  // The image caches are large and built once: give the memory back.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  dock_->CalcMinimizedPos(app_.model.Settings.MinimizedPosition);
  // What start-up queued runs before the dock appears and takes the focus.
  win::PumpPendingMessages();
  dock_->Show();
  dock_->Activate(true);
  // The getting-started pages, until the user turns them off.
  if (app_.model.Settings.GettingStarted.AtStart) windows_->ShowGettingStarted();
  return true;
}

void Program::UnloadWindows() {
  if (search_) search_->Unload();
  if (windows_) windows_->Unload();
  if (menu_) menu_->Unload();
  if (dock_) dock_->Unload();
  if (tray_) tray_->Unload();
}

void Program::SaveAll() {
  if (!app_.io) return;
  SaveSettings(app_.model, *app_.io);
  SaveMenu(app_.model, *app_.io);
}

void Program::ExitProgram() {
  if (exiting_) return;
  // Never under a question or dialog that is still open: the code waiting on it would
  // return into unloaded windows. The open window comes to the front instead.
  if (app_.modal.Refuse()) return;
  exiting_ = true;
  // Nothing the user set up may be lost: both files first.
  if (app_.io) {
    SaveSettings(app_.model, *app_.io);
    SaveMenu(app_.model, *app_.io);
  }
  // The desktop icons and the taskbar are shown again, whatever was hidden.
  if (services_) services_->commands.SetShellElementsHidden(false);
  // Every picture of the image store goes before the windows and GDI+ do.
  if (dock_) dock_->ReleaseImages();
  // Unload the windows in order, then stop GDI+.
  UnloadWindows();
  StopGdiPlus();
  PostQuitMessage(0);
}

}  // namespace vek
