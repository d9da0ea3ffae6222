#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "launch/network_places.h"
#include "support/silent_server_fs.h"

namespace vek {
namespace {

using namespace std::chrono_literals;

TEST(NetworkPlacesTest, ShareOfAPath) {
  const struct {
    const char* path;
    const char* share;
  } cases[] = {
      {"\\\\server\\share\\folder\\tool.exe", "\\\\SERVER\\SHARE\\"},
      {"\\\\Server\\Share", "\\\\SERVER\\SHARE\\"},
      {"C:\\Tools\\tool.exe", ""},
      {"\\\\?\\C:\\Tools\\tool.exe", ""},
      {"\\\\.\\PhysicalDrive0", ""},
      {"\\\\", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NetworkShareOf(c.path), c.share) << c.path;
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
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (server.answered < 2 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(server.answered, 2);
  // A share that answers in time is asked normally.
  NetworkPlacesFileSystem answering(server, 5s, 60s);
  EXPECT_NE(answering.Attributes("\\\\server\\share\\a.exe"), attr::kInvalid);
}

}  // namespace
}  // namespace vek
