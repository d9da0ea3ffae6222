// The one base of the program's dialogs (templates from the program's resources), and
// the one owner of every modal window: it counts them in the program's ModalState and
// brings the open one to the front when the user reaches for something else.
#pragma once

#include <windows.h>

#include <string>

#include "dialogs/file_dialog_request.h"
#include "platform/modal_state.h"

namespace vek::win {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool IsOpen() const { return hwnd_ != nullptr; }

  // Creates the dialog of `templateId` without waiting for it (nothing when it is open
  // already); false when it cannot be made.
  bool OpenModeless(int templateId, HWND owner);
  // Closes a modal dialog with `result`, or destroys a modeless one.
  void Close(INT_PTR result);

 protected:
  // WM_INITDIALOG: the controls exist. TRUE lets the dialog set the default focus.
  virtual BOOL OnInit() { return TRUE; }
  // A control's command; true when handled.
  virtual bool OnCommand(int id, int code) {
    (void)id;
    (void)code;
    return false;
  }
  // Any other message; TRUE when handled (with the result set by SetResult).
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    (void)message;
    (void)wParam;
    (void)lParam;
    return FALSE;
  }
  // The window is going (modal or modeless), before the handle is forgotten.
  virtual void OnClosing() {}

  void SetText(int id, const std::string& text);
  std::string Text(int id) const;
  void Enable(int id, bool on);
  bool Checked(int id) const;
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

 private:
  friend class ModalWindows;
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

class ModalWindows {
 public:
  explicit ModalWindows(ModalState& state);
  ModalWindows(const ModalWindows&) = delete;
  ModalWindows& operator=(const ModalWindows&) = delete;

  // Runs `dialog` from `templateId` modally, owned by `owner` (disabled meanwhile), and
  // returns its Close result; -1 when the window cannot be made.
  INT_PTR Run(Dialog& dialog, int templateId, HWND owner);
  ModalState& state() { return state_; }

  // The system's open or save dialog, owned by `owner` and counted as a modal window:
  // the chosen path, or empty when cancelled. An initial file name longer than the
  // dialog holds is refused with a message and gives empty.
  std::string ShowFileDialog(HWND owner, const FileDialogRequest& request);

  // Brings this thread's front dialog or message box to the front.
  static void BringOpenWindowToFront();

 private:
  ModalState& state_;
};

}  // namespace vek::win
