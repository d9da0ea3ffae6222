// A file system whose network shares do not answer until the test lets them; counts the
// questions it got and the answers it gave.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "support/fakes.h"

namespace vek::test {

class SilentServerFs : public FakeFileSystem {
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

}  // namespace vek::test
