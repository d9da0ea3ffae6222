// The one window wrapper of the program: the object is stored in the window at
// WM_NCCREATE and forgotten at WM_NCDESTROY; messages before that go to DefWindowProc,
// and no exception ever leaves the window procedure (it is logged).
#pragma once

#include <windows.h>

namespace vek::win {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  // Destroys the window (harmless when it does not exist).
  void Destroy();

 protected:
  // Registers the class once per process (later calls with the same name do nothing)
  // and creates the window; false when either fails. `classStyle` is the class's CS_
  // style (CS_DBLCLKS for a window that tells a double click's second press apart).
  [[nodiscard]] bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                            int x, int y, int width, int height, HWND owner,
                            HICON icon = nullptr, UINT classStyle = 0);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// True for the pointer's moves and the left, right and middle buttons' presses (a
// double click's second press too) and releases: what the program's windows hand to
// their mouse logic.
bool IsPointerMessage(UINT message);
// The mouse:: button of a button's press or release (the left one for any other message).
int ButtonOf(UINT message);
// True when the window belongs to this process.
bool IsOwnProcessWindow(HWND window);
// The foreground window when it is one of this program's dialogs (or message boxes),
// else null.
HWND OwnDialogInFront();
// The window a message box asked now is owned by: the dialog in front, or a window
// with a MessageOwnership when it is in front; else null.
HWND MessageOwnerInFront();
// For its life, makes a topmost window of the program's own (the search box) own the boxes
// asked while it is in front, as a dialog does: they stand above it and it waits under them.
class MessageOwnership {
 public:
  explicit MessageOwnership(HWND window);
  ~MessageOwnership();
  MessageOwnership(const MessageOwnership&) = delete;
  MessageOwnership& operator=(const MessageOwnership&) = delete;

 private:
  HWND window_;
};
// Gives the keyboard back to `before` while `holder` still has it: not when another
// window took it meanwhile, nor to a window that closed, hid or was minimised since.
void GiveKeyboardBack(HWND holder, HWND before);
// Lets `message` reach `window` from programs with fewer rights (the shell's broadcasts,
// a second start without raised rights). Looked up by name, as Windows Vista has only
// the filter for the whole process; false when neither could be set.
bool AllowMessageFromLowerRights(HWND window, UINT message);

// A window's hold on the mouse while a button is down, so that a release off the window
// (over pixels that let the mouse through) still reaches it. A release the window makes
// itself is told apart from the mouse taken away by another window.
class MouseCapture {
 public:
  void Take(HWND window) {
    if (GetCapture() != window) SetCapture(window);
  }
  void Release(HWND window) {
    if (GetCapture() != window) return;
    releasing_ = true;
    ReleaseCapture();
    releasing_ = false;
  }
  // For WM_CAPTURECHANGED: true when the mouse was taken away rather than let go.
  bool TakenAway(HWND window, LPARAM newHolder) const {
    return !releasing_ && reinterpret_cast<HWND>(newHolder) != window;
  }

 private:
  bool releasing_ = false;
};

// A double click's second press can reach another window than its first: a click on a
// group-menu row closes the menu, and the second press lands on what lay beneath it. The
// window whose left click acted notes it, from the message it is handling; a window given
// a left press asks whether that press is the noted click's second, by the system's
// double-click time and rectangle, and then lets it do nothing. A note answers one press.
void NoteActingClick();
bool PressContinuesActingClick();

// Follows one window's left presses: each press asks whether it comes within the
// system's double-click time and rectangle of the press before it, so that a run of quick
// presses (a double or a triple click) can act once. Windows pairs clicks, so a triple
// click's third press comes as a plain press.
class PressRun {
 public:
  // For the left press being handled: true when it continues the run.
  bool Continues();

 private:
  bool noted_ = false;
  POINT at_{};
  LONG time_ = 0;
};

// Runs the window messages that are waiting, then returns, so that a long operation on
// the UI thread keeps the windows answering. False when WM_QUIT was seen; the quit is
// posted again for the main loop.
bool PumpPendingMessages();

}  // namespace vek::win
