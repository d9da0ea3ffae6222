// Devices and places that do not answer until a test lets them, and a file system whose
// network shares (and any other place listed) are such places.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/fakes.h"

namespace vek::test {

// Holds whoever waits on it until it is opened: a device that does not answer.
class Gate {
 public:
  void Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    opened_.wait(lock, [this] { return open_; });
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    opened_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
};

// A question about a path that begins with one of `stalled` (upper case) waits in Ask until
// Answer(). Questions and answers are counted, the stalled questions apart.
class StallGate {
 public:
  void Ask(const std::string& path) {
    ++asked;
    if (!Stalled(path)) return;
    ++stalledAsked;
    gate_.Wait();
  }
  void Answer() { gate_.Open(); }
  // Waits until every question asked has been answered, at most a few seconds.
  bool AllAnswered() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (answered < asked && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return answered == asked;
  }
  std::atomic<int> asked{0}, answered{0}, stalledAsked{0};
  std::vector<std::string> stalled;

 private:
  bool Stalled(const std::string& path) const {
    const std::string upper = ToUpperAscii(path);
    for (const std::string& prefix : stalled)
      if (upper.rfind(prefix, 0) == 0) return true;
    return false;
  }
  Gate gate_;
};

class SilentServerFs : public FakeFileSystem, public StallGate {
 public:
  SilentServerFs() { stalled = {"\\\\"}; }
  uint32_t Attributes(const std::string& path) override {
    Ask(path);
    const uint32_t a = FakeFileSystem::Attributes(path);
    ++answered;
    return a;
  }
};

}  // namespace vek::test
