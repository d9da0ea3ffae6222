#include "menu/win/FrmSubMenu.h"

namespace vek {

bool FrmSubMenu::Load() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = GetSystemMetrics(SM_CXFULLSCREEN);
  const int height = GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION);
  return Create(kClassName, L"VEK Desktop Menu", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW,
                work.left, work.top, width, height, nullptr);
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
