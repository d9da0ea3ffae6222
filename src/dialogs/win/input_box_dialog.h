// The one-line input box: a prompt, a text field with the default selected, OK and
// Cancel. Modal, owned by the dock (which stays disabled under it) and counted as an
// open modal window. What it asks for is kept in the configuration file, so OK on a
// text the file cannot keep says so and leaves the box open.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "dialogs/win/dialog.h"
#include "platform/ansi_codec.h"
#include "platform/text_prompt.h"

namespace vek {

class InputBoxDialog : public win::Dialog, public TextPrompt {
 public:
  // `owner` gives the window the box belongs to (the dock) when it opens.
  InputBoxDialog(win::ModalWindows& modal, AnsiCodec& codec, std::function<HWND()> owner)
      : modal_(modal), codec_(codec), owner_(std::move(owner)) {}

  std::optional<std::string> InputText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override;

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int code) override;

 private:
  win::ModalWindows& modal_;
  AnsiCodec& codec_;
  std::function<HWND()> owner_;
  std::string InputPrompt, InputTitle, InputValue;
  std::optional<std::string> typed_;
};

}  // namespace vek
