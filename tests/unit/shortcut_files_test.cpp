#include <gtest/gtest.h>

#include <map>

#include "launch/shortcut_files.h"
#include "support/fakes.h"
#include "support/recorders.h"

namespace vek {
namespace {

class ShortcutFilesTest : public ::testing::Test, protected test::PathsMachine<> {
 protected:
  void SetUp() override {
    fs.AddFile("C:\\Tools\\editor.exe");
    fs.AddFile("C:\\Docs\\plan.txt");
    fs.AddFile("C:\\Links\\Editor.lnk");
    fs.AddFile("C:\\Links\\Inner.lnk");
    fs.AddFile("C:\\Links\\Outer.lnk");
  }
  LinkFields Fields(std::string target, std::string icon = "", int index = 0) {
    LinkFields f;
    f.target = std::move(target);
    f.iconFile = std::move(icon);
    f.iconIndex = index;
    f.arguments = "-x";
    f.workingFolder = "C:\\Work";
    f.showCommand = 3;
    return f;
  }
  using Route = ShortcutReader::Route;
  test::TableShortcutReader reader;
  ShortcutFiles files{paths, reader};
};

TEST_F(ShortcutFilesTest, AutomationRouteWinsWhenItsTargetExists) {
  reader.links[{"C:\\Links\\Editor.lnk", Route::kShellAutomation}] = Fields("C:\\Tools\\editor.exe");
  reader.links[{"C:\\Links\\Editor.lnk", Route::kScripting}] = Fields("C:\\Other\\x.exe");
  ReadResult r = files.ReadShortcutFile("C:\\Links\\Editor.lnk");
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.fields.target, "C:\\Tools\\editor.exe");
}

TEST_F(ShortcutFilesTest, ScriptingRouteDecidesWhenAutomationFindsNothing) {
  reader.links[{"C:\\Links\\Editor.lnk", Route::kShellAutomation}] = Fields("C:\\Gone\\x.exe");
  reader.links[{"C:\\Links\\Editor.lnk", Route::kScripting}] = Fields("\"C:\\Tools\\editor.exe\"");
  ReadResult r = files.ReadShortcutFile("C:\\Links\\Editor.lnk");
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.fields.target, "C:\\Tools\\editor.exe");  // normalised: quotes removed
}

TEST_F(ShortcutFilesTest, FoundThroughTheIconFileAlone) {
  fs.AddFile("C:\\Icons\\app.ico");
  reader.links[{"C:\\Links\\Editor.lnk", Route::kScripting}] = Fields("C:\\Gone\\x.exe", "C:\\Icons\\app.ico", 0);
  ReadResult r = files.ReadShortcutFile("C:\\Links\\Editor.lnk");
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.fields.iconFile, "C:\\Icons\\app.ico");
}

TEST_F(ShortcutFilesTest, ShellLinkRouteOnlyWhenNoAutomationObjectReads) {
  reader.links[{"C:\\Links\\Editor.lnk", Route::kShellLink}] = Fields("C:\\Tools\\editor.exe");
  EXPECT_TRUE(files.ReadShortcutFile("C:\\Links\\Editor.lnk").found);
  reader.links[{"C:\\Links\\Editor.lnk", Route::kShellAutomation}] = Fields("C:\\Gone\\y.exe");
  ReadResult r = files.ReadShortcutFile("C:\\Links\\Editor.lnk");
  EXPECT_FALSE(r.found);
  EXPECT_EQ(r.fields.target, "C:\\Gone\\y.exe");
}

TEST_F(ShortcutFilesTest, ResolvesAShortcutToAShortcutThroughBoth) {
  reader.links[{"C:\\Links\\Outer.lnk", Route::kScripting}] = Fields("C:\\Links\\Inner.lnk");
  LinkFields inner = Fields("C:\\Docs\\plan.txt", "C:\\Docs\\plan.txt", 2);
  inner.arguments = "inner-args";
  reader.links[{"C:\\Links\\Inner.lnk", Route::kScripting}] = inner;
  ShortcutDetails details;
  details.Arguments = "stale";
  files.ResolveShortcutFile("C:\\Links\\Outer.lnk", details);
  EXPECT_EQ(details.LinkPath, "C:\\Links\\Outer.lnk");
  EXPECT_EQ(details.Target, "C:\\Docs\\plan.txt");
  EXPECT_EQ(details.Arguments, "inner-args");
  EXPECT_EQ(details.IconIndex, 2);
  EXPECT_EQ(details.ShowCommand, 3);
  EXPECT_EQ(details.WorkingFolder, "C:\\Work");
}

TEST_F(ShortcutFilesTest, InstalledTargetOfAnAdvertisedShortcutWithoutReadingIt) {
  reader.installed["C:\\Links\\Editor.lnk"] = "C:\\Tools\\editor.exe";
  reader.links[{"C:\\Links\\Editor.lnk", Route::kScripting}] = Fields("C:\\Docs\\plan.txt");
  ShortcutDetails details;
  files.ResolveShortcutFile("C:\\Links\\Editor.lnk", details);
  EXPECT_EQ(details.Target, "C:\\Tools\\editor.exe");
  EXPECT_EQ(details.IconFile, "C:\\Tools\\editor.exe");
  EXPECT_EQ(details.Arguments, "");
}

TEST_F(ShortcutFilesTest, MissingPathLeavesClearedDetailsWithTheLinkPath) {
  ShortcutDetails details;
  details.Target = "C:\\old.exe";
  files.ResolveShortcutFile("C:\\Links\\Gone.lnk", details);
  EXPECT_EQ(details.LinkPath, "C:\\Links\\Gone.lnk");
  EXPECT_EQ(details.Target, "");
}

TEST(DisplayNameTest, DropsOnlyLnkAndExe) {
  for (const auto& [path, name] : {std::pair{"C:\\Tools\\Editor.exe", "Editor"}, {"C:\\Docs\\Plan.txt", "Plan.txt"},
                                   {"  C:\\Docs\\Plan.Lnk  ", "Plan"}, {"C:\\Setup\\setup.msi", "setup.msi"},
                                   {"Editor.EXE", "Editor"}})
    EXPECT_EQ(DisplayNameFromPath(path), name) << path;
  EXPECT_EQ(DisplayNameFromPath("C:\\Docs\\Plan.lnk", true), "Plan.lnk");
  EXPECT_EQ(FolderOfPath(" C:\\Tools\\Editor.exe "), "C:\\Tools\\");
  EXPECT_EQ(FolderOfPath("Editor.exe"), "");
}

}  // namespace
}  // namespace vek
