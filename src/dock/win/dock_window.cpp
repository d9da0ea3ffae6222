#include "dock/win/dock_window.h"

#include <windowsx.h>
#include <imm.h>

#include <algorithm>
#include <utility>

#include "core/config_files.h"
#include "dock/win/screen_win.h"
#include "icons/win/item_images.h"
#include "platform/log.h"
#include "platform/win/modal_input.h"

namespace vek {

namespace {
// Posted by a drop so that its questions run after the drag source has its answer.
constexpr UINT kRunDropMessage = WM_APP + 25;
// Posted for each picture decoded after the first frame.
constexpr UINT kLoadLaterPictureMessage = WM_APP + 26;
// Posted once for a burst of display and work-area changes.
constexpr UINT kFollowScreenMessage = WM_APP + 27;
// Posted from the thread that watches the Recycle Bin when its answer changes.
constexpr UINT kRecycleBinChangedMessage = WM_APP + 28;

// The part of the screen the windows cover, in screen coordinates.
PixelRect CoveredArea(const ScreenMetrics& s) {
  return PixelRect{s.WorkArea.left, s.WorkArea.top, s.WorkArea.left + s.ScreenWidth, s.WorkArea.top + s.ScreenHeight};
}
}  // namespace

DockWindow::~DockWindow() { Unload(); }

bool DockWindow::Load() {
  geometry_.screen = win::ReadScreenMetrics();
  const ScreenMetrics& s = geometry_.screen;
  // Double clicks are told apart so that one on an icon starts its program once.
  if (!Create(kClassName, L"VEK Desktop", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW,
              s.WorkArea.left, s.WorkArea.top, s.ScreenWidth, s.ScreenHeight, nullptr, nullptr,
              CS_DBLCLKS))
    return false;
  // The window stays layered whatever else its style holds: the frame is pushed with
  // per-pixel alpha.
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
  geometry_.Relayout(parts_.model.Settings);
  geometry_.CalcMinimizedPos(parts_.model.Settings.MinimizedPosition, parts_.model.Settings.MaxIconSize);
  // Letter keys arrive as plain key messages, never through an input method.
  ImmAssociateContext(hwnd(), nullptr);
  if (!backdrop_.Load(CoveredArea(s), hwnd(), [this](UINT message, WPARAM wParam, int x, int y) {
        BackdropMouse(message, wParam, x, y);
      }))
    return false;
  return surface_.CreateGraphic(hwnd(), s.ScreenWidth, s.ScreenHeight);
}

void DockWindow::Unload() {
  if (dropTarget_) {
    if (hwnd()) RevokeDragDrop(hwnd());
    if (backdrop_.hwnd()) RevokeDragDrop(backdrop_.hwnd());
  }
  if (hwnd()) {
    for (int timer = dock_timer::kSelection; timer <= dock_timer::kAutoHide; ++timer) KillTimer(hwnd(), timer);
  }
  surface_.DeleteGraphic();
  images_.ReleaseImages();
  backdrop_.Destroy();
  Destroy();
}

void DockWindow::AcceptDrops(ItemCreation& items, ItemPictures& pictures, UserPrompt& prompt, TextPrompt& input) {
  if (!hwnd() || dropTarget_) return;
  drops_ = std::make_unique<DropController>(DropServices{parts_.model, geometry_, slots_, controller_.state(), *this,
                                                         *this, items, pictures, prompt, input, parts_.modal});
  dropTarget_ = std::make_unique<win::DockDropTarget>(*drops_, [this](POINT p) {
    return POINT{p.x - geometry_.screen.WorkArea.left, p.y - geometry_.screen.WorkArea.top};
  });
  if (const HRESULT hr = RegisterDragDrop(hwnd(), dropTarget_.get()); FAILED(hr)) {
    WriteLog("the dock takes no drops: error " + HexCode(static_cast<uint32_t>(hr)));
    dropTarget_.reset();
    drops_.reset();
    return;
  }
  // Files dragged over the dimmed screen reach the dock as they would over its own window.
  if (backdrop_.hwnd()) {
    const HRESULT hr = RegisterDragDrop(backdrop_.hwnd(), dropTarget_.get());
    if (FAILED(hr)) WriteLog("the backdrop takes no drops: error " + HexCode(static_cast<uint32_t>(hr)));
  }
}

void DockWindow::ShowDropPicture(int skinIndex, int x, int y) {
  DockNormal(true);
  // The 48 x 48 picture (kept pre-scaled), centred on the pointer.
  if (skinIndex >= 0) FrameWriter(frame_).Skin(skinIndex, 1, x - 24, y - 24);
  PushFrame();
}

std::function<void()> DockWindow::RecycleBinChangeNotice() const {
  return [window = hwnd()] { PostMessageW(window, kRecycleBinChangedMessage, 0, 0); };
}

void DockWindow::RunDropLater() { PostMessageW(hwnd(), kRunDropMessage, 0, 0); }

void DockWindow::SaveMenu() {
  if (parts_.saveMenu) parts_.saveMenu();
}

bool DockWindow::RefusedWhileModal(UINT message) {
  return win::RefusedWhileModal(parts_.modal, hwnd(), message);
}

void DockWindow::Show() {
  if (!hwnd()) return;
  // Shown active, as the focus watch expects the dock to start in front of the user;
  // then behind all windows, where the dock lies outside key mode.
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  ToBottom(true);
}

win::ImageLoader DockWindow::Loader(HMODULE resources) {
  return win::ImageLoader{parts_.model, parts_.fs, parts_.folders, images_, geometry_.IconSizes,
                          geometry_.BorderSize, resources ? resources : GetModuleHandleW(nullptr),
                          geometry_.CentreMagnifiedSize()};
}

void DockWindow::AfterImagesLoaded() {
  geometry_.Relayout(parts_.model.Settings);
  surface_.Invalidate();
}

void DockWindow::LoadAllImages(HMODULE resources) {
  win::ImageLoader loader = Loader(resources);
  win::LoadAllImages(loader);
  laterPictures_.clear();
  startPass_.reset();
  AfterImagesLoaded();
}

void DockWindow::LoadShownImages() {
  startPass_ = std::make_unique<win::PassPictures>(parts_.model);
  win::ImageLoader loader = Loader(nullptr);
  loader.pass = startPass_.get();
  const int shown = ShownSlots(parts_.model.Settings);
  win::LoadShownImages(loader, shown);
  laterPictures_ = win::PicturesShownLater(parts_.model, shown);
  AfterImagesLoaded();
}

void DockWindow::LoadRestLater() {
  if (hwnd() && !laterPictures_.empty()) PostMessageW(hwnd(), kLoadLaterPictureMessage, 0, 0);
}

void DockWindow::LoadNextLaterPicture() {
  if (laterPictures_.empty()) {
    startPass_.reset();
    return;
  }
  const int index = laterPictures_.back();
  laterPictures_.pop_back();
  if (index == pool::kCentre) {
    LoadItemIcon(index);
  } else if (hwnd()) {
    win::ImageLoader loader = Loader(nullptr);
    loader.pass = startPass_.get();
    win::LoadItemIcon(loader, index);
  }
  if (laterPictures_.empty()) startPass_.reset();
  // A slot that turned to this picture meanwhile was drawn without it.
  if (std::find(slots_.SlotIcon.begin(), slots_.SlotIcon.end(), index) != slots_.SlotIcon.end()) Repaint();
  LoadRestLater();
}

void DockWindow::LoadItemIcon(int index) {
  if (!hwnd()) return;
  win::ImageLoader loader = Loader(nullptr);
  // The centre is cut round to the ring and has a magnified variant of its own.
  if (index == pool::kCentre)
    win::LoadCentreImage(loader);
  else
    win::LoadItemIcon(loader, index);
}

void DockWindow::Activate(bool paintRing) { controller_.Activate(paintRing); }

void DockWindow::RefreshSlots() { vek::FillSlots(parts_.model, slots_); }

void DockWindow::Relayout(AfterRelayout after) {
  geometry_.Relayout(parts_.model.Settings);
  switch (after) {
    case AfterRelayout::PaintRing: DockNormal(false); break;
    case AfterRelayout::QuickResize: DockSizeChange(); break;
    case AfterRelayout::RebuildMagnified: RebuildSizeCache(2); break;
    case AfterRelayout::Nothing: break;
  }
}

ScreenMetrics DockWindow::MeasureScreen() {
  const ScreenMetrics now = win::ReadScreenMetrics();
  if (hwnd() && now != geometry_.screen) {
    backdrop_.Cover(CoveredArea(now));
    surface_.SetLayoutWidth(now.ScreenWidth);
  }
  geometry_.screen = now;
  return now;
}

void DockWindow::FollowScreen() {
  const ScreenMetrics was = geometry_.screen;
  const ScreenMetrics& s = geometry_.screen;
  if (MeasureScreen() == was) return;
  WriteLog("the screen changed: the ring now lies on " + std::to_string(s.ScreenWidth) + " x " +
           std::to_string(s.ScreenHeight) + " pixels");
  AppSettings& settings = parts_.model.Settings;
  settings.MaxRadius = ScreenForSettings(s).maxRadius;
  geometry_.Relayout(settings);
  geometry_.CalcMinimizedPos(settings.MinimizedPosition, settings.MaxIconSize);
  if (screenChanged_) screenChanged_(s);
  switch (controller_.state().Visibility) {
    case DockState::Shown: Repaint(); break;
    case DockState::Minimised: PaintMinimized(); break;
    case DockState::Hidden: break;
  }
}

void DockWindow::CalcMinimizedPos(MinimizedPosition position) {
  geometry_.CalcMinimizedPos(position, parts_.model.Settings.MaxIconSize);
}

DockView DockWindow::View() const {
  DockView view{geometry_, parts_.model.Settings, slots_,
                parts_.model.Items.empty() ? std::string() : parts_.model.Items[pool::kCentre].Title};
  const DockInteraction& state = controller_.state();
  view.selIndex = state.SelIndex;
  view.keyMode = state.KeyMode;
  view.dragSlot = state.IsDragging ? state.DragSlot : -1;
  view.dockState = state.Visibility;
  return view;
}

void DockWindow::DockNormal(bool noUpdate) {
  if (!PaintDockNormal(frame_, View())) return;
  if (!noUpdate) PushFrame();
}

void DockWindow::DockAction(bool isMouseDown) {
  if (!PaintDockAction(frame_, View(), isMouseDown)) return;
  PushFrame();
}

void DockWindow::DockSizeChange() {
  // A hidden or minimised dock (the settings opened from the tray) stays as it is: its
  // new size shows when it is next shown.
  if (controller_.state().Visibility != DockState::Shown) return;
  PaintDockSizeChange(frame_, View());
  PushFrame();
}

void DockWindow::RebuildSizeCache(int variant) {
  if (variant < 1 || variant > kSizeVariants) return;
  win::RebuildSizeCache(images_, variant, geometry_.IconSizes[variant]);
  if (variant <= 2) win::RemakeCentreMagnified(images_, geometry_.CentreMagnifiedSize(), geometry_.BorderSize);
}

void DockWindow::PushFrame(BYTE alpha) {
  if (wholeScreen_) {
    PlaceFor(frame_);
    surface_.Present(frame_, images_, alpha);
    return;
  }
  // The backdrop's window shows the background, the dock's window the rest over clear
  // pixels: what the screen shows is the same, since "over" composition is associative.
  const uint32_t background = std::exchange(frame_.background, 0u);
  PlaceFor(frame_);
  surface_.Present(frame_, images_, alpha);
  frame_.background = background;
  backdrop_.Present(BackdropLook{background, alpha});
}

void DockWindow::PlaceFor(const DockFrame& frame) {
  const ScreenMetrics& s = geometry_.screen;
  const PixelRect whole{0, 0, s.ScreenWidth, s.ScreenHeight};
  PixelRect drawn;
  for (const DrawOp& op : frame.ops) drawn = drawn.Union(surface_.Bounds(op, images_));
  drawn = drawn.Intersection(whole);
  const PixelRect preferred = controller_.state().Visibility == DockState::Shown
                                  ? RingArea(geometry_, ShownSlots(parts_.model.Settings))
                                  : Inflated(drawn, 2).Intersection(whole);
  const PixelRect area = wholeScreen_ ? whole : ChooseWindowArea(surface_.area(), preferred, drawn, whole);
  surface_.Place(area, POINT{s.WorkArea.left, s.WorkArea.top});
}

void DockWindow::Repaint() {
  if (selIndex() < 1)
    DockNormal(false);
  else
    DockAction(false);
}

void DockWindow::SetKeyMode(bool on) {
  if (on)
    controller_.AltSpace();
  else
    controller_.LeaveKeyMode();
}

void DockWindow::PaintDraggedIcon(int slot, int x, int y) {
  DockNormal(true);
  if (slot < 0 || slot >= kSlotCount) return;
  const int size = parts_.model.Settings.NormalIconSize;
  FrameWriter(frame_).Icon(slots_.SlotIcon[slot], 1, x - RoundHalfEven(size / 2.0),
                           y - RoundHalfEven(size / 2.0));
  PushFrame();
}

void DockWindow::PaintMinimized() {
  FrameWriter frame(frame_);
  frame.Clear(0);
  frame.Icon(pool::kCentre, 1, geometry_.MinIconX, geometry_.MinIconY);
  frame.Skin(skin::kBorder, 1, geometry_.MinBorderX, geometry_.MinBorderY);
  PushFrame(255);
}

void DockWindow::ClearAndPushInvisible() {
  FrameWriter(frame_).Clear(0);
  PushFrame(0);
}

void DockWindow::DockDelEffect(int x, int y) {
  // Five 128-pixel frames of the "DELICON" strip, 25 ms apart.
  for (int i = 0; i < 5; ++i) {
    DockNormal(true);
    DrawOp op = DrawOp::Image(ImageSet::kSkin, skin::kDelIcon, 0, x - 64, y - 64, 128, 128);
    op.srcX = 128 * i;
    op.srcW = 128;
    op.srcH = 128;
    FrameWriter(frame_).Add(op);
    PushFrame();
    Sleep(25);
  }
  win::PumpPendingMessages();
}

void DockWindow::ToBottom(bool quietly) {
  if (!hwnd()) return;
  UINT flags = SWP_NOMOVE | SWP_NOSIZE;
  if (quietly) flags |= SWP_NOACTIVATE | SWP_NOSENDCHANGING;
  SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, flags);
}

void DockWindow::ToTopmost() {
  if (hwnd()) SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void DockWindow::TakeFocus() {
  if (!hwnd()) return;
  const HWND before = GetForegroundWindow();
  if (before && before != hwnd()) keyboardBefore_ = before;
  SetForegroundWindow(hwnd());
  SetFocus(hwnd());
}

void DockWindow::ReturnKeyboard() {
  // The window may have closed or been minimised meanwhile: then the dock keeps it.
  win::GiveKeyboardBack(hwnd(), std::exchange(keyboardBefore_, nullptr));
}

void DockWindow::EnableTimer(int timer, bool on) {
  if (!hwnd()) return;
  static constexpr UINT kIntervals[] = {0, 100, 100, 1000, 1000};
  if (timer < dock_timer::kSelection || timer > dock_timer::kAutoHide) return;
  if (on)
    SetTimer(hwnd(), static_cast<UINT_PTR>(timer), kIntervals[timer], nullptr);
  else
    KillTimer(hwnd(), static_cast<UINT_PTR>(timer));
}

void DockWindow::PumpMessages() { win::PumpPendingMessages(); }

bool DockWindow::OwnWindowInForeground() {
  const HWND foreground = GetForegroundWindow();
  if (!foreground) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  // Every window of this process is one of the program's own forms or its dialogs.
  return process == GetCurrentProcessId();
}

void DockWindow::CursorPosition(int& x, int& y) {
  POINT p{};
  GetCursorPos(&p);
  x = p.x - geometry_.screen.WorkArea.left;
  y = p.y - geometry_.screen.WorkArea.top;
}

int DockWindow::ShiftState() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

void DockWindow::HandleMouse(UINT message, WPARAM wParam, int x, int y) {
  switch (message) {
    case WM_MOUSEMOVE:
      // While a modal window is open hovering still magnifies, but nothing is dragged.
      controller_.MouseMove((wParam & MK_LBUTTON) != 0 && !parts_.modal.open(), x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      // A left press that follows the one before it quickly (a double click's second,
      // which comes as WM_LBUTTONDBLCLK, or a triple click's third) does not act again
      // on the slot the first acted on.
      const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
      const bool continuesRun = left && leftPresses_.Continues();
      // The rest of a run of quick presses whose first carried out a group-menu row
      // does nothing, nor do their releases.
      if (left) swallowingRun_ = win::PressContinuesActingClick() || (swallowingRun_ && continuesRun);
      if (left && swallowingRun_) {
        ignoreLeftRelease_ = true;
        break;
      }
      // The release may happen off the ring, over pixels that let the mouse through.
      capture_.Take(hwnd());
      controller_.MouseDown(win::ButtonOf(message), x, y, continuesRun);
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const int button = win::ButtonOf(message);
      if (message == WM_LBUTTONUP && std::exchange(ignoreLeftRelease_, false)) break;
      // The capture goes with the last button up (a drag survives another button's
      // click), and before the click acts, so that a window it opens gets the mouse.
      if (!controller_.KeepsCaptureAfter(button)) capture_.Release(hwnd());
      controller_.MouseUp(button, x, y);
      break;
    }
    default:
      break;
  }
}

void DockWindow::BackdropMouse(UINT message, WPARAM wParam, int x, int y) {
  if (RefusedWhileModal(message)) return;
  HandleMouse(message, wParam, x, y);
}

LRESULT DockWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (RefusedWhileModal(message)) return 0;
  // The window covers only part of the work area: its client pixels start at that
  // part's corner.
  const int x = GET_X_LPARAM(lParam) + surface_.area().left;
  const int y = GET_Y_LPARAM(lParam) + surface_.area().top;
  if (win::IsPointerMessage(message)) {
    HandleMouse(message, wParam, x, y);
    return 0;
  }
  switch (message) {
    case kRunDropMessage:
      if (drops_) drops_->RunPendingDrop();
      return 0;
    case kLoadLaterPictureMessage:
      LoadNextLaterPicture();
      return 0;
    case WM_CAPTURECHANGED:
      if (capture_.TakenAway(hwnd(), lParam)) controller_.CaptureLost();
      return 0;
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
      // Both come to every top-level window; the dock follows for all of the program's.
      if ((message == WM_DISPLAYCHANGE || wParam == SPI_SETWORKAREA) && !screenChangePosted_)
        screenChangePosted_ = PostMessageW(hwnd(), kFollowScreenMessage, 0, 0) != FALSE;
      return Window::HandleMessage(message, wParam, lParam);
    case kFollowScreenMessage:
      screenChangePosted_ = false;
      FollowScreen();
      return 0;
    case kRecycleBinChangedMessage:
      controller_.TimerTick(dock_timer::kRecycleBin);
      return 0;
    case WM_CLOSE:
      // Another program closing the program's window (an installer, a script): the
      // program exits as its Exit command has it, never leaving a process without a ring.
      controller_.CloseRequested();
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Alt+Space already came as the hotkey (which may have just hidden the dock).
      if (wParam == VK_SPACE && GetKeyState(VK_MENU) < 0 && altSpaceIsHotkey_ && altSpaceIsHotkey_()) return 0;
      controller_.KeyDown(static_cast<int>(wParam), ShiftState());
      // Alt+Space belongs to key mode, not to the system menu.
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      controller_.KeyUp(static_cast<int>(wParam));
      return 0;
    case WM_SYSCHAR:
      return 0;
    case WM_ACTIVATE:
      // The keyboard goes back only to the window the dock took it from without a break.
      // The program's own windows (a group menu opened from key mode, a dialog) are no
      // break: Esc after them still gives it back.
      if (LOWORD(wParam) == WA_INACTIVE && !win::IsOwnProcessWindow(reinterpret_cast<HWND>(lParam))) keyboardBefore_ = nullptr;
      return Window::HandleMessage(message, wParam, lParam);
    case WM_TIMER:
      controller_.TimerTick(static_cast<int>(wParam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      // The dimmed screen stays just beneath the dock wherever the dock goes in the z-order.
      if (backdrop_.shown() && !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER))
        backdrop_.FollowDock();
      return Window::HandleMessage(message, wParam, lParam);
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vek
