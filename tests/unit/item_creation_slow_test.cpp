// Item creation next to drives and network places that do not answer: the questions about
// a path run off the UI thread within their limits, the window messages keep running, and
// what did not answer adds nothing and is told.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "support/item_world.h"

namespace vek {
namespace {

using namespace std::chrono_literals;
using test::ItemWorld;
using test::WorldLimits;

constexpr char kDeadShare[] = "\\\\SERVER\\";

// The user deletes the group a slow path was meant for while the path is looked at: the
// path does not land in the blank position that took the group's place.
TEST(ItemCreationSlowTest, ATargetDeletedWhileItsPathIsLookedAtGetsNothing) {
  ItemWorld w;
  w.fs.AddFile("\\\\server\\share\\tool.exe");
  w.fs.stalled = {kDeadShare};
  w.MakeGroup(5, "Group");
  w.onPump = [&w] {
    w.fs.Answer();
    w.items.DeleteItem(5, true);
  };
  EXPECT_EQ(w.items.AddItemFromPath("\\\\server\\share\\tool.exe", 5).outcome, AddOutcome::kNotPlaceable);
  EXPECT_EQ(w.item(5).Kind, ItemKind::kEmptyPosition);
  EXPECT_TRUE(w.fs.AllAnswered());
}

// A dead server behind the network places' short wait: its own paths and mapped drive add
// nothing and say so, one wait for all of them; a local shortcut to it is still added;
// the model is painted meanwhile.
TEST(ItemCreationSlowTest, PathsOnAPlaceThatDoesNotAnswerAddNothingAndSaySo) {
  ItemWorld w(WorldLimits{100ms, 5s, {}});
  w.fs.stalled = {kDeadShare};
  w.drives.Add("Z:\\", drive_type::kRemote);
  w.fs.AddFile("Z:\\Tools\\tool.exe");
  const std::string lnk = w.folders.DesktopDir + "Plan.lnk";
  w.fs.AddFile(lnk);
  w.reader.Add(lnk, "\\\\server\\share\\plan.doc");
  w.MakeGroup(5, "Group");

  const struct {
    std::string path;
    AddOutcome outcome;
  } cases[] = {
      {"\\\\server\\share\\tool.exe", AddOutcome::kNoAnswer},
      {lnk, AddOutcome::kAdded},
      {"\\\\server\\other\\tool.exe", AddOutcome::kNoAnswer},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    w.prompt.asked.clear();
    EXPECT_EQ(w.items.AddItemFromPath(c.path, 5).outcome, c.outcome);
    if (c.outcome == AddOutcome::kNoAnswer) {
      ASSERT_EQ(w.prompt.asked.size(), 1u);
      EXPECT_EQ(w.prompt.asked[0].text, std::string(kPathNoAnswer) + "\r\n\r\n" + c.path);
    } else {
      EXPECT_TRUE(w.prompt.asked.empty());
    }
  }
  EXPECT_GT(w.pumped, 0) << "the window messages stood still while the server was asked";
  EXPECT_EQ(w.fs.stalledAsked, 2) << "one wait for each share, then none";
  ASSERT_EQ(w.Members(5).size(), 1u);
  const ShortcutItem& plan = w.item(w.Members(5)[0]);
  EXPECT_EQ(plan.Link, lnk);
  EXPECT_EQ(plan.Target, "\\\\server\\share\\plan.doc");
  EXPECT_EQ(plan.IconFile, w.SysIcon("File.png"));

  // A mapped drive letter is a network place too.
  w.fs.stalled = {"Z:\\"};
  EXPECT_EQ(w.items.AddItemFromPath("Z:\\Tools\\tool.exe", 5).outcome, AddOutcome::kNoAnswer);
  EXPECT_EQ(w.Members(5).size(), 1u);

  w.fs.Answer();
  EXPECT_TRUE(w.fs.AllAnswered());
}

// A slow local drive outlasts the whole call: nothing is added, the model is as it was,
// the scan of its folder finds nothing, and a batch names every such path in one message.
TEST(ItemCreationSlowTest, QuestionsThatOutlastTheLimitLeaveTheModelAsItWas) {
  auto ended = std::make_shared<std::atomic<int>>(0);
  auto started = std::make_shared<std::atomic<int>>(0);
  ThreadSetup counted = [started, ended] {
    ++*started;
    return std::shared_ptr<void>(nullptr, [ended](void*) { ++*ended; });
  };
  {
    ItemWorld w(WorldLimits{5s, 150ms, counted});
    w.drives.Add("D:\\", drive_type::kCdRom);
    w.fs.AddFile("D:\\setup.exe");
    w.fs.AddFile("D:\\readme.txt");
    w.fs.stalled = {"D:\\"};
    w.MakeGroup(5, "Group");
    const Model before = w.model;

    w.items.BeginRefusalBatch();
    EXPECT_EQ(w.items.AddItemFromPath("D:\\setup.exe", 5).outcome, AddOutcome::kNoAnswer);
    EXPECT_EQ(w.items.AddItemFromPath("D:\\readme.txt", 5).outcome, AddOutcome::kNoAnswer);
    EXPECT_EQ(w.discovery.AddFolderEntries(5, "D:\\", "*.*", scan_mode::kAllVisible), 0);
    EXPECT_TRUE(w.prompt.asked.empty());
    w.items.EndRefusalBatch();
    ASSERT_EQ(w.prompt.asked.size(), 1u);
    EXPECT_EQ(w.prompt.asked[0].text,
              std::string(kPathsNoAnswer) + "\r\n\r\nD:\\setup.exe\r\nD:\\readme.txt\r\nD:\\");
    EXPECT_GT(w.pumped, 2);
    EXPECT_TRUE(w.Members(5).empty());
    EXPECT_EQ(w.model.Items[5].Title, before.Items[5].Title);

    // The drive wakes up: its workers finish and end with the calls.
    w.fs.Answer();
    EXPECT_TRUE(w.fs.AllAnswered());
    w.slow.reset();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (*ended < *started && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(*ended, *started);
  }
}

}  // namespace
}  // namespace vek
