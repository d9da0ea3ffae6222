// The Win32 side of the platform interfaces against the real API (under Wine in CI).
#include <gtest/gtest.h>

#include "scratch_folder.h"
#include "support/recorders.h"
#include <windows.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/paths.h"
#include "platform/log.h"
#include "platform/win/ansi_codec_win.h"
#include "platform/win/dib_section.h"
#include "text/text.h"
#include "platform/win/file_system_win.h"
#include "platform/win/handles.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"
#include "platform/win/ui_thread.h"
#include "platform/win/window.h"

namespace vek::win {
namespace {

TEST(UiThreadScopeTest, HoldsOleOnItsThreadAndQuietsCriticalErrors) {
  {
    UiThreadScope scope;
    ASSERT_TRUE(scope.ok());
    EXPECT_NE(GetErrorMode() & SEM_FAILCRITICALERRORS, 0u);
    // An apartment exists already: asking for one only counts up.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    CoUninitialize();
    // A worker thread gets its own.
    HRESULT onWorker = E_FAIL;
    std::thread([&onWorker] {
      const std::shared_ptr<void> worker = WorkerThreadScope();
      onWorker = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      if (SUCCEEDED(onWorker)) CoUninitialize();
    }).join();
    EXPECT_EQ(onWorker, S_FALSE);
  }
  // Gone with the scope.
  const HRESULT after = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(after, S_OK);
  if (SUCCEEDED(after)) CoUninitialize();
}


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
  // No match is an empty answer; a folder that is not there gives none.
  const std::optional<std::vector<DirEntry>> none = fs.TryList(dir.path(), "*.none");
  EXPECT_TRUE(none && none->empty());
  EXPECT_FALSE(fs.TryList(dir.path() + "gone\\", "*"));
  EXPECT_TRUE(fs.Delete(a));
  EXPECT_FALSE(fs.Delete(a));
  EXPECT_EQ(fs.Length(a), -1);
  EXPECT_FALSE(fs.WriteAll(dir.path() + "no\\such\\folder.bin", data));
}

// A reader (another copy of the program, a backup or a virus scanner) that holds a saved
// file open for a moment does not make replacing it fail: the replace waits it out.
TEST(FileSystemWinTest, ReplaceWaitsForAReaderToLetGo) {
  ScratchFolder dir;
  Win32FileSystem fs;
  const std::string file = dir.path() + "held.dat", fresh = dir.path() + "held.dat.tmp";
  ASSERT_TRUE(fs.WriteAll(file, Bytes{1}));
  ASSERT_TRUE(fs.WriteAll(fresh, Bytes{2}));
  UniqueKernelHandle reader(CreateFileW(Wide(file).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(reader);
  std::thread letGo([&reader] {
    Sleep(150);
    reader.reset();
  });
  const bool moved = fs.Move(fresh, file);
  letGo.join();
  EXPECT_TRUE(moved);
  Bytes back;
  ASSERT_TRUE(fs.ReadAll(file, back));
  EXPECT_EQ(back, Bytes{2});
}

// A reader sharing only reading holds a save's twin for a moment: writing over it and
// deleting it wait until it lets go.
TEST(FileSystemWinTest, WriteAndDeleteWaitForAReaderToLetGo) {
  ScratchFolder dir;
  Win32FileSystem fs;
  const std::string file = dir.path() + "held.dat";
  for (bool write : {true, false}) {
    ASSERT_TRUE(fs.WriteAll(file, Bytes{1}));
    UniqueKernelHandle reader(CreateFileW(Wide(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(reader);
    std::thread letGo([&reader] {
      Sleep(150);
      reader.reset();
    });
    const bool done = write ? fs.WriteAll(file, Bytes{2}) : fs.Delete(file);
    letGo.join();
    EXPECT_TRUE(done) << write;
    EXPECT_EQ(fs.Exists(file), write) << write;
  }
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

TEST(ShortPathsWinTest, AFolderTheCodePageCannotNameGetsAStorableShortName) {
  ScratchFolder dir;
  Win32FileSystem fs;
  Win32ShortPaths shortPaths;
  Win32AnsiCodec codec;
  const std::string icons = dir.path() + "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE5\xAE\x9D Icons\\";
  ASSERT_TRUE(fs.CreateFolder(icons));
  ASSERT_TRUE(fs.WriteAll(icons + "0.png", Bytes{1, 2, 3}));

  Folders folders;
  folders.IconDir = icons;
  test::RecordingPrompt prompt;
  EXPECT_TRUE(UseStorableIconFolder(folders, codec, shortPaths, prompt));
  EXPECT_TRUE(prompt.asked.empty());
  std::string ansi;
  EXPECT_TRUE(codec.ToAnsi(folders.IconDir, ansi)) << folders.IconDir;
  ASSERT_FALSE(codec.ToAnsi(icons, ansi)) << "the code page holds the long name: nothing tested";
  // The same folder under either name.
  Bytes back;
  EXPECT_TRUE(fs.ReadAll(folders.IconDir + "0.png", back));
  EXPECT_EQ(back, (Bytes{1, 2, 3}));
  fs.Delete(icons + "0.png");
  RemoveDirectoryW(Wide(icons).c_str());
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
  LogLines log;
  SendMessageW(a.hwnd(), WM_APP, 0, 0);
  EXPECT_EQ(a.messages, 1);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"window message 0x00008000 failed"}));
  EXPECT_TRUE(AllowMessageFromLowerRights(a.hwnd(), RegisterWindowMessageW(L"VekProbeBroadcast")));
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

TEST(HandlesTest, GdiOwnersDeleteTheirObject) {
  UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
  UniqueFont font(CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  UniqueBitmap bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
  const HGDIOBJ raw[] = {brush.get(), font.get(), bitmap.get()};
  for (HGDIOBJ object : raw) EXPECT_NE(GetObjectType(object), 0u);
  brush.reset();
  font.reset();
  bitmap.reset();
  for (HGDIOBJ object : raw) EXPECT_EQ(GetObjectType(object), 0u);
}

TEST(DibSectionTest, ZeroedPixelsGdiDrawsIntoThenReleased) {
  DibSection canvas;
  EXPECT_FALSE(canvas.Create(0, 5));
  EXPECT_FALSE(canvas);
  ASSERT_TRUE(canvas.Create(8, 4));
  EXPECT_EQ(canvas.bits()[8 * 4 - 1], 0u);
  RECT secondRow{0, 1, 8, 2};
  UniqueBrush white(CreateSolidBrush(RGB(255, 255, 255)));
  FillRect(canvas.dc(), &secondRow, white.get());
  GdiFlush();
  EXPECT_EQ(canvas.bits()[0] & 0xFFFFFFu, 0u);
  EXPECT_EQ(canvas.bits()[8] & 0xFFFFFFu, 0xFFFFFFu);  // top-down: row 1 is the second
  const HDC dc = canvas.dc();
  canvas.Release();
  EXPECT_FALSE(canvas);
  EXPECT_EQ(GetObjectType(dc), 0u);
}

}  // namespace
}  // namespace vek::win
