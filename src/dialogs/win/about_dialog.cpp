#include "dialogs/win/about_dialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "dialogs/win/dialog_ids.h"
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

void AboutDialog::Show() {
  if (IsOpen()) return;
  // The link labels are common controls of their own class.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);
  modal_.Run(*this, IDD_ABOUT, owner_ ? owner_() : nullptr);
}

BOOL AboutDialog::OnInit() {
  const std::string version = ProgramVersionText();
  SetText(IDC_ABOUT_TEXT, "VEK Desktop" + (version.empty() ? std::string() : " " + version) +
                              "\r\nA program launcher for the Windows desktop.\r\n\u00A9 Kestrovan. All rights reserved.");
  SetText(IDC_ABOUT_OS, windowsVersion_);
  SetText(IDC_ABOUT_WEB, std::string("Website: <a>") + kMakerWebsite + "</a>");
  SetText(IDC_ABOUT_MAIL, std::string("Support: <a>") + kMakerSupport + "</a>");
  return TRUE;
}

INT_PTR AboutDialog::OnMessage(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return FALSE;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code != NM_CLICK && header->code != NM_RETURN) return FALSE;
  std::string address;
  if (header->idFrom == IDC_ABOUT_WEB)
    address = kMakerWebsite;
  else if (header->idFrom == IDC_ABOUT_MAIL)
    address = std::string("mailto:") + kMakerSupport + "?subject=Help";
  else
    return FALSE;
  ShellExecuteW(hwnd(), L"open", win::Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return TRUE;
}

}  // namespace vek
