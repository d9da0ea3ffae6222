#include "dialogs/win/getting_started_dialog.h"

#include <string>

#include "dialogs/win/dialog_ids.h"
#include "icons/win/icon_extraction.h"

namespace vek {

namespace {
// The page pictures' size in pixels, and the margin around them.
constexpr int kPageWidth = 520;
constexpr int kPageHeight = 320;
constexpr int kMargin = 10;
}  // namespace

GettingStartedDialog::~GettingStartedDialog() {
  // The window goes before the pictures it draws.
  if (hwnd()) DestroyWindow(hwnd());
}

void GettingStartedDialog::Show() {
  if (IsOpen()) {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    pages_.emplace(settings_.GettingStarted);
    ShowPage();
    return;
  }
  OpenModeless(IDD_STARTED, nullptr);
}

BOOL GettingStartedDialog::OnInit() {
  pages_.emplace(settings_.GettingStarted);
  LayOut();
  ShowPage();
  // The keyboard starts on the default button, so that Space goes on to the next page
  // rather than ticking "Don't show again".
  const HWND next = Item(IDC_STARTED_NEXT);
  FocusButton(IsWindowEnabled(next) ? next : Item(IDCANCEL));
  return FALSE;
}

void GettingStartedDialog::FocusButton(HWND button) {
  // The focused button becomes the default one too: Enter presses it.
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
}

void GettingStartedDialog::LayOut() {
  // The picture at its own size; the buttons in a row below it, the check box at left.
  RECT button{};
  GetWindowRect(Item(IDC_STARTED_NEXT), &button);
  const int bw = button.right - button.left, bh = button.bottom - button.top;
  const int rowY = kMargin + kPageHeight + kMargin;
  MoveWindow(Item(IDC_STARTED_PAGE), kMargin, kMargin, kPageWidth, kPageHeight, FALSE);
  const int right = kMargin + kPageWidth;
  MoveWindow(Item(IDCANCEL), right - bw, rowY, bw, bh, FALSE);
  MoveWindow(Item(IDC_STARTED_NEXT), right - 2 * bw - 6, rowY, bw, bh, FALSE);
  MoveWindow(Item(IDC_STARTED_LAST), right - 3 * bw - 12, rowY, bw, bh, FALSE);
  MoveWindow(Item(IDC_STARTED_DONTSHOW), kMargin, rowY + 2, kPageWidth - 3 * bw - 30, bh - 4, FALSE);
  RECT client{0, 0, right + kMargin, rowY + bh + kMargin};
  AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
  const int w = client.right - client.left, h = client.bottom - client.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  MoveWindow(hwnd(), work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2, w, h,
             TRUE);
}

void GettingStartedDialog::ShowPage() {
  settings_.GettingStarted = GettingStartedState{true, pages_->page()};
  Enable(IDC_STARTED_LAST, pages_->lastEnabled());
  Enable(IDC_STARTED_NEXT, pages_->nextEnabled());
  // A disabled button cannot keep the focus, nor answer Enter.
  const HWND focus = GetFocus();
  if (!focus || !IsWindowEnabled(focus)) FocusButton(Item(pages_->nextEnabled() ? IDC_STARTED_NEXT : IDCANCEL));
  InvalidateRect(Item(IDC_STARTED_PAGE), nullptr, FALSE);
}

bool GettingStartedDialog::OnCommand(int id, int code) {
  (void)code;
  switch (id) {
    case IDC_STARTED_NEXT:
      pages_->Next();
      ShowPage();
      return true;
    case IDC_STARTED_LAST:
      pages_->Last();
      ShowPage();
      return true;
    case IDOK:  // Enter presses the default button, "Next >>"
      if (pages_->nextEnabled()) {
        pages_->Next();
        ShowPage();
      }
      return true;
    default:
      return false;
  }
}

INT_PTR GettingStartedDialog::OnMessage(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_DRAWITEM) return FALSE;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item->CtlID != IDC_STARTED_PAGE) return FALSE;
  const RECT& r = item->rcItem;
  Gdiplus::Graphics graphics(item->hDC);
  const int page = pages_ ? pages_->page() : 0;
  if (page != picturePage_) {
    picture_ = win::LoadPictureBytes(win::LoadResourceBytes(GetModuleHandleW(nullptr), "CUSTOM", "page" + std::to_string(page)));
    picturePage_ = page;
  }
  if (Gdiplus::Bitmap* picture = picture_.get()) {
    graphics.DrawImage(picture, Gdiplus::Rect(r.left, r.top, r.right - r.left, r.bottom - r.top));
  } else {
    FillRect(item->hDC, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
  }
  return TRUE;
}

void GettingStartedDialog::OnClosing() {
  if (pages_) settings_.GettingStarted = pages_->SettingOnClose(Checked(IDC_STARTED_DONTSHOW));
  if (saveSettings_) saveSettings_();
}

}  // namespace vek
