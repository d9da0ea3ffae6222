#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/wizard.h"
#include "dock/drop_controller.h"
#include "support/item_world.h"

namespace vek {
namespace {

// A ring of 12: the centre, two built-in items, All Programs, "Four" on slot 4, the
// group "Tools" (two members) on slot 5, the rest empty. C:\Apps holds three programs.
class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Model& m = w.model;
    m.Settings.IconQuantity = 12;
    for (int g = 0; g < pool::kGroupCount; ++g) m.Groups[g].ShownItem = g;
    Put(0, ItemKind::kCentre, "tester");
    Put(1, ItemKind::kBuiltIn, "My Computer");
    Put(2, ItemKind::kRecycleBin, "Recycle Bin");
    w.MakeGroup(3, "All Programs", ItemKind::kAllPrograms);
    for (int s = 4; s <= 12; ++s) Put(s, ItemKind::kEmptyPosition, "Blank Shortcut");
    for (const char* name : {"alpha.exe", "beta.exe", "gamma.exe"}) w.fs.AddFile(std::string("C:\\Apps\\") + name);
    ASSERT_TRUE(w.items.AddItemFromPath(App("alpha"), 4).added());
    w.item(4).Title = "Four";
    w.MakeGroup(5, "Tools");
    ASSERT_TRUE(w.items.AddItemFromPath(App("alpha"), 5).added());
    ASSERT_TRUE(w.items.AddItemFromPath(App("beta"), 5).added());
  }
  void Put(int slot, ItemKind k, const char* title) {
    w.item(slot).Kind = k;
    w.item(slot).Title = title;
    w.item(slot).ImageIndex = slot;
  }
  static std::string App(const std::string& name) { return "C:\\Apps\\" + name + ".exe"; }
  void FillRing() {
    for (int s = 6; s <= 12; ++s) {
      if (w.item(s).Kind == ItemKind::kEmptyPosition) {
        ASSERT_TRUE(w.items.AddItemFromPath(App("gamma"), s).added());
      }
    }
  }
  std::vector<std::string> Asked() {
    std::vector<std::string> texts;
    for (const PromptRequest& r : w.prompt.asked) texts.push_back(r.text.substr(0, r.text.find("\r\n")));
    return texts;
  }
  ManageEntry Entry(int choice, int index) { return ManageEntries(w.model, choice)[index]; }

  test::ItemWorld w;
  test::RecordingEditHost host;
  test::ScriptedInput input;
  test::RecordingImageSwap swaps;
  WizardActions act{w.model, w.items, w.prompt, input, host, swaps};
};

TEST_F(WizardTest, ChoicesGiveTheRingAndTheCentreValuesOfTheirOwn) {
  std::vector<std::pair<int, std::string>> choices;
  for (const ManageChoice& c : ManageChoices(w.model)) choices.emplace_back(c.slot, c.title);
  const std::vector<std::pair<int, std::string>> expected{
      {kRingChoice, "VEK Desktop"}, {0, "tester"}, {1, "My Computer"}, {2, "Recycle Bin"}, {3, "All Programs"}, {5, "Tools"}};
  EXPECT_EQ(choices, expected);
  // The ring lists its slots; the centre its own (empty) group, never the ring.
  EXPECT_EQ(ManageEntries(w.model, kRingChoice).size(), 12u);
  EXPECT_EQ(ManageEntries(w.model, kRingChoice)[3].title, "Four");
  EXPECT_TRUE(ManageEntries(w.model, 0).empty());
  EXPECT_EQ(ManageEntries(w.model, 5).size(), 2u);
  EXPECT_EQ(ManageEntries(w.model, 5)[1].place, 2);
}

TEST_F(WizardTest, ButtonsFollowTheChoiceAndTheSelection) {
  w.model.Groups[1].Members = {70};  // a built-in group's command
  w.item(70).Kind = ItemKind::kCommand;
  const char* names[] = {"add", "group", "replace", "allfiles", "nofiles", "remove", "props",
                         "up", "down", "top", "bottom", "allentries", "noentries"};
  struct Case {
    const char* what;
    int choice, files, chosen;
    std::vector<int> entries;
    bool props;
    std::string enabled;
  };
  const std::vector<Case> cases{
      {"empty folder, nothing chosen", kRingChoice, 0, 0, {}, true, "allentries noentries"},
      {"a file, the ring", kRingChoice, 3, 1, {}, true, "add group allfiles nofiles allentries noentries"},
      {"built-in slots cannot be chosen", kRingChoice, 3, 0, {0, 1}, true, "group allfiles nofiles allentries noentries"},
      {"first movable slot", kRingChoice, 3, 1, {3}, true,
       "add group replace allfiles nofiles remove props down bottom allentries noentries"},
      {"last slot, empty: no remove", kRingChoice, 3, 1, {11}, true,
       "add group replace allfiles nofiles props up top allentries noentries"},
      {"All Programs never moves", kRingChoice, 3, 1, {2}, true,
       "add group replace allfiles nofiles remove props allentries noentries"},
      {"two entries: remove only", kRingChoice, 3, 2, {3, 4}, true,
       "add group allfiles nofiles remove allentries noentries"},
      {"without the properties window", kRingChoice, 0, 0, {4}, false, "remove up down top bottom allentries noentries"},
      {"a group: no Add Group nor Replace", 5, 3, 1, {0}, true,
       "add allfiles nofiles remove props down bottom allentries noentries"},
      {"its last member", 5, 3, 1, {1}, true, "add allfiles nofiles remove props up top allentries noentries"},
      {"a built-in group: properties only", 1, 3, 1, {0}, true, "allfiles nofiles props allentries noentries"},
      {"the centre's empty group", 0, 3, 1, {}, true, "allfiles nofiles"},
  };
  for (const Case& c : cases) {
    const WizardButtons on = WizardEnabling(w.model, WizardSelection{c.choice, c.files, c.chosen, c.entries}, c.props);
    std::string got;
    for (int i = 0; i < wizard_button::kCount; ++i)
      if (on[i]) got += std::string(got.empty() ? "" : " ") + names[i];
    EXPECT_EQ(got, c.enabled) << c.what;
  }
}

TEST_F(WizardTest, AddShortcutFillsTheNextFreeSlotThenAllProgramsThenRefuses) {
  ASSERT_TRUE(act.AddShortcuts(kRingChoice, {App("gamma")}));
  EXPECT_EQ(w.item(6).Kind, ItemKind::kShortcut);
  EXPECT_EQ(w.item(6).Link, App("gamma"));
  EXPECT_EQ(host.calls, "ring menu save ");
  EXPECT_TRUE(w.prompt.asked.empty());

  FillRing();
  ASSERT_TRUE(act.AddShortcuts(kRingChoice, {App("alpha"), App("beta")}));
  EXPECT_EQ(w.MemberTitles(3).size(), 2u);
  EXPECT_EQ(Asked(), std::vector<std::string>{kDesktopFullText});  // told once

  // No member entry left: the files are named, and a new group is not made for them.
  const std::vector<ShortcutItem> roomy = w.model.Items;
  for (int i = pool::kMemberFirst; i <= pool::kLast; ++i) w.model.Items[i].Kind = ItemKind::kMember;
  w.prompt.asked.clear();
  EXPECT_FALSE(act.AddShortcuts(kRingChoice, {App("gamma")}));
  ASSERT_EQ(w.prompt.asked.size(), 1u);
  EXPECT_EQ(w.prompt.asked[0].text.rfind(kNoRoomText, 0), 0u);
  EXPECT_NE(w.prompt.asked[0].text.find(App("gamma")), std::string::npos);
  w.model.Items = roomy;

  // No room anywhere: said so, nothing added.
  w.model.Groups[3].Members.resize(pool::kAllProgramsCapacity);
  w.prompt.asked.clear();
  const std::vector<ShortcutItem> before = w.model.Items;
  EXPECT_FALSE(act.AddShortcuts(kRingChoice, {App("gamma")}));
  EXPECT_EQ(Asked(), std::vector<std::string>{kRingFullText});
  EXPECT_TRUE(w.model.Items == before);
}

TEST_F(WizardTest, AddGroupTakesOnlyAFreeRingSlot) {
  input.answer = "Games";
  ASSERT_TRUE(act.AddGroup({App("beta"), App("gamma")}));
  EXPECT_EQ(w.item(6).Kind, ItemKind::kGroup);
  EXPECT_EQ(w.item(6).Title, "Games");
  EXPECT_EQ(w.item(6).IconFile, w.SysIcon("Group.png"));
  EXPECT_EQ(w.MemberTitles(6), (std::vector<std::string>{"beta", "gamma"}));

  // A blank name gives "New Group".
  input.answer.clear();
  ASSERT_TRUE(act.AddGroup({}));
  EXPECT_EQ(w.item(7).Title, "New Group");
  // Cancel adds nothing; a long name is cut where the stored title ends.
  input.cancel = true;
  EXPECT_FALSE(act.AddGroup({App("beta")}));
  EXPECT_EQ(w.item(8).Kind, ItemKind::kEmptyPosition);
  input.cancel = false;
  // With no member entry left the files are named and no group is made for them.
  const std::vector<ShortcutItem> roomy = w.model.Items;
  for (int i = pool::kMemberFirst; i <= pool::kLast; ++i) w.model.Items[i].Kind = ItemKind::kMember;
  EXPECT_FALSE(act.AddGroup({App("beta")}));
  EXPECT_EQ(w.item(8).Kind, ItemKind::kEmptyPosition);
  w.model.Items = roomy;
  input.answer = std::string(200, 'g');
  ASSERT_TRUE(act.AddGroup({}));
  EXPECT_EQ(w.item(8).Title, std::string(128, 'g'));

  // Ring full (the search answers All Programs) and everything full (it answers the
  // centre): refused with the message, no name asked, nothing overwritten.
  FillRing();
  for (int allPrograms : {0, pool::kAllProgramsCapacity}) {
    w.model.Groups[3].Members.resize(allPrograms);
    w.prompt.asked.clear();
    input.prompts.clear();
    const std::vector<ShortcutItem> before = w.model.Items;
    EXPECT_FALSE(act.AddGroup({App("alpha")}));
    EXPECT_EQ(Asked(), std::vector<std::string>{kRingFullText});
    EXPECT_TRUE(input.prompts.empty());
    EXPECT_TRUE(w.model.Items == before);
    EXPECT_EQ(w.item(0).Kind, ItemKind::kCentre);
  }
}

TEST_F(WizardTest, ReplaceAsksForAShortcutAndAddsToAGroupAfterANotice) {
  w.prompt.answers = {PromptAnswer::kNo};
  EXPECT_FALSE(act.Replace(App("gamma"), 4));
  EXPECT_EQ(w.item(4).Title, "Four");
  EXPECT_EQ(Asked(), std::vector<std::string>{kReplaceShortcutQuestion});

  w.prompt.asked.clear();
  EXPECT_TRUE(act.Replace(App("gamma"), 5));
  EXPECT_EQ(Asked(), std::vector<std::string>{kAddedToGroupText});
  EXPECT_EQ(w.MemberTitles(5).back(), "gamma");
  w.prompt.asked.clear();
  EXPECT_TRUE(act.Replace(App("gamma"), pool::kAllProgramsSlot));
  EXPECT_TRUE(Asked().empty()) << "All Programs takes it without the notice";
}

TEST_F(WizardTest, RemoveAsksTheDeleteQuestionAndNoKeepsEverything) {
  const std::vector<ManageEntry> four{Entry(kRingChoice, 3)};
  w.prompt.answers = {PromptAnswer::kNo};
  EXPECT_FALSE(act.Remove(kRingChoice, four));
  EXPECT_EQ(Asked(), std::vector<std::string>{kDeleteShortcutQuestion});
  EXPECT_EQ(w.item(4).Title, "Four");
  EXPECT_EQ(host.calls, "");

  // Both members of a group after one question; the built-in slots are never removed.
  w.prompt.asked.clear();
  w.prompt.answers = {PromptAnswer::kYes};
  EXPECT_TRUE(act.Remove(5, ManageEntries(w.model, 5)));
  EXPECT_TRUE(w.Members(5).empty());
  EXPECT_FALSE(act.Remove(kRingChoice, {Entry(kRingChoice, 0), Entry(kRingChoice, 1)}));

  // A group asks its own question.
  w.prompt.asked.clear();
  w.prompt.answers = {PromptAnswer::kYes};
  EXPECT_TRUE(act.Remove(kRingChoice, {Entry(kRingChoice, 4)}));
  EXPECT_EQ(Asked(), std::vector<std::string>{kDeleteGroupQuestion});
  EXPECT_EQ(w.item(5).Kind, ItemKind::kEmptyPosition);
}

TEST_F(WizardTest, MovesCarryTheSlotAndFollowTheEntry) {
  // Ring: slot 5 up to 4, its group with it; the entry is now the fourth in the list.
  EXPECT_EQ(act.Move(kRingChoice, Entry(kRingChoice, 4), edit_entry::kMoveUp), 3);
  EXPECT_EQ(w.item(4).Title, "Tools");
  EXPECT_EQ(w.MemberTitles(4), (std::vector<std::string>{"alpha", "beta"}));
  EXPECT_EQ(w.item(5).Title, "Four");
  // Slot 4 is the first that moves: no further up, and never into the built-in slots.
  EXPECT_EQ(act.Move(kRingChoice, Entry(kRingChoice, 3), edit_entry::kMoveUp), -1);
  EXPECT_EQ(act.Move(kRingChoice, Entry(kRingChoice, 2), edit_entry::kMoveDown), -1);
  EXPECT_EQ(act.Move(kRingChoice, Entry(kRingChoice, 3), edit_entry::kMoveBottom), 11);
  EXPECT_EQ(w.item(12).Title, "Tools");
  // A group's members trade places; the list's end is its bound.
  EXPECT_EQ(act.Move(12, Entry(12, 0), edit_entry::kMoveDown), 1);
  EXPECT_EQ(w.MemberTitles(12), (std::vector<std::string>{"beta", "alpha"}));
  EXPECT_EQ(act.Move(12, Entry(12, 1), edit_entry::kMoveDown), -1);
}

TEST_F(WizardTest, FoldersAreListedWithoutHiddenEntriesFoldersFirst) {
  w.fs.AddFolder("C:\\Apps\\Zeta");
  w.fs.AddFolder("C:\\Apps\\hidden", attr::kDirectory | attr::kHidden);
  w.fs.AddFile("C:\\Apps\\Beta.lnk");
  w.fs.AddFile("C:\\Apps\\secret.exe", "", attr::kArchive | attr::kHidden);
  const FolderListing all = ListFolder(w.fs, "C:\\Apps", "");
  EXPECT_TRUE(all.readable);
  EXPECT_EQ(all.folders, std::vector<std::string>{"Zeta"});
  EXPECT_EQ(all.entries, (std::vector<std::string>{"Zeta", "alpha.exe", "beta.exe", "Beta.lnk", "gamma.exe"}));
  EXPECT_EQ(ListFolder(w.fs, "C:\\Apps\\", "*.lnk; *.exe").entries,
            (std::vector<std::string>{"Zeta", "alpha.exe", "beta.exe", "Beta.lnk", "gamma.exe"}));
  EXPECT_EQ(ListFolder(w.fs, "C:\\Apps", "*.lnk").entries, (std::vector<std::string>{"Zeta", "Beta.lnk"}));
  EXPECT_FALSE(ListFolder(w.fs, "Q:\\Gone", "*.*").readable);
  EXPECT_FALSE(ListFolder(w.fs, App("alpha"), "*.*").readable);
  // An empty folder is read; one that cannot be listed is not taken for empty.
  w.fs.AddFolder("C:\\Apps\\Locked");
  EXPECT_TRUE(ListFolder(w.fs, "C:\\Apps\\Locked", "*.*").readable);
  w.fs.unreadable.insert("C:\\APPS\\LOCKED");
  EXPECT_FALSE(ListFolder(w.fs, "C:\\Apps\\Locked", "*.*").readable);
}

TEST_F(WizardTest, SourcesAreTheFiveFoldersThenTheFixedDrives) {
  w.drives.Add("D:\\", drive_type::kCdRom);
  w.drives.Add("E:\\", drive_type::kFixed);
  std::vector<std::string> captions;
  for (const SourceFolder& s : SourceFolders(w.folders, w.drives)) captions.push_back(s.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"User Desktop Shortcuts", "Public Desktop Shortcuts",
                                                "Program Files Folder", "User Start Menu Folder",
                                                "Public Start Menu Folder", "C:\\", "E:\\"}));
  EXPECT_EQ(SourceFolders(w.folders, w.drives)[0].path, w.folders.DesktopDir);
  w.folders.CommonDesktopDir.clear();  // a folder this system's shell does not name
  EXPECT_EQ(SourceFolders(w.folders, w.drives)[1].caption, "Program Files Folder");
}

}  // namespace
}  // namespace vek
