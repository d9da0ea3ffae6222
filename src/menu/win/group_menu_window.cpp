#include "menu/win/group_menu_window.h"

#include <windowsx.h>
#include <imm.h>

#include <algorithm>

#include "dock/dock_controller.h"
#include "dock/win/dock_window.h"
#include "dock/win/screen_win.h"
#include "platform/win/modal_input.h"

namespace vek {

namespace {
// Pictures decoded between two repaints while a page fills in.
constexpr size_t kPicturesPerStep = 6;

// Keys whose repeats the menu follows while they are held.
bool IsMovingKey(int key) {
  return key == menu_key::kUp || key == menu_key::kDown || key == menu_key::kPageUp || key == menu_key::kPageDown;
}
}  // namespace

GroupMenuWindow::~GroupMenuWindow() { Unload(); }

bool GroupMenuWindow::Load() {
  // The menu covers exactly what the dock covers, so both share one coordinate system.
  const ScreenMetrics s = win::ReadScreenMetrics();
  workArea_ = s.WorkArea;
  if (!Create(kClassName, L"VEK Desktop Menu", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW, s.WorkArea.left,
              s.WorkArea.top, s.ScreenWidth, s.ScreenHeight, nullptr))
    return false;
  // Letter keys arrive as plain key messages, never through an input method.
  ImmAssociateContext(hwnd(), nullptr);
  // Hidden, the window needs no screen of pixels.
  const PixelRect hidden{0, 0, 1, 1};
  if (!surface_.CreateGraphic(hwnd(), s.ScreenWidth, s.ScreenHeight, hidden)) return false;
  surface_.CreatePlainFont(L"Arial", 12);
  surface_.Place(hidden, POINT{workArea_.left, workArea_.top});
  surface_.Present(DockFrame{}, images_, 255);
  // Once start-up is over and the messages run, the first menu need not make them.
  PostMessageW(hwnd(), kPreparePartsMessage, 0, 0);
  return true;
}

void GroupMenuWindow::FollowScreen(const ScreenMetrics& screen) {
  CloseMenu(false);
  workArea_ = screen.WorkArea;
  SetRowsPerPage(screen.ScreenHeight);
}

void GroupMenuWindow::Unload() {
  if (hwnd()) {
    KillTimer(hwnd(), menu_timer::kForegroundWatch);
    KillTimer(hwnd(), menu_timer::kHighlightWatch);
  }
  surface_.DeleteGraphic();
  Destroy();
}

void GroupMenuWindow::Present(const DockFrame& frame, int alpha) {
  const PixelRect whole{0, 0, workArea_.width(), workArea_.height()};
  PixelRect drawn;
  for (const DrawOp& op : frame.ops) drawn = drawn.Union(surface_.Bounds(op, images_));
  drawn = drawn.Intersection(whole);
  if (menuArea_.empty()) menuArea_ = Inflated(drawn, 2).Intersection(whole);
  surface_.Place(ChooseWindowArea(surface_.area(), menuArea_, drawn, whole), POINT{workArea_.left, workArea_.top});
  surface_.Present(frame, images_, static_cast<BYTE>(std::clamp(alpha, 0, 255)));
}

void GroupMenuWindow::ShowOnTop() {
  if (!hwnd()) return;
  attempted_.clear();
  ShowWindow(hwnd(), SW_SHOW);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd());
  SetFocus(hwnd());
}

void GroupMenuWindow::HideToBottom() {
  if (!hwnd()) return;
  capture_.Release(hwnd());
  ShowWindow(hwnd(), SW_HIDE);
  SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  pending_.clear();
  // The next menu paints before it is shown: its pictures, which a reset may have let
  // go since, are asked for anew.
  attempted_.clear();
  menuArea_ = PixelRect{};  // the next menu opens elsewhere
}

void GroupMenuWindow::EnableTimer(int timer, bool on) {
  if (!hwnd()) return;
  if (on)
    SetTimer(hwnd(), static_cast<UINT_PTR>(timer), 100, nullptr);
  else
    KillTimer(hwnd(), static_cast<UINT_PTR>(timer));
}

void GroupMenuWindow::CursorPosition(int& x, int& y) {
  POINT p{};
  GetCursorPos(&p);
  x = p.x - workArea_.left;
  y = p.y - workArea_.top;
}

bool GroupMenuWindow::PictureReady(int32_t image) { return images_.Get(ImageSet::kItem, image, 4) != nullptr; }

void GroupMenuWindow::RequestPictures(const std::vector<int32_t>& items) {
  for (int32_t item : items) {
    if (attempted_.count(item) || std::find(pending_.begin(), pending_.end(), item) != pending_.end()) continue;
    pending_.push_back(item);
  }
  if (pending_.empty() || decodePosted_ || !hwnd()) return;
  decodePosted_ = PostMessageW(hwnd(), kDecodePicturesMessage, 0, 0) != FALSE;
}

void GroupMenuWindow::DecodeSomePictures() {
  decodePosted_ = false;
  if (pending_.empty()) return;
  const size_t n = std::min(pending_.size(), kPicturesPerStep);
  for (size_t i = 0; i < n; ++i) {
    attempted_.insert(pending_[i]);
    if (loadItemPicture_) loadItemPicture_(pending_[i]);
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(n));
  // Repainting asks again for whatever is still missing on the page.
  controller_.PicturesArrived();
}

LRESULT GroupMenuWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Under an open question or dialog the menu only brings that window to the front.
  if (win::RefusedWhileModal(modal_, hwnd(), message)) return 0;
  // The window covers only part of the work area: its client pixels start there.
  const int x = GET_X_LPARAM(lParam) + surface_.area().left;
  const int y = GET_Y_LPARAM(lParam) + surface_.area().top;
  switch (message) {
    case WM_MOUSEMOVE:
      controller_.MouseMove((wParam & MK_LBUTTON) != 0, x, y);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      // A member dragged out is released over pixels that let the mouse through.
      capture_.Take(hwnd());
      controller_.MouseDown(win::ButtonOf(message), x, y);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const int button = win::ButtonOf(message);
      // A member's drag keeps the mouse through another button's click; otherwise the
      // mouse goes before the click acts, so that a window it opens gets the mouse.
      if (!controller_.KeepsCaptureAfter(button)) capture_.Release(hwnd());
      const bool wasShown = controller_.SubMenuShown();
      controller_.MouseUp(button, x, y);
      // A left click that closed the menu carried out a row: a double click's second
      // press, landing on what lay beneath, must not act as well.
      if (message == WM_LBUTTONUP && wasShown && !controller_.SubMenuShown()) win::NoteActingClick();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (capture_.TakenAway(hwnd(), lParam)) controller_.CaptureLost();
      return 0;
    case WM_MOUSEWHEEL:
      controller_.Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_SYSKEYDOWN:
      // Keys come with Alt still held from Alt+Space and act as on the ring; Alt+F4 stays
      // the window's close.
      if (wParam == VK_F4) return Window::HandleMessage(message, wParam, lParam);
      [[fallthrough]];
    case WM_KEYDOWN:
      // A held key repeats. The arrows and page keys keep moving, but a held letter, such
      // as the ring's key that opened this menu, must not go on to choose a member.
      if ((lParam & (1 << 30)) != 0 && !IsMovingKey(static_cast<int>(wParam))) return 0;
      controller_.KeyDown(static_cast<int>(wParam));
      return 0;
    case WM_SYSCHAR:
      return 0;  // no system-menu beep for the letters above
    case WM_TIMER:
      controller_.TimerTick(static_cast<int>(wParam));
      return 0;
    case WM_CLOSE:
      // Alt+F4 closes the open menu as Esc does; the window stays for the next menu.
      controller_.CloseMenu(false);
      return 0;
    case kPreparePartsMessage:
      surface_.PrepareSprites(CommonMenuParts(controller_.rowsPerPage()), images_);
      return 0;
    case kDecodePicturesMessage:
      DecodeSomePictures();
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vek
