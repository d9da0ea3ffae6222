#include "launch/slow_calls.h"

namespace vek {

PolledAnswer::PolledAnswer(std::function<std::optional<bool>()> probe, std::chrono::milliseconds interval,
                           ThreadSetup setup)
    : shared_(std::make_shared<Shared>()) {
  try {
    std::thread([shared = shared_, probe = std::move(probe), interval, setup = std::move(setup)] {
      std::shared_ptr<void> scope;
      try {
        if (setup) scope = setup();
      } catch (...) {
      }
      std::unique_lock<std::mutex> lock(shared->mutex);
      while (!shared->stop) {
        lock.unlock();
        std::optional<bool> answer;
        try {
          answer = probe();
        } catch (...) {
        }
        lock.lock();
        if (answer) shared->last = answer;
        shared->wake.wait_for(lock, interval, [&] { return shared->stop; });
      }
    }).detach();
  } catch (...) {
    // No worker: the answer stays unknown, which callers treat as their default.
  }
}

PolledAnswer::~PolledAnswer() {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->stop = true;
  shared_->wake.notify_all();
}

std::optional<bool> PolledAnswer::Last() const {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  return shared_->last;
}

}  // namespace vek
