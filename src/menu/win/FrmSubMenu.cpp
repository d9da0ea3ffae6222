#include "menu/win/FrmSubMenu.h"

#include "dock/win/screen_win.h"

namespace vek {

bool FrmSubMenu::Load() {
  // The menu covers exactly what the dock covers, so both share one coordinate system.
  const ScreenMetrics s = win::ReadScreenMetrics();
  return Create(kClassName, L"VEK Desktop Menu", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW,
                s.WorkArea.left, s.WorkArea.top, s.ScreenWidth, s.ScreenHeight, nullptr);
}

void FrmSubMenu::MenuFocus(bool isGetFocus, int /*iconIndex*/) {
  if (!isGetFocus) shown_ = false;
}

void FrmSubMenu::EscCancel(bool /*noFormMainFocus*/) {
  if (!shown_) return;
  MenuFocus(false, -1);
  focusIndex_ = -1;
}

void FrmSubMenu::SetRowsPerPage(int screenHeight) {
  const int rows = (screenHeight - 76) / 38 - 1;
  itemsPerPage_ = rows > 18 ? 18 : rows;
}

}  // namespace vek
