// The user's picture and name dialogue on Windows: the open dialog owned by the dock,
// the picture written as a 128 x 128 PNG by GDI+, the name asked in the input box.
#pragma once

#include <windows.h>

#include <functional>

#include "dialogs/user_identity.h"
#include "dialogs/win/dialog.h"

namespace vek {

class UserIdentityDialogue {
 public:
  // `services` without its chooseFile and writePicture, which this class fills.
  UserIdentityDialogue(win::ModalWindows& modal, UserIdentityServices services, std::function<HWND()> dock);
  // The whole dialogue: a picture, then the name. Nothing while it runs already.
  void Change();

 private:
  UserIdentityServices services_;
  bool running_ = false;
};

}  // namespace vek
