// The thread's message loop, and work that must wait until the message handler that
// asks for it has returned: ending the program from a click must not pull the windows
// and GDI+ away under the handler that is still running (and may draw).
#pragma once

#include <windows.h>

#include <functional>

namespace vek::win {

// Queues `work` to run on this thread once the loop of RunMessageLoop is between two
// messages, that is after every handler now running has returned. Pumping the pending
// messages inside a handler (PumpPendingMessages) does not run it.
void RunAfterHandlers(std::function<void()> work);

// Runs what RunAfterHandlers queued, in order (also what that work queues in turn).
// False when nothing was waiting.
bool RunQueuedWork();

// Modeless dialogs whose keyboard (Tab, Enter, Esc) is routed through IsDialogMessage
// while they exist: by this thread's loops, and by the loops of modal dialogs and
// message boxes open meanwhile.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
bool IsModelessDialog(HWND dialog);
// True when `msg` was a modeless dialog's and it has handled it: every loop that
// dispatches messages asks before it does.
bool IsModelessDialogMessage(MSG& msg);

// Dispatches this thread's messages until WM_QUIT, running queued work between them;
// returns the quit message's exit code.
int RunMessageLoop();

}  // namespace vek::win
