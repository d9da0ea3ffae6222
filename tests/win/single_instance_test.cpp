// A second start and the copy already running, both on real mutexes and windows: the
// running copy lives on a thread of its own, as it would in its own process.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/win/single_instance.h"

namespace vek::win {
namespace {

constexpr wchar_t kClass[] = L"VEKTestRunningCopy";
constexpr wchar_t kMessage[] = L"VEK test started again";
constexpr LRESULT kAnswer = 42;

std::atomic<bool> answering{false};
std::atomic<int> asked{0};

LRESULT CALLBACK RunningCopyWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != RegisterWindowMessageW(kMessage)) return DefWindowProcW(hwnd, message, wParam, lParam);
  ++asked;
  return answering ? kAnswer : 0;
}

// Holds the instance and runs its window until `lifeMs` has passed. A copy with raised
// rights makes the mutex with a security that keeps other copies from opening it.
void RunningCopy(const std::wstring& name, bool raised, std::atomic<bool>& up) {
  std::unique_ptr<SingleInstance> instance;
  UniqueKernelHandle raisedMutex;
  if (raised) {
    PSECURITY_DESCRIPTOR noAccess = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &noAccess, nullptr);
    SECURITY_ATTRIBUTES security{sizeof(security), noAccess, FALSE};
    raisedMutex.reset(CreateMutexW(&security, TRUE, name.c_str()));
    LocalFree(noAccess);
    up = static_cast<bool>(raisedMutex);
  } else {
    instance = std::make_unique<SingleInstance>(name.c_str());
    up = instance->Held();
  }
  const HWND window = CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetTimer(window, 1, 500, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) DispatchMessageW(&msg);
  DestroyWindow(window);
  if (raisedMutex) ReleaseMutex(raisedMutex.get());
}

TEST(SingleInstanceTest, ASecondStartCallsUpTheRunningCopyOrTakesOverFromOneEnding) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = RunningCopyWindow;
  windowClass.lpszClassName = kClass;
  RegisterClassW(&windowClass);
  const std::wstring name = L"Local\\VEK test instance " + std::to_wstring(GetCurrentProcessId());
  const struct {
    bool answering, raised;
    SingleInstance::CallUp expected;
  } cases[] = {{true, false, SingleInstance::CallUp::kAnswered},
               // A copy that does not answer is ending: once it has, this start goes on in its place.
               {false, false, SingleInstance::CallUp::kTakenOver},
               {false, true, SingleInstance::CallUp::kTakenOver}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.answering << c.raised);
    answering = c.answering;
    asked = 0;
    std::atomic<bool> up{false};
    std::thread copy(RunningCopy, name, c.raised, std::ref(up));
    while (!FindWindowW(kClass, nullptr)) Sleep(10);
    EXPECT_TRUE(up);
    SingleInstance second(name.c_str());
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(second.CallUpRunningCopy(kClass, kMessage, kAnswer, 10000), c.expected);
    EXPECT_EQ(second.Held(), !c.answering);
    EXPECT_EQ(asked, 1) << "a copy is asked once";
    copy.join();
  }
}

}  // namespace
}  // namespace vek::win
