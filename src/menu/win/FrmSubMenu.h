// The group menu: a layered window covering the work area like the dock, hidden
// between menus.
#pragma once

#include "app/app_context.h"
#include "platform/win/window.h"

namespace vek {

class FrmSubMenu : public win::Window {
 public:
  explicit FrmSubMenu(AppContext& app) : app_(app) {}
  [[nodiscard]] bool Load();
  void Unload() { Destroy(); }

  // Opens (isGetFocus) the menu of ring slot `iconIndex`, or closes the open one. The
  // menu's layout, painting and keys are not built yet: a group's click opens nothing.
  void MenuFocus(bool isGetFocus, int iconIndex);
  // Closes the menu if one is open; unless noFormMainFocus, the dock takes the focus.
  void EscCancel(bool noFormMainFocus);
  bool SubMenuShown() const { return shown_; }
  // No band highlighted.
  void ClearFocus() { focusIndex_ = -1; }
  // A row has the focus or a member is being dragged out of the menu.
  bool Busy() const { return shown_ && focusIndex_ >= 1; }
  // Rows per page for a screen of `screenHeight` pixels: (height − 76) \ 38 − 1, at most 18.
  void SetRowsPerPage(int screenHeight);
  int itemsPerPage() const { return itemsPerPage_; }

  static constexpr const wchar_t* kClassName = L"VEKDesktopMenu";

 private:
  AppContext& app_;
  bool shown_ = false;
  int focusIndex_ = -1;
  int itemsPerPage_ = 18;
};

}  // namespace vek
