#include "launch/slow_calls.h"

#include <deque>

namespace vek {

namespace {
// An idle worker ends after this long without a call.
constexpr std::chrono::seconds kIdleWorkerLife{30};
}  // namespace

struct BoundedCalls::Workers {
  std::mutex mutex;
  std::condition_variable wake;
  struct Task {
    std::function<void()> work, finish;
  };
  std::deque<Task> tasks;
  int idle = 0;
  bool stop = false;

  // A worker's life: its first task, then whatever it is handed while it waits idle.
  static void Work(std::shared_ptr<Workers> w, ThreadSetup setup, Task task) {
    std::shared_ptr<void> scope;
    try {
      if (setup) scope = setup();
    } catch (...) {
      LogCaughtFailure("preparing a worker thread");
    }
    for (;;) {
      task.work();
      {
        std::lock_guard<std::mutex> lock(w->mutex);
        ++w->idle;
      }
      task.finish();
      task = Task{};  // what the call held goes now, not when the next one comes
      std::unique_lock<std::mutex> lock(w->mutex);
      const bool handed =
          w->wake.wait_for(lock, kIdleWorkerLife, [&] { return w->stop || !w->tasks.empty(); });
      --w->idle;
      if (w->stop || !handed) return;
      task = std::move(w->tasks.front());
      w->tasks.pop_front();
    }
  }
};

BoundedCalls::BoundedCalls(std::chrono::milliseconds limit, std::function<void()> whileWaiting, ThreadSetup setup)
    : limit_(limit), whileWaiting_(std::move(whileWaiting)), setup_(std::move(setup)),
      workers_(std::make_shared<Workers>()) {}

BoundedCalls::~BoundedCalls() {
  std::lock_guard<std::mutex> lock(workers_->mutex);
  workers_->stop = true;
  workers_->wake.notify_all();
}

bool BoundedCalls::Hand(std::function<void()> work, std::function<void()> finish) {
  Workers::Task task{std::move(work), std::move(finish)};
  {
    std::lock_guard<std::mutex> lock(workers_->mutex);
    if (workers_->idle > static_cast<int>(workers_->tasks.size())) {
      workers_->tasks.push_back(std::move(task));
      workers_->wake.notify_one();
      return true;
    }
  }
  try {
    std::thread(&Workers::Work, workers_, setup_, std::move(task)).detach();
  } catch (...) {
    LogCaughtFailure("starting a worker thread");
    return false;
  }
  return true;
}

void BoundedCalls::StuckPlaces::Enter(const std::string& place) {
  std::lock_guard<std::mutex> lock(mutex);
  ++count[place];
}

void BoundedCalls::StuckPlaces::Leave(const std::string& place) {
  std::lock_guard<std::mutex> lock(mutex);
  if (--count[place] <= 0) count.erase(place);
}

bool BoundedCalls::Stuck(const std::string& place) const {
  std::lock_guard<std::mutex> lock(stuck_->mutex);
  return stuck_->count.count(place) > 0;
}

PolledAnswer::PolledAnswer(std::function<std::optional<bool>()> probe, std::chrono::milliseconds interval,
                           ThreadSetup setup)
    : shared_(std::make_shared<Shared>()) {
  try {
    std::thread([shared = shared_, probe = std::move(probe), interval, setup = std::move(setup)] {
      std::shared_ptr<void> scope;
      try {
        if (setup) scope = setup();
      } catch (...) {
        LogCaughtFailure("preparing a polling thread");
      }
      std::unique_lock<std::mutex> lock(shared->mutex);
      while (!shared->stop) {
        lock.unlock();
        std::optional<bool> answer;
        try {
          answer = probe();
        } catch (...) {
          LogCaughtFailure("a polled question");
        }
        lock.lock();
        if (answer && answer != shared->last) {
          shared->last = answer;
          if (std::function<void()> tell = shared->tell) {
            lock.unlock();
            try {
              tell();
            } catch (...) {
              LogCaughtFailure("telling of a changed answer");
            }
            lock.lock();
          }
        }
        shared->wake.wait_for(lock, interval, [&] { return shared->stop || shared->askNow; });
        shared->askNow = false;
      }
    }).detach();
  } catch (...) {
    // No worker: the answer stays unknown, which callers treat as their default.
    LogCaughtFailure("starting a polling thread");
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

void PolledAnswer::WhenChanged(std::function<void()> tell) {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->tell = std::move(tell);
}

void PolledAnswer::AskNow() {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->askNow = true;
  shared_->wake.notify_all();
}

}  // namespace vek
