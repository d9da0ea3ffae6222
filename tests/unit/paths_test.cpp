#include <gtest/gtest.h>

#include <map>

#include "core/config_files.h"
#include "core/paths.h"
#include "support/fake_codec.h"
#include "support/recorders.h"
#include "text/text.h"
#include "support/fakes.h"

namespace vek {
namespace {

class PathsTest : public ::testing::Test, protected test::PathsMachine<> {
 protected:
  PathsTest() : PathsMachine("C:\\Program Files\\VEK Desktop") {}
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

// Variables expand (every occurrence; an unknown one stays), full paths through the
// Windows folder stay, "@" signs go without a search for the name, quotes go, doubled
// backslashes collapse while network paths survive.
TEST_F(PathsTest, PathsNormaliseAsTheyAreMeant) {
  fs.AddFile("C:\\windows\\system32\\@x.dll");
  const struct {
    const char* in;
    bool search;
    const char* out;
  } cases[] = {
      {"%SystemRoot%\\system32\\shell32.dll", true, "C:\\windows\\system32\\shell32.dll"},
      {"%SystemRoot%;%SystemRoot%", false, "C:\\windows;C:\\windows"},
      {"%NOPE%\\x.exe", false, "%NOPE%\\x.exe"},
      {"\\systemroot\\%NOPE%\\x.exe", false, "C:\\windows\\%NOPE%\\x.exe"},
      {"C:\\windows\\system32\\shell32.dll", true, "C:\\windows\\system32\\shell32.dll"},
      {"D:\\old\\winnt\\x.exe", false, "D:\\old\\winnt\\x.exe"},
      {"C:\\x\\systemroot\\y.sys", false, "C:\\x\\systemroot\\y.sys"},
      {"@shell32.dll,-12@", true, "shell32.dll,-12"},
      {"@x.dll", true, "x.dll"},
      {"\"C:\\Program Files\\a.exe\"", false, "C:\\Program Files\\a.exe"},
      {"C:\\\\dir\\\\a.txt", false, "C:\\dir\\a.txt"},
      {"\\\\server\\share\\a.txt", false, "\\\\server\\share\\a.txt"},
      {"\\\\server\\\\share\\a.txt", false, "\\\\server\\share\\a.txt"},
      {"\"\\\\server\\share\\a b.txt\"", true, "\\\\server\\share\\a b.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(paths.NormalizePath(c.in, c.search), c.out) << c.in;
}

TEST_F(PathsTest, KernelPrefixesAreReplacedInAnyLetterCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"\\SystemRoot\\System32\\x.sys", "C:\\windows\\System32\\x.sys"},
      {"\\systemroot\\system32\\x.sys", "C:\\windows\\system32\\x.sys"},
      {"\\SYSTEMROOT\\x.sys", "C:\\windows\\x.sys"},
      {"\\??\\C:\\Windows\\x.exe", "C:\\Windows\\x.exe"},
      {"\\windows\\x.exe", "C:\\windows\\x.exe"},
      {"\\Windows\\x.exe", "C:\\windows\\x.exe"},
      {"\\winnt\\x.exe", "C:\\windows\\x.exe"},
      {"\\WinNT\\x.exe", "C:\\windows\\x.exe"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(paths.NormalizePath(in, false), out) << in;
}

TEST_F(PathsTest, VariablesThatReferToThemselvesStopAfterThirtyTwoRounds) {
  env.Set("SELF", "%SELF%");
  env.Set("GROW", "x%GROW%");
  env.Set("PING", "%PONG%");
  env.Set("PONG", "%PING%");
  env.Set("TWICE", "%TWICE%%TWICE%");
  EXPECT_EQ(paths.NormalizePath("%SELF%\\a.exe", false), "%SELF%\\a.exe");
  EXPECT_EQ(paths.NormalizePath("%GROW%\\a.exe", false), std::string(32, 'x') + "%GROW%\\a.exe");
  EXPECT_EQ(paths.NormalizePath("%PING%\\a.exe", false), "%PING%\\a.exe");
  // A value that doubles the text stops before the text outgrows what a variable can hold.
  const std::string doubled = paths.NormalizePath("%TWICE%", false);
  EXPECT_LE(doubled.size(), 32767u);
  EXPECT_TRUE(StartsWith(doubled, "%TWICE%%TWICE%"));
}

TEST_F(PathsTest, SystemSearchOrderDriversSystemWindows) {
  fs.AddFile("C:\\windows\\system32\\notepad.exe");
  EXPECT_EQ(paths.NormalizePath("notepad.exe", true), "C:\\windows\\system32\\notepad.exe");
  EXPECT_EQ(paths.NormalizePath("notepad.exe", false), "notepad.exe");
  fs.AddFile("C:\\windows\\system32\\Drivers\\notepad.exe");
  EXPECT_EQ(paths.NormalizePath("notepad.exe", true), "C:\\windows\\system32\\Drivers\\notepad.exe");
  fs.AddFile("C:\\windows\\regedit.exe");
  EXPECT_EQ(paths.NormalizePath("regedit.exe", true), "C:\\windows\\regedit.exe");
  EXPECT_EQ(paths.NormalizePath("missing.exe", true), "missing.exe");
}

TEST_F(PathsTest, PlainFolderDoesNotSatisfySystemSearchButReadOnlyFolderDoes) {
  fs.AddFolder("C:\\windows\\system32\\plain", attr::kDirectory);
  EXPECT_EQ(paths.NormalizePath("plain", true), "plain");
  fs.AddFolder("C:\\windows\\system32\\ro", attr::kDirectory | attr::kReadOnly);
  EXPECT_EQ(paths.NormalizePath("ro", true), "C:\\windows\\system32\\ro");
}

TEST_F(PathsTest, FileExistsTrimsAndWritesBack) {
  fs.AddFile("C:\\windows\\system32\\calc.exe");
  std::string path = std::string("  calc.exe  \0junk", 17);
  EXPECT_TRUE(paths.FileExists(path, true));
  EXPECT_EQ(path, "C:\\windows\\system32\\calc.exe");
  std::string raw = "  calc.exe ";
  EXPECT_FALSE(paths.FileExists(raw, false));
  EXPECT_EQ(raw, "calc.exe");
  std::string empty = "   ";
  EXPECT_FALSE(paths.FileExists(empty, true));
  std::string folder = "C:\\users\\tester\\AppData\\Roaming";
  EXPECT_TRUE(paths.FileExists(folder, false));
}

TEST_F(PathsTest, FileLengthAndBytes) {
  fs.AddFile("C:\\data\\f.bin", Bytes{1, 2, 3, 4, 5});
  EXPECT_EQ(paths.GetFileLength(""), 0);
  EXPECT_EQ(paths.GetFileLength("C:\\data\\missing.bin"), 0);
  EXPECT_EQ(paths.GetFileLength("C:\\data\\f.bin"), 5);
  Bytes out;
  ASSERT_TRUE(paths.ReadFileBytes("C:\\data\\f.bin", 2, 3, out));
  EXPECT_EQ(out, (Bytes{2, 3, 4}));
  EXPECT_FALSE(paths.ReadFileBytes("C:\\data\\f.bin", 4, 3, out));
  EXPECT_FALSE(paths.ReadFileBytes("C:\\data\\f.bin", 0, 1, out));
}


// One start of the program in a profile: its folders, as start-up sets them.
struct ProfileStart {
  explicit ProfileStart(test::FakeFileSystem& disk, test::TableShortPaths& shortPaths, const std::string& appData)
      : fs(disk) {
    shell.Set(csidl::kAppData, appData);
    folders = InitPaths("C:\\VEK", shell, fs);
    storable = UseStorableIconFolder(folders, codec, shortPaths, prompt);
  }
  test::FakeFileSystem& fs;
  test::FakeShellFolders shell;
  test::FakeAnsiCodec codec;
  test::RecordingPrompt prompt;
  Folders folders;
  bool storable = false;
  ConfigIo io{fs, codec, prompt, folders};
};

TEST(StorableIconFolderTest, PicturesSurviveARestartInAProfileTheCodePageCannotName) {
  // Greek letters have no place in Windows-1252.
  const std::string appData = "C:\\users\\\xCE\xB1\xCE\xB2\xCE\xB3\\AppData\\Roaming";
  const std::string longIcons = appData + "\\Kestrovan\\VekIcons\\";
  const std::string shortIcons = "C:\\users\\ABC~1\\AppData\\Roaming\\KESTRO~1\\VekIcons\\";
  test::FakeFileSystem fs;
  fs.AddFolder(appData);
  fs.AddFolder(shortIcons);
  test::TableShortPaths shortPaths;
  shortPaths.names[longIcons] = shortIcons;

  std::string picture;
  {
    ProfileStart first(fs, shortPaths, appData);
    EXPECT_TRUE(first.storable);
    EXPECT_EQ(first.folders.MenuFile, shortIcons + "VEKMenu.cfg");
    Model model;
    model.Items[4].Kind = ItemKind::kShortcut;
    model.Items[4].IconFile = picture = first.folders.IconDir + "0.png";
    fs.AddFile(picture, "the picture");
    ASSERT_TRUE(SaveMenu(model, first.io));
    EXPECT_TRUE(first.prompt.asked.empty());
  }
  ProfileStart second(fs, shortPaths, appData);
  Model model;
  ASSERT_TRUE(LoadMenu(model, second.io));
  EXPECT_EQ(model.Items[4].IconFile, picture);
  EXPECT_TRUE(fs.HasFile(model.Items[4].IconFile));
}

TEST(StorableIconFolderTest, ShortNamesOnlyWhenNeededAndTheUserToldWhenNoneHelps) {
  test::FakeFileSystem fs;
  test::TableShortPaths shortPaths;
  ProfileStart plain(fs, shortPaths, "C:\\users\\Zo\xC3\xAB\\AppData\\Roaming");  // fits 1252
  EXPECT_TRUE(plain.storable);
  EXPECT_EQ(plain.folders.IconDir, "C:\\users\\Zo\xC3\xAB\\AppData\\Roaming\\Kestrovan\\VekIcons\\");
  EXPECT_EQ(shortPaths.asked, 0);

  // A volume without short names gives the long name back.
  const std::string appData = "C:\\users\\\xCE\xB1\\AppData\\Roaming";
  ProfileStart none(fs, shortPaths, appData);
  EXPECT_FALSE(none.storable);
  EXPECT_EQ(none.folders.IconDir, appData + "\\Kestrovan\\VekIcons\\");
  ASSERT_EQ(none.prompt.texts().size(), 1u);
  EXPECT_TRUE(StartsWith(none.prompt.texts()[0], kIconFolderNotStorable));
}

TEST(UserFolderTest, AFolderOutOfReachIsToldAndNothingIsMadeInItsPlace) {
  const struct {
    const char* name;
    std::string appData;
    std::string told;  // after the warning's common text
  } cases[] = {
      {"a local profile", "C:\\users\\tester\\AppData\\Roaming", ""},
      {"a share out of reach", "\\\\server\\profiles\\tester", ":\r\n\r\n\\\\server\\profiles\\tester\\Kestrovan\\"},
      {"no folder named", "", "."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::FakeFileSystem fs;
    fs.AddFolder("C:\\users\\tester\\AppData\\Roaming");
    test::TableShortPaths shortPaths;
    ProfileStart start(fs, shortPaths, c.appData);
    const std::string text = UnreachedUserFolderText(start.shell, fs, start.folders);
    EXPECT_EQ(text, c.told.empty() ? "" : kUserFolderUnreachable + c.told);
    EXPECT_EQ(fs.Attributes(start.folders.IconDir) != attr::kInvalid, c.told.empty());
    EXPECT_EQ(fs.Attributes("\\Kestrovan"), attr::kInvalid);
  }
}

TEST(UserFolderTest, ShellFoldersMovedSinceStartAreFollowed) {
  test::FakeFileSystem fs;
  test::FakeShellFolders shell;
  Folders folders = InitPaths("C:\\VEK", shell, fs);
  const std::string documents = folders.DocumentsDir;
  EXPECT_FALSE(FollowShellFolders(folders, shell));
  shell.Set(csidl::kDesktop, "C:\\users\\tester\\OneDrive\\Desktop");
  shell.Set(csidl::kPersonal, "");  // not named at the moment: kept
  EXPECT_TRUE(FollowShellFolders(folders, shell));
  EXPECT_EQ(folders.DesktopDir, "C:\\users\\tester\\OneDrive\\Desktop\\");
  EXPECT_EQ(folders.DocumentsDir, documents);
}

}  // namespace
}  // namespace vek
