#include "dialogs/win/dialog.h"

#include <commdlg.h>

#include <vector>

#include "platform/log.h"
#include "platform/scoped_flag.h"
#include "platform/win/message_loop.h"
#include "platform/win/text_win.h"

namespace vek::win {

Dialog::~Dialog() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

bool Dialog::OpenModeless(int templateId, HWND owner) {
  if (hwnd_) return true;
  modal_ = false;
  const HWND made = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                                       &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
  if (!made) return false;
  AddModelessDialog(made);
  ShowWindow(made, SW_SHOW);
  SetForegroundWindow(made);
  return true;
}

void Dialog::Close(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_)
    EndDialog(hwnd_, result);
  else
    DestroyWindow(hwnd_);
}

void Dialog::SetText(int id, const std::string& text) { SetDlgItemTextW(hwnd_, id, Wide(text).c_str()); }

std::string Dialog::Text(int id) const {
  const HWND control = GetDlgItem(hwnd_, id);
  if (!control) return {};
  std::vector<wchar_t> buffer(static_cast<size_t>(GetWindowTextLengthW(control)) + 1);
  const int n = GetWindowTextW(control, buffer.data(), static_cast<int>(buffer.size()));
  return Utf8(std::wstring_view(buffer.data(), static_cast<size_t>(n > 0 ? n : 0)));
}

void Dialog::Enable(int id, bool on) { EnableWindow(GetDlgItem(hwnd_, id), on ? TRUE : FALSE); }

bool Dialog::Checked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    const INT_PTR result = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      if (!self->modal_) RemoveModelessDialog(hwnd);
      self->hwnd_ = nullptr;
    }
    return result;
  } catch (...) {
    // Nothing may leave a dialog procedure; the dialog goes on as it was.
    LogCaughtFailure("dialog message " + HexCode(message));
    return FALSE;
  }
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit();
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return TRUE;
      if (LOWORD(wParam) == IDCANCEL) {
        Close(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Close(IDCANCEL);
      return TRUE;
    case WM_DESTROY:
      OnClosing();
      return FALSE;
    default:
      return OnMessage(message, wParam, lParam);
  }
}

ModalWindows::ModalWindows(ModalState& state) : state_(state) {
  state_.SetBringToFront(&ModalWindows::BringOpenWindowToFront);
}

INT_PTR ModalWindows::Run(Dialog& dialog, int templateId, HWND owner) {
  if (dialog.hwnd_) return -1;
  ModalState::Scope counted(state_);
  ScopedFlag modal(dialog.modal_);
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, &Dialog::Procedure,
                         reinterpret_cast<LPARAM>(&dialog));
}

namespace {
BOOL CALLBACK FindFrontDialog(HWND hwnd, LPARAM found) {
  wchar_t name[16] = {};
  // Dialogs and message boxes share the system dialog class; the enumeration runs from
  // the top of the z-order, so the first visible one is the front one. A modeless window
  // (getting started) stays clickable above the modal one and is passed over.
  if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, name, 16) && lstrcmpW(name, L"#32770") == 0 &&
      IsWindowEnabled(hwnd) && !win::IsModelessDialog(hwnd)) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

void ModalWindows::BringOpenWindowToFront() {
  HWND front = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindFrontDialog, reinterpret_cast<LPARAM>(&front));
  if (!front) return;
  SetWindowPos(front, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(front);
  FlashWindow(front, TRUE);
}

std::string ModalWindows::ShowFileDialog(HWND owner, const FileDialogRequest& request) {
  const std::wstring initialFile = Wide(request.initialFile);
  if (initialFile.size() > kMaxDialogFileName) {
    ModalState::Scope counted(state_);
    MessageBoxW(owner, L"Filename Length Overflow", L"VEK Desktop - FileDialog Function",
                MB_OK | MB_ICONEXCLAMATION);
    return {};
  }
  const std::wstring filter = Wide(SystemFilterText(request.filter));
  const std::wstring title = Wide(request.title);
  const std::wstring extension = Wide(request.defaultExtension);
  const std::wstring folder = Wide(request.initialFolder);
  // Room for any path the system can hand back; callers check what their files can store.
  std::vector<wchar_t> file(32768, L'\0');
  std::copy(initialFile.begin(), initialFile.end(), file.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // A save dialog must accept a name that does not exist yet; the callers ask their own
  // question before they replace a file. The program's current folder stays where it
  // was: the chosen folder would otherwise be held open and be where relative paths lead.
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | (request.save ? 0 : OFN_FILEMUSTEXIST);

  BOOL chosen = FALSE;
  {
    ModalState::Scope counted(state_);
    chosen = request.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  }
  if (!chosen) {
    if (const DWORD error = CommDlgExtendedError()) {
      WriteLog("The file dialog \"" + request.title + "\" failed with error " + std::to_string(error));
    }
  }
  // The dialog loads many shell libraries; let the system take back what they used.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  return chosen ? Utf8(file.data()) : std::string();
}

}  // namespace vek::win
