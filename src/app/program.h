// The start-up sequence that prepares the process, fills the model and creates the
// permanent windows, and the exit sequence that saves everything and unloads them.
#pragma once

#include <memory>
#include <optional>

#include "app/app_context.h"
#include "icons/win/system_sources_win.h"
#include "launch/network_places.h"
#include "platform/win/handles.h"
#include "platform/win/ui_thread.h"
#include "platform/win/log_win.h"
#include "platform/win/single_instance.h"

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
  void ExitAsked() override { exitAsked_ = true; }
  bool Ending() const override { return exitAsked_ || exiting_ || exitAfterFill_; }
  void SaveAll() override;

  AppContext& app() { return app_; }

 private:
  // True when this process is the program's one copy, after it has called up a copy
  // already running (which shows its dock) or taken over from one that was ending.
  bool TakeInstance();
  bool InitControlLibrary();
  bool StartGdiPlus();
  void StopGdiPlus();
  bool CheckWindowsVersion();
  // Creates the permanent windows from the finished model and paints the ring; false
  // (after saying so) when a window cannot be created.
  bool ShowWindows();
  // Says that window `missing` could not be created, unloads the rest; false.
  bool StopForMissingWindow(const char* missing);
  void UnloadWindows();
  // Fills the default groups a first start made empty, once the ring is painted; an exit
  // asked for meanwhile follows it.
  void FillDefaultGroups();

  // First in, last out: everything below may read shortcuts or ask the shell.
  win::UiThreadScope uiThread_;
  // The file system the path tools ask, with a time limit on network shares and on
  // drive letters mapped to them (told apart by their drive type).
  win::Win32Drives placeDrives_;
  std::unique_ptr<NetworkPlacesFileSystem> networkFs_;
  AppContext app_;
  // The log file, once the per-user folder is known; it outlives the windows.
  std::unique_ptr<win::ProgramLog> log_;
  // The windows and the working parts, built once the folders are known.
  struct Parts;
  std::unique_ptr<Parts> parts_;
  std::optional<win::SingleInstance> instance_;
  ULONG_PTR gdiToken_ = 0;
  bool exiting_ = false;
  bool exitAsked_ = false;      // an exit waits for the handlers now running
  bool exitAfterFill_ = false;  // the exit waits for the default groups' fill
};

}  // namespace vek
