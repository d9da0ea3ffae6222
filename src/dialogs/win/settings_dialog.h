// The settings dialog "VEK Desktop - Settings": two tabs (General: the switches, backup,
// restore and reset; Appearance: icon sizes, ring diameter, icon quantity, minimised
// position and backdrop opacity). Every control acts at once on the settings and the
// ring; closing the window (OK or the close box) writes the settings file.
#pragma once

#include <functional>
#include <string>

#include "core/config_files.h"
#include "contents/defaults.h"
#include "dialogs/settings_editor.h"
#include "dialogs/win/dialog.h"

namespace vek {

class SettingsDialog : public win::Dialog {
 public:
  struct Parts {
    Model& model;
    ConfigIo& io;
    Registry& registry;
    std::string programPath;  // the running program, for the autostart value
    RingPreview& ring;
    Defaults& defaults;       // the resets and the reload after a restore
    std::function<HWND()> owner;
    std::function<void()> showAbout;
  };
  SettingsDialog(win::ModalWindows& modal, Parts parts)
      : modal_(modal), parts_(std::move(parts)),
        editor_(parts_.model.Settings, parts_.ring, parts_.registry, parts_.programPath) {}

  // Opens the dialog modally; an open modal window (this one too) comes to the front
  // instead.
  void Show();

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnClosing() override;

 private:
  // Every control from the settings.
  void FillControls();
  void ShowSliders();
  void ShowTab(int tab);
  void RunBackupCommand(int index);
  void RunResetCommand(int index);
  // A command's questions and messages are windows of their own: the dialog takes no
  // input until the command has ended.
  void EndCommand();
  static void SetBusy(bool busy);

  win::ModalWindows& modal_;
  Parts parts_;
  SettingsEditor editor_;
};

}  // namespace vek
