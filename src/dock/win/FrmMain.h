// The dock: one borderless, per-pixel-alpha layered window as large as the desktop
// work area, transparent wherever nothing is drawn.
#pragma once

#include "app/app_context.h"
#include "platform/win/window.h"

namespace vek {

class FrmMain : public win::Window {
 public:
  explicit FrmMain(AppContext& app) : app_(app) {}
  // Places and sizes the window over the work area and creates it hidden.
  bool Load();
  void Unload() { Destroy(); }
  void Show();
  // Refreshes the slot arrays and, with isGetFocus, paints the ring and starts the timers.
  void DockFocus(bool isGetFocus);

  static constexpr const wchar_t* kClassName = L"VEKDesktopDock";

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  AppContext& app_;
};

}  // namespace vek
