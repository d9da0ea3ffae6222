#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/backup.h"
#include "core/settings_record.h"
#include "dialogs/backup_commands.h"
#include "support/fake_config.h"

namespace vek {
namespace {

namespace cmd = backup_command;
constexpr char kChosen[] = "D:\\Backups\\chosen.bak";

// What lies at the chosen path before the command runs.
enum class Chosen { kNothing, kOldFile, kGoodBackup, kTruncatedBackup, kCancelled };

struct FlowCase {
  const char* name;
  int command;
  Chosen chosen;
  PromptAnswer answer;  // to the question before a file is replaced
  bool wantDone;
  std::vector<std::string> wantTexts;  // each message, by its beginning
  std::vector<std::string> wantReloads;
};
void PrintTo(const FlowCase& c, std::ostream* os) { *os << c.name; }

class BackupFlowTest : public ::testing::TestWithParam<FlowCase> {
 protected:
  BackupFlowTest() {
    env.fs.AddFolder("D:\\Backups\\");
    model.Settings.IconQuantity = 24;
    SaveSettings(model, env.io);
    SaveMenu(model, env.io);
  }
  // A backup of the kind the command reads, made from other settings and items.
  Bytes GoodBackup(int command) {
    Model other = model;
    other.Settings.IconQuantity = 12;
    other.Items[4].Title = "Restored";
    const Bytes settings = WriteSettingsRecord(other.Settings, other.Items[0].IconFile, env.codec);
    if (command == cmd::kRestoreConfiguration) return settings;
    EXPECT_EQ(BackupAll(other, "D:\\Backups\\made.bak", env.io), 1);
    return env.fs.FileData("D:\\Backups\\made.bak");
  }

  test::FakeConfigEnv env;
  Model model = test::SampleModel(env);
};

TEST_P(BackupFlowTest, QuestionWorkAndMessages) {
  const FlowCase& c = GetParam();
  if (c.chosen == Chosen::kOldFile) env.fs.AddFile(kChosen, std::string("old"));
  if (c.chosen == Chosen::kGoodBackup || c.chosen == Chosen::kTruncatedBackup) {
    Bytes backup = GoodBackup(c.command);
    if (c.chosen == Chosen::kTruncatedBackup) backup.resize(backup.size() / 2);
    env.fs.AddFile(kChosen, backup);
  }
  if (c.command == cmd::kRestoreShortcuts) model.Settings.HideLetters = true;  // not saved yet
  if (c.command == cmd::kBackupConfiguration) model.Settings.IconQuantity = 32;  // not saved yet
  const Bytes settingsBefore = env.fs.FileData(env.folders.SettingsFile);
  const Bytes menuBefore = env.fs.FileData(env.folders.MenuFile);
  env.prompt.answers = {c.answer};

  std::vector<std::string> reloads;
  FileDialogRequest asked;
  BackupCommandUi ui;
  ui.chooseFile = [&](const FileDialogRequest& r) {
    asked = r;
    return c.chosen == Chosen::kCancelled ? std::string() : std::string(kChosen);
  };
  ui.resetAndReload = [&](bool s, bool i, bool r) { reloads.push_back({char('0' + s), char('0' + i), char('0' + r)}); };
  EXPECT_EQ(RunBackupCommand(c.command, model, env.io, ui), c.wantDone);

  const std::vector<std::string> texts = env.prompt.texts();
  ASSERT_EQ(texts.size(), c.wantTexts.size()) << ::testing::PrintToString(texts);
  for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].rfind(c.wantTexts[i], 0), 0u) << texts[i];
  EXPECT_EQ(reloads, c.wantReloads);
  EXPECT_EQ(asked.filter, "*.bak|*.bak|*.*|*.*");
  EXPECT_EQ(asked.save, c.command == cmd::kBackupConfiguration || c.command == cmd::kBackupShortcuts);

  if (!c.wantDone) {
    // Nothing of the live configuration changed, nor a file the user said No to.
    EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile), settingsBefore);
    EXPECT_EQ(env.fs.FileData(env.folders.MenuFile), menuBefore);
    EXPECT_EQ(model.Items[4].Title, "Notepad");
    if (c.chosen == Chosen::kOldFile) {
      EXPECT_EQ(env.fs.FileData(kChosen), Bytes({'o', 'l', 'd'}));
    }
  } else if (c.command == cmd::kBackupConfiguration) {
    // The backup holds the live settings, saved first.
    const Bytes backup = env.fs.FileData(kChosen);
    AppSettings backedUp;
    ASSERT_TRUE(ReadSettingsRecord(backup.data(), backup.size(), test::kScreen, backedUp));
    EXPECT_EQ(backedUp.IconQuantity, 32);
    EXPECT_EQ(backup, env.fs.FileData(env.folders.SettingsFile));
  } else if (c.command == cmd::kRestoreConfiguration) {
    EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile), env.fs.FileData(kChosen));
    EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile + ".bak"), env.fs.FileData(kChosen));
  } else if (c.command == cmd::kRestoreShortcuts) {
    EXPECT_EQ(model.Items[4].Title, "Restored");
    EXPECT_EQ(env.fs.FileData(env.folders.SettingsFile)[560], 1);  // kept through the reload
  } else {
    EXPECT_GT(env.fs.FileData(kChosen).size(), kMenuFileSize);
  }
}

const PromptAnswer kYes = PromptAnswer::kYes, kNo = PromptAnswer::kNo;
const std::string kAsk = kReplaceQuestion;

INSTANTIATE_TEST_SUITE_P(
    Flows, BackupFlowTest,
    ::testing::Values(
        FlowCase{"BackupConfigurationToANewFile", cmd::kBackupConfiguration, Chosen::kNothing, kYes, true,
                 {kBackupConfigurationDone}, {}},
        FlowCase{"ReplacingAnswerNoKeepsTheFile", cmd::kBackupConfiguration, Chosen::kOldFile, kNo, false, {kAsk}, {}},
        FlowCase{"ReplacingAnswerYes", cmd::kBackupConfiguration, Chosen::kOldFile, kYes, true,
                 {kAsk, kBackupConfigurationDone}, {}},
        FlowCase{"BackupShortcutsOverAnOldFile", cmd::kBackupShortcuts, Chosen::kOldFile, kYes, true,
                 {kAsk, kBackupShortcutsDone}, {}},
        FlowCase{"RestoreConfiguration", cmd::kRestoreConfiguration, Chosen::kGoodBackup, kYes, true,
                 {kRestoreConfigurationDone}, {"000"}},
        FlowCase{"TruncatedConfigurationChangesNothing", cmd::kRestoreConfiguration, Chosen::kTruncatedBackup, kYes,
                 false, {kConfigRestoreFailed}, {}},
        FlowCase{"AnyOtherFileIsNoConfiguration", cmd::kRestoreConfiguration, Chosen::kOldFile, kYes, false,
                 {kConfigRestoreFailed}, {}},
        FlowCase{"RestoreShortcuts", cmd::kRestoreShortcuts, Chosen::kGoodBackup, kYes, true,
                 {kRestoreShortcutsDone}, {"001"}},
        FlowCase{"TruncatedShortcutsChangeNothing", cmd::kRestoreShortcuts, Chosen::kTruncatedBackup, kYes, false,
                 {kRestoreFailed}, {}},
        FlowCase{"CancelledDialog", cmd::kRestoreShortcuts, Chosen::kCancelled, kYes, false, {}, {}}),
    [](const ::testing::TestParamInfo<FlowCase>& info) { return info.param.name; });

}  // namespace
}  // namespace vek
