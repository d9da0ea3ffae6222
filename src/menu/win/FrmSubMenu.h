// The group menu: a layered window covering the work area like the dock, hidden
// between menus.
#pragma once

#include "app/app_context.h"
#include "platform/win/window.h"

namespace vek {

class FrmSubMenu : public win::Window {
 public:
  explicit FrmSubMenu(AppContext& app) : app_(app) {}
  bool Load();
  void Unload() { Destroy(); }

  static constexpr const wchar_t* kClassName = L"VEKDesktopMenu";

 private:
  AppContext& app_;
};

}  // namespace vek
