// A second start and the copy already running, both on real mutexes and windows: the
// running copy lives on a thread of its own, as it would in its own process.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/win/single_instance.h"

namespace vek::win {
namespace {

constexpr wchar_t kClass[] = L"VEKTestRunningCopy";
constexpr wchar_t kMessage[] = L"VEK test started again";
constexpr LRESULT kAnswer = 42;

std::atomic<bool> answering{false};

LRESULT CALLBACK RunningCopyWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == RegisterWindowMessageW(kMessage)) return answering ? kAnswer : 0;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Holds the instance and runs its window until `lifeMs` has passed.
void RunningCopy(const std::wstring& name, DWORD lifeMs, std::atomic<bool>& up) {
  SingleInstance instance(name.c_str());
  up = instance.Held();
  const HWND window = CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetTimer(window, 1, lifeMs, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) DispatchMessageW(&msg);
  DestroyWindow(window);
}

TEST(SingleInstanceTest, ASecondStartCallsUpTheRunningCopyOrTakesOverFromOneEnding) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = RunningCopyWindow;
  windowClass.lpszClassName = kClass;
  RegisterClassW(&windowClass);
  const std::wstring name = L"Local\\VEK test instance " + std::to_wstring(GetCurrentProcessId());
  const struct {
    bool answering;
    SingleInstance::CallUp expected;
  } cases[] = {{true, SingleInstance::CallUp::kAnswered}, {false, SingleInstance::CallUp::kTakenOver}};
  for (const auto& c : cases) {
    answering = c.answering;
    std::atomic<bool> up{false};
    std::thread copy(RunningCopy, name, 500, std::ref(up));
    while (!FindWindowW(kClass, nullptr)) Sleep(10);
    EXPECT_TRUE(up);
    SingleInstance second(name.c_str());
    EXPECT_FALSE(second.Held());
    // A copy that does not answer is ending: once it has, this start goes on in its place.
    EXPECT_EQ(second.CallUpRunningCopy(kClass, kMessage, kAnswer, 10000), c.expected) << c.answering;
    EXPECT_EQ(second.Held(), !c.answering);
    copy.join();
  }
}

}  // namespace
}  // namespace vek::win
