// Shortcut files written with IShellLinkW and read back through the shell's routes.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "text/text.h"
#include "launch/shortcut_files.h"
#include "launch/win/shortcut_reader_win.h"
#include "platform/log.h"
#include "platform/win/file_system_win.h"
#include "platform/win/handles.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"
#include "platform/win/ui_thread.h"

namespace vek::win {
namespace {

void WriteLink(const std::string& path, const std::string& target, const std::string& args,
               const std::string& folder, const std::string& icon, int iconIndex, int show) {
  ComPtr<IShellLinkW> link;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkW, link.put_void())));
  link->SetPath(Wide(target).c_str());
  link->SetArguments(Wide(args).c_str());
  link->SetWorkingDirectory(Wide(folder).c_str());
  if (!icon.empty()) link->SetIconLocation(Wide(icon).c_str(), iconIndex);
  link->SetShowCmd(show);
  ComPtr<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.put_void())));
  ASSERT_TRUE(SUCCEEDED(file->Save(Wide(path).c_str(), TRUE)));
}

class ShortcutReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders = InitPaths(ProgramFolder(), shell, fs);
    dir = folders.TempDir + "vek-links-" + std::to_string(GetCurrentProcessId()) + "\\";
    fs.CreateFolder(dir);
    target = dir + "notes.txt";
    fs.WriteAll(target, Bytes{'h', 'i'});
  }
  void TearDown() override {
    for (const DirEntry& e : fs.List(dir, "*.*"))
      if (!(e.attributes & attr::kDirectory)) fs.Delete(dir + e.name);
    RemoveDirectoryW(Wide(dir).c_str());
  }
  // The shortcut reader runs on the program's UI thread, set up as the program sets it up.
  UiThreadScope uiThread;
  Win32FileSystem fs;
  Win32Environment env;
  Win32ShellFolders shell;
  Folders folders;
  std::string dir, target;
};

TEST_F(ShortcutReaderTest, LinkResolvesToTargetArgumentsFolderAndIcon) {
  const std::string icon = folders.SystemDir + "shell32.dll";
  WriteLink(dir + "Notes.lnk", target, "-open now", dir, icon, 4, SW_SHOWMAXIMIZED);
  PathTools paths(fs, env, folders);
  Win32ShortcutReader reader;
  ShortcutFiles files(paths, reader);
  ReadResult read = files.ReadShortcutFile(dir + "Notes.lnk");
  EXPECT_TRUE(read.found);
  ShortcutDetails details;
  files.ResolveShortcutFile(dir + "Notes.lnk", details);
  EXPECT_EQ(ToUpperAscii(details.Target), ToUpperAscii(target));
  EXPECT_EQ(details.Arguments, "-open now");
  EXPECT_EQ(ToUpperAscii(WithTrailingBackslash(details.WorkingFolder)), ToUpperAscii(dir));
  EXPECT_EQ(ToUpperAscii(details.IconFile), ToUpperAscii(icon));
  EXPECT_EQ(details.IconIndex, 4);
}

TEST_F(ShortcutReaderTest, ShellLinkRouteReadsTheStoredShowCommand) {
  WriteLink(dir + "Min.lnk", target, "", dir, "", 0, SW_SHOWMINNOACTIVE);
  Win32ShortcutReader reader;
  std::optional<LinkFields> fields = reader.Read(dir + "Min.lnk", ShortcutReader::Route::kShellLink);
  ASSERT_TRUE(fields);
  EXPECT_EQ(fields->showCommand, SW_SHOWMINNOACTIVE);
  EXPECT_EQ(ToUpperAscii(fields->target), ToUpperAscii(target));
}

TEST_F(ShortcutReaderTest, LinkToALinkResolvesThroughBoth) {
  WriteLink(dir + "Inner.lnk", target, "inner", dir, "", 0, SW_SHOWNORMAL);
  WriteLink(dir + "Outer.lnk", dir + "Inner.lnk", "outer", dir, "", 0, SW_SHOWNORMAL);
  PathTools paths(fs, env, folders);
  Win32ShortcutReader reader;
  ShortcutFiles files(paths, reader);
  ShortcutDetails details;
  files.ResolveShortcutFile(dir + "Outer.lnk", details);
  EXPECT_EQ(ToUpperAscii(details.Target), ToUpperAscii(target));
  EXPECT_EQ(details.Arguments, "inner");
  EXPECT_EQ(details.LinkPath, dir + "Outer.lnk");
}

TEST_F(ShortcutReaderTest, InternetShortcutGivesItsAddressAndItsOwnPicture) {
  const std::string url = dir + "Site.url";
  const std::string icon = folders.SystemDir + "shell32.dll";
  const std::string text = "[InternetShortcut]\r\nURL=https://example.org/page\r\nIconFile=" + icon +
                           "\r\nIconIndex=13\r\n";
  fs.WriteAll(url, Bytes(text.begin(), text.end()));
  PathTools paths(fs, env, folders);
  Win32ShortcutReader reader;
  ShortcutFiles files(paths, reader);
  ShortcutDetails details;
  files.ResolveShortcutFile(url, details);
  EXPECT_EQ(details.Target, "https://example.org/page");
  EXPECT_EQ(ToUpperAscii(details.IconFile), ToUpperAscii(icon));
  EXPECT_EQ(details.IconIndex, 13);
}

TEST_F(ShortcutReaderTest, NotALinkAndNoAdvertisedTarget) {
  Win32ShortcutReader reader;
  EXPECT_EQ(reader.InstallerTarget(target), "");
  LogLines log;
  EXPECT_FALSE(reader.Read(dir + "missing.lnk", ShortcutReader::Route::kShellLink));
  // The failure is seen in the log, with the file and the step that failed.
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_TRUE(StartsWith(log.lines()[0], "shortcut " + dir + "missing.lnk: loading failed, 0x"));
}

}  // namespace
}  // namespace vek::win
