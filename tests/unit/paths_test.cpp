#include <gtest/gtest.h>

#include "core/paths.h"
#include "text/text.h"
#include "support/fakes.h"

namespace vek {
namespace {

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.AddFolder("C:\\users\\tester\\AppData\\Roaming");
    folders = InitPaths("C:\\Program Files\\VEK Desktop", shell, fs);
    env.Set("SystemRoot", "C:\\windows");
  }
  test::FakeFileSystem fs;
  test::FakeEnvironment env;
  test::FakeShellFolders shell;
  Folders folders;
  PathTools tools{fs, env, folders};
};

TEST(TextTest, TrimFixedCutsAtNulAndTrimsSpaces) {
  EXPECT_EQ(TrimFixed(std::string("abc\0xyz", 7)), "abc");
  EXPECT_EQ(TrimFixed("  abc  "), "abc");
  EXPECT_EQ(TrimFixed(std::string(" a b \0  ", 8)), "a b");
  EXPECT_EQ(TrimFixed(std::string(5, '\0')), "");
  EXPECT_EQ(TrimFixed("     "), "");
}

TEST(TextTest, ReplaceAllIsOnePassAndCaseSensitive) {
  EXPECT_EQ(ReplaceAll("a\\\\\\b", "\\\\", "\\"), "a\\\\b");
  EXPECT_EQ(ReplaceAll("XaXa", "a", "b"), "XbXb");
  EXPECT_EQ(ReplaceAll("AAA", "a", "b"), "AAA");
}

TEST_F(PathsTest, FolderVariablesEndWithBackslashAndFoldersAreCreated) {
  EXPECT_EQ(folders.AppDir, "C:\\Program Files\\VEK Desktop\\");
  EXPECT_EQ(folders.SysIconDir, "C:\\Program Files\\VEK Desktop\\SysIcons\\");
  EXPECT_EQ(folders.UserDir, "C:\\users\\tester\\AppData\\Roaming\\Kestrovan\\");
  EXPECT_EQ(folders.IconDir, folders.UserDir + "VekIcons\\");
  EXPECT_EQ(folders.SettingsFile, folders.IconDir + "VEKCfg.cfg");
  EXPECT_EQ(folders.MenuFile, folders.IconDir + "VEKMenu.cfg");
  EXPECT_EQ(folders.UserIconFile, folders.IconDir + "User Icon.ico");
  EXPECT_EQ(folders.TempIconFile, "C:\\users\\tester\\Temp\\vektempicon.ico");
  EXPECT_EQ(folders.WindowsDir, "C:\\windows\\");
  EXPECT_EQ(fs.Attributes(folders.UserDir), attr::kDirectory);
  EXPECT_EQ(fs.Attributes(folders.IconDir), attr::kDirectory);
}

TEST_F(PathsTest, EmptyShellAnswerGivesBackslash) {
  shell.Set(csidl::kMyVideo, "");
  EXPECT_EQ(GetSpecialFolder(shell, csidl::kMyVideo), "\\");
  EXPECT_EQ(GetSpecialFolder(shell, csidl::kWindows), "C:\\windows\\");
}

TEST_F(PathsTest, TempLocation) {
  EXPECT_EQ(GetTempLocation(shell, "", true), "C:\\users\\tester\\Temp\\");
  EXPECT_TRUE(StartsWith(GetTempLocation(shell, "", false), "C:\\users\\tester\\Temp\\tmp"));
  EXPECT_TRUE(StartsWith(GetTempLocation(shell, "vek", false), "C:\\users\\tester\\Temp\\vek"));
}

TEST_F(PathsTest, VariablesExpandAndSkipTheKernelPrefixTests) {
  EXPECT_EQ(tools.NormalizePath("%SystemRoot%\\system32\\shell32.dll", true),
            "C:\\windows\\system32\\shell32.dll");
  // Every occurrence of the token is replaced.
  EXPECT_EQ(tools.NormalizePath("%SystemRoot%;%SystemRoot%", false), "C:\\windows;C:\\windows");
}

TEST_F(PathsTest, UnknownVariableStaysAndStep4Runs) {
  EXPECT_EQ(tools.NormalizePath("%NOPE%\\x.exe", false), "%NOPE%\\x.exe");
  EXPECT_EQ(tools.NormalizePath("\\systemroot\\%NOPE%\\x.exe", false), "C:\\windows\\%NOPE%\\x.exe");
}

TEST_F(PathsTest, KernelPrefixesAreCaseSensitiveReplacements) {
  EXPECT_EQ(tools.NormalizePath("\\SystemRoot\\System32\\x.sys", false),
            "\\SystemRoot\\System32\\x.sys");
  EXPECT_EQ(tools.NormalizePath("\\systemroot\\system32\\x.sys", false),
            "C:\\windows\\system32\\x.sys");
  EXPECT_EQ(tools.NormalizePath("\\??\\C:\\Windows\\x.exe", false), "C:\\Windows\\x.exe");
  EXPECT_EQ(tools.NormalizePath("\\windows\\x.exe", false), "C:\\windows\\x.exe");
  EXPECT_EQ(tools.NormalizePath("\\winnt\\x.exe", false), "C:\\windows\\x.exe");
}

TEST_F(PathsTest, FullPathsThroughTheWindowsFolderStayAsTheyAre) {
  EXPECT_EQ(tools.NormalizePath("C:\\windows\\system32\\shell32.dll", true),
            "C:\\windows\\system32\\shell32.dll");
  EXPECT_EQ(tools.NormalizePath("D:\\old\\winnt\\x.exe", false), "D:\\old\\winnt\\x.exe");
  EXPECT_EQ(tools.NormalizePath("C:\\x\\systemroot\\y.sys", false), "C:\\x\\systemroot\\y.sys");
}

TEST_F(PathsTest, AtSignsAreRemovedWithoutSystemSearch) {
  fs.AddFile("C:\\windows\\system32\\@x.dll");
  EXPECT_EQ(tools.NormalizePath("@shell32.dll,-12@", true), "shell32.dll,-12");
}

TEST_F(PathsTest, QuotesAreRemoved) {
  EXPECT_EQ(tools.NormalizePath("\"C:\\Program Files\\a.exe\"", false), "C:\\Program Files\\a.exe");
}

TEST_F(PathsTest, DoubledBackslashesCollapseButNetworkPathsSurvive) {
  EXPECT_EQ(tools.NormalizePath("C:\\\\dir\\\\a.txt", false), "C:\\dir\\a.txt");
  EXPECT_EQ(tools.NormalizePath("\\\\server\\share\\a.txt", false), "\\\\server\\share\\a.txt");
  EXPECT_EQ(tools.NormalizePath("\\\\server\\\\share\\a.txt", false), "\\\\server\\share\\a.txt");
  EXPECT_EQ(tools.NormalizePath("\"\\\\server\\share\\a b.txt\"", true), "\\\\server\\share\\a b.txt");
}

TEST_F(PathsTest, SystemSearchOrderDriversSystemWindows) {
  fs.AddFile("C:\\windows\\system32\\notepad.exe");
  EXPECT_EQ(tools.NormalizePath("notepad.exe", true), "C:\\windows\\system32\\notepad.exe");
  EXPECT_EQ(tools.NormalizePath("notepad.exe", false), "notepad.exe");
  fs.AddFile("C:\\windows\\system32\\Drivers\\notepad.exe");
  EXPECT_EQ(tools.NormalizePath("notepad.exe", true), "C:\\windows\\system32\\Drivers\\notepad.exe");
  fs.AddFile("C:\\windows\\regedit.exe");
  EXPECT_EQ(tools.NormalizePath("regedit.exe", true), "C:\\windows\\regedit.exe");
  EXPECT_EQ(tools.NormalizePath("missing.exe", true), "missing.exe");
}

TEST_F(PathsTest, PlainFolderDoesNotSatisfySystemSearchButReadOnlyFolderDoes) {
  fs.AddFolder("C:\\windows\\system32\\plain", attr::kDirectory);
  EXPECT_EQ(tools.NormalizePath("plain", true), "plain");
  fs.AddFolder("C:\\windows\\system32\\ro", attr::kDirectory | attr::kReadOnly);
  EXPECT_EQ(tools.NormalizePath("ro", true), "C:\\windows\\system32\\ro");
}

TEST_F(PathsTest, FileExistsTrimsAndWritesBack) {
  fs.AddFile("C:\\windows\\system32\\calc.exe");
  std::string path = std::string("  calc.exe  \0junk", 17);
  EXPECT_TRUE(tools.FileExists(path, true));
  EXPECT_EQ(path, "C:\\windows\\system32\\calc.exe");
  std::string raw = "  calc.exe ";
  EXPECT_FALSE(tools.FileExists(raw, false));
  EXPECT_EQ(raw, "calc.exe");
  std::string empty = "   ";
  EXPECT_FALSE(tools.FileExists(empty, true));
  std::string folder = "C:\\users\\tester\\AppData\\Roaming";
  EXPECT_TRUE(tools.FileExists(folder, false));
}

TEST_F(PathsTest, FileLengthAndBytes) {
  fs.AddFile("C:\\data\\f.bin", Bytes{1, 2, 3, 4, 5});
  EXPECT_EQ(tools.GetFileLength(""), 0);
  EXPECT_EQ(tools.GetFileLength("C:\\data\\missing.bin"), 0);
  EXPECT_EQ(tools.GetFileLength("C:\\data\\f.bin"), 5);
  Bytes out;
  ASSERT_TRUE(tools.ReadFileBytes("C:\\data\\f.bin", 2, 3, out));
  EXPECT_EQ(out, (Bytes{2, 3, 4}));
  EXPECT_FALSE(tools.ReadFileBytes("C:\\data\\f.bin", 4, 3, out));
  EXPECT_FALSE(tools.ReadFileBytes("C:\\data\\f.bin", 0, 1, out));
}

}  // namespace
}  // namespace vek
