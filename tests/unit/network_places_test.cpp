#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "launch/network_places.h"
#include "support/silent_server_fs.h"
#include "support/table_drives.h"

namespace vek {
namespace {

using namespace std::chrono_literals;

TEST(NetworkPlacesTest, ShareAndDriveRootOfAPath) {
  const struct {
    const char *path, *share, *root;
  } cases[] = {
      {"\\\\server\\share\\folder\\tool.exe", "\\\\SERVER\\SHARE\\", ""},
      {"\\\\Server\\Share", "\\\\SERVER\\SHARE\\", ""},
      {"C:\\Tools\\tool.exe", "", "C:\\"},
      {"\\\\?\\C:\\Tools\\tool.exe", "", ""},
      {"\\\\.\\PhysicalDrive0", "", ""},
      {"\\\\", "", ""},
      {"z:\\tools\\tool.exe", "", "Z:\\"},
      {"C:", "", "C:\\"},
      {"C:\\", "", "C:\\"},
      {"C:tool.exe", "", ""},
      {"1:\\x", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NetworkShareOf(c.path), c.share) << c.path;
    EXPECT_EQ(DriveRootOf(c.path), c.root) << c.path;
  }
}

// A drive letter mapped to a network place is one too: a wait, then absent for a while;
// other letters, local shares' neighbours and the silent place's own twin are told apart.
TEST(NetworkPlacesTest, AMappedDriveThatDoesNotAnswerCountsAsAbsentLikeAShare) {
  test::SilentServerFs server;
  server.stalled = {"\\\\SERVER\\SHARE\\", "Z:\\"};
  server.AddFile("Z:\\tools\\a.exe");
  server.AddFile("Y:\\tools\\a.exe");
  server.AddFile("C:\\Tools\\local.exe");
  test::TableDrives drives;
  drives.Add("C:\\", drive_type::kFixed);
  drives.Add("Y:\\", drive_type::kRemote);
  drives.Add("Z:\\", drive_type::kRemote);
  NetworkPlacesFileSystem fs(server, 100ms, 60s, &drives);

  EXPECT_FALSE(fs.Unreachable("Z:\\tools\\a.exe")) << "nothing was asked yet";
  EXPECT_EQ(fs.Attributes("Z:\\tools\\a.exe"), attr::kInvalid);
  EXPECT_EQ(fs.Attributes("\\\\server\\share\\b.exe"), attr::kInvalid);
  const int asked = server.asked;
  const struct {
    const char* path;
    bool unreachable;
  } cases[] = {
      {"z:\\other\\b.exe", true},  {"\\\\SERVER\\share\\c.exe", true},
      {"Y:\\tools\\a.exe", false}, {"\\\\server\\other\\c.exe", false},
      {"C:\\Tools\\local.exe", false}, {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(fs.Unreachable(c.path), c.unreachable) << c.path;
  EXPECT_EQ(fs.Attributes("Z:\\other\\b.exe"), attr::kInvalid);
  EXPECT_EQ(server.asked, asked) << "the silent drive was asked again";
  // A mapped drive that answers, and a local one, are asked as ever.
  EXPECT_NE(fs.Attributes("Y:\\tools\\a.exe"), attr::kInvalid);
  EXPECT_NE(fs.Attributes("C:\\Tools\\local.exe"), attr::kInvalid);

  server.Answer();
  EXPECT_TRUE(server.AllAnswered());
}

TEST(NetworkPlacesTest, ASilentShareCostsOneWaitThenCountsAsAbsent) {
  test::SilentServerFs server;
  server.AddFile("\\\\server\\share\\a.exe");
  server.AddFile("C:\\Tools\\local.exe");
  NetworkPlacesFileSystem fs(server, 100ms, 60s);

  EXPECT_EQ(fs.Attributes("\\\\server\\share\\a.exe"), attr::kInvalid);
  EXPECT_EQ(fs.Attributes("\\\\SERVER\\share\\b.exe"), attr::kInvalid);
  EXPECT_EQ(server.asked, 1) << "the silent share was asked again";
  // Other places are asked as ever.
  EXPECT_NE(fs.Attributes("C:\\Tools\\local.exe"), attr::kInvalid);
  EXPECT_EQ(server.asked, 2);

  server.Answer();
  EXPECT_TRUE(server.AllAnswered());
  EXPECT_EQ(server.answered, 2);
  // A share that answers in time is asked normally.
  NetworkPlacesFileSystem answering(server, 5s, 60s);
  EXPECT_NE(answering.Attributes("\\\\server\\share\\a.exe"), attr::kInvalid);
}

// The shell is asked for no icon in a silent share, which costs one wait for all its items.
TEST(NetworkPlacesTest, TheShellIsNotAskedAboutAPlaceThatDoesNotAnswer) {
  test::SilentServerFs server;
  for (const char* file : {"C:\\a.lnk", "C:\\a.exe", "\\\\server\\share\\a.exe"}) server.AddFile(file);
  NetworkPlacesFileSystem fs(server, 100ms, 60s);
  const struct { const char *link, *target; bool ask; } cases[] = {
      {"C:\\a.exe", "c:\\A.EXE", true}, {"C:\\a.lnk", "C:\\a.exe", true}, {"C:\\a.lnk", "C:\\gone.exe", true},
      {"C:\\a.lnk", "\\\\server\\share\\a.exe", false}, {"\\\\server\\share\\a.exe", "", false}, {"C:\\gone.lnk", "", false}};
  for (const auto& c : cases) EXPECT_EQ(ShellMayAskAbout(fs, c.link, c.target), c.ask) << c.link << " " << c.target;
  EXPECT_EQ(server.stalledAsked, 1) << "the silent share was asked again";
  // The shell waits on a shortcut's target: its network place counts, else the shortcut's.
  EXPECT_EQ(ShellQuestionPlace(fs, "\\\\s\\t\\a.lnk", "C:\\x.exe"), "\\\\S\\T\\");
  EXPECT_EQ(ShellQuestionPlace(fs, "C:\\a.lnk", "https://example.com/"), "");
  server.Answer();
  EXPECT_TRUE(server.AllAnswered());
}

}  // namespace
}  // namespace vek
