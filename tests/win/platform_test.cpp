// The Win32 side of the platform interfaces against the real API (under Wine in CI).
#include <gtest/gtest.h>

#include "scratch_folder.h"
#include <windows.h>

#include "core/paths.h"
#include "text/text.h"
#include "platform/win/file_system_win.h"
#include "platform/win/handles.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"
#include "platform/win/window.h"

namespace vek::win {
namespace {


TEST(TextWinTest, RoundTripsNonAscii) {
  const std::string text = "Bücher \xE5\xAE\x9D (Ω)";
  EXPECT_EQ(Utf8(Wide(text)), text);
  EXPECT_EQ(Wide("abc"), L"abc");
}

TEST(FileSystemWinTest, WriteReadCopyMoveDelete) {
  ScratchFolder dir;
  Win32FileSystem fs;
  const std::string a = dir.path() + "Grüße.bin";
  const Bytes data{0, 1, 2, 250, 255};
  ASSERT_TRUE(fs.WriteAll(a, data));
  EXPECT_EQ(fs.Length(a), 5);
  Bytes back;
  ASSERT_TRUE(fs.ReadAll(a, back));
  EXPECT_EQ(back, data);
  ASSERT_TRUE(fs.ReadRange(a, 3, 2, back));
  EXPECT_EQ(back, (Bytes{250, 255}));
  EXPECT_FALSE(fs.ReadRange(a, 4, 2, back));
  ASSERT_TRUE(fs.Copy(a, dir.path() + "b.bin"));
  ASSERT_TRUE(fs.Move(dir.path() + "b.bin", dir.path() + "c.bin"));
  EXPECT_EQ(fs.Attributes(dir.path() + "b.bin"), attr::kInvalid);
  EXPECT_NE(fs.Attributes(dir.path() + "c.bin"), attr::kInvalid);
  EXPECT_TRUE(fs.Attributes(dir.path()) & attr::kDirectory);
  int files = 0;
  for (const DirEntry& e : fs.List(dir.path(), "*.bin")) files += e.name == "c.bin" || e.name == "Grüße.bin";
  EXPECT_EQ(files, 2);
  EXPECT_TRUE(fs.Delete(a));
  EXPECT_FALSE(fs.Delete(a));
  EXPECT_EQ(fs.Length(a), -1);
  EXPECT_FALSE(fs.WriteAll(dir.path() + "no\\such\\folder.bin", data));
}

TEST(SystemInfoWinTest, SpecialFoldersAndVariables) {
  Win32ShellFolders shell;
  Win32FileSystem fs;
  Win32Environment env;
  const std::string windows = GetSpecialFolder(shell, csidl::kWindows);
  EXPECT_TRUE(EndsWith(windows, "\\"));
  EXPECT_TRUE(fs.Attributes(windows) & attr::kDirectory);
  EXPECT_TRUE(fs.Attributes(GetSpecialFolder(shell, csidl::kAppData)) & attr::kDirectory);
  ASSERT_TRUE(env.Variable("SystemRoot").has_value());
  EXPECT_FALSE(env.Variable("VEK_SURELY_NOT_SET_ANYWHERE").has_value());
  Folders folders = InitPaths(ProgramFolder(), shell, fs);
  PathTools tools(fs, env, folders);
  // Bare system names resolve into the System folder.
  EXPECT_EQ(ToUpperAscii(tools.NormalizePath("notepad.exe", true)),
            ToUpperAscii(folders.SystemDir + "notepad.exe"));
  EXPECT_EQ(ToUpperAscii(tools.NormalizePath("%SystemRoot%\\system32\\shell32.dll", true)),
            ToUpperAscii(folders.WindowsDir + "system32\\shell32.dll"));
  EXPECT_TRUE(fs.Attributes(folders.IconDir) & attr::kDirectory);
}

class ProbeWindow : public Window {
 public:
  bool Make() { return Create(L"VEKTestProbe", L"probe", WS_POPUP, 0, 0, 0, 10, 10, nullptr); }
  int messages = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) {
      ++messages;
      throw 1;  // must not escape the window procedure
    }
    return Window::HandleMessage(message, wParam, lParam);
  }
};

TEST(WindowTest, OneClassManyWindowsAndExceptionsStayInside) {
  ProbeWindow a, b;
  ASSERT_TRUE(a.Make());
  ASSERT_TRUE(b.Make());
  SendMessageW(a.hwnd(), WM_APP, 0, 0);
  EXPECT_EQ(a.messages, 1);
  const HWND handle = a.hwnd();
  a.Destroy();
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(a.hwnd(), nullptr);
}

TEST(HandlesTest, OwnersCloseExactlyOnce) {
  UniqueKernelHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  ASSERT_TRUE(event);
  const HANDLE raw = event.get();
  UniqueKernelHandle moved(std::move(event));
  EXPECT_FALSE(event);
  EXPECT_EQ(moved.get(), raw);
  moved.reset();
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
  UniqueFindHandle none(FindFirstFileW(L"C:\\no-such-folder-vek\\*", nullptr));
  EXPECT_FALSE(none);
}

}  // namespace
}  // namespace vek::win
