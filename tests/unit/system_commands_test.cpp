#include <gtest/gtest.h>

#include <future>

#include "launch/system_catalogue.h"
#include "launch/system_commands.h"
#include "support/fakes.h"
#include "support/recorders.h"

namespace vek {
namespace {

class RecordingActions : public SystemActions {
 public:
  void ShowSettings() override { log.push_back("Settings"); }
  void ShowAbout() override { log.push_back("About"); }
  void ShowWizard() override { log.push_back("Wizard"); }
  void ChangeUserIdentity() override { log.push_back("UserIdentity"); }
  void ShowSearchBox() override { log.push_back("SearchBox"); }
  void ExitProgram() override { log.push_back("Exit"); }
  void PumpMessages() override { log.push_back("Pump"); }
  void EndSession(uint32_t flags, uint32_t reason) override {
    log.push_back("EndSession(" + std::to_string(flags) + "," + std::to_string(reason) + ")");
  }
  void LockWorkStation() override { log.push_back("Lock"); }
  void MonitorOff() override { log.push_back("MonitorOff"); }
  void RunDialog() override { log.push_back("Run"); }
  std::vector<std::string> log;
};

class RecordingItems : public CommandItemOps {
 public:
  explicit RecordingItems(Model& m) : model(m) {}
  void FreeItem(int index) override {
    log.push_back("Free(" + std::to_string(index) + ")");
    model.Items[index] = ShortcutItem{};
  }
  void LoadItemIcon(int index) override { log.push_back("Load(" + std::to_string(index) + ")"); }
  void SaveMenu() override { log.push_back("SaveMenu"); }
  void SaveSettings() override { log.push_back("SaveSettings"); }
  Model& model;
  std::vector<std::string> log;
};

class FakeBin : public RecycleBin {
 public:
  bool Query(RecycleBinInfo& out) override {
    out = info;
    return true;
  }
  void Empty() override { ++emptied; info = {}; }
  RecycleBinInfo info;
  int emptied = 0;
};

class FakeDesktop : public DesktopShell {
 public:
  bool SetDesktopIconListVisible(bool visible) override {
    if (!hasList) return false;
    iconsVisible = visible;
    return true;
  }
  void SetTaskbarVisible(bool visible) override { taskbarVisible = visible; }
  bool hasList = true;
  bool iconsVisible = true;
  bool taskbarVisible = true;
};

class SystemCommandsTest : public ::testing::Test, protected test::PathsMachine<> {
 protected:
  void SetUp() override { BuildSystemCatalogue(model, folders, fs, "tester", false); }
  Model model;
  test::RecordingShell runner;
  test::RecordingPrompt prompt;
  test::RecordingDock dock;
  RecordingActions actions;
  RecordingItems items{model};
  FakeBin bin;
  FakeDesktop desktop;
  SystemCommands commands{model, folders, runner, prompt, dock, actions, items, bin, desktop};
};

TEST_F(SystemCommandsTest, CatalogueCodesTitlesPicturesAndKinds) {
  for (int code = 65; code <= 103; ++code) {
    const ShortcutItem& item = model.Items[code];
    if (code >= 95 && code <= 100) {
      EXPECT_EQ(item.Kind, ItemKind::kFree) << code;
      continue;
    }
    EXPECT_EQ(item.Kind, ItemKind::kCommand) << code;
    EXPECT_TRUE(item.IsSystem) << code;
    EXPECT_EQ(item.CommandId, code);
    EXPECT_EQ(item.ImageIndex, code);
    EXPECT_TRUE(StartsWith(item.IconFile, folders.SysIconDir)) << code;
  }
  EXPECT_EQ(model.Items[65].Title, "Open tester's Documents");
  EXPECT_EQ(model.Items[71].Title, "Exit");
  EXPECT_EQ(model.Items[94].IconFile, folders.SysIconDir + "Network Connection.png");
  EXPECT_EQ(model.Items[0].Kind, ItemKind::kCentre);
  EXPECT_EQ(model.Items[0].Title, "tester");
  EXPECT_EQ(model.Items[0].IconFile, "");
  EXPECT_EQ(model.Items[1].Title, "My Computer");
  EXPECT_EQ(model.Items[1].Kind, ItemKind::kBuiltIn);
  EXPECT_EQ(model.Items[1].CommandId, 81);
  EXPECT_EQ(model.Items[2].Title, "Recycle Bin (Empty)");
  EXPECT_EQ(model.Items[2].ImageIndex, 37);
  EXPECT_EQ(model.Items[36].Title, "Blank Shortcut");
  EXPECT_EQ(model.Items[36].Kind, ItemKind::kEmptyPosition);
  EXPECT_EQ(model.Items[40].Title, "Blank Shortcut");
  EXPECT_EQ(model.Items[41].IconFile, folders.SysIconDir + "Application.png");
  // The built-in groups: how many members, the first and the last.
  for (const auto& [g, count, first, last] : {std::tuple{0, 16, 65, 80}, {1, 14, 81, 94}, {2, 3, 101, 103}})
    EXPECT_EQ(std::tuple(model.Groups[g].MemberCount(), model.Groups[g].Members.front(), model.Groups[g].Members.back()),
              std::tuple(count, first, last)) << "group " << g;
  for (int g = 0; g <= 36; ++g) EXPECT_EQ(model.Groups[g].ShownItem, g);
}

TEST_F(SystemCommandsTest, CentreUsesTheUserPictureWhenItExistsAndFullBinTemplate) {
  fs.AddFile(folders.UserIconFile);
  model.Settings.IconsLocked = true;
  model.Settings.DesktopIconsHidden = true;
  BuildSystemCatalogue(model, folders, fs, "tester", true);
  EXPECT_EQ(model.Items[0].IconFile, folders.UserIconFile);
  EXPECT_EQ(model.Items[2].Title, "Recycle Bin (Full)");
  EXPECT_EQ(model.Items[2].ImageIndex, 38);
  EXPECT_EQ(model.Items[75].Title, "Allow Dragging");
  EXPECT_EQ(model.Items[72].Title, "Always Show Desktop Icons");
}

TEST_F(SystemCommandsTest, DragLockTwiceReturnsToWhereItWasAndSavesEachTime) {
  fs.AddFile(folders.IconDir + "9.png");
  model.Items[75].CustomIconFile = folders.IconDir + "9.png";
  commands.RunSystemCommand(75);
  EXPECT_TRUE(model.Settings.IconsLocked);
  EXPECT_EQ(model.Items[75].Title, "Allow Dragging");
  EXPECT_EQ(model.Items[75].IconFile, folders.SysIconDir + "Allow Dragging.png");
  EXPECT_EQ(model.Items[75].Kind, ItemKind::kCommand);
  commands.RunSystemCommand(75);
  EXPECT_FALSE(model.Settings.IconsLocked);
  EXPECT_EQ(model.Items[75].Title, "Lock Dragging");
  EXPECT_EQ(model.Items[75].CustomIconFile, folders.IconDir + "9.png");  // the user's picture stays
  EXPECT_EQ(items.log, (std::vector<std::string>{"Free(75)", "Load(75)", "SaveMenu", "SaveSettings",
                                                 "Free(75)", "Load(75)", "SaveMenu", "SaveSettings"}));
}

TEST_F(SystemCommandsTest, DesktopIconsCaptionFlipsOnlyWhenTheListExists) {
  commands.RunSystemCommand(72);
  EXPECT_FALSE(desktop.iconsVisible);
  EXPECT_EQ(model.Items[72].Title, "Always Show Desktop Icons");
  EXPECT_TRUE(model.Settings.DesktopIconsHidden);
  commands.RunSystemCommand(72);
  EXPECT_TRUE(desktop.iconsVisible);
  EXPECT_EQ(model.Items[72].Title, "Always Hide Desktop Icons");
  desktop.hasList = false;
  commands.RunSystemCommand(72);
  EXPECT_EQ(model.Items[72].Title, "Always Hide Desktop Icons");
  EXPECT_FALSE(model.Settings.DesktopIconsHidden);
}

TEST_F(SystemCommandsTest, ShellElementsShowAgainAtExitWhileTheSwitchStays) {
  commands.RunSystemCommand(72);  // the user hides the desktop icons
  commands.SetShellElementsHidden(true);
  EXPECT_FALSE(desktop.iconsVisible);
  EXPECT_FALSE(desktop.taskbarVisible);
  commands.SetShellElementsHidden(false);
  EXPECT_TRUE(desktop.iconsVisible);
  EXPECT_TRUE(desktop.taskbarVisible);
  // A window closing after this saves the settings again: they still hide the icons.
  EXPECT_TRUE(model.Settings.DesktopIconsHidden);
}

TEST_F(SystemCommandsTest, IconsWindowsItselfHidesStayHiddenAtStartAndExit) {
  desktop.iconsVisible = false;  // the desktop's own "Show desktop icons" is off
  commands.ApplyStoredDesktopIcons();
  commands.SetShellElementsHidden(false);
  EXPECT_FALSE(desktop.iconsVisible);
  EXPECT_EQ(model.Items[72].Title, "Always Hide Desktop Icons");
  // Icons this program hid come back when a restored setting shows them.
  model.Settings.DesktopIconsHidden = true;
  commands.ApplyStoredDesktopIcons();
  model.Settings.DesktopIconsHidden = false;
  commands.ApplyStoredDesktopIcons();
  EXPECT_TRUE(desktop.iconsVisible);
}

TEST_F(SystemCommandsTest, PowerCommandsCallExactFlags) {
  for (int code = 76; code <= 80; ++code) commands.RunSystemCommand(code);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"EndSession(1,4294967295)", "EndSession(2,4294967295)",
                                                   "EndSession(0,4294967295)", "Lock", "MonitorOff"}));
}

TEST_F(SystemCommandsTest, ShellPlacesByWindowsVersion) {
  commands.WindowsMajorVersion = 5;
  commands.RunSystemCommand(88);
  EXPECT_EQ(runner.calls.back().file, "rundll32.exe");
  EXPECT_EQ(runner.calls.back().arguments, "shell32.dll, Control_RunDLL");
  commands.WindowsMajorVersion = 6;
  commands.RunSystemCommand(88);
  EXPECT_EQ(runner.calls.back().file, "explorer");
  EXPECT_EQ(runner.calls.back().arguments, "::{26EE0668-A00A-44D7-9371-BEB064C98683}");
  commands.RunSystemCommand(92);
  EXPECT_EQ(runner.calls.back().verb, "find");
  commands.RunSystemCommand(65);
  EXPECT_EQ(runner.calls.back().file, "C:\\users\\tester\\");
  EXPECT_EQ(runner.calls.back().show, 1);
}

TEST_F(SystemCommandsTest, CommonEndingAndAutoHide) {
  model.Settings.AutoHide = true;
  commands.RunSystemCommand(97);  // not assigned: only the common ending
  EXPECT_EQ(dock.log, (std::vector<std::string>{"CloseMenu", "CloseMenu", "SetDockState(2)"}));
  dock.log.clear();
  commands.RunSystemCommand(104);
  EXPECT_EQ(actions.log, (std::vector<std::string>{"SearchBox"}));
  EXPECT_EQ(dock.log, (std::vector<std::string>{"CloseMenu", "SetDockState(2)"}));
  dock.log.clear();
  commands.RunSystemCommand(command::kHide);
  EXPECT_EQ(dock.log, (std::vector<std::string>{"CloseMenu", "SetDockState(2)", "CloseMenu", "SetDockState(2)"}));
  dock.log.clear();
  model.Settings.AutoHide = false;
  commands.RunSystemCommand(command::kMinimize);
  EXPECT_EQ(dock.log, (std::vector<std::string>{"CloseMenu", "SetDockState(1)", "CloseMenu"}));
  dock.log.clear();
  commands.RunSystemCommand(71);
  EXPECT_EQ(dock.log, (std::vector<std::string>{"CloseMenu", "Activate(false)"}));
  // Asked before the messages run, so that a new start meanwhile finds this copy ending.
  EXPECT_EQ(std::vector<std::string>(actions.log.end() - 2, actions.log.end()),
            (std::vector<std::string>{"Exit", "Pump"}));
}

TEST_F(SystemCommandsTest, SwitchDesktopFlipsDockAndIconsWithoutFade) {
  commands.SwitchDesktop();
  EXPECT_TRUE(dock.hidden);
  EXPECT_TRUE(desktop.iconsVisible);
  commands.SwitchDesktop();
  EXPECT_FALSE(dock.hidden);
  EXPECT_FALSE(desktop.iconsVisible);
  EXPECT_TRUE(dock.fade);
  EXPECT_EQ(dock.log.front(), "Fade(off)");
}

TEST_F(SystemCommandsTest, EmptyBinAsksNothingAndStatusUsesSingularItem) {
  commands.RunSystemCommand(101);
  EXPECT_TRUE(prompt.asked.empty());
  commands.RunSystemCommand(103);
  ASSERT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(prompt.asked[0].text, "Your Recycle Bin consumes 0 Byte (0 Item) right now.");
  EXPECT_EQ(prompt.asked[0].icon, PromptIcon::kInformation);
  EXPECT_EQ(RecycleBinFull(bin), false);
}

TEST_F(SystemCommandsTest, EmptyingAFullBinAsksWithNoAsDefault) {
  bin.info = {2048, 3};
  EXPECT_EQ(RecycleBinFull(bin), true);
  prompt.answers = {PromptAnswer::kNo};
  commands.RunSystemCommand(101);
  EXPECT_EQ(bin.emptied, 0);
  EXPECT_TRUE(prompt.asked[0].defaultNo);
  prompt.answers = {PromptAnswer::kYes};
  commands.RunSystemCommand(101);
  EXPECT_EQ(bin.emptied, 1);
  // Exactly 2 GB is full too.
  bin.info = {int64_t{1} << 31, 0};
  EXPECT_EQ(RecycleBinFull(bin), true);
}

// A bin on a drive that does not answer: it is asked on a worker thread, the windows go on
// meanwhile, and the user is told rather than shown an empty bin.
TEST_F(SystemCommandsTest, ABinThatDoesNotAnswerIsToldWhileTheWindowsGoOn) {
  class StalledBin : public RecycleBin {
   public:
    bool Query(RecycleBinInfo& out) override {
      go.wait();
      out = {10, 1};
      return true;
    }
    void Empty() override { go.wait(); }
    std::shared_future<void> go;
  };
  std::promise<void> letGo;
  auto stalled = std::make_shared<StalledBin>();
  stalled->go = letGo.get_future().share();
  SystemCommands* waiting = nullptr;
  int pumped = 0;
  // A second bin command while the first waits is not started.
  BoundedCalls calls(std::chrono::milliseconds(50), [&] {
    if (pumped++ == 0) waiting->RunSystemCommand(command::kRecycleBinStatus);
  });
  RecycleBinOffThread offThread(stalled, calls);
  SystemCommands commandsWaiting{model, folders, runner, prompt, dock, actions, items, offThread, desktop};
  waiting = &commandsWaiting;
  for (int code : {command::kRecycleBinStatus, command::kEmptyRecycleBin}) commandsWaiting.RunSystemCommand(code);
  EXPECT_GT(pumped, 1);
  EXPECT_EQ(prompt.asked.size(), 2u);
  for (const PromptRequest& told : prompt.asked) EXPECT_EQ(told.text, kRecycleBinNoAnswer);
  letGo.set_value();
  commandsWaiting.RunSystemCommand(command::kRecycleBinStatus);
  EXPECT_EQ(prompt.asked.back().text,
            "Your Recycle Bin consumes 10 Bytes (1 Items) right now.\r\nDo you want to empty Recycle Bin?");
}

TEST(RecycleBinStatusTest, SizesInBytesKilobytesAndMegabytes) {
  NumberSeparators dot;
  EXPECT_EQ(FormatSize(12.0, false, dot), "12.");
  EXPECT_EQ(FormatSize(1.5, false, dot), "1.5");
  EXPECT_EQ(FormatSize(1.256, false, dot), "1.26");
  EXPECT_EQ(FormatSize(1234567.0, true, dot), "1,234,567.");
  NumberSeparators comma{",", "."};
  EXPECT_EQ(FormatSize(2.5, false, comma), "2,5");
  for (const auto& [info, consumes] :
       {std::pair<RecycleBinInfo, const char*>{{500, 2}, "500 Bytes (2 Items) right now."},
        {{1024, 1}, "1.KB (1 Items) right now."}, {{1048576, 4}, "1.MB (4 Items) right now."},
        {{int64_t{3} << 30, 4}, "over 2GB right now!"}, {{0, 2}, "0 Byte (2 Items) right now."}})
    EXPECT_EQ(RecycleBinStatusMessage(info, dot).text,
              std::string("Your Recycle Bin consumes ") + consumes + "\r\nDo you want to empty Recycle Bin?");
  EXPECT_EQ(RecycleBinStatusMessage({0, 2}, dot).buttons, PromptButtons::kYesNo);
}

}  // namespace
}  // namespace vek
