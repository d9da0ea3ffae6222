#include <gtest/gtest.h>

#include "core/model.h"
#include "core/pool_ops.h"
#include "core/windows_version.h"
#include "support/fakes.h"

namespace vek {
namespace {

void FillRing(Model& m, int from, int to, ItemKind k = ItemKind::kShortcut) {
  for (int i = from; i <= to; ++i) m.Items[i].Kind = k;
}

TEST(ModelTest, SizedWithFixedCapacities) {
  Model m;
  EXPECT_EQ(m.Items.size(), 1025u);
  EXPECT_EQ(m.Groups.size(), 37u);
  EXPECT_TRUE(m.Groups[3].Members.empty());
  EXPECT_EQ(Model::Capacity(3), 1024);
  EXPECT_EQ(Model::Capacity(4), 36);
  EXPECT_EQ(Model::Capacity(0), 36);
}

TEST(ModelTest, RingModeWithEightIconsTakesFirstFreeAmongFourToEight) {
  Model m;
  m.Settings.IconQuantity = 8;
  FillRing(m, 1, 36);
  m.Items[6].Kind = ItemKind::kEmptyPosition;
  m.Items[7].Kind = ItemKind::kFree;
  EXPECT_EQ(m.FindFreeSlot(true), 6);
  m.Items[6].Kind = ItemKind::kShortcut;
  EXPECT_EQ(m.FindFreeSlot(true), 7);
  m.Items[7].Kind = ItemKind::kGroup;
  // Positions above IconQuantity do not count, so the item goes to All Programs.
  m.Items[9].Kind = ItemKind::kEmptyPosition;
  EXPECT_EQ(m.FindFreeSlot(true), 3);
}

TEST(ModelTest, RingModeNeverChoosesOneToThree) {
  Model m;
  m.Settings.IconQuantity = 36;
  FillRing(m, 4, 36);
  // 1..3 read as free, yet never chosen.
  EXPECT_EQ(m.FindFreeSlot(true), 3);
  m.Items[36].Kind = ItemKind::kEmptyPosition;
  EXPECT_EQ(m.FindFreeSlot(true), 36);
}

TEST(ModelTest, RingModeGivesZeroWhenAllProgramsIsFull) {
  Model m;
  FillRing(m, 4, 36);
  m.Groups[3].Members.resize(1023);
  EXPECT_EQ(m.FindFreeSlot(true), 3);
  m.Groups[3].Members.resize(1024);
  EXPECT_EQ(m.FindFreeSlot(true), 0);
}

TEST(ModelTest, MemberModeRefusesWhenEveryMemberSlotIsTaken) {
  Model m;
  EXPECT_EQ(m.FindFreeSlot(false), 129);
  m.Items[129].Kind = ItemKind::kMember;
  EXPECT_EQ(m.FindFreeSlot(false), 130);
  for (int i = 129; i <= 1024; ++i) m.Items[i].Kind = ItemKind::kMember;
  EXPECT_EQ(m.FindFreeSlot(false), 0);
  EXPECT_EQ(m.Items.size(), 1025u);
}

TEST(ModelTest, AddMemberRespectsCapacity) {
  Model m;
  for (int i = 0; i < 36; ++i) ASSERT_TRUE(m.AddMember(4, 129 + i));
  EXPECT_EQ(m.Groups[4].MemberCount(), 36);
  EXPECT_EQ(m.Groups[4].Members[35], 164);
  EXPECT_FALSE(m.AddMember(4, 200));
  EXPECT_EQ(m.Groups[4].MemberCount(), 36);
  for (int i = 0; i < 1024; ++i) ASSERT_TRUE(m.AddMember(3, 1));
  EXPECT_FALSE(m.AddMember(3, 1));
  EXPECT_FALSE(m.AddMember(37, 1));
  EXPECT_FALSE(m.AddMember(5, 1025));
}

class RecordingCache : public ItemImageCache {
 public:
  void ReleaseItemImages(int index) override { released.push_back(index); }
  std::vector<int> released;
};

class PoolOpsTest : public ::testing::Test, protected test::PathsMachine<> {
 protected:
  RecordingCache cache;
  Model m;
};

TEST_F(PoolOpsTest, FreeItemKeepsSharedPictureAndDeletesExtractedOne) {
  const std::string shared = folders.SysIconDir + "Folder.png";
  const std::string extracted = folders.IconDir + "7.png";
  const std::string custom = folders.IconDir + "8.png";
  fs.AddFile(shared);
  fs.AddFile(extracted);
  fs.AddFile(custom);
  m.Items[5].Kind = ItemKind::kShortcut;
  m.Items[5].IconFile = shared;
  m.Items[6].Kind = ItemKind::kShortcut;
  m.Items[6].IconFile = extracted;
  m.Items[6].CustomIconFile = custom;
  m.Items[6].Title = "Editor";

  FreeItem(m, 5, cache, fs, folders);
  FreeItem(m, 6, cache, fs, folders);
  EXPECT_TRUE(fs.HasFile(shared));
  EXPECT_FALSE(fs.HasFile(extracted));
  EXPECT_FALSE(fs.HasFile(custom));
  EXPECT_EQ(m.Items[6], ShortcutItem{});
  EXPECT_EQ(cache.released, (std::vector<int>{5, 6}));
}

TEST_F(PoolOpsTest, FreeItemDeletesNothingButItsOwnPictures) {
  // Each record names a file outside the icon folder, some of them through the folder, or
  // one in it that is no item's picture.
  const std::string roaming = "C:\\users\\tester\\AppData\\Roaming\\";
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Users\\tester\\Documents\\thesis.docx", "C:\\Users\\tester\\Documents\\thesis.docx"},
      {folders.IconDir + "..\\..\\x.png", roaming + "x.png"},
      {folders.IconDir + "sub/../../y.png", folders.UserDir + "y.png"},
      {folders.IconDir + "VEKMenu.cfg", folders.IconDir + "VEKMenu.cfg"},
      {folders.IconDir + "VEKCfg.cfg.bak", folders.IconDir + "VEKCfg.cfg.bak"},
      {folders.IconDir + "User Icon.ico", folders.IconDir + "User Icon.ico"},
  };
  for (const auto& [stored, file] : cases) {
    SCOPED_TRACE(stored);
    fs.AddFile(file, "keep");
    m.Items[7].Kind = ItemKind::kShortcut;
    m.Items[7].CustomIconFile = stored;
    ResetCustomIcon(m, 7, cache, fs, folders);
    EXPECT_TRUE(fs.HasFile(file));
    m.Items[7].IconFile = stored;
    m.Items[7].CustomIconFile = stored;
    FreeItem(m, 7, cache, fs, folders);
    EXPECT_TRUE(fs.HasFile(file));
    EXPECT_EQ(m.Items[7].Kind, ItemKind::kFree);
  }
}

TEST(PathIsInFolderTest, ComparesResolvedPathsAndRefusesDotSegments) {
  const std::string dir = "C:\\u\\VekIcons\\";
  const std::pair<std::string, bool> cases[] = {
      {dir + "3.png", true},
      {"c:\\U\\vekicons\\3.png", true},
      {"C:/u/VekIcons/3.png", true},
      {"C:\\u\\VekIcons", false},
      {"C:\\u\\VekIconsX\\3.png", false},
      {dir + "..\\3.png", false},
      {dir + "a\\..\\3.png", false},
      {dir + ".\\3.png", false},
      {dir + "..", false},
      {dir + ".. \\3.png", false},
      {"", false},
  };
  for (const auto& [path, inside] : cases) EXPECT_EQ(PathIsInFolder(path, dir), inside) << path;
  EXPECT_FALSE(PathIsInFolder(dir + "3.png", ""));
}

TEST_F(PoolOpsTest, FreeItemOnMissingFilesAndBadIndexIsHarmless) {
  m.Items[9].IconFile = folders.IconDir + "gone.png";
  FreeItem(m, 9, cache, fs, folders);
  FreeItem(m, -1, cache, fs, folders);
  FreeItem(m, 5000, cache, fs, folders);
  EXPECT_EQ(m.Items[9], ShortcutItem{});
}

TEST_F(PoolOpsTest, ResetCustomIconDeletesOnlyTheCustomPicture) {
  fs.AddFile(folders.IconDir + "1.png");
  fs.AddFile(folders.IconDir + "2.png");
  m.Items[4].IconFile = folders.IconDir + "1.png";
  m.Items[4].CustomIconFile = folders.IconDir + "2.png";
  ResetCustomIcon(m, 4, cache, fs, folders);
  EXPECT_TRUE(fs.HasFile(folders.IconDir + "1.png"));
  EXPECT_FALSE(fs.HasFile(folders.IconDir + "2.png"));
  EXPECT_EQ(m.Items[4].CustomIconFile, "");
}

TEST(WindowsVersionTest, TableAndRefusal) {
  WindowsVersionInfo seven = DescribeWindowsVersion({2, 6, 1, 7601, "Service Pack 1"});
  EXPECT_EQ(seven.text, "Microsoft Windows 7 Service Pack 1 (Build 7601)");
  EXPECT_FALSE(seven.refused);
  EXPECT_EQ(seven.major, 6u);
  EXPECT_EQ(DescribeWindowsVersion({2, 5, 1, 2600, " Service Pack 3 "}).text,
            "Microsoft Windows XP Service Pack 3 (Build 2600)");
  // NT 3.51 and 4.0 start; only the 9x family is refused.
  EXPECT_FALSE(DescribeWindowsVersion({2, 4, 0, 1381, ""}).refused);
  EXPECT_EQ(DescribeWindowsVersion({2, 3, 51, 1057, ""}).text, "Microsoft Windows NT 3.51  (Build 1057)");
  WindowsVersionInfo me = DescribeWindowsVersion({1, 4, 90, 3000, ""});
  EXPECT_TRUE(me.refused);
  EXPECT_EQ(me.text, "Microsoft Windows Mellennium  (Build 3000)");
  EXPECT_FALSE(me.majorKnown);
  // Newer versions are not in the table: empty text, start-up goes on.
  WindowsVersionInfo ten = DescribeWindowsVersion({2, 10, 0, 19045, ""});
  EXPECT_EQ(ten.text, "");
  EXPECT_FALSE(ten.refused);
  EXPECT_EQ(ten.major, 10u);
  EXPECT_EQ(DescribeWindowsVersion({2, 6, 3, 9600, ""}).text, "");
  EXPECT_FALSE(DescribeWindowsVersion({3, 6, 1, 1, ""}).majorKnown);
}

TEST(ModelTest, RingItemsAreThePositionsAndWhatTheirListsShow) {
  Model model;
  model.Groups[5].ShownItem = 200;   // a position showing another item
  model.Groups[6].ShownItem = 5000;  // a broken list entry adds nothing
  model.Groups[7].ShownItem = 0;     // nor a position showing the centre
  model.Items[2].ImageIndex = 300;     // drawn with another item's picture
  const std::vector<int> items = RingItems(model);
  std::vector<int> expected;
  for (int i = pool::kRingFirst; i <= pool::kTemplateLast; ++i) expected.push_back(i);
  expected.push_back(200);
  expected.push_back(300);
  EXPECT_EQ(expected, items);
}

}  // namespace
}  // namespace vek
