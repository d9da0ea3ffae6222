#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/stored_text.h"
#include "dialogs/item_properties.h"
#include "dock/drop_controller.h"
#include "launch/system_catalogue.h"
#include "dialogs/user_identity.h"
#include "support/item_world.h"

namespace vek {
namespace {

struct RecordingDialogHost : DialogHost {
  void RefreshRing() override { log += "R"; }
  void SaveMenu() override { log += "M"; }
  void SaveSettings() override { log += "S"; }
  std::string log;
};

TEST(PropertiesEnablingTest, TypeAndControlsByKind) {
  const ItemKind unknown = static_cast<ItemKind>(-1);  // a number a file may hold
  struct Case {
    EditedItem edited;
    int slot;
    PropertiesView want;  // type; shortcut, group, system; link, browse, icon, title, target, arguments, run
  };
  const Case cases[] = {
      {{ItemKind::kShortcut}, 5, {0, true, true, false, true, true, true, true, true, true, true}},
      {{ItemKind::kEmptyPosition}, 10, {0, true, true, false, true, true, true, true, true, true, true}},
      {{ItemKind::kGroup}, 16, {1, true, true, false, true, false, true, true, false, false, false}},
      {{ItemKind::kMember}, 200, {0, true, false, false, true, true, true, true, true, true, true}},
      {{ItemKind::kFree, true}, 16, {0, true, false, false, false, true, false, false, false, false, false}},
      {{unknown}, 5, {0, true, true, false, true, true, true, true, true, true, true}},
      {{ItemKind::kAllPrograms}, 3, {2, false, false, true, false, false, true, false, false, false, false}},
      {{ItemKind::kCommand}, 70, {2, false, false, true, false, false, true, false, false, false, false}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PropertiesEnabling(c.edited, c.slot), c.want) << static_cast<int>(c.edited.kind) << c.edited.newMember;
  // Add mode on a group or All Programs opens an empty new member; otherwise the item itself.
  for (const auto& [kind, addMode, newMember] :
       {std::tuple{ItemKind::kGroup, true, true}, std::tuple{ItemKind::kAllPrograms, true, true},
        std::tuple{ItemKind::kShortcut, true, false}, std::tuple{ItemKind::kGroup, false, false},
        std::tuple{unknown, false, false}}) {
    const EditedItem e = EditedItemOf(kind, addMode);
    EXPECT_EQ(e.newMember, newMember) << static_cast<int>(kind);
    EXPECT_EQ(e.kind, newMember ? ItemKind::kFree : kind) << static_cast<int>(kind);
  }
}

TEST(PropertiesEnablingTest, LinkListByKind) {
  const std::vector<std::string> web = {"Add New 'Internet' Shortcut", "Add New 'Check Email' Shortcut",
                                        "Add New 'Search Internet' Shortcut"};
  struct Case {
    ItemKind editType;
    int members;
    std::vector<std::string> after;  // entries after the link
  };
  const Case cases[] = {
      {ItemKind::kEmptyPosition, 0, web},
      {ItemKind::kShortcut, 0,
       {"Replace by  New 'Internet' Shortcut", "Replace by  New 'Check Email' Shortcut",
        "Replace by  New 'Search Internet' Shortcut"}},
      {ItemKind::kGroup, 0,
       {"Add New 'System Folders & Drives Group'", "Add New 'Accessories Group'",
        "Add New 'Microsoft Office Suite Group'"}},
      {ItemKind::kGroup, 2,
       {"Replace by  New 'System Folders & Drives Group'", "Replace by  New 'Accessories Group'",
        "Replace by  New 'Microsoft Office Suite Group'"}},
      {ItemKind::kCommand, 0, {}},
      {static_cast<ItemKind>(-1), 0, {}},  // a number a file may hold: only its link
  };
  for (const Case& c : cases) {
    std::vector<std::string> want = {"C:\\a.exe"};
    want.insert(want.end(), c.after.begin(), c.after.end());
    EXPECT_EQ(LinkListEntries({c.editType}, "  C:\\a.exe ", c.members), want) << static_cast<int>(c.editType);
  }
  EXPECT_TRUE(LinkListEntries({ItemKind::kFree, true}, "", 0).empty());
}

class ItemPropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.fs.AddFile("C:\\tools\\app.exe", "program");
    w.fs.AddFile(w.folders.SysIconDir + "Group.png", "shared picture");
    ShortcutItem& app = w.item(5);
    app.Kind = ItemKind::kShortcut;
    app.Title = "App";
    app.Link = "C:\\tools\\app.exe";
    w.MakeGroup(16, "Tools");
  }
  ItemProperties Open(int slot, bool addMode = false) {
    return ItemProperties(PropertiesServices{w.model, w.items, w.defaults, w.pictures, w.paths, w.folders,
                                             w.prompt, w.codec, host},
                          slot, addMode);
  }
  test::ItemWorld w;
  RecordingDialogHost host;
};

TEST_F(ItemPropertiesTest, ShortcutBecomesAnEmptyGroupSavedAtOnceAfterYes) {
  ItemProperties p = Open(5);
  EXPECT_FALSE(p.ChooseType(item_type::kGroup));  // the question answered No
  EXPECT_EQ(w.item(5).Kind, ItemKind::kShortcut);
  EXPECT_EQ(host.log, "");
  w.prompt.answers = {PromptAnswer::kYes};
  ASSERT_TRUE(p.ChooseType(item_type::kGroup));
  EXPECT_EQ(w.prompt.asked.back().text, kShortcutToGroupQuestion);
  EXPECT_EQ(w.item(5).Kind, ItemKind::kGroup);
  EXPECT_EQ(w.item(5).Title, "New Group  (Empty)");
  EXPECT_EQ(w.item(5).IconFile, w.SysIcon("Group.png"));
  EXPECT_EQ(p.View().type, item_type::kGroup);
  EXPECT_EQ(host.log, "RM");
}

TEST_F(ItemPropertiesTest, ABlankPositionBecomesAGroupWithoutItsOwnPicture) {
  ShortcutItem& blank = w.item(7);
  blank.Kind = ItemKind::kEmptyPosition;
  blank.CustomIconFile = w.Icon("7c.png");
  w.fs.AddFile(blank.CustomIconFile, "picture");
  ASSERT_TRUE(Open(7).ChooseType(item_type::kGroup));
  EXPECT_EQ(w.item(7).Title, "New Group  (Empty)");
  EXPECT_FALSE(w.fs.Has(w.Icon("7c.png")));
}

TEST_F(ItemPropertiesTest, GroupWithMembersBecomesABlankShortcutAfterYes) {
  ASSERT_TRUE(w.items.AddItemFromPath("C:\\tools\\app.exe", 16).added());
  ItemProperties p = Open(16);
  w.prompt.answers = {PromptAnswer::kYes};
  ASSERT_TRUE(p.ChooseType(item_type::kShortcut));
  EXPECT_EQ(w.prompt.asked.back().text, kGroupToShortcutQuestion);
  EXPECT_EQ(w.item(16).Kind, ItemKind::kEmptyPosition);
  EXPECT_EQ(w.model.Groups[16].MemberCount(), 0);
  EXPECT_EQ(host.log, "RM");
}

TEST_F(ItemPropertiesTest, ReplacingByTheSearchEntryMakesTheCommandAfterYes) {
  ItemProperties p = Open(5);
  // Looked up with the arrow keys on the closed list, then OK: as a click on the entry.
  PropertiesFields arrowed = p.Fields();
  arrowed.link = p.LinkEntries()[3];
  w.prompt.answers = {PromptAnswer::kNo, PromptAnswer::kYes};
  EXPECT_EQ(p.Accept(arrowed), PropertiesAccepted::kLinkRefused);
  EXPECT_EQ(host.log, "");
  arrowed.title = "Mine";
  ASSERT_EQ(p.Accept(arrowed), PropertiesAccepted::kStored);
  EXPECT_EQ(w.prompt.asked.back().text, kReplaceQuestion);
  EXPECT_EQ(w.item(5).CommandId, command::kSearchInternet);
  EXPECT_EQ(w.item(5).Title, "Mine");
  EXPECT_TRUE(w.item(5).IsSystem);
  EXPECT_EQ(host.log, "RM");
  // A link typed on it afterwards makes it a shortcut to that link, as Browse does.
  w.fs.AddFile("C:\\tools\\edit.exe", "program");
  PropertiesFields f = p.Fields();
  f.link = "C:\\tools\\edit.exe";
  EXPECT_EQ(p.Accept(f), PropertiesAccepted::kStored);
  EXPECT_FALSE(w.item(5).IsSystem);
  EXPECT_EQ(w.item(5).Target, "C:\\tools\\edit.exe");
}

TEST_F(ItemPropertiesTest, AnIconThatCannotBeConvertedKeepsTheOldOneAndResetMakesItAnew) {
  w.item(6).IconFile = w.Icon("0.png");  // named by an item, though its file is gone
  ItemProperties p = Open(5);
  ASSERT_TRUE(p.ChangeIcon("C:\\tools\\app.exe"));
  const std::string first = w.item(5).CustomIconFile;
  EXPECT_NE(first, w.Icon("0.png"));
  ASSERT_TRUE(w.fs.Has(first));
  EXPECT_FALSE(p.ChangeIcon("C:\\missing.ico"));
  EXPECT_EQ(w.prompt.asked.back().text, kChangeIconFailed);
  EXPECT_EQ(w.item(5).CustomIconFile, first);
  EXPECT_TRUE(w.fs.Has(first));
  ASSERT_TRUE(p.ChangeIcon("C:\\tools\\app.exe"));  // a good one replaces it
  EXPECT_FALSE(w.fs.Has(first));
  w.fs.RemoveTree(w.folders.IconDir);  // cleaned away meanwhile: made again
  ASSERT_TRUE(p.ChangeIcon("C:\\tools\\app.exe"));
  p.ResetIcon();
  EXPECT_TRUE(w.item(5).CustomIconFile.empty());
  // A picture that could not be made when the item was added (its drive was away) is made now.
  w.item(5).IconFile = w.SysIcon("Problem.png");
  p.ResetIcon();
  EXPECT_EQ(w.item(5).IconFile.rfind(w.folders.IconDir, 0), 0u) << w.item(5).IconFile;
}

TEST_F(ItemPropertiesTest, OkRefusesALinkTheFilesCannotStoreAndCutsTheTitle) {
  const std::string longPath = "C:\\tools\\" + std::string(250, 'x') + ".exe";
  w.fs.AddFile(longPath);
  ItemProperties p = Open(5);
  PropertiesFields f = p.Fields();
  f.link = longPath;
  f.title = "Renamed";
  EXPECT_EQ(p.Accept(f), PropertiesAccepted::kLinkRefused);
  EXPECT_EQ(w.item(5).Link, "C:\\tools\\app.exe");
  EXPECT_EQ(w.item(5).Title, "App");
  EXPECT_NE(w.prompt.asked.back().text.find(kPathNotStorable), std::string::npos);
  f.link = "http://example.com";  // names nothing: told, and the window stays
  EXPECT_EQ(p.Accept(f), PropertiesAccepted::kLinkNotFound);
  EXPECT_EQ(w.prompt.asked.back().text, std::string(kLinkNotFound) + "http://example.com");
  f.link = p.Fields().link;
  f.title = std::string(130, 'T');
  EXPECT_EQ(p.Accept(f), PropertiesAccepted::kStored);
  EXPECT_EQ(w.item(5).Link, "C:\\tools\\app.exe");
  EXPECT_EQ(w.item(5).Title, std::string(128, 'T'));
  EXPECT_EQ(host.log, "MR");
}

// A new link makes the shortcut anew, as Browse does: what a click starts follows it.
TEST_F(ItemPropertiesTest, ATypedLinkMakesTheItemAnewKeepingTheTextsTypedOver) {
  w.fs.AddFile("C:\\tools\\edit.exe", "program");
  w.env.Set("TOOLS", "C:\\tools");
  w.item(7).Kind = ItemKind::kEmptyPosition;
  // The picture the user chose stays with the item made anew.
  const std::string chosen = w.Icon("chosen.png");
  w.fs.AddFile(chosen, "picture");
  w.item(5).CustomIconFile = chosen;
  const struct {
    int slot;
    const char* link;  // as pasted ("Copy as path") or typed
    const char* title;
    const char* kept;
    const char* target;
  } cases[] = {{5, "\"C:\\tools\\edit.exe\"", "App", "edit", "C:\\tools\\edit.exe"},
               {5, "%TOOLS%\\app.exe", "Mine", "Mine", "C:\\tools\\app.exe"},
               {7, "C:\\tools\\edit.exe", "", "edit", "C:\\tools\\edit.exe"}};
  for (const auto& c : cases) {
    ItemProperties p = Open(c.slot);
    PropertiesFields f = p.Fields();
    f.link = c.link;
    f.title = c.title;
    EXPECT_EQ(p.Accept(f), PropertiesAccepted::kStored) << c.link;
    EXPECT_EQ(w.item(c.slot).Kind, ItemKind::kShortcut) << c.link;
    EXPECT_EQ(w.item(c.slot).Target, c.target) << c.link;
    EXPECT_EQ(w.item(c.slot).Title, c.kept) << c.link;
  }
  EXPECT_EQ(w.item(5).CustomIconFile, chosen);
  EXPECT_TRUE(w.fs.Has(chosen));
  // A target pasted with quotes or typed with a variable is cleaned as the link is.
  for (const char* target : {"\"C:\\tools\\app.exe\"", "%TOOLS%\\app.exe"}) {
    ItemProperties p = Open(5);
    PropertiesFields f = p.Fields();
    f.target = target;
    EXPECT_EQ(p.Accept(f), PropertiesAccepted::kStored) << target;
    EXPECT_EQ(w.item(5).Target, "C:\\tools\\app.exe") << target;
  }
}

TEST_F(ItemPropertiesTest, AStoredRunModeOutsideTheThreeShowsANormalWindow) {
  for (const auto& [stored, shown] : {std::pair{5, 0}, {-1, 0}, {2, 2}}) {
    w.item(5).RunMode = stored;
    EXPECT_EQ(Open(5).Fields().runMode, shown) << stored;
  }
}

TEST_F(ItemPropertiesTest, OkRefusesATypedTextTheCodePageCannotKeep) {
  // The test code page, Windows-1252, has no "✓": each field refuses it, and nothing is saved.
  const std::string tick = "Done \xE2\x9C\x93";
  for (std::string PropertiesFields::*field :
       {&PropertiesFields::title, &PropertiesFields::target, &PropertiesFields::arguments}) {
    ItemProperties p = Open(5);
    PropertiesFields f = p.Fields();
    f.*field = tick;
    EXPECT_EQ(p.Accept(f), PropertiesAccepted::kTextRefused);
    EXPECT_EQ(w.prompt.asked.back().text, std::string(kTextNotStorable) + "\r\n\r\n" + tick);
  }
  EXPECT_EQ(w.item(5).Title, "App");
  EXPECT_EQ(host.log, "");
  // A title the program gave (a long file name) is no reason to refuse: left as shown, it stays.
  w.item(5).Title = tick;
  ItemProperties p = Open(5);
  EXPECT_EQ(p.Accept(p.Fields()), PropertiesAccepted::kStored);
  EXPECT_EQ(w.item(5).Title, tick);
}

TEST_F(ItemPropertiesTest, OkCutsATypedTitleWhereItsFieldEndsButRefusesALongerTargetOrArguments) {
  std::string wide;  // 100 characters of two bytes each: the 128-byte title keeps 64
  for (int i = 0; i < 100; ++i) wide += "\xE4\xB8\x80";
  test::FakeDoubleByteCodec doubleByte;
  ItemProperties p(PropertiesServices{w.model, w.items, w.defaults, w.pictures, w.paths, w.folders, w.prompt,
                                      doubleByte, host},
                   5, false);
  PropertiesFields f = p.Fields();
  f.title = wide;
  f.arguments = wide;
  EXPECT_EQ(p.Accept(f), PropertiesAccepted::kTextRefused);
  EXPECT_EQ(w.prompt.asked.back().text, std::string(kTextTooLong) + "\r\n\r\n" + wide);
  EXPECT_EQ(w.item(5).Arguments, "");
  f.arguments = "";
  EXPECT_EQ(p.Accept(f), PropertiesAccepted::kStored);
  EXPECT_EQ(w.item(5).Title, wide.substr(0, 64 * 3));
}

TEST_F(ItemPropertiesTest, AddModeAddsAMemberOrRefusesAFullGroup) {
  ItemProperties p = Open(16, true);
  EXPECT_EQ(p.caption(), "Add Shortcut");
  EXPECT_TRUE(p.addingMember());
  EXPECT_TRUE(p.LinkEntries().empty());
  ASSERT_TRUE(p.Browse("C:\\tools\\app.exe"));
  EXPECT_EQ(w.Members(16), std::vector<int>{p.slot()});
  EXPECT_EQ(p.editType(), ItemKind::kMember);
  EXPECT_FALSE(p.addingMember());
  EXPECT_EQ(w.item(16).Title, "Tools");

  w.model.Groups[16].Members.resize(pool::kGroupCapacity);
  ItemProperties full = Open(16, true);
  EXPECT_FALSE(full.Browse("C:\\tools\\app.exe"));
  EXPECT_EQ(w.prompt.asked.back().text, kGroupFullText);
  EXPECT_EQ(full.slot(), 16);
  // A group with room, with no member entry left anywhere: another group would not help.
  w.model.Groups[16].Members.resize(3);
  for (int i = pool::kMemberFirst; i <= pool::kLast; ++i) w.model.Items[i].Kind = ItemKind::kMember;
  EXPECT_FALSE(Open(16, true).Browse("C:\\tools\\app.exe"));
  EXPECT_EQ(w.prompt.asked.back().text, kNoRoomText);
}

struct UserIdentityTest : ::testing::Test {
  void Run(const std::string& chosen, bool pictureReads) {
    test::ItemWorld& world = w;
    ChangeUserIdentity(UserIdentityServices{
        w.model, w.fs, w.folders, w.codec, w.pictures, w.prompt, input, host,
        [this, chosen](const FileDialogRequest& r) {
          filter = r.filter;
          return chosen;
        },
        [&world, pictureReads](const std::string&, const std::string& dest, int side) {
          if (!pictureReads) return false;
          world.fs.AddFile(dest, "png " + std::to_string(side));
          return true;
        }});
  }
  test::ItemWorld w;
  RecordingDialogHost host;
  test::ScriptedInput input;
  std::string filter;  // the picture dialog's, as asked
};

TEST(UserNameTest, BlankKeepsLongIsCutWhereTheStoredTitleEnds) {
  test::FakeDoubleByteCodec codec;
  EXPECT_EQ(AcceptedUserName("   ", "Ann", codec), "Ann");
  EXPECT_EQ(AcceptedUserName("", "Ann", codec), "Ann");
  EXPECT_EQ(AcceptedUserName(" Bo ", "Ann", codec), " Bo ");
  EXPECT_EQ(AcceptedUserName(std::string(200, 'n'), "Ann", codec), std::string(128, 'n'));
  std::string wide;  // 100 characters of two bytes each: the 128-byte title keeps 64
  for (int i = 0; i < 100; ++i) wide += "\xE4\xB8\x80";
  EXPECT_EQ(AcceptedUserName(wide, "Ann", codec), wide.substr(0, 64 * 3));
}

TEST_F(UserIdentityTest, PictureReplacedOnlyWhenReadAndTheNameKept) {
  w.model.Items[pool::kCentre].Title = "Ann";
  w.fs.AddFile(w.folders.UserIconFile, "old");
  Run("C:\\broken.png", false);
  // The picture dialog offers one entry whose text is its pattern list.
  const std::string patterns = "*.bmp;*.jpg;*.png;*.gif";
  EXPECT_EQ(SystemFilterText(filter), patterns + '\0' + patterns + '\0' + '\0');
  EXPECT_EQ(w.fs.Text(w.folders.UserIconFile), "old");
  EXPECT_EQ(w.prompt.asked.back().text, kUserPictureFailed);
  EXPECT_EQ(host.log, "R");  // nothing saved: neither picture nor name changed
  // A picture that cannot take the old file's place leaves the centre showing the old one.
  w.fs.FailWrites = true;
  Run("C:\\face.png", true);
  w.fs.FailWrites = false;
  EXPECT_EQ(w.fs.Text(w.folders.UserIconFile), "old");
  EXPECT_EQ(w.pictures.loaded, std::vector<int>{pool::kCentre});

  Run("C:\\face.png", true);
  EXPECT_EQ(w.fs.Text(w.folders.UserIconFile), "png 128");
  EXPECT_FALSE(w.fs.Has(w.folders.UserIconFile + ".new"));
  EXPECT_EQ(w.model.Items[pool::kCentre].Title, "Ann");
  EXPECT_EQ(w.model.Items[pool::kCentre].IconFile, w.folders.UserIconFile);

  input.answer = "Bo";
  Run("", true);
  EXPECT_EQ(w.model.Items[pool::kCentre].Title, "Bo");
}

}  // namespace
}  // namespace vek
