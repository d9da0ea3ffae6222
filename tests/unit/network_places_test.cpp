#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "launch/network_places.h"
#include "support/fakes.h"

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

// A server that does not answer until the test lets it; counts the questions it got.
class SilentServerFs : public test::FakeFileSystem {
 public:
  uint32_t Attributes(const std::string& path) override {
    ++asked;
    if (path.rfind("\\\\", 0) == 0) {
      std::unique_lock<std::mutex> lock(mutex_);
      released_.wait(lock, [this] { return answering_; });
    }
    const uint32_t a = FakeFileSystem::Attributes(path);
    ++answered;
    return a;
  }
  void Answer() {
    std::lock_guard<std::mutex> lock(mutex_);
    answering_ = true;
    released_.notify_all();
  }
  std::atomic<int> asked{0}, answered{0};

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  bool answering_ = false;
};

TEST(NetworkPlacesTest, ASilentShareCostsOneWaitThenCountsAsAbsent) {
  SilentServerFs server;
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
