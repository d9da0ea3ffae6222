// The shell as the real system answers: its windows, and what it refuses to open.
#include <gtest/gtest.h>
#include <windows.h>

#include "launch/shell_windows.h"
#include "launch/win/system_services_win.h"

namespace vek {
namespace {

TEST(ShellWindowsTest, ShowingTheTaskbarLeavesAnotherProgramsTopLevelButtonAlone) {
  // A top-level button of a program other than the shell, hidden, in front of every other
  // button.
  const HWND button = CreateWindowExW(0, L"Button", L"Not the start button", WS_POPUP | BS_PUSHBUTTON, 0, 0,
                                      80, 24, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(button);
  ASSERT_FALSE(IsWindowVisible(button));
  win::Win32WindowTree tree;
  EXPECT_EQ(tree.ThreadOf(reinterpret_cast<WindowId>(button)), GetCurrentThreadId());
  EXPECT_NE(FindStartButton(tree), reinterpret_cast<WindowId>(button));
  win::Win32DesktopShell().SetTaskbarVisible(true);
  EXPECT_FALSE(IsWindowVisible(button)) << "another program's button was shown as the start button";
  DestroyWindow(button);
}

// A file that is not there is refused with a reason the log and the search box can name.
TEST(ShellRunnerTest, AMissingFileIsRefusedWithItsReason) {
  const int code = win::Win32ShellRunner().Execute("open", "C:\\no such folder\\no such file.exe", "", "", 1);
  EXPECT_LE(code, 32);
  EXPECT_EQ(ShellFailureText(code), "It, or the program that opens it, was not found.");
}

}  // namespace
}  // namespace vek
