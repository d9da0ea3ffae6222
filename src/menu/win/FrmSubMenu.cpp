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

}  // namespace vek
