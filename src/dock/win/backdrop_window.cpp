#include "dock/win/backdrop_window.h"

#include <windowsx.h>

#include <algorithm>

namespace vek::win {

namespace {
uint32_t Premultiplied(uint32_t argb) {
  const uint32_t a = argb >> 24;
  auto channel = [a](uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) |
         channel(argb & 0xFF);
}
}  // namespace

BackdropWindow::~BackdropWindow() { Unload(); }

bool BackdropWindow::Load(const PixelRect& workArea, MouseSink sink) {
  workArea_ = workArea;
  sink_ = std::move(sink);
  return Create(kClassName, L"VEK Desktop Backdrop", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                workArea.left, workArea.top, workArea.width(), workArea.height(), nullptr);
}

void BackdropWindow::Unload() {
  canvas_.Release();
  visible_ = false;
  Destroy();
}

void BackdropWindow::Show(uint32_t argb, BYTE alpha, HWND above) {
  if (!hwnd()) return;
  if ((argb >> 24) == 0) {
    if (visible_) ShowWindow(hwnd(), SW_HIDE);
    visible_ = false;
    shownArgb_ = 0;
    canvas_.Release();  // a whole screen of pixels, needed only in key mode
    return;
  }
  if (visible_ && argb == shownArgb_ && alpha == shownAlpha_) return;
  const int width = workArea_.width(), height = workArea_.height();
  if (!canvas_) {
    if (!canvas_.Create(width, height)) return;
    shownArgb_ = 0;
  }
  if (argb != shownArgb_) {
    const uint32_t value = Premultiplied(argb);
    std::fill(canvas_.bits(), canvas_.bits() + static_cast<size_t>(width) * height, value);
  }
  SIZE size{width, height};
  POINT source{0, 0};
  POINT destination{workArea_.left, workArea_.top};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  UpdateLayeredWindow(hwnd(), nullptr, &destination, &size, canvas_.dc(), &source, 0, &blend, ULW_ALPHA);
  ++pushes_;
  shownArgb_ = argb;
  shownAlpha_ = alpha;
  if (!visible_) {
    visible_ = true;
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    // Beneath the dock: both on top of other windows, the dock above.
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (above) SetWindowPos(above, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

LRESULT BackdropWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      // The client area is the work area: its coordinates are the dock's layout ones.
      if (sink_) sink_(message, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vek::win
