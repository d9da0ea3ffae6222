#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "core/config_files.h"
#include "core/menu_record.h"
#include "core/mod_registry.h"
#include "core/record_io.h"
#include "support/fake_config.h"

namespace vek {
namespace {

using test::FakeConfigEnv;
using test::kProgramPath;
using test::kScreen;
// Where the settings lie in the record.
constexpr size_t kNormalAt = 0, kMaxIconSizeAt = 4, kMagnifiedAt = 8, kAutoRunAt = 26;

Bytes ReadDataFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::filesystem::path> BadConfigFiles() {
  std::vector<std::filesystem::path> out;
  for (const auto& e : std::filesystem::directory_iterator(
           std::filesystem::path(VEK_SOURCE_DIR) / "tests/unit/data/bad_config"))
    out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

class ConfigFilesTest : public ::testing::Test {
 protected:
  bool Load() { return LoadSettings(model, env.io, kScreen, env.registry, kProgramPath); }
  // A settings file written from the defaults, with some fields changed.
  void StoreSettings(const std::function<void(uint8_t*)>& edit) {
    Model defaults;
    defaults.Settings.AutoRun = false;
    Bytes b = WriteSettingsRecord(defaults.Settings, std::string(), env.codec);
    edit(b.data());
    env.fs.AddFile(env.folders.SettingsFile, b);
  }
  void Put32(uint8_t* p, size_t at, int32_t v) { record::PutI32(p + at, v); }

  FakeConfigEnv env;
  Model model;
};

// --- Settings ------------------------------------------------------------------------

TEST_F(ConfigFilesTest, SavedSettingsLoadBackAndSaveToTheSameBytes) {
  AppSettings& s = model.Settings;
  s.NormalIconSize = 40;
  s.MagnifiedIconSize = 100;
  s.CircleRadius = 250;
  s.IconQuantity = 32;
  s.BackdropOpacity = 77;
  s.AutoRun = false;
  s.SearchBoxLeft = 80;
  s.SearchBoxTop = 60;
  s.SearchEngine = 8;
  s.IconsLocked = true;
  s.GettingStarted = GettingStartedState{false, 0};
  s.DesktopIconsHidden = true;
  s.AutoHide = true;
  s.HideLetters = true;
  s.MinimizedPosition = MinimizedPosition::kLeft;
  model.Items[0].IconFile = env.folders.UserIconFile;
  ASSERT_TRUE(SaveSettings(model, env.io));
  const Bytes saved = env.fs.FileData(env.folders.SettingsFile);
  ASSERT_EQ(saved.size(), 562u);
  EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile + ".bak"), saved);

  Model other;
  ASSERT_TRUE(LoadSettings(other, env.io, kScreen, env.registry, kProgramPath));
  EXPECT_EQ(other.Settings.MagnifiedIconSize, 100);
  EXPECT_EQ(other.Settings.IconQuantity, 32);
  EXPECT_FALSE(other.Settings.GettingStarted.AtStart);
  EXPECT_EQ(other.Settings.SearchBoxLeft, 80);
  EXPECT_EQ(other.Settings.MinimizedPosition, MinimizedPosition::kLeft);
  // The user picture is not on the disk, so the centre item has none.
  EXPECT_EQ(other.Items[0].IconFile, "");
  other.Items[0].IconFile = env.folders.UserIconFile;
  ASSERT_TRUE(SaveSettings(other, env.io));
  EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile), saved);
  EXPECT_TRUE(env.prompt.asked.empty());
}

TEST_F(ConfigFilesTest, IconSizesAreCheckedAgainstEachOther) {
  // Stored maximum, normal and magnified sizes, and the sizes read. The stored maximum
  // is ignored: 128 stays the bound.
  const std::pair<std::tuple<int32_t, int32_t, int32_t>, std::tuple<int32_t, int32_t, int32_t>> cases[] = {
      {{128, 150, 40}, {128, 48, 64}}, {{128, 120, 10}, {128, 120, 128}}, {{1000, 16, 129}, {128, 16, 32}}};
  for (const auto& [stored, read] : cases) {
    StoreSettings([&](uint8_t* p) {
      Put32(p, kMaxIconSizeAt, std::get<0>(stored));
      Put32(p, kNormalAt, std::get<1>(stored));
      Put32(p, kMagnifiedAt, std::get<2>(stored));
    });
    ASSERT_TRUE(Load());
    const AppSettings& s = model.Settings;
    EXPECT_EQ(std::tuple(s.MaxIconSize, s.NormalIconSize, s.MagnifiedIconSize), read) << std::get<1>(stored);
  }
}

TEST_F(ConfigFilesTest, CentreItemShowsTheUserPictureOnlyWhenItExists) {
  StoreSettings([&](uint8_t*) {});
  model.Items[0].IconFile = "C:\\stale.ico";
  ASSERT_TRUE(Load());
  EXPECT_EQ(model.Items[0].IconFile, "");
  env.fs.AddFile(env.folders.UserIconFile, "icon");
  ASSERT_TRUE(Load());
  EXPECT_EQ(model.Items[0].IconFile, env.folders.UserIconFile);
}

TEST_F(ConfigFilesTest, StoredAutoRunIsConfirmedAgainstTheRegistry) {
  StoreSettings([&](uint8_t* p) { record::PutI16(p + kAutoRunAt, -1); });
  ASSERT_TRUE(Load());
  EXPECT_TRUE(model.Settings.AutoRun);
  EXPECT_EQ(env.registry.StringOf(RegRoot::kCurrentUser,
                                  "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "VEK Desktop"),
            kProgramPath);

  // The autostart value cannot be written: the setting turns itself off.
  test::FakeConfigEnv locked;
  locked.registry.FailWritesWith(reg_error::kAccessDenied);
  Model m;
  Bytes b = WriteSettingsRecord(m.Settings, std::string(), locked.codec);
  locked.fs.AddFile(locked.folders.SettingsFile, b);
  ASSERT_TRUE(LoadSettings(m, locked.io, kScreen, locked.registry, kProgramPath));
  EXPECT_FALSE(m.Settings.AutoRun);

  // Turned off in Windows: the setting shows it off and turns nothing on.
  test::FakeConfigEnv turnedOff;
  turnedOff.registry.PutRaw(RegRoot::kCurrentUser,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run",
                            "VEK Desktop", reg_type::kBinary, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  turnedOff.fs.AddFile(turnedOff.folders.SettingsFile, b);
  Model t;
  ASSERT_TRUE(LoadSettings(t, turnedOff.io, kScreen, turnedOff.registry, kProgramPath));
  EXPECT_FALSE(t.Settings.AutoRun);
  EXPECT_EQ(turnedOff.registry.writes(), 0);
  // Turned on there again, with the switch stored off: the switch follows.
  turnedOff.registry.PutRaw(RegRoot::kCurrentUser,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run",
                            "VEK Desktop", reg_type::kBinary, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  turnedOff.registry.PutString(RegRoot::kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                               "VEK Desktop", kProgramPath);
  ASSERT_TRUE(SaveSettings(t, turnedOff.io));
  ASSERT_TRUE(LoadSettings(t, turnedOff.io, kScreen, turnedOff.registry, kProgramPath));
  EXPECT_TRUE(t.Settings.AutoRun);

  // Stored off: nothing is asked of the registry.
  test::FakeConfigEnv off;
  Model n;
  n.Settings.AutoRun = false;
  off.fs.AddFile(off.folders.SettingsFile, WriteSettingsRecord(n.Settings, std::string(), off.codec));
  ASSERT_TRUE(LoadSettings(n, off.io, kScreen, off.registry, kProgramPath));
  EXPECT_FALSE(n.Settings.AutoRun);
  EXPECT_EQ(off.registry.writes(), 0);
}

TEST_F(ConfigFilesTest, MissingSettingsFallBackOnTheTwinThenOnDefaults) {
  model.Settings.AutoRun = false;
  EXPECT_FALSE(Load());
  EXPECT_TRUE(model.Settings.AutoRun);
  EXPECT_EQ(TrimFixed(ReadRegValue(env.registry, kRunKey, "VEK Desktop").text), kProgramPath);
  EXPECT_TRUE(env.prompt.asked.empty());
  // A per-user folder out of reach looks like a first start but turns nothing on; its
  // files are not read (each read would wait on the folder).
  test::FakeConfigEnv away;
  away.io.keepFiles = true;
  Model a;
  away.fs.AddFile(away.folders.SettingsFile, WriteSettingsRecord(a.Settings, std::string(), away.codec));
  EXPECT_FALSE(LoadSettings(a, away.io, kScreen, away.registry, kProgramPath));
  EXPECT_FALSE(a.Settings.AutoRun);
  EXPECT_EQ(away.registry.writes(), 0);

  StoreSettings([&](uint8_t* p) { Put32(p, kNormalAt, 32); });
  const Bytes stored = env.fs.FileData(env.folders.SettingsFile);
  env.fs.AddFile(env.folders.SettingsFile + ".bak", stored);
  env.fs.Delete(env.folders.SettingsFile);
  ASSERT_TRUE(Load());
  EXPECT_EQ(model.Settings.NormalIconSize, 32);
  EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile), stored);
  EXPECT_TRUE(env.prompt.asked.empty());
}

TEST_F(ConfigFilesTest, ShortSettingsFileIsKeptAsideAndDefaultsStay) {
  const Bytes data = ReadDataFile(std::filesystem::path(VEK_SOURCE_DIR) /
                                  "tests/unit/data/bad_config/settings_short.cfg");
  env.fs.AddFile(env.folders.SettingsFile, data);
  model.Settings.AutoRun = false;
  model.Settings.NormalIconSize = 48;
  EXPECT_FALSE(Load());
  EXPECT_TRUE(model.Settings.AutoRun);
  EXPECT_EQ(model.Settings.NormalIconSize, 48);
  EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile + ".bad"), data);
  ASSERT_EQ(env.prompt.asked.size(), 1u);
  EXPECT_NE(env.prompt.texts()[0].find("VEKCfg.cfg.bad"), std::string::npos);
  // The next save replaces the file; the copy aside stays.
  ASSERT_TRUE(SaveSettings(model, env.io));
  EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile + ".bad"), data);
}

TEST_F(ConfigFilesTest, AnyFileLongEnoughIsReadAsSettingsWithCorrectedValues) {
  const Bytes data = ReadDataFile(std::filesystem::path(VEK_SOURCE_DIR) /
                                  "tests/unit/data/bad_config/not_settings.cfg");
  ASSERT_GE(data.size(), 562u);
  env.fs.AddFile(env.folders.SettingsFile, data);
  ASSERT_TRUE(Load());
  EXPECT_EQ(model.Settings.IconQuantity, 20);
  EXPECT_EQ(model.Settings.NormalIconSize, 48);
  EXPECT_EQ(model.Settings.MagnifiedIconSize, 64);
  EXPECT_GE(model.Settings.SearchEngine, 0);
  EXPECT_LE(model.Settings.SearchEngine, 8);
}

TEST_F(ConfigFilesTest, FailedSettingsWriteKeepsThePreviousFile) {
  ASSERT_TRUE(SaveSettings(model, env.io));
  const Bytes before = env.fs.FileData(env.folders.SettingsFile);
  model.Settings.NormalIconSize = 20;
  env.fs.FailWritesUnder(env.folders.IconDir);
  EXPECT_FALSE(SaveSettings(model, env.io));
  ASSERT_EQ(env.prompt.texts(), std::vector<std::string>{"Writing configuration file failed! "});
  EXPECT_EQ(env.prompt.asked[0].icon, PromptIcon::kExclamation);
  EXPECT_EQ(env.prompt.asked[0].title, "VEK Desktop");
  EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile), before);
}

// --- Menu ----------------------------------------------------------------------------

class MenuFileTest : public ::testing::Test {
 protected:
  FakeConfigEnv env;
  Model model = test::SampleModel(env);
};

TEST_F(MenuFileTest, SavedMenuLoadsBackAndSavesToTheSameBytes) {
  ASSERT_TRUE(SaveMenu(model, env.io));
  const Bytes saved = env.fs.FileData(env.folders.MenuFile);
  ASSERT_EQ(saved.size(), 1338885u);
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile + ".bak"), saved);
  EXPECT_FALSE(env.fs.HasFile(env.folders.MenuFile + ".tmp"));

  Model other;
  ASSERT_TRUE(LoadMenu(other, env.io));
  for (int g = 3; g <= 36; ++g) EXPECT_EQ(other.Groups[g], model.Groups[g]);
  for (int i = 0; i < 1025; ++i) EXPECT_EQ(other.Items[i], model.Items[i]) << i;
  ASSERT_TRUE(SaveMenu(other, env.io));
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), saved);
  EXPECT_TRUE(env.prompt.asked.empty());
  env.io.keepFiles = true;  // the folder was out of reach at start
  EXPECT_FALSE(LoadMenu(other, env.io));
}

TEST_F(MenuFileTest, WritersMakeTheFoldersAgainWhenTheyHaveGone) {
  const std::string& user = env.folders.UserDir;
  const std::pair<std::string, std::function<bool(ConfigIo&)>> writers[] = {
      {env.folders.SettingsFile, [&](ConfigIo& io) { return SaveSettings(model, io); }},
      {env.folders.MenuFile, [&](ConfigIo& io) { return SaveMenu(model, io); }}};
  for (const auto& [file, write] : writers) {
    test::ListingFakeFileSystem bare;  // only the application-data folder is left
    bare.AddFolder(FolderPart(user.substr(0, user.size() - 1)));
    ConfigIo io{bare, env.codec, env.prompt, env.folders};
    EXPECT_TRUE(write(io)) << file;
    EXPECT_TRUE(bare.HasFile(file) && bare.HasFile(file + ".bak")) << file;
  }
  EXPECT_TRUE(env.prompt.texts().empty());
}

TEST_F(MenuFileTest, MissingMenuIsRestoredSilentlyFromItsTwin) {
  ASSERT_TRUE(SaveMenu(model, env.io));
  const Bytes saved = env.fs.FileData(env.folders.MenuFile);
  env.fs.Delete(env.folders.MenuFile);
  Model other;
  ASSERT_TRUE(LoadMenu(other, env.io));
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), saved);
  EXPECT_EQ(other.Items[6], model.Items[6]);
  EXPECT_TRUE(env.prompt.asked.empty());

  env.fs.Delete(env.folders.MenuFile);
  env.fs.Delete(env.folders.MenuFile + ".bak");
  EXPECT_FALSE(LoadMenu(other, env.io));
  EXPECT_TRUE(env.prompt.asked.empty());
}

TEST_F(MenuFileTest, ABrokenFileWithASoundTwinIsKeptAsideAndTheTwinRead) {
  const std::string files[] = {env.folders.MenuFile, env.folders.SettingsFile};
  ASSERT_TRUE(SaveMenu(model, env.io) && SaveSettings(model, env.io));
  for (const std::string& file : files) {
    const Bytes saved = env.fs.FileData(file);
    const Bytes cut(saved.begin(), saved.begin() + 500);  // a crash left it short
    env.fs.AddFile(file, cut);
    Model other;
    EXPECT_TRUE(file == env.folders.MenuFile ? LoadMenu(other, env.io)
                                             : LoadSettings(other, env.io, test::kScreen, env.registry,
                                                            test::kProgramPath))
        << file;
    EXPECT_EQ(env.fs.FileData(file), saved) << file;
    EXPECT_EQ(env.fs.FileData(file + ".bad"), cut) << file;
    EXPECT_TRUE(env.prompt.asked.empty()) << file;
    if (file == env.folders.MenuFile) EXPECT_EQ(other.Items[6], model.Items[6]);
  }
}

TEST_F(MenuFileTest, ListedFreeRecordsAreLeftOutSoTheirSlotsCanBeHandedOutOnce) {
  model.Groups[5].Members.push_back(200);  // free records, named by a file from elsewhere
  model.Items[7].Kind = ItemKind::kGroup;
  model.Items[7].Title = "Tools";
  model.Groups[7].Members = {201};
  ASSERT_TRUE(SaveMenu(model, env.io));
  Model other;
  ASSERT_TRUE(LoadMenu(other, env.io));
  EXPECT_EQ(other.Groups[5].Members, (std::vector<int32_t>{129, 130}));
  EXPECT_TRUE(other.Groups[7].Members.empty());
  EXPECT_EQ(other.Items[7].Title, "Tools (Empty)");
}

TEST_F(MenuFileTest, FreeRingSlotsComeBackAsEmptyPositions) {
  for (int i : {9, 36, 40}) model.Items[i].Kind = ItemKind::kFree;
  ASSERT_TRUE(SaveMenu(model, env.io));
  Model other;
  ASSERT_TRUE(LoadMenu(other, env.io));
  for (const auto& [i, kind] : {std::pair{9, ItemKind::kEmptyPosition}, {36, ItemKind::kEmptyPosition}, {40, ItemKind::kFree}})
    EXPECT_EQ(other.Items[i].Kind, kind) << i;
}

// Pictures a file names elsewhere: the centre shows the user's picture whenever there is
// one (a restored backup may name none, or another account's), and shared pictures of the
// program folder the file was written in are this folder's, where this folder has them.
TEST_F(MenuFileTest, TheCentreAndSharedPicturesAreThisPlacesWhateverTheFileNames) {
  const std::string mine = env.folders.UserIconFile, old = "D:\\Old Place\\SysIcons\\";
  env.fs.AddFile(env.folders.SysIconDir + "My Computer.png", "picture");
  model.Items[1].IconFile = model.Items[5].CustomIconFile = old + "My Computer.png";
  model.Items[6].IconFile = old + "Gone.png";
  for (const std::string& named : {std::string(), old + "User Icon.ico", mine}) {
    for (bool exists : {true, false}) {
      if (exists) env.fs.AddFile(mine, "me");
      else env.fs.Delete(mine);
      model.Items[0].IconFile = named;
      ASSERT_TRUE(SaveMenu(model, env.io));
      Model other;
      ASSERT_TRUE(LoadMenu(other, env.io));
      EXPECT_EQ(other.Items[0].IconFile, exists ? mine : "") << named << exists;
      EXPECT_EQ(other.Items[1].IconFile, env.folders.SysIconDir + "My Computer.png");
      EXPECT_EQ(other.Items[5].CustomIconFile, env.folders.SysIconDir + "My Computer.png");
      EXPECT_EQ(other.Items[6].IconFile, old + "Gone.png");
    }
  }
}

TEST_F(MenuFileTest, CatalogueEntriesKeepOnlyTheirCustomIcon) {
  const int entry = pool::kCatalogueFirst + 5;
  model.Items[entry].Title = "Renamed in the file";
  ASSERT_TRUE(SaveMenu(model, env.io));
  Model other;
  other.Items[entry].Kind = ItemKind::kCommand;
  other.Items[entry].Title = "Shut Down";
  other.Items[entry].CommandId = entry;
  ASSERT_TRUE(LoadMenu(other, env.io));
  EXPECT_EQ(other.Items[entry].Title, "Shut Down");
  EXPECT_EQ(other.Items[entry].Kind, ItemKind::kCommand);
  EXPECT_EQ(other.Items[entry].CommandId, entry);
  EXPECT_EQ(other.Items[entry].CustomIconFile, env.Icon("3.png"));
}

TEST_F(MenuFileTest, ImageIndexOutsideTheImageStoreBecomesTheItemsOwn) {
  model.Items[4].ImageIndex = 5000;
  model.Items[130].ImageIndex = -3;
  model.Items[131].ImageIndex = 41;  // a fallback picture: kept
  ASSERT_TRUE(SaveMenu(model, env.io));
  Model other;
  ASSERT_TRUE(LoadMenu(other, env.io));
  EXPECT_EQ(other.Items[4].ImageIndex, 4);
  EXPECT_EQ(other.Items[130].ImageIndex, 130);
  EXPECT_EQ(other.Items[131].ImageIndex, 41);
}

TEST_F(MenuFileTest, EveryBadFileIsKeptAsideAndTheModelStaysAsItWas) {
  std::vector<std::pair<std::string, Bytes>> bad;
  for (const auto& p : BadConfigFiles()) bad.emplace_back(p.filename().string(), ReadDataFile(p));
  // Whole-size files whose lists lie about themselves.
  ASSERT_TRUE(SaveMenu(model, env.io));
  const Bytes good = env.fs.FileData(env.folders.MenuFile);
  Bytes twice = good;
  record::PutI32(twice.data() + 4114 + 162 * 1 + 10 + 4, 129);  // group 5's first member in group 5 and 5
  record::PutI32(twice.data() + 4114 + 162 * 1 + 10 + 8, 129);
  bad.emplace_back("member listed twice", twice);
  Bytes cut(good.begin(), good.end() - 1297 / 2);
  bad.emplace_back("cut in the last record", cut);

  for (const auto& [name, data] : bad) {
    SCOPED_TRACE(name);
    FakeConfigEnv e;
    Model m = test::SampleModel(e);
    const Model before = m;
    e.fs.AddFile(e.folders.MenuFile, data);
    EXPECT_FALSE(LoadMenu(m, e.io));
    for (int i = 0; i < 1025; ++i) ASSERT_EQ(m.Items[i], before.Items[i]);
    for (int g = 0; g < 37; ++g) ASSERT_EQ(m.Groups[g], before.Groups[g]);
    ASSERT_TRUE(e.fs.HasFile(e.folders.MenuFile + ".bad"));
    EXPECT_EQ(e.fs.FileData(e.folders.MenuFile + ".bad"), data);
    ASSERT_EQ(e.prompt.asked.size(), 1u);
    EXPECT_NE(e.prompt.texts()[0].find("VEKMenu.cfg.bad"), std::string::npos);
    // Saving the defaults afterwards leaves the copy alone.
    ASSERT_TRUE(SaveMenu(m, e.io));
    EXPECT_EQ(e.fs.FileData(e.folders.MenuFile + ".bad"), data);
  }
}

TEST_F(MenuFileTest, AnOlderCopyAsideIsNeverOverwritten) {
  env.fs.AddFile(env.folders.MenuFile, "first broken file");
  Model m;
  EXPECT_FALSE(LoadMenu(m, env.io));
  // The same broken file again: no second copy.
  EXPECT_FALSE(LoadMenu(m, env.io));
  EXPECT_FALSE(env.fs.HasFile(env.folders.MenuFile + ".2.bad"));
  env.fs.AddFile(env.folders.MenuFile, "second broken file");
  EXPECT_FALSE(LoadMenu(m, env.io));
  const std::string first = "first broken file", second = "second broken file";
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile + ".bad"), Bytes(first.begin(), first.end()));
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile + ".2.bad"), Bytes(second.begin(), second.end()));
}

TEST_F(MenuFileTest, FailedMenuWriteKeepsThePreviousFile) {
  ASSERT_TRUE(SaveMenu(model, env.io));
  const Bytes before = env.fs.FileData(env.folders.MenuFile);
  model.Items[4].Title = "Changed";

  // The disk refuses everything.
  env.fs.FailWritesUnder(env.folders.IconDir);
  EXPECT_FALSE(SaveMenu(model, env.io));
  EXPECT_EQ(env.prompt.texts(), std::vector<std::string>{"Writing icon file failed! "});
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), before);

  // The twin is written but the file cannot be replaced.
  env.fs.FailWritesUnder(env.folders.MenuFile + ".tmp");
  EXPECT_FALSE(SaveMenu(model, env.io));
  EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), before);
  EXPECT_FALSE(env.fs.HasFile(env.folders.MenuFile + ".tmp"));
  Model other;
  ASSERT_TRUE(LoadMenu(other, env.io));
  EXPECT_EQ(other.Items[4].Title, "Notepad");
}

TEST_F(MenuFileTest, DeleteConfigFilesRemovesTheConfigurationAndPicturesOnly) {
  ASSERT_TRUE(SaveMenu(model, env.io));
  ASSERT_TRUE(SaveSettings(model, env.io));
  env.fs.AddFile(env.folders.UserIconFile, "me");
  env.fs.AddFile(env.folders.MenuFile + ".bad", "kept");
  env.fs.AddFile(env.Icon("custom.ico"), "ico");

  const Folders& f = env.folders;
  DeleteConfigFiles(env.fs, f, false);  // the menu and its pictures only
  for (const std::string& gone : {f.MenuFile, f.MenuFile + ".bak", env.Icon("0.png")})
    EXPECT_FALSE(env.fs.HasFile(gone)) << gone;
  for (const std::string& kept : {f.SettingsFile, f.SettingsFile + ".bak", env.SysIcon("File.png")})
    EXPECT_TRUE(env.fs.HasFile(kept)) << kept;
  DeleteConfigFiles(env.fs, f, true);  // the settings too
  for (const std::string& gone : {f.SettingsFile, f.SettingsFile + ".bak"}) EXPECT_FALSE(env.fs.HasFile(gone)) << gone;
  for (const std::string& kept : {f.UserIconFile, f.MenuFile + ".bad", env.Icon("custom.ico")})
    EXPECT_TRUE(env.fs.HasFile(kept)) << kept;
}

}  // namespace
}  // namespace vek
