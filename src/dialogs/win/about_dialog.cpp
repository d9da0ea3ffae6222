#include "dialogs/win/about_dialog.h"

#include <vector>

#include "dialogs/win/dialog_ids.h"
#include "launch/win/system_services_win.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"

namespace vek {

std::string ProgramVersionText() {
  const std::wstring self = win::Wide(win::ProgramPath());
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(self.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(self.c_str(), 0, size, data.data())) return {};
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info) return {};
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

namespace {
constexpr COLORREF kLinkColour = RGB(0, 102, 204);
}  // namespace

void AboutDialog::Show() {
  if (IsOpen()) return;
  modal_.Run(*this, IDD_ABOUT, owner_ ? owner_() : nullptr);
}

BOOL AboutDialog::OnInit() {
  const std::string version = ProgramVersionText();
  SetText(IDC_ABOUT_TEXT, "VEK Desktop" + (version.empty() ? std::string() : " " + version) +
                              "\r\nA program launcher for the Windows desktop.\r\n\u00A9 Kestrovan. All rights reserved.");
  SetText(IDC_ABOUT_OS, windowsVersion_);
  SetText(IDC_ABOUT_WEB, std::string("Website: ") + kMakerWebsite);
  SetText(IDC_ABOUT_MAIL, std::string("Support: ") + kMakerSupport);
  LOGFONTW font{};
  const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  if (dialogFont && GetObjectW(dialogFont, sizeof(font), &font)) {
    font.lfUnderline = TRUE;
    underlined_.reset(CreateFontIndirectW(&font));
  }
  return TRUE;
}

void AboutDialog::OnClosing() {
  Underline(0);
  underlined_.reset();
}

void AboutDialog::Underline(int id) {
  if (id == underlinedId_) return;
  const auto plain = static_cast<WPARAM>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
  for (const int label : {IDC_ABOUT_WEB, IDC_ABOUT_MAIL}) {
    const bool on = label == id && underlined_;
    SendMessageW(Item(label), WM_SETFONT, on ? reinterpret_cast<WPARAM>(underlined_.get()) : plain, TRUE);
  }
  underlinedId_ = id;
}

bool AboutDialog::OnCommand(int id, int code) {
  if (id == IDOK) {
    Close(IDOK);
    return true;
  }
  if (code != STN_CLICKED || (id != IDC_ABOUT_WEB && id != IDC_ABOUT_MAIL)) return false;
  const std::string address =
      id == IDC_ABOUT_WEB ? std::string(kMakerWebsite) : std::string("mailto:") + kMakerSupport + "?subject=Help";
  win::Win32ShellRunner().Execute("open", address, "", "", SW_SHOWNORMAL);  // a refusal is logged
  return true;
}

INT_PTR AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    // Every window under the pointer asks its dialog for the cursor first: a link label
    // is underlined and shows the hand, anything else takes the underline away.
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
    const bool link = reinterpret_cast<HWND>(wParam) != hwnd() && (id == IDC_ABOUT_WEB || id == IDC_ABOUT_MAIL);
    Underline(link ? id : 0);
    if (!link) return FALSE;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, TRUE);
    return TRUE;
  }
  if (message == WM_CTLCOLORSTATIC) {
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id != IDC_ABOUT_WEB && id != IDC_ABOUT_MAIL) return FALSE;
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, kLinkColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return FALSE;
}

}  // namespace vek
