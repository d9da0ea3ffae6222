#include "dock/win/backdrop_window.h"

#include <windowsx.h>

#include "platform/log.h"

namespace vek::win {

namespace {

constexpr UINT kQuietly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

bool Topmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

bool BackdropWindow::Load(const PixelRect& workArea, HWND dock, MouseHandler mouse) {
  dock_ = dock;
  mouse_ = std::move(mouse);
  shown_ = false;
  look_ = BackdropLook{};
  // Not the dock's title: whatever looks for the dock's window by name finds the dock.
  if (!Create(kClassName, L"VEK Desktop Backdrop", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
              workArea.left, workArea.top, 1, 1, nullptr))
    return false;
  // Made small, then a plain borderless window rather than a popup before it covers the
  // work area: Wine leaves a popup as large as the work area to a window manager, and
  // hiding it then waits two seconds for one that is not there.
  SetWindowLongPtrW(hwnd(), GWL_STYLE, WS_CLIPSIBLINGS);
  SetWindowPos(hwnd(), nullptr, workArea.left, workArea.top, workArea.width(), workArea.height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // Made a window of one alpha now, before the dock's first push: some systems (Wine)
  // make the window anew for that, above the windows there are then.
  SetLayeredWindowAttributes(hwnd(), 0, 0, LWA_ALPHA);
  return true;
}

void BackdropWindow::Cover(const PixelRect& workArea) {
  if (!hwnd()) return;
  if (!SetWindowPos(hwnd(), nullptr, workArea.left, workArea.top, workArea.width(), workArea.height(),
                    SWP_NOZORDER | SWP_NOACTIVATE))
    WriteLog("the backdrop keeps its old place: error " + HexCode(GetLastError()));
}

void BackdropWindow::Fill(const BackdropLook& look) {
  const COLORREF colour = RGB((look.argb >> 16) & 0xFF, (look.argb >> 8) & 0xFF, look.argb & 0xFF);
  if (colour != brushColour_ || !brush_) {
    brush_.reset(CreateSolidBrush(colour));
    brushColour_ = colour;
    InvalidateRect(hwnd(), nullptr, FALSE);
  }
  if (!SetLayeredWindowAttributes(hwnd(), 0, look.Opacity(), LWA_ALPHA))
    WriteLog("backdrop opacity not set: error " + HexCode(GetLastError()));
  ++changes_;
}

void BackdropWindow::Present(const BackdropLook& look) {
  if (!hwnd()) return;
  switch (NextBackdropStep(shown_, look_, look)) {
    case BackdropStep::kNothing:
      break;
    case BackdropStep::kShow:
      Fill(look);
      // Placed while still hidden, so that it never shows above the dock, not even once.
      FollowDock();
      SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, kQuietly | SWP_NOZORDER | SWP_SHOWWINDOW);
      shown_ = true;
      break;
    case BackdropStep::kRefill:
      Fill(look);
      break;
    case BackdropStep::kHide:
      SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, kQuietly | SWP_NOZORDER | SWP_HIDEWINDOW);
      shown_ = false;
      ++changes_;
      break;
  }
  look_ = look;
}

void BackdropWindow::FollowDock() {
  if (!hwnd() || !dock_) return;
  const bool topmost = Topmost(dock_);
  if (GetWindow(dock_, GW_HWNDNEXT) == hwnd() && Topmost(hwnd()) == topmost) return;
  if (topmost) {
    // Both put first, the backdrop before the dock: a window put just after a topmost
    // one does not always become topmost itself, and Wine stacks its X windows only for
    // a window that becomes the first of all.
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, kQuietly);
    SetWindowPos(dock_, HWND_TOPMOST, 0, 0, 0, 0, kQuietly);
  } else {
    SetWindowPos(hwnd(), dock_, 0, 0, 0, 0, kQuietly);
  }
}

LRESULT BackdropWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsPointerMessage(message)) {
    // The window's client area starts at the work area's corner.
    if (mouse_) mouse_(message, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  }
  switch (message) {
    case WM_MOUSEACTIVATE:
      // A press on the dimmed screen leaves the dock active, with the keyboard.
      return MA_NOACTIVATE;
    case WM_SETFOCUS:
      if (dock_ && IsWindowVisible(dock_)) SetFocus(dock_);
      return 0;
    case WM_CLOSE:
      // Asked of it by another program, closing the program is the dock's matter: the
      // dimmed screen goes only with the dock.
      if (dock_) PostMessageW(dock_, WM_CLOSE, 0, 0);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills everything
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (HDC dc = BeginPaint(hwnd(), &paint)) {
        if (brush_) FillRect(dc, &paint.rcPaint, brush_.get());
        EndPaint(hwnd(), &paint);
      }
      return 0;
    }
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vek::win
