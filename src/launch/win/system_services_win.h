// The Windows side of launching and the built-in commands: ShellExecute, the Recycle
// Bin, the shell's desktop windows and the session actions.
#pragma once

#include <windows.h>

#include <functional>

#include "launch/shell_windows.h"
#include "launch/launcher.h"
#include "launch/system_commands.h"
#include "platform/modal_state.h"

namespace vek::win {

class Win32ShellRunner : public ShellRunner {
 public:
  int Execute(const std::string& verb, const std::string& file, const std::string& arguments,
              const std::string& folder, int showCommand) override;
};

class Win32RecycleBin : public RecycleBin {
 public:
  bool Query(RecycleBinInfo& info) override;
  void Empty() override;
};

class Win32WindowTree : public WindowTree {
 public:
  WindowId FindTopLevel(const std::string& className, WindowId after) override;
  WindowId FindChild(WindowId parent, const std::string& className, const char* title) override;
  uint64_t ThreadOf(WindowId window) override;
};

class Win32DesktopShell : public DesktopShell {
 public:
  bool SetDesktopIconListVisible(bool visible) override;
  void SetTaskbarVisible(bool visible) override;
};

// Session actions and the program's windows. The windows that later parts of the
// program provide are reached through the callbacks; one that is not set does nothing.
class Win32SystemActions : public SystemActions {
 public:
  struct Windows {
    std::function<void()> showSettings, showAbout, showWizard, changeUserIdentity, showSearchBox,
        exitProgram;
    std::function<HWND()> dockWindow;
    // Counts the shell's Run dialog among the program's modal windows.
    ModalState* modal = nullptr;
    // Told at once when an exit is asked for, before the exit runs.
    std::function<void()> exitAsked;
  };
  explicit Win32SystemActions(Windows windows) : windows_(std::move(windows)) {}
  // The windows made after the services are joined here once they exist.
  Windows& windows() { return windows_; }

  void ShowSettings() override { Call(windows_.showSettings); }
  void ShowAbout() override { Call(windows_.showAbout); }
  void ShowWizard() override { Call(windows_.showWizard); }
  void ChangeUserIdentity() override { Call(windows_.changeUserIdentity); }
  void ShowSearchBox() override { Call(windows_.showSearchBox); }
  // The exit runs once the handler that asked for it (a click, a key) has returned to
  // the message loop: it unloads the windows and stops GDI+ that the handler may still use.
  void ExitProgram() override;
  void PumpMessages() override;
  void EndSession(uint32_t flags, uint32_t reason) override;
  void LockWorkStation() override;
  void MonitorOff() override;
  void RunDialog() override;

 private:
  static void Call(const std::function<void()>& f) {
    if (f) f();
  }
  Windows windows_;
};

// The decimal and thousands separators of the user's locale.
NumberSeparators UserNumberSeparators();

}  // namespace vek::win
