#include "dock/win/screen_win.h"

#include <windows.h>

namespace vek::win {

ScreenMetrics ReadScreenMetrics() {
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return ComputeScreenMetrics(GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
                              GetSystemMetrics(SM_CYCAPTION),
                              PixelRect{work.left, work.top, work.right, work.bottom});
}

}  // namespace vek::win
