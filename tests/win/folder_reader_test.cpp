#include <gtest/gtest.h>

#include <thread>

#include "dialogs/win/dialog.h"
#include "dialogs/win/folder_reader.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"
#include "scratch_folder.h"

namespace vek::win {
namespace {

constexpr UINT kAnswer = WM_APP + 7;

// Waits for the reader's message to a message-only window; the reading's number, or 0.
uint64_t WaitForAnswer(HWND window) {
  const ULONGLONG deadline = GetTickCount64() + 10000;
  MSG msg{};
  while (GetTickCount64() < deadline) {
    if (PeekMessageW(&msg, window, kAnswer, kAnswer, PM_REMOVE)) return static_cast<uint64_t>(msg.wParam);
    Sleep(10);
  }
  return 0;
}

TEST(FolderReaderTest, AnswersArePostedAndTakenOnce) {
  ScratchFolder folder;
  CreateDirectoryW(Wide(folder.path() + "Sub").c_str(), nullptr);
  Win32FileSystem fs;
  fs.WriteAll(folder.path() + "b.exe", Bytes{1});
  fs.WriteAll(folder.path() + "a.txt", Bytes{1});
  const HWND window = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);

  FolderReader reader;
  reader.Attach(window, kAnswer);
  const uint64_t id = reader.Read(folder.path(), "*.exe");
  ASSERT_NE(id, 0u);
  ASSERT_EQ(WaitForAnswer(window), id);
  const std::optional<FolderListing> listing = reader.Take(id);
  ASSERT_TRUE(listing);
  EXPECT_TRUE(listing->readable);
  EXPECT_EQ(listing->entries, (std::vector<std::string>{"Sub", "b.exe"}));
  EXPECT_FALSE(reader.Take(id));
  // A pattern naming another folder lists none of its files here.
  fs.WriteAll(folder.path() + "Sub\\c.exe", Bytes{1});
  const uint64_t elsewhere = reader.Read(folder.path(), "Sub\\*.exe;..\\*");
  ASSERT_EQ(WaitForAnswer(window), elsewhere);
  EXPECT_EQ(reader.Take(elsewhere)->entries, std::vector<std::string>{"Sub"});

  const uint64_t missing = reader.Read(folder.path() + "Gone", "*.*");
  ASSERT_EQ(WaitForAnswer(window), missing);
  EXPECT_FALSE(reader.Take(missing)->readable);

  // Names in the order Explorer lists them: accented letters beside their plain ones,
  // numbers by their value.
  for (const char* name : {"Zoo.txt", "file10.txt", "\xC3\x89" "b.txt", "file2.txt", "\xC3\xA9" "a.txt", "ec.txt"})
    fs.WriteAll(folder.path() + name, Bytes{1});
  const uint64_t sorted = reader.Read(folder.path(), "*.txt");
  ASSERT_EQ(WaitForAnswer(window), sorted);
  EXPECT_EQ(reader.Take(sorted)->entries,
            (std::vector<std::string>{"Sub", "a.txt", "\xC3\xA9" "a.txt", "\xC3\x89" "b.txt", "ec.txt", "file2.txt",
                                      "file10.txt", "Zoo.txt"}));

  // Once the window is gone, nothing is kept for it.
  const uint64_t late = reader.Read(folder.path(), "*.*");
  reader.Detach();
  Sleep(200);
  EXPECT_FALSE(reader.Take(late));

  DestroyWindow(window);
  DeleteFileW(Wide(folder.path() + "Sub\\c.exe").c_str());
  RemoveDirectoryW(Wide(folder.path() + "Sub").c_str());
}

TEST(FileDialogTest, AFilePickedElsewhereLeavesTheCurrentFolderAlone) {
  ScratchFolder folder;
  ASSERT_TRUE(Win32FileSystem().WriteAll(folder.path() + "a.bak", Bytes{1}));
  wchar_t before[MAX_PATH] = {}, after[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  std::thread user([] {  // presses OK once the dialog shows
    HWND dialog = nullptr;
    for (int tries = 0; tries < 1000 && !(dialog = FindWindowW(L"#32770", L"Pick")); ++tries) Sleep(20);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  ModalState state;
  const FileDialogRequest pick{false, "Pick", "", folder.path() + "a.bak", "", ""};
  EXPECT_FALSE(ModalWindows(state).ShowFileDialog(nullptr, pick).empty());
  user.join();
  GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_STREQ(after, before);
}

// Getting started is modeless and stays clickable above a modal window; what the program
// brings forward while the modal window is open is the modal window.
TEST(ModalWindowsTest, TheModalWindowComesForwardNotAModelessOneAboveIt) {
  struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } const empty{{WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 80, 40}, 0, 0, 0};
  auto make = [&] {
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog, nullptr,
                                      [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  };
  const HWND modal = make(), modeless = make();
  ASSERT_TRUE(modal && modeless);
  AddModelessDialog(modeless);
  SetWindowPos(modeless, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ModalWindows::BringOpenWindowToFront();
  bool modelessAbove = false;
  for (HWND above = GetWindow(modal, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
    modelessAbove |= above == modeless;
  EXPECT_FALSE(modelessAbove);
  RemoveModelessDialog(modeless);
  DestroyWindow(modeless);
  DestroyWindow(modal);
}

// Getting started answers Esc while the program lets messages run (a first start's fill).
TEST(ModalWindowsTest, AModelessDialogGetsItsKeysInPendingMessagesAndOtherDialogsLoops) {
  struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } const empty{{WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 80, 40}, 0, 0, 0};
  static bool cancelled = false;
  const HWND modeless = CreateDialogIndirectParamW(
      GetModuleHandleW(nullptr), &empty.dialog, nullptr,
      [](HWND, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        cancelled |= message == WM_COMMAND && LOWORD(wParam) == IDCANCEL;
        return FALSE;
      },
      0);
  ASSERT_TRUE(modeless);
  AddModelessDialog(modeless);
  PostMessageW(modeless, WM_KEYDOWN, VK_ESCAPE, 0);
  PumpPendingMessages();
  EXPECT_TRUE(cancelled);

  // Inside another dialog's own loop, until that dialog ends itself.
  cancelled = false;
  static HWND keysFor = modeless;
  DialogBoxIndirectParamW(
      GetModuleHandleW(nullptr), &empty.dialog, nullptr,
      [](HWND self, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
          PostMessageW(keysFor, WM_KEYDOWN, VK_ESCAPE, 0);
          PostMessageW(self, WM_APP, 0, 0);
        }
        if (message == WM_APP) EndDialog(self, 0);
        return message == WM_INITDIALOG;
      },
      0);
  EXPECT_TRUE(cancelled) << "Esc inside another dialog's loop";
  RemoveModelessDialog(modeless);
  DestroyWindow(modeless);
}

}  // namespace
}  // namespace vek::win
