// The start-up sequence that prepares the process, fills the model and creates the
// permanent windows, and the exit sequence that saves everything and unloads them.
#pragma once

#include <memory>

#include "app/app_context.h"
#include "app/services.h"
#include "dialogs/win/small_windows.h"
#include "dialogs/win/FrmProperty.h"
#include "dialogs/win/user_identity_win.h"
#include "dialogs/win/FrmWizard.h"
#include "dialogs/win/FrmConfig.h"
#include "dialogs/win/dock_preview.h"
#include "app/tray_host.h"
#include "search/win/FrmSearch.h"
#include "launch/network_places.h"
#include "platform/win/handles.h"
#include "platform/win/ui_thread.h"
#include "platform/win/log_win.h"

namespace vek {

class Program : public ProgramControl {
 public:
  Program();
  ~Program() override;

  // Runs the start-up sequence. False when the process should end at once (a second
  // instance, GDI+ missing, an unsupported Windows, a window that cannot be created);
  // true when the windows are up and the message loop should run.
  bool Main();
  void ExitProgram() override;
  void SaveAll() override;

  AppContext& app() { return app_; }

 private:
  bool IsPreviousInstanceRunning();
  bool InitControlLibrary();
  bool StartGdiPlus();
  void StopGdiPlus();
  bool CheckWindowsVersion();
  void UnloadWindows();

  // First in, last out: everything below may read shortcuts or ask the shell.
  win::UiThreadScope uiThread_;
  // The file system the path tools ask, with a time limit on network shares and on
  // drive letters mapped to them (told apart by their drive type).
  win::Win32Drives placeDrives_;
  std::unique_ptr<NetworkPlacesFileSystem> networkFs_;
  AppContext app_;
  // The log file, once the per-user folder is known; it outlives the windows.
  std::unique_ptr<win::ProgramLog> log_;
  std::unique_ptr<AppDockActions> dockActions_;
  std::unique_ptr<AppTrayHost> trayHost_;
  // The tray asks it whether a modal window is open before it acts over the windows.
  std::unique_ptr<FrmTray> tray_;
  std::unique_ptr<FrmMain> dock_;
  std::unique_ptr<FrmSubMenu> menu_;
  std::unique_ptr<Services> services_;
  std::unique_ptr<SmallWindows> windows_;
  // The item properties window and the user's picture and name, with what they ask of
  // the ring and the files.
  std::unique_ptr<DialogHost> itemDialogsHost_;
  std::unique_ptr<FrmProperty> properties_;
  std::unique_ptr<UserIdentityDialogue> userIdentity_;
  std::unique_ptr<FrmWizard> wizard_;
  // The settings dialog and the ring it changes.
  std::unique_ptr<DockPreview> ringPreview_;
  std::unique_ptr<FrmConfig> settings_;
  std::unique_ptr<FrmSearch> search_;
  win::UniqueKernelHandle instanceMutex_;
  ULONG_PTR gdiToken_ = 0;
  bool exiting_ = false;
};

}  // namespace vek
