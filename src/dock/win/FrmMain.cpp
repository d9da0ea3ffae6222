#include "dock/win/FrmMain.h"

namespace vek {

bool FrmMain::Load() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = GetSystemMetrics(SM_CXFULLSCREEN);
  const int height = GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION);
  return Create(kClassName, L"VEK Desktop", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW,
                work.left, work.top, width, height, nullptr);
}

void FrmMain::Show() {
  if (hwnd()) ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void FrmMain::DockFocus(bool /*isGetFocus*/) {}

LRESULT FrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace vek
