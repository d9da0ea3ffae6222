#include "dock/win/FrmMain.h"

#include <windowsx.h>

#include "dock/placeholder_ring.h"
#include "dock/win/screen_win.h"
#include "icons/win/item_images.h"

namespace vek {

FrmMain::~FrmMain() { Unload(); }

bool FrmMain::Load() {
  geometry_.screen = win::ReadScreenMetrics();
  const ScreenMetrics& s = geometry_.screen;
  if (!Create(kClassName, L"VEK Desktop", WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW,
              s.WorkArea.left, s.WorkArea.top, s.ScreenWidth, s.ScreenHeight, nullptr))
    return false;
  // IniForm: the window is layered (the style is kept whatever else it holds).
  SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
  geometry_.CalcDockParam(app_.model.Settings);
  geometry_.CalcMinimizedPos(app_.model.Settings.MinimizedPosition, app_.model.Settings.MaxIconSize);
  return surface_.CreateGraphic(hwnd(), s.ScreenWidth, s.ScreenHeight);
}

void FrmMain::Unload() {
  surface_.DeleteGraphic();
  images_.ReleaseImages();
  Destroy();
}

void FrmMain::Show() {
  if (hwnd()) ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void FrmMain::LoadAllImages(HMODULE resources) {
  FillFreeRingPositions(app_.model, app_.folders);
  win::ImageLoader loader{app_.model, app_.fs, app_.folders, images_, geometry_,
                          resources ? resources : GetModuleHandleW(nullptr)};
  win::LoadAllImages(loader);
  // The ring image's size decides the centre's boxes.
  geometry_.CalcDockParam(app_.model.Settings);
  surface_.Invalidate();
}

void FrmMain::DockFocus(bool isGetFocus) {
  IniIconParam();
  if (isGetFocus) DockNormal(false);
}

void FrmMain::IniIconParam() { vek::IniIconParam(app_.model, slots_); }

void FrmMain::CalcDockParam(int mode) {
  geometry_.CalcDockParam(app_.model.Settings);
  switch (mode) {
    case 0: DockNormal(false); break;
    case 1: DockSizeChange(); break;
    case 2: RebuildSizeCache(2); break;
    default: break;
  }
}

void FrmMain::CalcMinimizedPos(int position) {
  geometry_.CalcMinimizedPos(position, app_.model.Settings.MaxIconSize);
}

DockView FrmMain::View() const {
  DockView view{geometry_, app_.model.Settings, slots_,
                app_.model.Items.empty() ? std::string() : app_.model.Items[pool::kCentre].Title.Trimmed()};
  view.selIndex = selIndex_;
  view.keyMode = keyMode_;
  view.dragSlot = isDragging_ ? dragSlot_ : -1;
  view.dockState = dockState_;
  return view;
}

void FrmMain::DockNormal(bool noUpdate) {
  if (!PaintDockNormal(frame_, View())) return;
  if (!noUpdate) UpdateGDIPlus();
}

void FrmMain::DockAction(bool isMouseDown) {
  if (!PaintDockAction(frame_, View(), isMouseDown)) return;
  UpdateGDIPlus();
}

void FrmMain::DockSizeChange() {
  dockState_ = dock_state::kShown;
  PaintDockSizeChange(frame_, View());
  UpdateGDIPlus();
}

void FrmMain::RebuildSizeCache(int variant) { win::RebuildSizeCache(images_, geometry_, variant); }

void FrmMain::ExUpdateGDIPlus(BYTE shwAlpha) { surface_.Present(frame_, images_, shwAlpha); }

void FrmMain::ClearGraphics(uint32_t argb) {
  frame_.background = argb;
  frame_.ops.clear();
}

void FrmMain::DrawIcon(int imageIndex, int variant, int x, int y, int w, int h) {
  frame_.ops.push_back(DrawOp::Image(ImageSet::kItem, imageIndex, variant, x, y, w, h));
}

void FrmMain::DrawSkin(int skinIndex, int variant, int x, int y, int w, int h) {
  frame_.ops.push_back(DrawOp::Image(ImageSet::kSkin, skinIndex, variant, x, y, w, h));
}

void FrmMain::DrawText(const std::string& text, float x, float y) {
  DrawOp op = DrawOp::Text(text, x, y);
  if (!op.text.empty()) frame_.ops.push_back(std::move(op));
}

void FrmMain::Repaint() {
  if (selIndex_ < 1)
    DockNormal(false);
  else
    DockAction(false);
}

void FrmMain::SetKeyMode(bool on) {
  if (keyMode_ == on) return;
  keyMode_ = on;
  if (dockState_ == dock_state::kShown) Repaint();
}

void FrmMain::SelectAt(int32_t x, int32_t y) {
  selIndex_ = geometry_.HitSlot(x, y, ShownSlots(app_.model.Settings));
  if (selIndex_ == -1 || selIndex_ == lastSelIndex_) return;
  lastSelIndex_ = selIndex_;
  if (!isDragging_ && dockState_ != dock_state::kMinimized) DockAction(false);
}

LRESULT FrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      SelectAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case kSetKeyModeMessage:
      SetKeyMode(wParam != 0);
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace vek
