#include "tray/win/FrmTray.h"

namespace vek {

bool FrmTray::Load() {
  // A real top-level window (never shown): message-only windows do not receive the
  // session-end messages.
  return Create(kClassName, L"VEK Desktop Tray", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0,
                nullptr, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
}

LRESULT FrmTray::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (app_.program) app_.program->ExitProgram();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends once this returns: save while we still can. With a modal window
      // open the windows stay (the code waiting on it still uses them); the files are
      // written all the same.
      if (wParam && app_.program) {
        if (app_.modal.open())
          app_.program->SaveAll();
        else
          app_.program->ExitProgram();
      }
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vek
