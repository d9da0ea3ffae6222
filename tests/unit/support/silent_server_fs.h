// A file system whose network shares (and any other place listed in `stalled`) do not
// answer until the test lets them; counts the questions it got and the answers it gave.
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

class SilentServerFs : public FakeFileSystem {
 public:
  uint32_t Attributes(const std::string& path) override {
    ++asked;
    if (Stalled(path)) {
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
  // Waits until every question asked has been answered, at most a few seconds.
  bool AllAnswered() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (answered < asked && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return answered == asked;
  }
  std::atomic<int> asked{0}, answered{0};
  // Upper-case path beginnings that do not answer.
  std::vector<std::string> stalled{"\\\\"};

 private:
  bool Stalled(const std::string& path) const {
    const std::string upper = ToUpperAscii(path);
    for (const std::string& prefix : stalled)
      if (upper.rfind(prefix, 0) == 0) return true;
    return false;
  }
  std::mutex mutex_;
  std::condition_variable released_;
  bool answering_ = false;
};

}  // namespace vek::test
