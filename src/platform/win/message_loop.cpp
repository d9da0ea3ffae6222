#include "platform/win/message_loop.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

namespace vek::win {

namespace {
thread_local std::deque<std::function<void()>> queued;
thread_local std::vector<HWND> modelessDialogs;
}  // namespace

bool IsModelessDialogMessage(MSG& msg) {
  for (HWND dialog : modelessDialogs)
    if (IsDialogMessageW(dialog, &msg)) return true;
  return false;
}

void AddModelessDialog(HWND dialog) { modelessDialogs.push_back(dialog); }

void RemoveModelessDialog(HWND dialog) {
  for (auto it = modelessDialogs.begin(); it != modelessDialogs.end(); ++it)
    if (*it == dialog) {
      modelessDialogs.erase(it);
      return;
    }
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
