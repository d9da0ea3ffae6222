#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/settings_record.h"
#include "core/search_engines.h"
#include "launch/system_catalogue.h"
#include "support/item_world.h"

namespace vek {
namespace {

using test::ItemWorld;
constexpr RegRoot HKCR = RegRoot::kClassesRoot;
constexpr RegRoot HKCU = RegRoot::kCurrentUser;

TEST(SearchEnginesTest, EveryEngineIsAskedOverItsSecureAddress) {
  ASSERT_EQ(kSearchEngineCount, 9);
  for (const SearchEngine& e : kSearchEngines) {
    EXPECT_TRUE(StartsWith(e.queryPrefix, "https://")) << e.name;
    EXPECT_LE(std::string(e.name).size(), 32u);
    EXPECT_LE(std::string(e.queryPrefix).size(), 128u);
  }
}

class DefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const Folders& f = w.folders;
    w.fs.AddFile(f.CommonDesktopDir + "Shared Tool.exe");
    w.fs.AddFile(f.DesktopDir + "todo.txt");
    w.fs.AddFile(f.DesktopDir + "desktop.ini", "", attr::kArchive | attr::kHidden);
    for (const char* name : {"notepad.exe", "calc.exe", "cmd.exe"}) w.fs.AddFile(f.SystemDir + name);
    w.fs.AddFile(f.ProgramFilesDir + "Windows NT\\Accessories\\wordpad.exe");
    w.fs.AddFile(f.WindowsDir + "regedit.exe");
    w.fs.AddFile(kWord);
    w.registry.PutText(HKCR, "Word.Application\\CLSID", "", "{W}");
    w.registry.PutText(HKCR, "CLSID\\{W}\\LocalServer32", "", std::string(kWord) + " /automation");
    w.fs.AddFile(kBrowser);
    w.registry.PutText(HKCU, "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice",
                       "Progid", "BrowserHTML");
    w.registry.PutText(HKCR, "BrowserHTML\\shell\\open\\command", "", std::string("\"") + kBrowser + "\" -- \"%1\"");
    w.registry.PutText(HKCR, "http\\shell\\open\\command", "", "\"C:\\Program Files\\Old\\old.exe\" \"%1\"");
  }
  ShortcutItem& item(int i) { return w.item(i); }
  std::vector<std::string> Links(int group) {
    std::vector<std::string> links;
    for (int m : w.Members(group)) links.push_back(w.item(m).Link);
    return links;
  }

  static constexpr char kWord[] = "C:\\Program Files\\Microsoft Office\\WINWORD.EXE";
  static constexpr char kBrowser[] = "C:\\Program Files\\Browser\\browser.exe";
  ItemWorld w;
};

TEST_F(DefaultsTest, FirstStartFillsSlotsThreeToNine) {
  w.LoadAtStart();
  const Folders& f = w.folders;
  EXPECT_EQ(item(3).Kind, ItemKind::kAllPrograms);
  EXPECT_EQ(item(3).Title, "All Programs Group");  // the suffix went with the first member
  EXPECT_EQ(Links(3), (std::vector<std::string>{f.CommonDesktopDir + "Shared Tool.exe", f.DesktopDir + "todo.txt"}));
  EXPECT_EQ(item(4).Title, "System Folders & Drives Group");
  EXPECT_EQ(w.MemberTitles(4).front(), "My Documents");  // Explorer is missing here
  EXPECT_EQ(Links(5), (std::vector<std::string>{f.SystemDir + "notepad.exe", f.SystemDir + "calc.exe",
                                                f.ProgramFilesDir + "Windows NT\\Accessories\\wordpad.exe",
                                                f.SystemDir + "cmd.exe", f.WindowsDir + "regedit.exe"}));
  EXPECT_EQ(item(6).Title, "Microsoft Office Suite Group");
  EXPECT_EQ(Links(6), std::vector<std::string>{kWord});
  EXPECT_EQ(item(7).Title, "Internet");
  EXPECT_EQ(item(7).Kind, ItemKind::kShortcut);
  EXPECT_EQ(item(7).Link, kBrowser);  // the user's choice, not the machine's
  EXPECT_EQ(item(8).Title, "Check Email");
  EXPECT_EQ(item(8).Link, "");  // no mail program registered
  EXPECT_EQ(item(9).CommandId, command::kSearchInternet);
  EXPECT_TRUE(item(9).IsSystem);
  // Start-up works on the model alone; only the drive scan lets window messages run, and
  // the ring is told once the groups are filled.
  EXPECT_EQ(w.host.log, (std::vector<std::string>{"LetMessagesRun", "GroupsFilled"}));
  EXPECT_EQ(w.model.Settings.MaxRadius, 440);
  EXPECT_EQ(w.model.Settings.SearchBoxTop, 1080 - 69);
}

TEST_F(DefaultsTest, FirstStartMakesTheGroupsAtOnceAndTheirMembersAfterwards) {
  w.defaults.LoadAtStart(w.host.screen, w.host.facts);
  const struct {
    int slot;
    ItemKind kind;
    const char* title;
    const char* picture;
    size_t members;  // once filled
  } rows[] = {
      {3, ItemKind::kAllPrograms, "All Programs Group (Empty)", "All Programs Group.png", 2},
      {4, ItemKind::kGroup, "System Folders & Drives Group", "Library.png", 9},
      {5, ItemKind::kGroup, "Accessories Group", "WinGroup.png", 5},
      {6, ItemKind::kGroup, "Microsoft Office Suite Group", "Microsoft Office Group.png", 1},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(item(r.slot).Kind, r.kind) << r.slot;
    EXPECT_EQ(item(r.slot).Title, r.title);
    EXPECT_EQ(item(r.slot).IconFile, w.SysIcon(r.picture));
    EXPECT_TRUE(w.Members(r.slot).empty()) << r.slot;
  }
  // Nothing was scanned or written yet: no drive, no picture, no menu file.
  EXPECT_TRUE(w.host.log.empty());
  EXPECT_EQ(w.host.fillSteps, 0);
  EXPECT_FALSE(w.fs.Has(w.folders.MenuFile));
  ASSERT_TRUE(w.defaults.groupsWaiting());

  EXPECT_TRUE(w.defaults.FillDefaultGroups());
  for (const auto& r : rows) EXPECT_EQ(w.Members(r.slot).size(), r.members) << r.slot;
  EXPECT_GE(w.host.fillSteps, 17);  // the windows had their turn before every path
  EXPECT_EQ(item(3).Title, "All Programs Group");
  EXPECT_EQ(w.host.log, (std::vector<std::string>{"LetMessagesRun", "GroupsFilled"}));
  EXPECT_FALSE(w.defaults.FillDefaultGroups());  // nothing waits any more
  // The menu file holds the filled groups: the next start reads them back.
  const std::vector<ShortcutItem> filled = w.model.Items;
  w.model = Model();
  w.model.Size();
  w.defaults.LoadAtStart(w.host.screen, w.host.facts);
  EXPECT_FALSE(w.defaults.groupsWaiting());
  EXPECT_EQ(w.model.Items, filled);
}

TEST_F(DefaultsTest, TheFillLeavesADeletedGroupAloneAndFollowsAMovedOne) {
  const struct {
    const char* change;
    std::function<void(ItemWorld&)> make;
    bool filled;          // the fill ran to its end and wrote the menu file
    size_t accessories;   // members of the accessories' position afterwards
    int at = 5;           // that position
  } cases[] = {
      {"the accessories deleted", [](ItemWorld& x) { x.items.DeleteItem(5, true); }, true, 0},
      {"the accessories moved",
       [](ItemWorld& x) {
         std::swap(x.model.Items[5], x.model.Items[8]);
         std::swap(x.model.Groups[5], x.model.Groups[8]);
       },
       true, 2, 8},
      {"shortcuts reset", [](ItemWorld& x) { x.defaults.ResetAndReload(false, true, false); }, false, 2},
      {"settings reset", [](ItemWorld& x) { x.defaults.ResetAndReload(true, false, false); }, true, 2},
      {"settings restored", [](ItemWorld& x) { x.defaults.ResetAndReload(false, false, false); }, true, 2},
  };
  for (const auto& c : cases) {
    ItemWorld x;
    for (const char* name : {"notepad.exe", "calc.exe"}) x.fs.AddFile(x.folders.SystemDir + name);
    x.defaults.LoadAtStart(x.host.screen, x.host.facts);
    c.make(x);
    EXPECT_EQ(x.defaults.FillDefaultGroups(), c.filled) << c.change;
    EXPECT_EQ(x.Members(c.at).size(), c.accessories) << c.change;
    EXPECT_EQ(x.fs.Has(x.folders.MenuFile), c.filled) << c.change;
    EXPECT_EQ(std::count(x.host.log.begin(), x.host.log.end(), "GroupsFilled"), c.filled ? 1 : 0) << c.change;
  }
}

TEST_F(DefaultsTest, AGroupDeletedAfterItsLastDriveKeepsThePlainBlankCaption) {
  w.defaults.LoadAtStart(w.host.screen, w.host.facts);
  w.host.onLetMessagesRun = [this] { w.items.DeleteItem(4, true); };
  EXPECT_TRUE(w.defaults.FillDefaultGroups());
  EXPECT_EQ(item(4).Title, "Blank Shortcut");
}

TEST_F(DefaultsTest, ARestoredConfigurationWithAutostartOffKeepsItOff) {
  w.LoadAtStart();
  ASSERT_TRUE(w.model.Settings.AutoRun);  // a first start writes the Run value
  Model off = w.model;
  off.Settings.AutoRun = false;
  ASSERT_TRUE(SaveSettings(off, w.io));
  w.defaults.ResetAndReload(false, false, false);
  EXPECT_FALSE(w.model.Settings.AutoRun);
}

TEST_F(DefaultsTest, EmptySourcesLeaveGroupsThatSayTheyAreEmpty) {
  for (const std::string& dir : {w.folders.CommonDesktopDir, w.folders.DesktopDir})
    for (const DirEntry& e : w.fs.List(dir, "*.*"))
      if (e.name != "." && e.name != "..") w.fs.Delete(dir + e.name);
  w.registry.DeleteValue(HKCR, "Word.Application\\CLSID", "");
  w.LoadAtStart();
  EXPECT_EQ(item(3).Title, "All Programs Group (Empty)");
  EXPECT_EQ(item(6).Title, "Microsoft Office Suite Group (Empty)");
}

TEST_F(DefaultsTest, ASecondStartReadsTheRingBackUnchanged) {
  w.host.facts.userName = "\xCE\x95\xCE\xBB\xCE\xAD\xCE\xBD\xCE\xB7";  // the file keeps "?????"
  w.LoadAtStart();
  ASSERT_TRUE(SaveSettings(w.model, w.io));
  ASSERT_TRUE(SaveMenu(w.model, w.io));
  const std::vector<ShortcutItem> first = w.model.Items;
  const size_t writes = w.fs.writes();
  w.model = Model();
  w.LoadAtStart();
  EXPECT_EQ(w.model.Items, first);
  EXPECT_EQ(w.fs.writes(), writes);  // no picture is made again
}

TEST_F(DefaultsTest, ARestoredShortcutKeptByItsShortNameShowsItsLongName) {
  w.LoadAtStart();
  const std::string greek = "C:\\users\\tester\\Documents\\\xCE\xB1\xCE\xB2.txt";
  w.fs.AddFile(greek);
  w.shortPaths.names[greek] = "C:\\users\\tester\\DOCUME~1\\A~1.TXT";
  ASSERT_EQ(w.items.AddItemFromPath(greek, 20).outcome, AddOutcome::kAdded);
  ASSERT_TRUE(SaveMenu(w.model, w.io));
  w.defaults.ResetAndReload(false, false, true);
  EXPECT_EQ(item(20).Title, "\xCE\xB1\xCE\xB2.txt");
}

TEST_F(DefaultsTest, ACrowdedDesktopLeavesRoomForTheOtherDefaultGroups) {
  for (int i = 0; i < 1000; ++i) w.fs.AddFile(w.folders.DesktopDir + "file" + std::to_string(i) + ".txt");
  w.LoadAtStart();
  EXPECT_EQ(w.Members(5).size(), 5u);
  EXPECT_EQ(w.Members(6).size(), 1u);
  EXPECT_EQ(w.model.FindFreeSlot(false), 0);  // All Programs took the rest of the pool
  int members = 0;
  for (int g = 3; g <= 6; ++g) members += w.model.Groups[g].MemberCount();
  EXPECT_EQ(members, pool::kLast - pool::kMemberFirst + 1);
}

TEST_F(DefaultsTest, SettingsResetKeepsLockAndLettersAndTheRing) {
  w.LoadAtStart();
  SaveMenu(w.model, w.io);
  AppSettings& s = w.model.Settings;
  s.IconsLocked = true;
  s.HideLetters = true;
  s.SearchEngine = 5;
  s.SearchBoxLeft = 7;
  s.NormalIconSize = 32;
  SaveSettings(w.model, w.io);  // a reset must not read these back
  Bytes before;
  ASSERT_TRUE(w.fs.ReadAll(w.folders.SettingsFile, before));
  const std::vector<ShortcutItem> ring(w.model.Items.begin() + 3, w.model.Items.begin() + 10);
  std::vector<std::string> ui;
  w.prompt.answers = {PromptAnswer::kYes};
  ASSERT_TRUE(w.defaults.RunResetCommand(
      kResetSettingsCommand, {[&](bool busy) { ui.push_back(busy ? "busy" : "normal"); },
                              [&] { ui.push_back("refresh"); }}));
  EXPECT_TRUE(s.IconsLocked);
  EXPECT_TRUE(s.HideLetters);
  EXPECT_EQ(s.SearchEngine, 0);
  EXPECT_EQ(s.SearchBoxLeft, (1920 - 416) / 2);
  EXPECT_EQ(s.NormalIconSize, 48);
  EXPECT_EQ(std::vector<ShortcutItem>(w.model.Items.begin() + 3, w.model.Items.begin() + 10), ring);
  EXPECT_EQ(ui, (std::vector<std::string>{"busy", "refresh", "normal"}));
  ASSERT_EQ(w.prompt.asked.size(), 2u);
  EXPECT_EQ(w.prompt.asked[0].text, kResetSettingsQuestion);
  EXPECT_EQ(w.prompt.asked[0].icon, PromptIcon::kQuestion);
  EXPECT_TRUE(w.prompt.asked[0].defaultNo);
  EXPECT_EQ(w.prompt.asked[1].text, "Reset all default program settings successfully!");
  EXPECT_EQ(w.prompt.asked[1].icon, PromptIcon::kInformation);
  // The reset settings were written: the file on disk now holds the default sizes.
  Bytes after;
  ASSERT_TRUE(w.fs.ReadAll(w.folders.SettingsFile, after));
  EXPECT_NE(after, before);
  AppSettings saved;
  saved.NormalIconSize = 0;
  ASSERT_TRUE(ReadSettingsRecord(after.data(), after.size(), w.host.screen, saved));
  EXPECT_EQ(saved.NormalIconSize, 48);
}

TEST_F(DefaultsTest, SettingsResetKeepsTheRingWhenTheMenuFileIsGoneOrBroken) {
  for (const bool broken : {false, true}) {
    SCOPED_TRACE(broken ? "broken menu file" : "missing menu file");
    w.model = Model();
    w.LoadAtStart();
    w.item(12).Kind = ItemKind::kEmptyPosition;
    ASSERT_TRUE(w.items.AddItemFromPath(w.folders.DesktopDir + "todo.txt", 12).added());
    w.item(14).Title = "Renamed";
    ASSERT_TRUE(SaveMenu(w.model, w.io));
    w.fs.Delete(w.folders.MenuFile + ".bak");
    if (broken) {
      w.fs.AddFile(w.folders.MenuFile, "not a menu");
    } else {
      w.fs.Delete(w.folders.MenuFile);
    }
    const Model kept = w.model;
    w.prompt.asked.clear();
    w.prompt.answers = {PromptAnswer::kYes};
    ASSERT_TRUE(w.defaults.RunResetCommand(kResetSettingsCommand, {}));
    for (int i = 0; i < pool::kSize; ++i) {
      if (i >= pool::kCatalogueFirst && i <= pool::kCatalogueLast) continue;
      ASSERT_EQ(w.item(i), kept.Items[i]) << i;
    }
    for (int g = 3; g <= pool::kRingLast; ++g) {
      ASSERT_EQ(w.model.Groups[g].ShownItem, kept.Groups[g].ShownItem) << g;
      ASSERT_EQ(w.model.Groups[g].Members, kept.Groups[g].Members) << g;
    }
    EXPECT_EQ(w.prompt.asked.size(), 2u);  // the question and the done message, nothing else
  }
}

TEST_F(DefaultsTest, ItemsResetKeepsTheOpacityAndDropsTheUsersPictures) {
  w.LoadAtStart();
  w.model.Settings.BackdropOpacity = 100;
  w.item(12).Kind = ItemKind::kEmptyPosition;
  ASSERT_TRUE(w.items.AddItemFromPath(w.folders.DesktopDir + "todo.txt", 12).added());
  const std::string picture = w.item(12).IconFile;
  ASSERT_TRUE(w.fs.Has(picture));
  w.fs.AddFile(picture, "the user's own picture");
  const std::string custom = w.Icon("custom.png");
  w.fs.AddFile(custom, "another picture of the user's");
  w.item(12).CustomIconFile = custom;
  w.prompt.answers = {PromptAnswer::kYes};
  ASSERT_TRUE(w.defaults.RunResetCommand(kResetShortcutsCommand, {}));
  // Whatever pictures the defaults made again, none is one of the user's.
  for (const DirEntry& e : w.fs.List(w.folders.IconDir, "*.png")) {
    const std::string text = w.fs.Text(w.Icon(e.name));
    EXPECT_EQ(text.find("the user's"), std::string::npos) << e.name;
  }
  // The pictures the defaults made stay.
  int made = 0;
  for (const ShortcutItem& item : w.model.Items) {
    if (!PathIsInFolder(item.IconFile, w.folders.IconDir)) continue;
    ++made;
    EXPECT_TRUE(w.fs.Has(item.IconFile)) << item.Title;
  }
  EXPECT_GT(made, 0);
  EXPECT_FALSE(w.fs.Has(custom));
  EXPECT_EQ(w.model.Settings.BackdropOpacity, 100);
  EXPECT_EQ(w.item(12).Kind, ItemKind::kEmptyPosition);
  EXPECT_EQ(w.item(3).Title, "All Programs Group");
  EXPECT_TRUE(w.fs.Has(w.folders.MenuFile));
  EXPECT_EQ(w.prompt.asked.back().text, "Reset all default shortcuts & icons successfully!");
  EXPECT_EQ(w.prompt.asked[0].text, kResetShortcutsQuestion);
}

TEST_F(DefaultsTest, NoResetWhileTheUsersFilesAreLeftAlone) {
  w.LoadAtStart();
  const std::string picture = w.Icon("custom.png");
  w.fs.AddFile(picture, "the user's own picture");
  w.io.keepFiles = true;
  for (const int command : {kResetSettingsCommand, kResetShortcutsCommand}) {
    w.prompt.answers = {PromptAnswer::kYes};
    EXPECT_FALSE(w.defaults.RunResetCommand(command, {}));
  }
  EXPECT_EQ(w.prompt.texts(), std::vector<std::string>(2, kUserFilesKept + w.folders.UserDir));
  EXPECT_TRUE(w.fs.Has(picture));
  // A file that cannot be written is told of, and the reset is not called done.
  w.io.keepFiles = false;
  w.fs.FailWrites = true;
  for (const char* done : {kResetSettingsDone, kResetShortcutsDone}) {
    w.prompt.asked.clear();
    w.prompt.answers = {PromptAnswer::kYes};
    EXPECT_FALSE(w.defaults.RunResetCommand(done == kResetSettingsDone ? kResetSettingsCommand : kResetShortcutsCommand, {}));
    EXPECT_NE(w.prompt.texts().back(), done);
  }
  EXPECT_TRUE(w.fs.Has(picture));  // the old menu file, read at the next start, still needs it
}

TEST_F(DefaultsTest, ReloadingIconsRepairsItemsWhosePicturesAreAllGone) {
  w.pictures.modules.insert(ToUpperAscii(w.folders.CommonDesktopDir + "Shared Tool.exe"));
  w.LoadAtStart();
  const int tool = w.Members(3)[0], todo = w.Members(3)[1];
  w.item(todo).CustomIconFile = w.Icon("custom.png");
  w.fs.AddFile(w.Icon("custom.png"), "mine");
  const std::string toolPicture = w.item(tool).IconFile;
  ASSERT_TRUE(PathIsInFolder(toolPicture, w.folders.IconDir));
  SaveMenu(w.model, w.io);
  w.fs.Delete(toolPicture);
  w.fs.Delete(w.item(todo).IconFile);
  w.host.log.clear();
  w.defaults.ResetAndReload(false, false, true);
  EXPECT_TRUE(w.fs.Has(toolPicture));  // rebuilt into its own file
  EXPECT_FALSE(w.fs.Has(w.item(todo).IconFile));  // its custom icon still shows
  EXPECT_EQ(w.host.log.front(), "ReleaseImages");
  EXPECT_EQ(w.host.log.back(), "ReloadImagesAndShow");
}

TEST_F(DefaultsTest, PathsThatCannotBeKeptAreReportedOnceAtFirstStart) {
  w.fs.AddFile(w.folders.DesktopDir + "\xCE\xB1.txt");
  w.fs.AddFile(w.folders.DesktopDir + "\xCE\xB2.txt");
  w.LoadAtStart();
  ASSERT_EQ(w.prompt.asked.size(), 1u);
  EXPECT_TRUE(StartsWith(w.prompt.asked[0].text, kPathsNotStorable));
  EXPECT_EQ(Links(3).size(), 2u);
}

TEST_F(DefaultsTest, ADefaultProgramThatCannotBeKeptIsToldAndLeftOut) {
  w.registry.PutText(HKCR, "mailto\\shell\\open\\command", "", "C:\\Mail \xCE\xB3\\mail.exe %1");
  w.LoadAtStart();
  EXPECT_EQ(item(8).Link, "");
  EXPECT_TRUE(StartsWith(w.prompt.texts().at(0), kPathsNotStorable));
}

}  // namespace
}  // namespace vek
