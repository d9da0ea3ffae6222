// The About box: the product and its version, the Windows version, and the maker's web
// site and support address as link labels, underlined while the pointer is over them and
// opened by a click. The focus starts on OK. Modal, owned by the dock.
#pragma once

#include <functional>
#include <string>

#include "dialogs/win/dialog.h"
#include "platform/win/handles.h"

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
  bool OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnClosing() override;

 private:
  // Underlines the link label `id` (0: none) and takes the underline from the other.
  void Underline(int id);

  win::ModalWindows& modal_;
  std::function<HWND()> owner_;
  std::string windowsVersion_;
  win::UniqueFont underlined_;  // the dialog's font, underlined
  int underlinedId_ = 0;
};

// The version of the running program from its version record ("1.6.0.68"); empty when
// it has none.
std::string ProgramVersionText();

}  // namespace vek
