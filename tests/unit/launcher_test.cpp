#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <map>
#include <memory>
#include <thread>

#include "launch/launcher.h"
#include "support/fakes.h"
#include "support/silent_server_fs.h"
#include "support/recorders.h"
#include "support/table_drives.h"
#include "launch/network_places.h"

namespace vek {
namespace {

class LauncherTest : public ::testing::Test, protected test::PathsMachine<test::SilentServerFs> {
 protected:
  void SetUp() override {
    fs.AddFile("C:\\Tools\\editor.exe");
    fs.AddFile("C:\\Docs\\plan.txt");
    fs.AddFile("C:\\Links\\Editor.lnk");
    fs.AddFolder("D:\\");
    fs.AddFolder("C:\\Work");
    fs.AddFolder("C:\\Users\\me");
  }
  ShortcutItem& Item(int index, const std::string& link, const std::string& target = "") {
    ShortcutItem& item = model.Items[index];
    item.Kind = ItemKind::kShortcut;
    item.Link = link;
    item.Target = target;
    return item;
  }
  test::TableShortcutReader reader;
  using Route = ShortcutReader::Route;
  ShortcutFiles shortcuts{paths, reader};
  test::RecordingShell runner;
  test::RecordingPrompt prompt;
  test::RecordingDock dock;
  Model model;
  BoundedCalls slow{std::chrono::seconds(10), {}};
  Launcher launcher{model, paths, shortcuts, reader, runner, prompt, dock, slow};
};

TEST_F(LauncherTest, TargetWinsEvenWhenTheLinkIsGone) {
  Item(5, "C:\\Gone\\old.exe", "C:\\Tools\\editor.exe").Arguments = "-n";
  EXPECT_EQ(launcher.LaunchItem(5), 1);
  ASSERT_EQ(runner.calls.size(), 1u);
  EXPECT_EQ(runner.calls[0].verb, "open");
  EXPECT_EQ(runner.calls[0].file, "C:\\Tools\\editor.exe");
  EXPECT_EQ(runner.calls[0].arguments, "-n");
  EXPECT_EQ(runner.calls[0].folder, "C:\\Tools\\");
}

TEST_F(LauncherTest, ShowCommandFromRunModeWithFallback) {
  for (const auto& [mode, show] : {std::pair{0, 1}, {1, 2}, {2, 3}, {5, 1}, {-1, 1}, {INT32_MAX, 1}})
    EXPECT_EQ(ShowCommandForRunMode(mode), show) << mode;
  Item(6, "C:\\Docs\\plan.txt").RunMode = 5;
  launcher.LaunchItem(6);
  EXPECT_EQ(runner.calls.back().show, 1);
}

// What a click runs for a drive root, a shortcut file (its extension in any case: it is
// resolved, not run) with its own arguments or working folder, an advertised one, one to
// a shell object, and an item made from a shortcut, which names the shortcut's program
// as its target: that program starts with the item's arguments in the shortcut's start
// folder (its variables expanded) while the shortcut still names it.
TEST_F(LauncherTest, WhatAClickRuns) {
  env.Set("HOMEDRIVE", "C:");
  env.Set("HOMEPATH", "\\Users\\me");
  const struct {
    const char *link, *itemTarget, *itemArguments;
    const char *linkTarget, *linkArguments, *linkFolder;  // what the shortcut file holds
    const char* advertised;
    const char *file, *arguments, *folder;
  } cases[] = {
      {"D:\\", "", "", "", "", "", "", "D:\\", "", "D:\\"},
      {"C:\\Links\\Editor.Lnk", "", "item-args", "C:\\Tools\\editor.exe", " --from-link ", "", "",
       "C:\\Tools\\editor.exe", "--from-link", "C:\\Tools\\"},
      {"C:\\Links\\Editor.lnk", "", "", "C:\\Tools\\editor.exe", "", "C:\\Work ", "", "C:\\Tools\\editor.exe", "",
       "C:\\Work"},
      {"C:\\Links\\Editor.lnk", "", "", "", "", "", "C:\\Links\\Editor.lnk", "C:\\Tools\\editor.exe", "",
       "C:\\Tools\\"},
      // A shortcut to This PC names no file: the shell opens the shortcut itself.
      {"C:\\Links\\Editor.lnk", "", "", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "-x", "", "",
       "C:\\Links\\Editor.lnk", "", "C:\\Links\\"},
      {"C:\\Links\\Editor.lnk", "C:\\Tools\\editor.exe", "-n", "c:\\tools\\EDITOR.exe", "", "%HOMEDRIVE%%HOMEPATH%",
       "", "C:\\Tools\\editor.exe", "-n", "C:\\Users\\me"},
      {"C:\\Links\\Editor.lnk", "C:\\Tools\\editor.exe", "-n", "C:\\Tools\\editor.exe", "", "", "",
       "C:\\Tools\\editor.exe", "-n", "C:\\Tools\\"},
      {"C:\\Links\\Editor.lnk", "C:\\Tools\\editor.exe", "-n", "C:\\Other\\app.exe", "", "C:\\Work", "",
       "C:\\Tools\\editor.exe", "-n", "C:\\Tools\\"},
      // A start folder that is gone gives way to the program's own folder, where the
      // program still starts.
      {"C:\\Links\\Editor.lnk", "C:\\Tools\\editor.exe", "", "C:\\Tools\\editor.exe", "", "C:\\Gone", "",
       "C:\\Tools\\editor.exe", "", "C:\\Tools\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.link) + " " + c.linkFolder);
    reader.links.clear();
    if (*c.linkTarget) {
      LinkFields& f = reader.links[{c.link, Route::kScripting}];
      f.target = c.linkTarget;
      f.arguments = c.linkArguments;
      f.workingFolder = c.linkFolder;
    }
    reader.installed = {{c.advertised, "C:\\Tools\\editor.exe"}};
    runner.calls.clear();
    Item(8, c.link, c.itemTarget).Arguments = c.itemArguments;
    EXPECT_EQ(launcher.LaunchItem(8), 1);
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(runner.calls[0].file, c.file);
    EXPECT_EQ(runner.calls[0].arguments, c.arguments);
    EXPECT_EQ(runner.calls[0].folder, c.folder);
  }
}

// A shortcut to a shortcut opens what the last one names, with its arguments; one that
// comes back to itself, however far round, is a broken shortcut, never run.
TEST_F(LauncherTest, ShortcutsToShortcutsAreFollowedButALoopIsBroken) {
  const std::vector<std::string> chains[] = {  // what a.lnk names, what that one names, ...
      {"C:\\L\\b.lnk", "C:\\Tools\\editor.exe"}, {"c:\\l\\A.LNK"}, {"C:\\L\\b.lnk", "C:\\L\\a.lnk"}};
  for (const auto& chain : chains) {
    runner.calls.clear();
    std::string link = "C:\\L\\a.lnk";
    for (const std::string& target : chain) {
      fs.AddFile(link);
      LinkFields& f = reader.links[{link, Route::kScripting}];
      f.target = target;
      f.arguments = "from " + link;
      link = target;
    }
    Item(11, "C:\\L\\a.lnk");
    const bool opens = link == "C:\\Tools\\editor.exe";
    EXPECT_EQ(launcher.LaunchItem(11), opens ? 1 : 0) << link;
    EXPECT_EQ(opens ? runner.calls.at(0).arguments : prompt.asked.back().text,
              opens ? "from C:\\L\\b.lnk" : MissingTargetMessage("C:\\L\\a.lnk").text);
  }
}

TEST_F(LauncherTest, ShortcutWhoseTargetWasDeletedNamesTheShortcut) {
  LinkFields f;
  f.target = "C:\\Deleted\\tool.exe";
  reader.links[{"C:\\Links\\Editor.lnk", Route::kScripting}] = f;
  model.Settings.AutoHide = true;
  Item(9, "C:\\Links\\Editor.lnk");
  EXPECT_EQ(launcher.LaunchItem(9), 0);
  EXPECT_TRUE(runner.calls.empty());
  ASSERT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(prompt.asked[0].title, "Problem with Shortcut");
  EXPECT_EQ(prompt.asked[0].text,
            "The item 'C:\\Links\\Editor.lnk' that this shortcut refers to has been changed or removed, "
            "so this shortcut will no longer work properly.\r\n\r\n");
  // Auto-hide still hides after a failed launch.
  EXPECT_EQ(dock.log, (std::vector<std::string>{"CloseMenu", "SetDockState(2)"}));
}

TEST_F(LauncherTest, NeitherPathExistsNamesTheLinkAndStartsNothing) {
  Item(10, "C:\\Nowhere\\x.exe", "C:\\Nowhere\\y.exe");
  // Key mode is left before the message, which would otherwise stand under the dimmed dock.
  size_t leftBefore = 0;
  prompt.onAsk = [&] { leftBefore = dock.log.size(); };
  EXPECT_EQ(launcher.LaunchItem(10), 0);
  EXPECT_EQ(leftBefore, 1u);
  EXPECT_TRUE(runner.calls.empty());
  ASSERT_EQ(prompt.asked.size(), 1u);
  EXPECT_NE(prompt.asked[0].text.find("'C:\\Nowhere\\x.exe'"), std::string::npos);
  EXPECT_EQ(dock.log, (std::vector<std::string>{"CloseMenu"}));
}

TEST_F(LauncherTest, UrlFileGoesToTheShellUnchangedAndShellFailureIsSilent) {
  fs.AddFile("C:\\Links\\Site.url");
  Item(12, "C:\\Links\\Site.url");
  runner.result = 31;
  EXPECT_EQ(launcher.LaunchItem(12), 0);
  EXPECT_EQ(runner.calls[0].file, "C:\\Links\\Site.url");
  EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(LauncherTest, UnreachableNetworkTargetNeitherHoldsUpTheWindowsNorStartsTwice) {
  const std::string link = "\\\\server\\share\\Tool.lnk";
  Item(13, link, "\\\\server\\share\\tool.exe");
  Item(14, "C:\\Tools\\editor.exe");
  // The worker's set-up token goes when the worker is done with the test's objects.
  std::promise<void> workerDone;
  ThreadSetup watched = [&workerDone] {
    return std::shared_ptr<void>(nullptr, [&workerDone](void*) { workerDone.set_value(); });
  };
  Launcher* self = nullptr;
  int pumped = 0, secondClick = -1;
  auto limited = std::make_unique<BoundedCalls>(std::chrono::milliseconds(300),
                                                [&] {
                                                  if (pumped++ == 0) secondClick = self->LaunchItem(14);
                                                },
                                                watched);
  Launcher slowLauncher(model, paths, shortcuts, reader, runner, prompt, dock, *limited);
  self = &slowLauncher;

  EXPECT_EQ(slowLauncher.LaunchItem(13), 0);
  EXPECT_GT(pumped, 1);  // the window messages kept running while the network place was asked
  EXPECT_EQ(secondClick, 0);
  EXPECT_TRUE(runner.calls.empty());
  ASSERT_EQ(prompt.asked.size(), 1u);
  EXPECT_EQ(prompt.asked[0].text, UnreachableTargetMessage(link).text);
  EXPECT_EQ(prompt.asked[0].title, "Problem with Shortcut");

  // Its worker ends once the place answers and the calls are gone.
  fs.Answer();
  limited.reset();
  EXPECT_EQ(workerDone.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  // A network place that answers again launches as before.
  fs.AddFile("\\\\server\\share\\tool.exe");
  EXPECT_EQ(launcher.LaunchItem(13), 1);
  EXPECT_EQ(runner.calls.back().file, "\\\\server\\share\\tool.exe");
}

TEST_F(LauncherTest, AClickWhileAnotherSlowCallWaitsLaunches) {
  Item(14, "C:\\Tools\\editor.exe");
  Launcher* self = nullptr;
  int click = -1;
  BoundedCalls scans(std::chrono::seconds(10), [&] { click = click == -1 ? self->LaunchItem(14) : click; });
  Launcher scanning(model, paths, shortcuts, reader, runner, prompt, dock, scans);
  self = &scanning;
  // A first start's folder scan, say, waits meanwhile.
  scans.Run<bool>([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return true;
  });
  EXPECT_EQ(click, 1);
}

// Through the network places the program puts in front of the disk (a shorter wait than
// the launch's own), a place that does not answer is told as such and names the path
// that lies there; a file merely gone from a place that answers is still "changed or
// removed".
TEST_F(LauncherTest, APlaceThatDoesNotAnswerIsToldAsSuchNotAsRemoved) {
  const struct {
    const char* link;
    const char* target;
    const char* named;
    bool unreachable;
  } cases[] = {
      {"\\\\server\\share\\Tool.lnk", "\\\\server\\share\\tool.exe", "\\\\server\\share\\Tool.lnk", true},
      {"C:\\Links\\Remote.lnk", "", "\\\\server\\share\\tool.exe", true},
      {"C:\\Gone\\old.exe", "\\\\server\\share\\tool.exe", "\\\\server\\share\\tool.exe", true},
      {"Z:\\Tools\\tool.exe", "", "Z:\\Tools\\tool.exe", true},
      {"Y:\\Tools\\gone.exe", "", "Y:\\Tools\\gone.exe", false},
      {"C:\\Gone\\old.exe", "", "C:\\Gone\\old.exe", false},
      {"C:\\Links\\Editor.lnk", "", nullptr, false},  // starts in the program's folder, not the share's
  };
  fs.stalled = {"\\\\SERVER\\", "Z:\\"};
  fs.AddFile("C:\\Links\\Remote.lnk");
  fs.AddFolder("Y:\\Tools");
  reader.links[{"C:\\Links\\Remote.lnk", Route::kScripting}].target = "\\\\server\\share\\tool.exe";
  reader.links[{"C:\\Links\\Editor.lnk", Route::kScripting}] = {"C:\\Tools\\editor.exe", "", "\\\\server\\share"};
  test::TableDrives drives;
  drives.Add("C:\\", drive_type::kFixed);
  drives.Add("Y:\\", drive_type::kRemote);
  drives.Add("Z:\\", drive_type::kRemote);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    NetworkPlacesFileSystem places(fs, std::chrono::milliseconds(100), std::chrono::seconds(60), &drives);
    PathTools placePaths{places, env, folders};
    ShortcutFiles placeShortcuts{placePaths, reader};
    BoundedCalls calls(std::chrono::milliseconds(500) + std::chrono::milliseconds(100), {});
    Launcher placeLauncher(model, placePaths, placeShortcuts, reader, runner, prompt, dock, calls);
    Item(20, c.link, c.target);
    prompt.asked.clear();
    if (!c.named) {
      EXPECT_EQ(placeLauncher.LaunchItem(20), 1);
      EXPECT_EQ(runner.calls.back().folder, "C:\\Tools\\");
      continue;
    }
    EXPECT_EQ(placeLauncher.LaunchItem(20), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text,
              (c.unreachable ? UnreachableTargetMessage(c.named) : MissingTargetMessage(c.named)).text);
  }
  EXPECT_EQ(runner.calls.size(), 1u);
  fs.Answer();
  EXPECT_TRUE(fs.AllAnswered());
}

}  // namespace
}  // namespace vek
