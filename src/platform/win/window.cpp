#include "platform/win/window.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <utility>
#include <vector>

#include "platform/log.h"
#include "platform/mouse_buttons.h"
#include "platform/win/message_loop.h"
#include "platform/win/text_win.h"

namespace vek::win {

Window::~Window() { Destroy(); }

void Window::Destroy() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

bool Window::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                    int x, int y, int width, int height, HWND owner, HICON icon,
                    UINT classStyle) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExW(instance, className, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) {
      WriteLog("window class " + Utf8(className) + " not registered: error " + HexCode(GetLastError()));
      return false;
    }
  }
  const HWND created = CreateWindowExW(exStyle, className, title, style, x, y, width, height,
                                       owner, nullptr, instance, this);
  if (!created)
    WriteLog("window " + Utf8(className) + " not created: error " + HexCode(GetLastError()));
  return created != nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  // A handler that fails leaves the message to the default procedure: the program goes
  // on, and the failure is logged.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    LogCaughtFailure("window message " + HexCode(message));
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool IsOwnProcessWindow(HWND window) {
  DWORD process = 0;
  return window && GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

namespace {
thread_local std::vector<HWND> messageOwners;
}  // namespace

MessageOwnership::MessageOwnership(HWND window) : window_(window) {
  if (window_) messageOwners.push_back(window_);
}

MessageOwnership::~MessageOwnership() {
  if (const auto it = std::find(messageOwners.begin(), messageOwners.end(), window_); it != messageOwners.end())
    messageOwners.erase(it);
}

HWND MessageOwnerInFront() {
  const HWND front = GetForegroundWindow();
  if (IsOwnProcessWindow(front) && std::find(messageOwners.begin(), messageOwners.end(), front) != messageOwners.end())
    return front;
  return OwnDialogInFront();
}

HWND OwnDialogInFront() {
  const HWND front = GetForegroundWindow();
  if (!IsOwnProcessWindow(front)) return nullptr;
  wchar_t name[16] = {};
  if (!GetClassNameW(front, name, 16) || std::wstring(name) != L"#32770") return nullptr;
  return front;
}

bool AllowMessageFromLowerRights(HWND window, UINT message) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return false;
  using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
  if (const auto filter = reinterpret_cast<PerWindow>(
          reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx"))))
    return filter(window, message, MSGFLT_ALLOW, nullptr) != FALSE;
  if (const auto filter = reinterpret_cast<PerProcess>(
          reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter"))))
    return filter(message, MSGFLT_ADD) != FALSE;
  return false;
}

void GiveKeyboardBack(HWND holder, HWND before) {
  if (!holder || !before || before == holder || GetForegroundWindow() != holder) return;
  if (IsWindow(before) && IsWindowVisible(before) && !IsIconic(before)) SetForegroundWindow(before);
}

bool IsPointerMessage(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      return true;
    default:
      return false;
  }
}

int ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP: return mouse::kRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP: return mouse::kMiddle;
    default: return mouse::kLeft;
  }
}

namespace {
// The last acting click of this thread's windows: screen point and message time.
struct ActingClick {
  bool noted = false;
  POINT at{};
  LONG time = 0;
};
thread_local ActingClick actingClick;

POINT MessagePoint() {
  const DWORD pos = GetMessagePos();
  return POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
}

// Whether the message being handled comes within the double-click time and rectangle
// of an earlier one at `at` and `time`.
bool FollowsClosely(POINT at, LONG time) {
  const POINT now = MessagePoint();
  const DWORD elapsed = static_cast<DWORD>(GetMessageTime() - time);
  return elapsed <= GetDoubleClickTime() && std::abs(now.x - at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(now.y - at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}
}  // namespace

void NoteActingClick() { actingClick = ActingClick{true, MessagePoint(), GetMessageTime()}; }

bool PressContinuesActingClick() {
  return std::exchange(actingClick.noted, false) && FollowsClosely(actingClick.at, actingClick.time);
}

bool PressRun::Continues() {
  const bool continues = noted_ && FollowsClosely(at_, time_);
  noted_ = true;
  at_ = MessagePoint();
  time_ = GetMessageTime();
  return continues;
}

bool PumpPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    // Getting started answers its keys while a fill lets the messages run, too.
    if (IsModelessDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace vek::win
