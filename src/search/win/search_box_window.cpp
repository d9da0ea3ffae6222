#include "search/win/search_box_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "core/settings_record.h"
#include "icons/win/icon_extraction.h"
#include "launch/win/system_services_win.h"
#include "platform/log.h"
#include "platform/win/text_win.h"

namespace vek {

namespace {
// The box's client size in pixels and where its parts sit.
constexpr int kWidth = kSearchBoxWidth;
constexpr int kHeight = kSearchBoxHeight;
constexpr RECT kEnginePicture{10, 4, 42, 36};
constexpr RECT kField{50, 9, 380, 31};
constexpr RECT kSearchButton{390, 12, 406, 28};
constexpr int kRowTop = 40;  // the click areas of the row: 20 pixels high, the pictures centred
constexpr int kRowStep = 43;
constexpr int kRowLeft = 15;
constexpr int kFieldId = 100;
constexpr UINT kEngineMenuFirst = 1000;
// The parts PartAt tells besides the engines of the row.
constexpr int kOverNothing = -1;
constexpr int kOverEnginePicture = 100;
constexpr int kOverSearchButton = 101;

RECT RowCell(int engine) {
  const int left = kRowLeft + engine * kRowStep;
  return RECT{left, kRowTop, left + kRowStep - 4, kRowTop + 20};
}

bool Inside(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

// A place kept on another screen (a lower resolution since, a monitor gone) would open the
// box beyond the edges: the box comes whole onto the nearest monitor's work area.
POINT PlaceOnNearestWorkArea(int left, int top) {
  const RECT box{left, top, left + kWidth, top + kHeight};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromRect(&box, MONITOR_DEFAULTTONEAREST), &monitor)) return POINT{left, top};
  const RECT& work = monitor.rcWork;
  return POINT{std::clamp<LONG>(left, work.left, std::max<LONG>(work.left, work.right - kWidth)),
               std::clamp<LONG>(top, work.top, std::max<LONG>(work.top, work.bottom - kHeight))};
}

// `picture` as a 16 × 16 premultiplied 32-bit bitmap for a menu entry; null without one.
win::UniqueBitmap MenuPicture(Gdiplus::Bitmap* picture) {
  constexpr int kSide = 16;
  if (!picture) return {};
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  std::memset(bits, 0, kSide * kSide * 4);
  {
    Gdiplus::Bitmap target(kSide, kSide, kSide * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
    Gdiplus::Graphics g(&target);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.DrawImage(picture, Gdiplus::Rect(0, 0, kSide, kSide));
  }
  GdiFlush();
  return bitmap;
}
}  // namespace

bool ShellAddressOpener::OpenAddress(const std::string& addressUtf8, std::string& reason) {
  const int result = win::Win32ShellRunner().Execute("open", addressUtf8, "", "", SW_SHOWNORMAL);
  if (result > 32) return true;
  reason = ShellFailureText(result);
  return false;
}

SearchBoxWindow::SearchBoxWindow(AppSettings& settings, UserPrompt& prompt, std::function<void()> saveSettings)
    : settings_(settings), saveSettings_(std::move(saveSettings)), controller_(settings, opener_, prompt) {}

SearchBoxWindow::~SearchBoxWindow() {
  messageOwner_.reset();
  Destroy();
}

void SearchBoxWindow::LoadPictures() {
  if (searchPicture_) return;
  const HMODULE module = GetModuleHandleW(nullptr);
  for (int i = 0; i < kSearchEngineCount; ++i) {
    const std::string name = "engine" + std::to_string(i);
    engineLarge_[static_cast<size_t>(i)] = win::LoadPictureBytes(win::LoadResourceBytes(module, "CUSTOM", name + "_32"));
    engineSmall_[static_cast<size_t>(i)] = win::LoadPictureBytes(win::LoadResourceBytes(module, "CUSTOM", name + "_16"));
    engineMenuPictures_[static_cast<size_t>(i)] = MenuPicture(engineSmall_[static_cast<size_t>(i)].get());
  }
  searchPicture_ = win::LoadPictureBytes(win::LoadResourceBytes(module, "CUSTOM", "search"));
}

void SearchBoxWindow::Show() {
  if (!IsOpen()) {
    LoadPictures();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const POINT place = PlaceOnNearestWorkArea(settings_.SearchBoxLeft, settings_.SearchBoxTop);
    if (!Create(L"VekSearchBox", L"VEK Desktop Search", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                place.x, place.y, kWidth, kHeight, nullptr)) {
      WriteLog("the search box could not be created");
      return;
    }
    // A failed search's message stands above the topmost box, which waits under it.
    messageOwner_.emplace(hwnd());
    // The window owns its region once it takes it.
    win::UniqueRegion rounded(CreateRoundRectRgn(0, 0, kWidth + 1, kHeight + 1, 6, 6));
    if (rounded && SetWindowRgn(hwnd(), rounded.get(), TRUE)) rounded.release();
    if (!font_)
      font_.reset(CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    field_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                             kField.left, kField.top, kField.right - kField.left, kField.bottom - kField.top, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFieldId)), GetModuleHandleW(nullptr),
                             nullptr);
    SendMessageW(field_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(field_, EM_SETLIMITTEXT, SearchQueryMaxLength(), 0);
    SetWindowLongPtrW(field_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    fieldProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(field_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SearchBoxWindow::FieldProcedure)));
    hover_ = kOverNothing;
    trackingLeave_ = false;
    AddTooltips();
  }
  ShowWindow(hwnd(), SW_SHOW);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(hwnd());
  SetFocus(field_);
}

void SearchBoxWindow::FollowScreen() {
  if (!IsOpen()) return;
  RECT r{};
  GetWindowRect(hwnd(), &r);
  const POINT place = PlaceOnNearestWorkArea(r.left, r.top);
  if (place.x != r.left || place.y != r.top)
    SetWindowPos(hwnd(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SearchBoxWindow::Close() {
  if (!IsOpen()) return;
  RECT r{};
  GetWindowRect(hwnd(), &r);
  settings_.SearchBoxLeft = r.left;
  settings_.SearchBoxTop = r.top;
  if (field_ && fieldProcedure_) SetWindowLongPtrW(field_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProcedure_));
  field_ = nullptr;
  // The tooltips window is owned by the box and goes with it.
  tooltips_ = nullptr;
  messageOwner_.reset();
  Destroy();
  if (saveSettings_) saveSettings_();
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void SearchBoxWindow::Unload() {
  Close();
  for (auto& picture : engineLarge_) picture.reset();
  for (auto& picture : engineSmall_) picture.reset();
  for (auto& picture : engineMenuPictures_) picture.reset();
  searchPicture_.reset();
}

std::string SearchBoxWindow::Query() const {
  if (!field_) return {};
  const int length = GetWindowTextLengthW(field_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(field_, text.data(), length + 1)));
  return win::Utf8(text);
}

void SearchBoxWindow::Act(SearchBoxController::Outcome outcome) {
  if (outcome == SearchBoxController::Outcome::kClose) {
    Close();
  } else if (outcome == SearchBoxController::Outcome::kKeepOpen && IsOpen()) {
    SetForegroundWindow(hwnd());
    SetFocus(field_);
  }
}

LRESULT CALLBACK SearchBoxWindow::FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<SearchBoxWindow*>(GetWindowLongPtrW(field, GWLP_USERDATA));
  const WNDPROC original = self->fieldProcedure_;
  if (message == WM_KEYDOWN) {
    const int key = static_cast<int>(wParam);
    if (key == VK_RETURN || key == VK_ESCAPE || (key >= VK_F1 && key <= VK_F12)) {
      self->Act(self->controller_.Key(key, self->Query()));
      return 0;
    }
  }
  // Enter and Esc were handled on the key press; their characters would only beep.
  if (message == WM_CHAR && (wParam == '\r' || wParam == 27)) return 0;
  return CallWindowProcW(original, field, message, wParam, lParam);
}

void SearchBoxWindow::ShowEngineMenu() {
  const win::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  for (int i = 0; i < kSearchEngineCount; ++i) {
    const UINT id = kEngineMenuFirst + static_cast<UINT>(i);
    AppendMenuW(menu.get(), MF_STRING | (i == controller_.ChosenEngine() ? MF_CHECKED : 0u), id,
                win::Wide(EngineMenuCaption(i)).c_str());
    // Each entry shows its engine's picture from the row beside its name.
    if (const HBITMAP picture = engineMenuPictures_[static_cast<size_t>(i)].get()) {
      MENUITEMINFOW item{};
      item.cbSize = sizeof(item);
      item.fMask = MIIM_BITMAP;
      item.hbmpItem = picture;
      SetMenuItemInfoW(menu.get(), id, FALSE, &item);
    }
  }
  POINT p{kEnginePicture.left + 5, kEnginePicture.top + 28};
  ClientToScreen(hwnd(), &p);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY, p.x, p.y, 0, hwnd(), nullptr));
  if (chosen >= kEngineMenuFirst && chosen < kEngineMenuFirst + static_cast<UINT>(kSearchEngineCount)) {
    controller_.ChooseEngine(static_cast<int32_t>(chosen - kEngineMenuFirst));
    InvalidateRect(hwnd(), nullptr, FALSE);
  }
  if (IsOpen()) SetFocus(field_);
}

int SearchBoxWindow::PartAt(POINT p) {
  if (Inside(kEnginePicture, p)) return kOverEnginePicture;
  if (Inside(kSearchButton, p)) return kOverSearchButton;
  for (int i = 0; i < kSearchEngineCount; ++i)
    if (Inside(RowCell(i), p)) return i;
  return kOverNothing;
}

void SearchBoxWindow::Hover(int part) {
  if (part == hover_) return;
  hover_ = part;
  InvalidateRect(hwnd(), nullptr, FALSE);
  // Told when the pointer leaves the box, so that no frame stays behind.
  if (!trackingLeave_ && part != kOverNothing) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
}

void SearchBoxWindow::AddTooltips() {
  tooltips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!tooltips_) {
    WriteLog("the search box's tooltips could not be created");
    return;
  }
  for (int i = 0; i < kSearchEngineCount; ++i) {
    std::wstring name = win::Wide(kSearchEngines[i].name);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = static_cast<UINT_PTR>(i);
    tool.rect = RowCell(i);
    tool.lpszText = name.data();
    SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void SearchBoxWindow::Click(POINT p) {
  const int part = PartAt(p);
  if (part == kOverEnginePicture) {
    ShowEngineMenu();
    return;
  }
  if (part != kOverNothing) {
    // The box acts on the press and closes: the rest of a double click lands on whatever
    // lies beneath, which must not take it for a click of its own.
    win::NoteActingClick();
    Act(controller_.Search(part == kOverSearchButton ? -1 : part, Query()));
    return;
  }
  // The background drags the box.
  SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
  ReleaseCapture();
  SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void SearchBoxWindow::Paint(HDC dc) {
  RECT client{0, 0, kWidth, kHeight};
  // Drawn off screen first so the box never flickers.
  const win::UniqueMemoryDc memoryDc(CreateCompatibleDC(dc));
  const win::UniqueBitmap bitmap(CreateCompatibleBitmap(dc, kWidth, kHeight));
  if (!memoryDc || !bitmap) return;
  const HDC memory = memoryDc.get();
  const HGDIOBJ old = SelectObject(memory, bitmap.get());
  const win::UniqueBrush back(CreateSolidBrush(RGB(245, 247, 250)));
  FillRect(memory, &client, back.get());
  const win::UniqueBrush edge(CreateSolidBrush(RGB(120, 130, 150)));
  const win::UniqueRegion outline(CreateRoundRectRgn(0, 0, kWidth, kHeight, 6, 6));
  FrameRgn(memory, outline.get(), edge.get(), 1, 1);
  if (hover_ != kOverNothing) {
    // The part under the pointer is framed.
    RECT frame = hover_ == kOverEnginePicture ? kEnginePicture : hover_ == kOverSearchButton ? kSearchButton : RowCell(hover_);
    InflateRect(&frame, 3, 2);
    const win::UniqueBrush fill(CreateSolidBrush(RGB(222, 232, 248)));
    const win::UniqueBrush line(CreateSolidBrush(RGB(70, 120, 200)));
    const win::UniqueRegion shape(CreateRoundRectRgn(frame.left, frame.top, frame.right + 1, frame.bottom + 1, 5, 5));
    FillRgn(memory, shape.get(), fill.get());
    FrameRgn(memory, shape.get(), line.get(), 1, 1);
  }
  {
    Gdiplus::Graphics g(memory);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    if (auto* picture = engineLarge_[static_cast<size_t>(controller_.ChosenEngine())].get())
      g.DrawImage(picture, Gdiplus::Rect(kEnginePicture.left, kEnginePicture.top, 32, 32));
    if (searchPicture_) g.DrawImage(searchPicture_.get(), Gdiplus::Rect(kSearchButton.left, kSearchButton.top, 16, 16));
    for (int i = 0; i < kSearchEngineCount; ++i) {
      const RECT cell = RowCell(i);
      if (auto* picture = engineSmall_[static_cast<size_t>(i)].get())
        g.DrawImage(picture, Gdiplus::Rect(cell.left, cell.top + 2, 16, 16));
    }
  }
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, RGB(60, 60, 70));
  HGDIOBJ oldFont = SelectObject(memory, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
  for (int i = 0; i < kSearchEngineCount; ++i) {
    RECT cell = RowCell(i);
    cell.left += 18;
    const std::wstring key = L"F" + std::to_wstring(i + 1);
    DrawTextW(memory, key.c_str(), -1, &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(memory, oldFont);
  BitBlt(dc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);  // the bitmap is deleted once no DC holds it
}

LRESULT SearchBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      Paint(dc);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && field_) SetFocus(field_);
      return 0;
    case WM_SETFOCUS:
      if (field_) SetFocus(field_);
      return 0;
    case WM_MOUSEMOVE:
      Hover(PartAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}));
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      Hover(kOverNothing);
      return 0;
    case WM_LBUTTONDOWN:
      Click(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return 0;
    case WM_KEYDOWN: {
      const int key = static_cast<int>(wParam);
      if (key == VK_RETURN || key == VK_ESCAPE || (key >= VK_F1 && key <= VK_F12)) {
        Act(controller_.Key(key, Query()));
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      Close();
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace vek
