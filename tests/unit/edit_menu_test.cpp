#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/recorders.h"
#include "tray/edit_menu.h"

namespace vek {
namespace {

// Ten ring slots: two built-in items, All Programs, then shortcuts, groups and an empty
// position. Every position shows its own item.
class EditMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m = Model{};
    images = test::RecordingImageSwap{};
    m.Settings.IconQuantity = 10;
    for (int g = 0; g < pool::kGroupCount; ++g) m.Groups[g].ShownItem = g;
    for (int s : {1, 2}) Put(s, ItemKind::kBuiltIn, "Built-in");
    Put(3, ItemKind::kAllPrograms, "All Programs");
    Put(4, ItemKind::kShortcut, "Four");
    Put(5, ItemKind::kGroup, "Five");
    Put(6, ItemKind::kEmptyPosition, "Blank Shortcut");
    Put(7, ItemKind::kShortcut, "Seven");
    m.Items[7].ImageIndex = pool::kApplicationImage;  // its own picture could not be made
    Put(8, ItemKind::kGroup, "Eight");
    Put(9, ItemKind::kShortcut, "Nine");
    Put(10, ItemKind::kShortcut, "Ten");
    for (int n : {200, 201, 202}) Member(5, n);
    Member(8, 300);
    Member(3, 400);
  }
  void Put(int slot, ItemKind k, const char* title) {
    m.Items[slot].Kind = k;
    m.Items[slot].Title = title;
    m.Items[slot].ImageIndex = slot;
  }
  void Member(int group, int index) {
    m.Items[index].Kind = ItemKind::kMember;
    m.Items[index].ImageIndex = index;
    ASSERT_TRUE(m.AddMember(group, index));
  }
  std::vector<std::string> Titles(int from, int to) {
    std::vector<std::string> t;
    for (int s = from; s <= to; ++s) t.push_back(m.Items[s].Title);
    return t;
  }
  std::vector<int32_t> Members(int group) { return m.Groups[group].Members; }

  test::RecordingImageSwap images;
  Model m;
};

// Entries as a row of 0 and 1: Add, Delete, -, Up, Down, Top, Bottom, -, Properties.
std::string Row(const EditEntries& e) {
  std::string s;
  for (bool on : e) s += on ? '1' : '0';
  return s;
}

TEST_F(EditMenuTest, EnablingFollowsKindAndPlace) {
  m.Items[11].Kind = ItemKind::kShortcut;  // beyond the shown ring
  struct Case {
    const char* what;
    EditTarget target;
    bool properties;
    const char* row;
  } cases[] = {
      {"shortcut in the middle", EditTarget::Ring(9), true, "010111101"},
      {"empty position", EditTarget::Ring(6), true, "100111101"},
      {"first movable slot", EditTarget::Ring(4), true, "010010101"},
      {"last shown slot", EditTarget::Ring(10), true, "010101001"},
      {"slot beyond the shown ring", EditTarget::Ring(11), true, "010000001"},
      {"group with room", EditTarget::Ring(5), true, "110111101"},
      {"All Programs", EditTarget::Ring(3), true, "110000001"},
      {"built-in item", EditTarget::Ring(1), true, "000000001"},
      {"first member", EditTarget::Member(5, 1, 200), true, "010010101"},
      {"middle member", EditTarget::Member(5, 2, 201), true, "010111101"},
      {"last member", EditTarget::Member(5, 3, 202), true, "010101001"},
      {"only member", EditTarget::Member(8, 1, 300), true, "010000001"},
      {"member that moved away", EditTarget::Member(5, 1, 201), true, "000000000"},
      {"group slot outside the lists", EditTarget::Member(40, 1, 200), true, "000000000"},
      {"no properties window", EditTarget::Ring(6), false, "000111100"},
      {"no properties window, built-in", EditTarget::Ring(1), false, "000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(Row(EditMenuEnabling(m, c.target, c.properties)), c.row) << c.what;
}

TEST_F(EditMenuTest, FullGroupsOfferNoAdd) {
  for (int n = 0; n < 33; ++n) Member(5, 500 + n);  // 36 members
  m.Groups[3].Members.resize(pool::kAllProgramsCapacity);
  for (int slot : {3, 5}) EXPECT_FALSE(EditMenuEnabling(m, EditTarget::Ring(slot), true)[edit_entry::kAdd]) << slot;
}

// A moved slot takes its member list and its picture along; a fallback picture stays
// with its item, and every position keeps showing its own item.
TEST_F(EditMenuTest, RingMovesReachEveryPlace) {
  const std::vector<std::string> start = Titles(4, 10);
  struct Case {
    int slot, entry;
    std::vector<std::string> order;  // slots 4..10
  } cases[] = {
      {5, edit_entry::kMoveUp, {"Five", "Four", "Blank Shortcut", "Seven", "Eight", "Nine", "Ten"}},
      {9, edit_entry::kMoveDown, {"Four", "Five", "Blank Shortcut", "Seven", "Eight", "Ten", "Nine"}},
      {10, edit_entry::kMoveTop, {"Ten", "Four", "Five", "Blank Shortcut", "Seven", "Eight", "Nine"}},
      {4, edit_entry::kMoveBottom, {"Five", "Blank Shortcut", "Seven", "Eight", "Nine", "Ten", "Four"}},
      {7, edit_entry::kMoveUp, {"Four", "Five", "Seven", "Blank Shortcut", "Eight", "Nine", "Ten"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slot);
    SetUp();
    ASSERT_TRUE(MoveRingItem(m, c.slot, c.entry, images));
    EXPECT_EQ(Titles(4, 10), c.order);
    for (int s = 4; s <= 10; ++s) {
      const std::string title = m.Items[s].Title;
      const int from = 4 + static_cast<int>(std::find(start.begin(), start.end(), title) - start.begin());
      EXPECT_EQ(m.Items[s].ImageIndex, title == "Seven" ? pool::kApplicationImage : s) << s;
      EXPECT_EQ(images.picture[s], from) << s;
      EXPECT_EQ(m.Groups[s].ShownItem, s) << s;
      const std::vector<int32_t> members = title == "Five" ? std::vector<int32_t>{200, 201, 202}
                                           : title == "Eight" ? std::vector<int32_t>{300}
                                                              : std::vector<int32_t>{};
      EXPECT_EQ(Members(s), members) << s;
    }
  }
}

TEST_F(EditMenuTest, MovesOutOfRangeChangeNothing) {
  const std::vector<std::string> before = Titles(1, 12);
  for (auto [slot, entry] : {std::pair{4, edit_entry::kMoveUp}, std::pair{4, edit_entry::kMoveTop},
                             std::pair{10, edit_entry::kMoveDown}, std::pair{3, edit_entry::kMoveDown},
                             std::pair{12, edit_entry::kMoveUp}, std::pair{6, edit_entry::kDelete}})
    EXPECT_FALSE(MoveRingItem(m, slot, entry, images)) << slot << " " << entry;
  EXPECT_EQ(Titles(1, 12), before);
  EXPECT_EQ(images.count, 0);
}

TEST_F(EditMenuTest, GroupMovesReorderOnlyTheList) {
  struct Case {
    int position, item, entry;
    std::vector<int32_t> order;
  } cases[] = {
      {2, 201, edit_entry::kMoveUp, {201, 200, 202}},
      {2, 201, edit_entry::kMoveDown, {200, 202, 201}},
      {3, 202, edit_entry::kMoveTop, {202, 200, 201}},
      {1, 200, edit_entry::kMoveBottom, {201, 202, 200}},
  };
  for (const Case& c : cases) {
    SetUp();
    ASSERT_TRUE(MoveGroupMember(m, EditTarget::Member(5, c.position, c.item), c.entry));
    EXPECT_EQ(Members(5), c.order) << c.position << " " << c.entry;
    EXPECT_EQ(m.Groups[5].ShownItem, 5);
    EXPECT_EQ(m.Items[c.item].ImageIndex, c.item);
  }
  // A member that is no longer where the menu showed it does not move.
  EXPECT_FALSE(MoveGroupMember(m, EditTarget::Member(5, 1, 202), edit_entry::kMoveDown));
  EXPECT_FALSE(MoveGroupMember(m, EditTarget::Member(5, 3, 200), edit_entry::kMoveDown));
  EXPECT_EQ(Members(5), (std::vector<int32_t>{201, 202, 200}));
}

// Deleting a shortcut or member asks first, exactly when a case scripts an answer.
TEST_F(EditMenuTest, EntriesAskAndCallTheWindowsInOrder) {
  struct Case {
    const char* what;
    int entry;
    EditTarget target;
    bool keyMode, dockInFront, properties;
    std::vector<PromptAnswer> answers;
    const char* calls;
  } cases[] = {
      {"delete answered No", edit_entry::kDelete, EditTarget::Ring(9), true, true, true, {PromptAnswer::kNo},
       "close esc "},
      {"delete answered Yes", edit_entry::kDelete, EditTarget::Ring(9), false, false, true, {PromptAnswer::kYes},
       "close delete9 ring save "},
      {"delete a member", edit_entry::kDelete, EditTarget::Member(5, 2, 201), false, true, true,
       {PromptAnswer::kYes}, "close delete201 ring save esc "},
      {"delete a group asks nothing here", edit_entry::kDelete, EditTarget::Ring(5), false, false, true, {},
       "close delete5 ring save "},
      {"ring move", edit_entry::kMoveDown, EditTarget::Ring(9), false, true, true, {}, "ring save esc "},
      {"member move", edit_entry::kMoveUp, EditTarget::Member(5, 2, 201), false, false, true, {}, "menu save "},
      {"add on an empty position", edit_entry::kAdd, EditTarget::Ring(6), true, false, true, {}, "close esc add6 "},
      {"properties", edit_entry::kProperties, EditTarget::Ring(9), false, false, true, {}, "close props9 "},
      {"properties without its window", edit_entry::kProperties, EditTarget::Ring(9), false, true, false, {}, ""},
      {"move not offered", edit_entry::kMoveUp, EditTarget::Ring(4), false, true, true, {}, ""},
      {"stale member", edit_entry::kDelete, EditTarget::Member(5, 1, 202), false, true, true, {}, ""},
  };
  for (const Case& c : cases) {
    SetUp();
    test::RecordingEditHost host;
    host.keyMode = c.keyMode;
    host.dockInFront = c.dockInFront;
    test::RecordingPrompt prompt;
    prompt.answers.assign(c.answers.begin(), c.answers.end());
    ChooseEditEntry(c.entry, c.target, m, host, prompt, images, c.properties);
    EXPECT_EQ(host.calls, c.calls) << c.what;
    ASSERT_EQ(prompt.asked.size(), c.answers.size()) << c.what;
    for (const PromptRequest& q : prompt.asked)
      EXPECT_EQ(std::tie(q.text, q.title, q.icon, q.buttons, q.defaultNo, q.foreground),
                std::make_tuple(std::string("Are you sure to delete the selected shortcut?"),
                                std::string("Delete Shortcut"), PromptIcon::kQuestion, PromptButtons::kYesNo, true, true))
          << c.what;
  }
}

}  // namespace
}  // namespace vek
