#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "dock/win/drop_target.h"
#include "file_list_data.h"
#include "platform/win/text_win.h"
#include "platform/win/ui_thread.h"
#include "scratch_folder.h"

namespace vek::win {
namespace {

using test::FileListData;

TEST(DropTarget, ReadsEveryPathWholeLongAndNonAsciiOnesTooUpToTheLimit) {
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'x') + L"\\file.txt";
  FileListData data({L"C:\\data\\a.txt", L"C:\\Daten\\Gr\u00FC\u00DFe \u65E5\u672C.txt", longPath, L"C:\\d.txt"});
  EXPECT_TRUE(HasFileList(&data));
  const std::vector<std::string> paths = ReadFileList(&data, 3);
  ASSERT_EQ(paths.size(), 3u);
  EXPECT_EQ(paths[0], "C:\\data\\a.txt");
  EXPECT_EQ(Wide(paths[1]), L"C:\\Daten\\Gr\u00FC\u00DFe \u65E5\u672C.txt");
  EXPECT_EQ(Wide(paths[2]), longPath);
  data.withFiles = false;
  EXPECT_FALSE(HasFileList(&data));
  EXPECT_TRUE(ReadFileList(&data, 10).empty());
}

void MakeFile(const std::string& f) {
  HANDLE h = CreateFileW(Wide(f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}
bool Exists(const std::string& f) { return GetFileAttributesW(Wide(f).c_str()) != INVALID_FILE_ATTRIBUTES; }

// The folder of the test program, inside the build folder, whose trash the session keeps.
std::string BuildFolderScratch() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder = folder.substr(0, folder.find_last_of(L'\\') + 1) + L"recycle-scratch\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return Utf8(folder);
}

TEST(DropTarget, RecyclesAnExactPathAndRefusesWildcardsAndRoots) {
  // As on the program's UI thread, which holds OLE for its whole life.
  UiThreadScope uiThread;
  const std::string folder = BuildFolderScratch();
  const std::string kept = folder + "keep1.txt", also = folder + "keep2.txt", gone = folder + "recycle me.txt";
  for (const std::string& f : {kept, also, gone}) MakeFile(f);
  // A name with a wildcard would match every file of the folder: it never reaches the shell.
  for (const std::string& refused : {folder + "keep?.txt", folder + "*", std::string("C:\\"), std::string("keep1.txt")})
    EXPECT_FALSE(RecycleOnePath(nullptr, refused)) << refused;
  EXPECT_TRUE(Exists(kept));
  EXPECT_TRUE(Exists(also));
  EXPECT_TRUE(RecycleOnePath(nullptr, gone));
  EXPECT_FALSE(Exists(gone));
  DeleteFileW(Wide(kept).c_str());
  DeleteFileW(Wide(also).c_str());
  RemoveDirectoryW(Wide(folder).c_str());
}

}  // namespace
}  // namespace vek::win
