#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dock/dock_scene.h"
#include "dock/drop_controller.h"
#include "support/item_world.h"

namespace vek {
namespace {

class RecordingDropHost : public DropHost {
 public:
  void ShowDropPicture(int skinIndex, int, int) override { pictures.push_back(skinIndex); }
  void RunDropLater() override { ++posted; }
  bool RecyclePath(const std::string& path) override {
    recycled.push_back(path);
    return path.find("locked") == std::string::npos;
  }
  void SaveMenu() override { ++saves, messagesAtSave = messages ? messages->size() : 0; }
  const std::vector<PromptRequest>* messages = nullptr;  // how many were asked before a save
  size_t messagesAtSave = 0;
  std::vector<int> pictures;
  std::vector<std::string> recycled;
  int posted = 0, saves = 0;
};

class DropControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    geometry.screen = ComputeScreenMetrics(1920, 1040, 40, PixelRect{0, 0, 1920, 1080});
    ApplyDefaultSettings(w.model.Settings, ScreenForSettings(geometry.screen));
    geometry.Relayout(w.model.Settings);
    Model& m = w.model;
    m.Items[0].Kind = ItemKind::kCentre;
    m.Items[2].Kind = ItemKind::kRecycleBin;
    m.Items[2].IsSystem = true;
    w.MakeGroup(3, "All Programs", ItemKind::kAllPrograms);
    for (int i = 4; i <= m.Settings.IconQuantity; ++i) m.Items[i].Kind = ItemKind::kEmptyPosition;
    for (int g = 0; g < pool::kGroupCount; ++g) m.Groups[g].ShownItem = g;
    w.MakeGroup(5, "Tools");
    Refresh();
  }
  void Refresh() { FillSlots(w.model, slots); }
  void At(int slot, int& x, int& y) const {
    const SlotBox& b = geometry.DockPos[slot];
    x = b.X + b.Size / 2;
    y = b.Y + b.Size / 2;
  }
  uint32_t Over(int slot, bool hasFiles = true, uint32_t allowed = kAll) {
    int x, y;
    At(slot, x, y);
    return drop.DragOver(x, y, hasFiles, allowed);
  }
  uint32_t DropOn(int slot, std::vector<std::string> paths, uint32_t allowed = kAll, bool hasFiles = true) {
    int x, y;
    At(slot, x, y);
    const uint32_t effect = drop.Drop(x, y, hasFiles, std::move(paths), allowed);
    drop.RunPendingDrop();
    Refresh();
    return effect;
  }
  std::vector<std::string> Files(int n, const std::string& stem = "f") {
    std::vector<std::string> paths;
    for (int i = 1; i <= n; ++i) {
      paths.push_back("C:\\data\\" + stem + std::to_string(i) + ".txt");
      w.fs.AddFile(paths.back(), "text");
    }
    return paths;
  }

  static constexpr uint32_t kAll = drop_effect::kCopy | drop_effect::kMove | drop_effect::kLink;
  test::ItemWorld w;
  DockGeometry geometry;
  SlotContents slots;
  DockInteraction interaction;
  test::RecordingDockWindow window;
  RecordingDropHost host;
  test::ScriptedInput input;
  ModalState modal;
  DropController drop{DropServices{w.model, geometry, slots, interaction, window, host, w.items, w.pictures,
                                   w.prompt, input, modal}};
};

// The effect offered back is a link, else a copy, never a move.
TEST_F(DropControllerTest, FeedbackAndEffectBySlotKindCountLockAndOffer) {
  w.model.Items[4].Kind = ItemKind::kShortcut;
  w.model.Items[6].Kind = ItemKind::kBuiltIn;
  w.MakeGroup(7, "Full");
  w.model.Groups[7].Members.resize(36);
  Refresh();
  constexpr uint32_t kCopyMove = drop_effect::kCopy | drop_effect::kMove;
  struct Case {
    int slot;
    bool hasFiles, locked;
    uint32_t offered;
    DropFeedback feedback;
    int picture;
    uint32_t effect;
  };
  const Case cases[] = {
      {4, true, false, kAll, DropFeedback::kReplace, skin::kReplaceIcon, drop_effect::kLink},
      {8, true, false, kAll, DropFeedback::kAdd, skin::kAddIcon, drop_effect::kLink},
      {5, true, false, kAll, DropFeedback::kAdd, skin::kAddIcon, drop_effect::kLink},
      {7, true, false, kAll, DropFeedback::kNoDrop, skin::kNoDrop, drop_effect::kLink},
      {3, true, false, kAll, DropFeedback::kAdd, skin::kAddIcon, drop_effect::kLink},
      {2, true, false, kAll, DropFeedback::kAdd, skin::kAddIcon, drop_effect::kLink},
      {6, true, false, kAll, DropFeedback::kNoDrop, skin::kNoDrop, drop_effect::kNone},
      {0, true, false, kAll, DropFeedback::kNone, -1, drop_effect::kLink},
      {8, false, false, kAll, DropFeedback::kNoDrop, skin::kNoDrop, drop_effect::kNone},
      {8, true, true, kAll, DropFeedback::kNoDrop, skin::kNoDrop, drop_effect::kNone},
      {8, true, false, kCopyMove, DropFeedback::kAdd, skin::kAddIcon, drop_effect::kCopy},
      {8, true, false, drop_effect::kMove, DropFeedback::kAdd, skin::kAddIcon, drop_effect::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "slot " << c.slot << " offered " << c.offered);
    w.model.Settings.IconsLocked = c.locked;
    host.pictures.clear();
    EXPECT_EQ(Over(c.slot, c.hasFiles, c.offered), c.effect);
    EXPECT_EQ(drop.feedback(), c.feedback);
    EXPECT_EQ(host.pictures, std::vector<int>{c.picture});
  }
  w.model.Settings.IconsLocked = false;
  EXPECT_EQ(DropOn(8, Files(1), kCopyMove), drop_effect::kCopy);
  // The full group takes the drop only to say so; nothing is added or saved.
  EXPECT_EQ(DropOn(7, Files(2, "g")), drop_effect::kNone);
  EXPECT_EQ(w.prompt.texts(), std::vector<std::string>{kGroupFullText});
  EXPECT_EQ(w.model.Groups[7].MemberCount(), 36);
  EXPECT_EQ(host.saves, 1);
}

TEST_F(DropControllerTest, LeavingOrNoSlotDrawsThePlainRingBackUnderTheWindows) {
  Over(8);
  window.log.clear();
  drop.DragLeave();
  EXPECT_EQ(window.log, (std::vector<std::string>{"Normal", "Bottom(quiet)"}));
  EXPECT_EQ(drop.dragSlot(), -1);
  Over(8);
  window.log.clear();
  EXPECT_EQ(drop.DragOver(1, 1, true, kAll), drop_effect::kNone);
  EXPECT_EQ(window.log, (std::vector<std::string>{"Topmost", "Normal", "Bottom(quiet)"}));
}

TEST_F(DropControllerTest, TheDropReturnsAtOnceAndTheRestRunsLater) {
  int x, y;
  At(8, x, y);
  interaction.LastSelIndex = 8;  // magnified by a move that came with the drop
  EXPECT_EQ(drop.Drop(x, y, true, Files(2), kAll), drop_effect::kLink);
  EXPECT_EQ(interaction.LastSelIndex, -1);  // the plain ring is drawn: a move magnifies again
  EXPECT_EQ(host.posted, 1);
  EXPECT_TRUE(input.prompts.empty());
  EXPECT_EQ(w.model.Items[8].Kind, ItemKind::kEmptyPosition);
  // A second drop before the first is handled, or while a modal window is open, is refused.
  EXPECT_EQ(drop.Drop(x, y, true, Files(1, "g"), kAll), drop_effect::kNone);
  drop.RunPendingDrop();
  EXPECT_EQ(w.model.Items[8].Kind, ItemKind::kGroup);
  ModalState::Scope open(modal);
  EXPECT_EQ(Over(4), drop_effect::kNone);
  EXPECT_EQ(drop.Drop(x, y, true, Files(1, "h"), kAll), drop_effect::kNone);
  EXPECT_EQ(host.posted, 1);
}

TEST_F(DropControllerTest, OneFileOnTheCentreGoesToTheFirstFreePositionThenToAllPrograms) {
  const std::vector<std::string> one = Files(1);
  DropOn(0, one);
  EXPECT_EQ(w.model.Items[4].Kind, ItemKind::kShortcut);
  EXPECT_EQ(w.model.Items[4].Link, one[0]);
  EXPECT_TRUE(w.prompt.asked.empty());
  EXPECT_EQ(host.saves, 1);
  // A full ring sends it to All Programs, with the message.
  for (int i = 5; i <= w.model.Settings.IconQuantity; ++i) w.MakeGroup(i, "G" + std::to_string(i));
  Refresh();
  DropOn(0, Files(1, "g"));
  EXPECT_EQ(w.prompt.texts(), std::vector<std::string>{kDesktopFullText});
  EXPECT_EQ(w.model.Groups[3].MemberCount(), 1);
  // With All Programs full as well there is nowhere to go: nothing is added or said.
  w.model.Groups[3].Members.resize(Model::Capacity(3));
  EXPECT_EQ(DropOn(0, Files(1, "h")), drop_effect::kNone);
  EXPECT_EQ(w.prompt.asked.size(), 1u);
  EXPECT_EQ(host.saves, 2);
}

TEST_F(DropControllerTest, FortyFilesOnAnEmptyPositionMakeAGroupOf36AndOneMessage) {
  input.answer = "Letters";
  const std::vector<std::string> files = Files(40);
  host.messages = &w.prompt.asked;
  DropOn(8, files);
  EXPECT_EQ(host.saves, 1);
  EXPECT_EQ(host.messagesAtSave, 0u);  // saved before the message
  const ShortcutItem& group = w.model.Items[8];
  EXPECT_EQ(group.Kind, ItemKind::kGroup);
  EXPECT_EQ(group.Title, "Letters (Full)");
  EXPECT_EQ(group.IconFile, w.SysIcon("Group.png"));
  EXPECT_EQ(group.Link, "");
  EXPECT_EQ(w.model.Groups[8].MemberCount(), 36);
  EXPECT_EQ(w.model.Items[w.Members(8).back()].Link, files[35]);
  ASSERT_EQ(w.prompt.asked.size(), 1u);
  EXPECT_NE(w.prompt.asked[0].text.find(kGroupFullText), std::string::npos);
  EXPECT_NE(w.prompt.asked[0].text.find(files[36]), std::string::npos);
  EXPECT_NE(w.prompt.asked[0].text.find(files[39]), std::string::npos);
  EXPECT_EQ(input.prompts, std::vector<std::string>{kNewGroupPrompt});
}

// The shortcut goes into the group as it stood, its pictures with it, though the desktop
// shortcut it was made from has gone since.
TEST_F(DropControllerTest, ThreeFilesOnAShortcutMakeFourMembersWithTheShortcutFirst) {
  const std::string old = "C:\\Tools\\editor.exe", gone = "C:\\users\\tester\\Desktop\\Editor.lnk";
  w.fs.AddFile(old, "MZ");
  ASSERT_TRUE(w.items.AddItemFromPath(old, 4).added());
  w.model.Items[4].Link = gone;
  w.model.Items[4].Arguments = "-n";
  w.model.Items[4].RunMode = 2;
  w.model.Items[4].CustomIconFile = w.Icon("custom4.png");
  w.fs.AddFile(w.Icon("custom4.png"), "picture");
  const std::string oldPicture = w.model.Items[4].IconFile;
  Refresh();
  const std::vector<std::string> files = Files(3);
  // Cancel in the name box leaves the shortcut as it was.
  input.cancel = true;
  DropOn(4, files);
  EXPECT_EQ(w.model.Items[4].Kind, ItemKind::kShortcut);
  EXPECT_EQ(w.model.Items[4].IconFile, oldPicture);
  input.cancel = false;
  DropOn(4, files);
  const ShortcutItem& group = w.model.Items[4];
  EXPECT_EQ(group.Kind, ItemKind::kGroup);
  EXPECT_EQ(group.Title, kNewGroupName);
  EXPECT_EQ(group.Link, "");
  EXPECT_EQ(group.CustomIconFile, "");
  EXPECT_NE(group.IconFile, oldPicture);
  const std::vector<int> members = w.Members(4);
  ASSERT_EQ(members.size(), 4u);
  const ShortcutItem& first = w.model.Items[members[0]];
  EXPECT_EQ(std::vector<std::string>({first.Link, first.Target, first.Arguments, first.IconFile, first.CustomIconFile}),
            std::vector<std::string>({gone, old, "-n", oldPicture, w.Icon("custom4.png")}));
  EXPECT_EQ(first.RunMode, 2);
  EXPECT_TRUE(w.fs.Has(oldPicture) && w.fs.Has(w.Icon("custom4.png")));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(w.model.Items[members[i + 1]].Link, files[i]);
}

TEST_F(DropControllerTest, WithNoMemberEntryLeftTheShortcutStaysAndTheFilesAreNamed) {
  w.fs.AddFile("C:\\Tools\\editor.exe", "MZ");
  ASSERT_TRUE(w.items.AddItemFromPath("C:\\Tools\\editor.exe", 4).added());
  const ShortcutItem before = w.model.Items[4];
  Refresh();
  for (int i = pool::kMemberFirst; i <= pool::kLast; ++i) w.model.Items[i].Kind = ItemKind::kMember;
  const std::vector<std::string> files = Files(3);
  DropOn(4, files);
  EXPECT_EQ(w.model.Items[4], before);
  EXPECT_TRUE(w.fs.Has(before.IconFile));
  ASSERT_EQ(w.prompt.asked.size(), 1u);
  EXPECT_EQ(w.prompt.asked[0].text.rfind(kNoRoomText, 0), 0u);
  EXPECT_NE(w.prompt.asked[0].text.find(files[2]), std::string::npos);
  EXPECT_TRUE(input.prompts.empty());  // no name is asked for a group that could hold nothing
  // A group with room says the same: choosing another group would not help.
  DropOn(5, Files(2, "g"));
  ASSERT_EQ(w.prompt.asked.size(), 2u);
  EXPECT_EQ(w.prompt.asked[1].text.rfind(kNoRoomText, 0), 0u);
}

TEST_F(DropControllerTest, ABuiltInCommandOnTheRingBecomesAGroupOnlyAfterTheQuestion) {
  w.model.Items[4].Kind = ItemKind::kShortcut;
  w.model.Items[4].IsSystem = true;
  w.model.Items[4].CommandId = 104;
  Refresh();
  w.prompt.answers = {PromptAnswer::kNo};
  DropOn(4, Files(2));
  EXPECT_EQ(w.prompt.texts(), std::vector<std::string>{kReplaceShortcutQuestion});
  EXPECT_EQ(w.model.Items[4].CommandId, 104);
  EXPECT_EQ(host.saves, 0);
  w.prompt.answers = {PromptAnswer::kYes};
  DropOn(4, Files(2, "g"));
  EXPECT_EQ(w.model.Items[4].Kind, ItemKind::kGroup);
  EXPECT_EQ(w.model.Items[4].CommandId, 0);
  EXPECT_EQ(w.model.Groups[4].MemberCount(), 2);
}

TEST_F(DropControllerTest, FilesOnAGroupBecomeMembersAndPathsTheConfigurationCannotKeepAreNamed) {
  std::vector<std::string> paths = Files(2);
  for (const char* name : {"C:\\data\\\xE6\x97\xA5.txt", "C:\\data\\\xE6\x9C\xAC.txt"}) {
    w.fs.AddFile(name, "text");
    paths.push_back(name);
  }
  paths.push_back("C:\\data\\gone.txt");  // deleted since the drag began: skipped without a word
  DropOn(5, paths);
  EXPECT_EQ(w.model.Groups[5].MemberCount(), 2);
  EXPECT_TRUE(input.prompts.empty());
  ASSERT_EQ(w.prompt.asked.size(), 1u);
  EXPECT_NE(w.prompt.asked[0].text.find(kPathsNotStorable), std::string::npos);
}

TEST_F(DropControllerTest, TheRecycleBinAsksFirstThenRecyclesEachSafePathAndNamesTheFailuresOnce) {
  // Data dragged without a file list is refused before any question, here as on a free position.
  for (int slot : {8, 2}) EXPECT_EQ(DropOn(slot, Files(1, "d"), kAll, false), drop_effect::kNone) << slot;
  EXPECT_EQ(w.model.Items[8].Kind, ItemKind::kEmptyPosition);
  EXPECT_TRUE(w.prompt.asked.empty() && host.recycled.empty());
  w.prompt.answers = {PromptAnswer::kNo};
  DropOn(2, Files(2));
  EXPECT_EQ(w.prompt.texts(), std::vector<std::string>{kRecycleQuestion});
  EXPECT_TRUE(host.recycled.empty());
  w.prompt.asked.clear();
  w.prompt.answers = {PromptAnswer::kYes};
  const std::vector<std::string> paths = {"C:\\data\\a.txt", "C:\\data\\locked.txt", "C:\\", "C:\\data\\*.txt",
                                          "\\\\server\\share\\b.txt"};
  DropOn(2, paths);
  EXPECT_EQ(host.recycled, (std::vector<std::string>{"C:\\data\\a.txt", "C:\\data\\locked.txt",
                                                     "\\\\server\\share\\b.txt"}));
  ASSERT_EQ(w.prompt.asked.size(), 2u);
  const std::string& failed = w.prompt.asked[1].text;
  EXPECT_NE(failed.find("locked.txt"), std::string::npos);
  EXPECT_NE(failed.find("*.txt"), std::string::npos);
  EXPECT_EQ(failed.find("a.txt"), std::string::npos);
}

TEST(RecyclablePath, OnlyExactAbsolutePathsBelowARoot) {
  struct Case {
    const char* path;
    bool ok;
  };
  const Case cases[] = {
      {"C:\\data\\a.txt", true},       {"c:\\folder", true},          {"\\\\srv\\share\\x", true},
      {"C:\\", false},                 {"C:", false},                 {"C:data\\a.txt", false},
      {"data\\a.txt", false},          {"\\data\\a.txt", false},      {"\\\\srv\\share", false},
      {"\\\\srv\\share\\", false},     {"C:\\data\\*", false},        {"C:\\dat?\\a", false},
      {"C:\\data\\..\\a.txt", false},  {"C:\\data\\\\a.txt", false},  {"C:/data/a.txt", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsRecyclablePath(c.path), c.ok) << c.path;
}

}  // namespace
}  // namespace vek
