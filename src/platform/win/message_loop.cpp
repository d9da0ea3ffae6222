#include "platform/win/message_loop.h"

#include "platform/log.h"
#include "platform/scoped_flag.h"
#include "platform/win/handles.h"

#include <algorithm>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace vek::win {

namespace {
thread_local std::deque<std::function<void()>> queued;
thread_local std::vector<HWND> modelessDialogs;
thread_local UniqueHook dialogLoopFilter;
// IsDialogMessage itself asks the message filters first: while the modeless dialogs are
// asked, the filter below stands aside.
thread_local bool askingModelessDialogs = false;

// A modal dialog's or message box's own loop asks the filter with every message before
// it handles it: the modeless dialogs answer their keys there too.
LRESULT CALLBACK RouteKeysInDialogLoops(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && IsModelessDialogMessage(*reinterpret_cast<MSG*>(lParam))) return TRUE;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

bool IsModelessDialogMessage(MSG& msg) {
  if (askingModelessDialogs) return false;
  ScopedFlag asking(askingModelessDialogs);
  for (HWND dialog : modelessDialogs)
    if (IsDialogMessageW(dialog, &msg)) return true;
  return false;
}

void AddModelessDialog(HWND dialog) {
  modelessDialogs.push_back(dialog);
  if (dialogLoopFilter) return;
  dialogLoopFilter.reset(SetWindowsHookExW(WH_MSGFILTER, &RouteKeysInDialogLoops, nullptr, GetCurrentThreadId()));
  if (!dialogLoopFilter)
    WriteLog("a modeless dialog gets no keys inside other dialogs: error " + std::to_string(GetLastError()));
}

void RemoveModelessDialog(HWND dialog) {
  for (auto it = modelessDialogs.begin(); it != modelessDialogs.end(); ++it)
    if (*it == dialog) {
      modelessDialogs.erase(it);
      break;
    }
  if (modelessDialogs.empty()) dialogLoopFilter.reset();
}

bool IsModelessDialog(HWND dialog) {
  return std::find(modelessDialogs.begin(), modelessDialogs.end(), dialog) != modelessDialogs.end();
}

void RunAfterHandlers(std::function<void()> work) {
  if (!work) return;
  queued.push_back(std::move(work));
  // Wakes the loop should it be waiting for a message (the request may come from a
  // message sent by another thread, which GetMessage handles without returning).
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

bool RunQueuedWork() {
  if (queued.empty()) return false;
  while (!queued.empty()) {
    std::function<void()> work = std::move(queued.front());
    queued.pop_front();
    work();
  }
  return true;
}

int RunMessageLoop() {
  MSG msg{};
  for (;;) {
    RunQueuedWork();
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (IsModelessDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // Work queued by the last handlers still runs: an exit asked for just before the quit
  // message must not be lost.
  RunQueuedWork();
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace vek::win
