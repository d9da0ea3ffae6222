#include <gtest/gtest.h>

#include "core/backup.h"
#include "core/pool_ops.h"
#include "core/record_io.h"
#include "core/icon_files.h"
#include "support/fake_config.h"

namespace vek {
namespace {

using test::FakeConfigEnv;

constexpr char kBackup[] = "D:\\Backups\\VEK Desktop Icons.bak";

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

class BackupTest : public ::testing::Test {
 protected:
  BackupTest() { env.fs.AddFolder("D:\\Backups\\"); }

  // Appends an icon block.
  static void Block(Bytes& b, const std::string& content) {
    const size_t at = b.size();
    b.resize(at + 4);
    record::PutI32(b.data() + at, static_cast<int32_t>(content.size()));
    b.insert(b.end(), content.begin(), content.end());
  }
  // A backup image of `m` whose blocks are given explicitly.
  Bytes Image(const Model& m, const std::vector<std::string>& blocks, bool trailer = true) {
    Bytes b;
    EncodeMenu(m.Groups, m.Items, env.codec, b);
    for (const std::string& content : blocks) Block(b, content);
    if (trailer) b.insert(b.end(), std::begin(kBackupTrailer), std::end(kBackupTrailer));
    return b;
  }
  // A model whose only icons are shared pictures of the system folder.
  Model SharedIconsOnly() {
    Model m = model;
    for (int i = 0; i < 1025; ++i) {
      for (std::string* f : {&m.Items[i].IconFile, &m.Items[i].CustomIconFile})
        if (!f->empty() && !StartsWith(*f, env.folders.SysIconDir)) *f = env.SysIcon("File.png");
    }
    return m;
  }

  FakeConfigEnv env;
  Model model = test::SampleModel(env);
};

TEST_F(BackupTest, WithoutOwnIconsTheBackupIsTheMenuPlusTheTrailer) {
  Model m = SharedIconsOnly();
  ASSERT_EQ(BackupAll(m, kBackup, env.io), 1);
  const Bytes& b = env.fs.FileData(kBackup);
  ASSERT_EQ(b.size(), kMenuFileSize + 5);
  EXPECT_EQ(Bytes(b.end() - 5, b.end()), (Bytes{0x2F, 0x45, 0x4E, 0x44, 0x00}));
  Bytes menu;
  EncodeMenu(m.Groups, m.Items, env.codec, menu);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + kMenuFileSize), menu);
}

TEST_F(BackupTest, BlocksFollowInItemOrderIconFileFirst) {
  ASSERT_EQ(BackupAll(model, kBackup, env.io), 1);
  // Own pictures: item 4 IconFile 0.png; item 6 IconFile 1.png then CustomIconFile 2.png;
  // catalogue entry 70 CustomIconFile 3.png; member 129 IconFile 4.png.
  EXPECT_EQ(env.fs.FileData(kBackup),
            Image(model, {"picture 0.png", "picture 1.png", "picture 2.png", "picture 3.png",
                          "picture 4.png"}));
  EXPECT_TRUE(env.prompt.asked.empty());
}

TEST_F(BackupTest, MissingPicturesAreClearedSoEveryPathHasItsBlock) {
  env.fs.Delete(env.Icon("2.png"));
  env.fs.Delete(env.SysIcon("Group.png"));
  ASSERT_EQ(BackupAll(model, kBackup, env.io), 1);
  EXPECT_EQ(model.Items[6].CustomIconFile, "");
  EXPECT_EQ(model.Items[5].IconFile, "");
  EXPECT_EQ(model.Items[6].IconFile, env.Icon("1.png"));
  EXPECT_EQ(env.fs.FileData(kBackup),
            Image(model, {"picture 0.png", "picture 1.png", "picture 3.png", "picture 4.png"}));
}

TEST_F(BackupTest, FailedBackupKeepsThePreviousBackupFile) {
  env.fs.AddFile(kBackup, "old backup");
  env.fs.FailWritesUnder("D:\\Backups\\");
  EXPECT_EQ(BackupAll(model, kBackup, env.io), 0);
  EXPECT_EQ(env.prompt.texts(), std::vector<std::string>{"Backup all shortcuts & icons failed! "});
  EXPECT_EQ(env.fs.FileData(kBackup), AsBytes("old backup"));
}

TEST_F(BackupTest, RestoreBringsBackListsItemsAndPictures) {
  // The All Programs group's own icon has no block (they start at item 4): it stays.
  model.Items[3].CustomIconFile = env.Icon("50.png");
  env.fs.AddFile(env.Icon("50.png"), "own");
  ASSERT_EQ(BackupAll(model, kBackup, env.io), 1);
  const Model saved = model;
  // The user carries on: pictures change, items go.
  Model live = model;
  live.Items[4] = ShortcutItem{};
  live.Groups[5].Members.clear();
  env.fs.AddFile(env.Icon("0.png"), "changed");
  env.fs.AddFile(env.Icon("99.png"), "stray");

  ASSERT_TRUE(RestoreAll(live, kBackup, env.io));
  EXPECT_TRUE(env.prompt.asked.empty());
  for (int i = 0; i < 1025; ++i) ASSERT_EQ(live.Items[i], saved.Items[i]) << i;
  for (int g = 3; g <= 36; ++g) ASSERT_EQ(live.Groups[g], saved.Groups[g]);
  EXPECT_EQ(env.fs.FileData(env.Icon("0.png")), AsBytes("picture 0.png"));
  EXPECT_EQ(env.fs.FileData(env.Icon("2.png")), AsBytes("picture 2.png"));
  EXPECT_FALSE(env.fs.HasFile(env.Icon("99.png")));  // the icon folder's pictures were replaced
  EXPECT_EQ(env.fs.FileData(env.Icon("50.png")), AsBytes("own"));
  EXPECT_TRUE(env.fs.HasFile(env.SysIcon("Group.png")));
  Bytes menu;
  EncodeMenu(saved.Groups, saved.Items, env.codec, menu);
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), menu);
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile + ".bak"), menu);
}

TEST_F(BackupTest, ABackupMovesWithTheProgramToAnotherFolder) {
  // Made while the program lived in one folder, restored by a copy living in another:
  // the shared pictures follow the program, the user's own come out of the blocks.
  ASSERT_EQ(BackupAll(model, kBackup, env.io), 1);
  FakeConfigEnv moved("D:\\Portable\\VEK\\");
  moved.fs.AddFolder("D:\\Backups\\");
  moved.fs.AddFile(kBackup, env.fs.FileData(kBackup));
  for (const char* name : {"Group.png", "File.png", "Recycle Bin.png"})
    moved.fs.AddFile(moved.SysIcon(name), std::string("shared ") + name);
  Model live;
  ASSERT_TRUE(RestoreAll(live, kBackup, moved.io));
  EXPECT_TRUE(moved.prompt.asked.empty());
  EXPECT_EQ(live.Items[5].IconFile, moved.SysIcon("Group.png"));
  EXPECT_EQ(live.Items[130].IconFile, moved.SysIcon("File.png"));
  // Not among the moved program's pictures: the path stays as it was written.
  EXPECT_EQ(live.Items[3].IconFile, env.SysIcon("All Programs Group.png"));
  for (const char* name : {"0.png", "1.png", "2.png", "3.png", "4.png"})
    EXPECT_EQ(moved.fs.FileData(moved.Icon(name)), AsBytes(std::string("picture ") + name));
  EXPECT_EQ(live.Items[6].CustomIconFile, moved.Icon("2.png"));

  // Backed up there, with a shared picture still named in the first folder, and brought
  // back: the same rule holds in both directions.
  const std::string stale = env.SysIcon("Gone.png");
  live.Items[131].IconFile = stale;
  ASSERT_EQ(BackupAll(live, kBackup, moved.io), 1);
  EXPECT_EQ(live.Items[131].IconFile, stale);
  env.fs.AddFile(kBackup, moved.fs.FileData(kBackup));
  env.fs.AddFile(env.SysIcon("Gone.png"), "shared Gone.png");
  Model back;
  ASSERT_TRUE(RestoreAll(back, kBackup, env.io));
  EXPECT_EQ(back.Items[5].IconFile, env.SysIcon("Group.png"));
  EXPECT_EQ(back.Items[131].IconFile, stale);
  EXPECT_EQ(env.fs.FileData(env.Icon("4.png")), AsBytes("picture 4.png"));
}

TEST_F(BackupTest, PicturesAFileEndingEarlyDoesNotCarryStay) {
  // Without the trailer, the file ends right after item 6's blocks: the later items keep
  // the pictures they name; a picture no item names goes.
  env.fs.AddFile(env.Icon("99.png"), AsBytes("stray"));
  env.fs.AddFile(kBackup, Image(model, {"picture 0.png", "picture 1.png", "picture 2.png"}, false));
  ASSERT_TRUE(RestoreAll(model, kBackup, env.io));
  for (const char* kept : {"2.png", "3.png", "4.png"}) EXPECT_TRUE(env.fs.HasFile(env.Icon(kept))) << kept;
  EXPECT_FALSE(env.fs.HasFile(env.Icon("99.png")));
  // A copy of the menu file carries no picture: item 6's custom picture stays.
  Model m = model;
  m.Items[4].IconFile = env.SysIcon("Library.png");
  env.fs.AddFile(kBackup, Image(m, {}, false));
  ASSERT_TRUE(RestoreAll(m, kBackup, env.io));
  EXPECT_EQ(env.fs.FileData(env.Icon("2.png")), AsBytes("picture 2.png"));
}

// Backups that must be refused before anything of the live configuration changes.
TEST_F(BackupTest, BrokenBackupsChangeNothing) {
  ASSERT_TRUE(SaveMenu(model, env.io));
  ASSERT_EQ(BackupAll(model, kBackup, env.io), 1);
  const Bytes good = env.fs.FileData(kBackup);
  const Bytes menu = env.fs.FileData(env.folders.MenuFile);
  const size_t firstBlock = kMenuFileSize;

  std::vector<std::pair<std::string, Bytes>> cases;
  cases.emplace_back("cut in the records", Bytes(good.begin(), good.begin() + 700000));
  cases.emplace_back("cut in a block", Bytes(good.begin(), good.begin() + firstBlock + 6));
  cases.emplace_back("cut in a length", Bytes(good.begin(), good.begin() + firstBlock + 2));
  cases.emplace_back("nothing after the records", Bytes(good.begin(), good.begin() + firstBlock));
  Bytes huge = good;
  record::PutI32(huge.data() + firstBlock, 0x7FFFFFF0);
  cases.emplace_back("length past the end", huge);
  Bytes negative = good;
  record::PutI32(negative.data() + firstBlock, -1);
  cases.emplace_back("negative length", negative);
  Bytes lists = good;
  record::PutI32(lists.data() + 4114 + 162 + 10 + 4 * 37, 99);  // group 5 counts 99 members
  cases.emplace_back("bad member count", lists);
  cases.emplace_back("empty", Bytes{});

  for (const auto& [name, data] : cases) {
    SCOPED_TRACE(name);
    env.prompt.asked.clear();
    env.fs.AddFile(kBackup, data);
    Model live = model;
    EXPECT_FALSE(RestoreAll(live, kBackup, env.io));
    EXPECT_EQ(env.prompt.texts(), std::vector<std::string>{"Restore all shortcuts & icons failed! "});
    for (int i = 0; i < 1025; ++i) ASSERT_EQ(live.Items[i], model.Items[i]);
    EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), menu);
    EXPECT_EQ(env.fs.FileData(env.Icon("0.png")), AsBytes("picture 0.png"));
  }

  env.prompt.asked.clear();
  Model live = model;
  EXPECT_FALSE(RestoreAll(live, "D:\\Backups\\missing.bak", env.io));
  EXPECT_EQ(env.prompt.texts(), std::vector<std::string>{"Restore all shortcuts & icons failed! "});
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), menu);
  EXPECT_TRUE(env.fs.HasFile(env.Icon("4.png")));
}

TEST_F(BackupTest, PicturesAreWrittenOnlyIntoTheIconFolder) {
  Model hostile = SharedIconsOnly();
  const std::string targets[] = {
      "C:\\Windows\\System32\\evil.dll",
      env.folders.IconDir + "..\\..\\escape.png",
      env.folders.IconDir + "VEKMenu.cfg",
      env.folders.IconDir + "VEKCfg.cfg.",
      env.folders.IconDir + "sub\\deep.png",
      env.folders.IconDir + "CON.png",
      env.folders.IconDir + "x.png:stream",
      env.folders.UserIconFile,
      env.folders.IconDir + "USERIC~1.ICO",  // the user picture's short name
      env.folders.IconDir + "0.png",  // a fair name; the others must not take it
  };
  const int first = 140;
  std::vector<std::string> blocks;
  for (size_t k = 0; k < std::size(targets); ++k) {
    ShortcutItem& it = hostile.Items[first + static_cast<int>(k)];
    it.Kind = ItemKind::kMember;
    it.IconFile = targets[k];
    blocks.push_back("payload " + std::to_string(k));
  }
  env.fs.AddFile(kBackup, Image(hostile, blocks));
  env.fs.AddFile("C:\\Windows\\System32\\evil.dll", "system file");
  env.fs.AddFile(env.folders.UserIconFile, "my face");

  ASSERT_TRUE(RestoreAll(model, kBackup, env.io));
  EXPECT_EQ(env.fs.FileData("C:\\Windows\\System32\\evil.dll"), AsBytes("system file"));
  EXPECT_EQ(env.fs.FileData(env.folders.UserIconFile), AsBytes("my face"));
  EXPECT_FALSE(env.fs.HasFile(env.folders.UserDir + "escape.png"));
  EXPECT_FALSE(env.fs.HasFile(env.folders.IconDir + "sub\\deep.png"));
  EXPECT_FALSE(env.fs.HasFile(env.folders.IconDir + "USERIC~1.ICO"));
  EXPECT_EQ(env.fs.FileData(env.Icon("0.png")), AsBytes("payload 9"));
  // The menu file written by the restore is the restored one, not a picture.
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile).size(), kMenuFileSize);
  std::set<std::string> names;
  for (size_t k = 0; k + 1 < std::size(targets); ++k) {
    const std::string path = model.Items[first + static_cast<int>(k)].IconFile;
    EXPECT_TRUE(IsOwnPicturePath(path, env.folders.IconDir)) << path;
    EXPECT_NE(path, env.Icon("0.png"));
    EXPECT_EQ(env.fs.FileData(path), AsBytes("payload " + std::to_string(k))) << path;
    names.insert(path);
  }
  EXPECT_EQ(names.size(), std::size(targets) - 1);
}

TEST_F(BackupTest, ABackupFromAnotherProfileAsksAboutEachNewPictureNameOnce) {
  Model foreign = SharedIconsOnly();
  std::vector<std::string> blocks;
  for (int k = 140; k < 1024; ++k) {
    foreign.Items[k].Kind = ItemKind::kMember;
    foreign.Items[k].IconFile = "C:\\Users\\other\\VekIcons\\" + std::to_string(k) + ".png";
    blocks.push_back(std::to_string(k));
  }
  env.fs.AddFile(kBackup, Image(foreign, blocks));
  env.fs.attributeQueries = 0;
  ASSERT_TRUE(RestoreAll(model, kBackup, env.io));
  EXPECT_LT(env.fs.attributeQueries, 5 * blocks.size());
  EXPECT_EQ(env.fs.FileData(model.Items[1023].IconFile), AsBytes("1023"));
}

TEST_F(BackupTest, FailedMenuWriteDuringRestoreLeavesEverythingAsItWas) {
  ASSERT_EQ(BackupAll(model, kBackup, env.io), 1);
  Model live = model;
  live.Items[4].Title = "Live";
  ASSERT_TRUE(SaveMenu(live, env.io));
  const Bytes menu = env.fs.FileData(env.folders.MenuFile);
  env.fs.FailWritesUnder(env.folders.MenuFile);
  const ShortcutItem* pool = live.Items.data();
  EXPECT_FALSE(RestoreAll(live, kBackup, env.io));
  EXPECT_EQ(live.Items.data(), pool);  // references into the pool stay good
  EXPECT_EQ(env.prompt.texts(), std::vector<std::string>{"Writing icon file failed! "});
  EXPECT_EQ(live.Items[4].Title, "Live");
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), menu);
  EXPECT_TRUE(env.fs.HasFile(env.Icon("0.png")));
}

// The user's folder was out of reach at start and came back: neither the saves of what
// such a start shows nor the backup commands write over the files there.
TEST_F(BackupTest, FilesOfAFolderOutOfReachAtStartAreLeftAlone) {
  const std::string settingsBackup = "D:\\Backups\\settings.cfg";
  ASSERT_EQ(BackupAll(model, kBackup, env.io), 1);
  ASSERT_TRUE(SaveMenu(model, env.io) && BackupConfiguration(model, settingsBackup, env.io));
  const Bytes menu = env.fs.FileData(env.folders.MenuFile);
  const Bytes settings = env.fs.FileData(env.folders.SettingsFile);
  env.io.keepFiles = true;
  Model shown;
  EXPECT_FALSE(SaveMenu(shown, env.io) || SaveSettings(shown, env.io));
  EXPECT_TRUE(env.prompt.texts().empty());
  EXPECT_FALSE(RestoreAll(shown, kBackup, env.io) || BackupConfiguration(shown, settingsBackup, env.io) ||
               RestoreConfiguration(settingsBackup, env.io));
  EXPECT_EQ(env.prompt.texts(), std::vector<std::string>(3, kUserFilesKept + env.folders.UserDir));
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), menu);
  EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile), settings);
  EXPECT_TRUE(env.fs.HasFile(env.Icon("0.png")));
}

TEST(NewIconFileNameTest, TakesTheSmallestFreeNumber) {
  test::FakeFileSystem fs;
  const std::string dir = "C:\\u\\VekIcons\\";
  fs.AddFolder(dir);
  EXPECT_EQ(NewIconFileName(fs, dir), dir + "0.png");
  fs.AddFile(dir + "0.png", "a");
  fs.AddFile(dir + "2.png", "c");
  EXPECT_EQ(NewIconFileName(fs, dir), dir + "1.png");
  const auto taken = [&](const std::string& n) { return n == dir + "1.png" || n == dir + "3.png"; };
  EXPECT_EQ(NewIconFileName(fs, dir, taken), dir + "4.png");
}

TEST(WholeFileTest, EmptyPathReadsNothingAndMissingFilesFail) {
  test::FakeFileSystem fs;
  Bytes buffer{1, 2, 3};
  EXPECT_EQ(ReadWholeFile(fs, "", buffer), 0);
  EXPECT_TRUE(buffer.empty());
  EXPECT_EQ(ReadWholeFile(fs, "C:\\none.png", buffer), -1);
  fs.AddFolder("C:\\d\\");
  EXPECT_EQ(WriteWholeFile(fs, "C:\\d\\a.png", Bytes{9, 8}), 1);
  EXPECT_EQ(ReadWholeFile(fs, "C:\\d\\a.png", buffer), 2);
  EXPECT_EQ(WriteWholeFile(fs, "C:\\missing\\a.png", Bytes{9}), 0);
}

}  // namespace
}  // namespace vek
