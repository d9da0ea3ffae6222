// The tray's commands joined to the dock, the group menu and the program's services.
#pragma once

#include <functional>

#include "app/app_context.h"
#include "tray/tray_commands.h"

namespace vek {

class DockWindow;
class GroupMenuWindow;
class Services;

// The tray is given this object when it is built, so it may hold references to parts
// built after it; it is asked nothing before the windows exist.
class AppTrayHost : public TrayHost {
 public:
  // The windows later parts of the program add; an entry stays greyed until its window
  // is set here.
  struct LaterWindows {
    std::function<void()> showSettings, showAbout, changeUserIdentity, showSearchBox, showWizard;
    std::function<void(int item, bool addMode)> showProperties;
  };

  struct Parts {
    Model& model;
    ConfigIo& io;
    ModalState& modal;
    ProgramControl& program;
    Services& services;
    DockWindow& dock;
    GroupMenuWindow& menu;
  };
  explicit AppTrayHost(const Parts& parts) : p_(parts) {}
  LaterWindows windows;

  // EditMenuHost
  void CloseGroupMenu() override;
  bool KeyMode() override;
  void LeaveKeyMode() override;
  void RefreshRing() override;
  void RefreshGroupMenu() override;
  bool DeleteItem(int item) override;
  void SaveMenu() override;
  bool DockInForeground() override;
  void ShowProperties(int item, bool addMode) override;
  // ItemImageSwap
  void SwapItemImages(int a, int b) override;
  // TrayHost
  void AltSpace() override;
  void BringDockForward() override;
  DockState CurrentDockState() override;
  void SetDockState(DockState state) override;
  void DockToBottom() override;
  void Activate(bool paintRing) override;
  bool FadeEnabled() override;
  void SetFadeEnabled(bool on) override;
  bool GroupMenuOpen() override;
  void CloseGroupMenu(bool noDockFocus) override;
  bool AutoHide() override { return p_.model.Settings.AutoHide; }
  void SwitchDesktop() override;
  bool BackTabInOwnDialog() override;
  void LetMessagesRun() override;
  void ExitProgram() override;
  void ExitNow() override;
  bool Ending() override { return p_.program.Ending(); }
  void SessionEnding() override;
  void ShellStartedAgain() override;
  AvailableWindows Windows() override;
  void ShowSettings() override { Call(windows.showSettings); }
  void ShowAbout() override { Call(windows.showAbout); }
  void ShowWizard() override { Call(windows.showWizard); }
  void ChangeUserIdentity() override { Call(windows.changeUserIdentity); }
  void ShowSearchBox() override { Call(windows.showSearchBox); }

 private:
  static void Call(const std::function<void()>& f) {
    if (f) f();
  }
  Parts p_;
};

}  // namespace vek
