// The About box: the product and its version, the Windows version, and the maker's web
// site and support address as links. Modal, owned by the dock.
#pragma once

#include <functional>
#include <string>

#include "dialogs/win/dialog.h"

namespace vek {

// The maker's addresses the About box links to.
constexpr char kMakerWebsite[] = "https://www.kestrovan.com/vekdesktop/";
constexpr char kMakerSupport[] = "support@kestrovan.com";

class AboutDialog : public win::Dialog {
 public:
  AboutDialog(win::ModalWindows& modal, std::function<HWND()> owner, std::string windowsVersionText)
      : modal_(modal), owner_(std::move(owner)), windowsVersion_(std::move(windowsVersionText)) {}

  void Show();

 protected:
  BOOL OnInit() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  win::ModalWindows& modal_;
  std::function<HWND()> owner_;
  std::string windowsVersion_;
};

// The version of the running program from its version record ("1.6.0.68"); empty when
// it has none.
std::string ProgramVersionText();

}  // namespace vek
