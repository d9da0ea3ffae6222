#include <gtest/gtest.h>

#include <thread>

#include "dialogs/win/dialog.h"
#include "scratch_folder.h"
#include "text/text.h"

namespace vek::win {
namespace {

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

TEST(FileDialogTest, PickingAFileLeavesTheCurrentFolderAlone) {
  ScratchFolder folder;
  const std::string chosen = folder.path() + "chosen.bak";
  Win32FileSystem fs;
  ASSERT_TRUE(fs.WriteAll(chosen, Bytes{1}));
  const std::wstring before = CurrentFolder();
  ModalState state;
  ModalWindows windows(state);
  for (const bool save : {false, true}) {
    const FileDialogRequest request{save, save ? "Vek save test" : "Vek open test", "*.bak|*.bak", chosen};
    // Someone presses OK once the dialog shows, with the file it was opened on.
    std::thread user([title = Wide(request.title)] {
      for (int tries = 0; tries < 1000; ++tries, Sleep(20)) {
        if (const HWND dialog = FindWindowW(L"#32770", title.c_str())) {
          PostMessageW(dialog, WM_COMMAND, IDOK, 0);
          return;
        }
      }
    });
    EXPECT_EQ(NamePart(windows.ShowFileDialog(nullptr, request)), "chosen.bak") << request.title;
    user.join();
    EXPECT_EQ(CurrentFolder(), before) << request.title;
  }
}

}  // namespace
}  // namespace vek::win
