#include "platform/win/modal_input.h"

namespace vek::win {

bool RefusedWhileModal(ModalState& modal, HWND window, UINT message) {
  if (!modal.open()) return false;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      modal.Refuse();
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (GetCapture() == window) ReleaseCapture();
      return true;
    default:
      return false;
  }
}

}  // namespace vek::win
