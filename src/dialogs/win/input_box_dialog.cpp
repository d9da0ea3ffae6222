#include "dialogs/win/input_box_dialog.h"

#include "core/model.h"
#include "core/stored_text.h"
#include "dialogs/input_box.h"
#include "dialogs/win/dialog_ids.h"
#include "platform/win/text_win.h"

namespace vek {

std::optional<std::string> InputBoxDialog::InputText(const std::string& prompt, const std::string& title,
                                                     const std::string& defaultText) {
  InputPrompt = prompt;
  InputTitle = title;
  InputValue = defaultText;
  typed_.reset();
  modal_.Run(*this, IDD_INPUT, owner_ ? owner_() : nullptr);
  if (!typed_) return std::nullopt;
  return AcceptedInput(typed_, defaultText);
}

BOOL InputBoxDialog::OnInit() {
  // Above the dock and whatever the drop came from.
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (!InputTitle.empty()) SetWindowTextW(hwnd(), win::Wide(InputTitle).c_str());
  SetText(IDC_INPUT_PROMPT, InputPrompt);
  SetText(IDC_INPUT_TEXT, InputValue);
  const HWND field = Item(IDC_INPUT_TEXT);
  // Every name asked for here is a title: the field holds no more than the file keeps.
  SendMessageW(field, EM_LIMITTEXT, width::kTitle, 0);
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
  SetForegroundWindow(hwnd());
  // The focus is set here.
  return FALSE;
}

bool InputBoxDialog::OnCommand(int id, int code) {
  (void)code;
  if (id == IDOK) {
    std::string typed = Text(IDC_INPUT_TEXT);
    // The default given back (a blank answer) is the caller's own text, never refused.
    const auto refusal = AcceptedInput(typed, InputValue) == InputValue ? std::nullopt
                                                                         : UnstorableTextMessage(typed, codec_);
    if (refusal) {
      // Owned by the box, which is topmost, so that the message is never hidden under it.
      MessageBoxW(hwnd(), win::Wide(*refusal).c_str(), L"VEK Desktop", MB_OK | MB_ICONEXCLAMATION);
      const HWND field = Item(IDC_INPUT_TEXT);
      SetFocus(field);
      SendMessageW(field, EM_SETSEL, 0, -1);
      return true;
    }
    typed_ = std::move(typed);
    Close(IDOK);
    return true;
  }
  return false;
}

}  // namespace vek
