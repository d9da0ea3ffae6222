#include "dialogs/win/user_identity_win.h"

#include "icons/win/icon_extraction.h"

namespace vek {

UserIdentityDialogue::UserIdentityDialogue(win::ModalWindows& modal, UserIdentityServices services,
                                           std::function<HWND()> dock)
    : services_(std::move(services)) {
  services_.chooseFile = [&modal, dock = std::move(dock)](const FileDialogRequest& request) {
    return modal.ShowFileDialog(dock ? dock() : nullptr, request);
  };
  services_.writePicture = [](const std::string& source, const std::string& dest, int side) {
    return win::ConvertImageFile(source, dest, true, side, side);
  };
}

void UserIdentityDialogue::Change() {
  if (running_) return;
  running_ = true;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{running_};
  ChangeUserIdentity(services_);
}

}  // namespace vek
