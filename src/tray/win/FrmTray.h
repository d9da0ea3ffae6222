// The hidden owner window of the tray icon, the hotkeys and every popup menu. It exists
// for the whole run; closing it or the end of the Windows session runs the exit
// sequence so nothing is lost.
#pragma once

#include "app/app_context.h"
#include "platform/win/window.h"

namespace vek {

class FrmTray : public win::Window {
 public:
  explicit FrmTray(AppContext& app) : app_(app) {}
  // Creates the window without showing it.
  [[nodiscard]] bool Load();
  void Unload() { Destroy(); }

  static constexpr const wchar_t* kClassName = L"VEKDesktopTray";

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  AppContext& app_;
};

}  // namespace vek
