// Work that may wait on a slow disk, a drive without its medium or a network place that
// does not answer, done on worker threads so that the thread of the windows keeps
// running: calls waited for with a time limit, and answers polled in the background.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "platform/log.h"

namespace vek {

// Prepares a worker thread (the Windows side starts OLE there); what it returns is kept
// for as long as the thread runs.
using ThreadSetup = std::function<std::shared_ptr<void>()>;

// Runs each call on a worker thread and waits for it at most `limit`, running
// `whileWaiting` (the window messages) every few milliseconds meanwhile. A call that
// outlasts the limit finishes on its own and its answer is dropped, so it may only use
// what it holds by value and objects that live as long as the program. Workers are kept
// for further calls while they are idle, so that many short calls in a row (a folder
// scan) prepare one thread, not one each; a worker still stuck in a call is never given
// another, and a new one starts instead.
class BoundedCalls {
 public:
  BoundedCalls(std::chrono::milliseconds limit, std::function<void()> whileWaiting, ThreadSetup setup = {});
  // Idle workers end; one still in a call ends when the call returns.
  ~BoundedCalls();
  BoundedCalls(const BoundedCalls&) = delete;
  BoundedCalls& operator=(const BoundedCalls&) = delete;

  // The call's answer; empty when the limit passed first, the call threw or no thread
  // could be started. With a `place` (a network share, a drive), a call is not even made
  // while an earlier one about the same place is still stuck past its limit: whatever
  // holds that one up would most likely hold this one up too, and cost another wait.
  template <typename T>
  std::optional<T> Run(std::function<T()> call, const std::string& place = {}) {
    if (!place.empty() && Stuck(place)) return std::nullopt;
    auto slot = std::make_shared<Slot<T>>();
    slot->place = place;
    const bool handed = Hand(
        [slot, call = std::move(call)] {
          std::optional<T> value;
          try {
            value = call();
          } catch (...) {
            LogCaughtFailure("a call on a worker thread");
          }
          std::lock_guard<std::mutex> lock(slot->mutex);
          slot->value = std::move(value);
        },
        [slot, stuck = stuck_] {
          std::lock_guard<std::mutex> lock(slot->mutex);
          slot->done = true;
          if (slot->abandoned) --Overdue();
          if (slot->overdue) stuck->Leave(slot->place);
          slot->ready.notify_all();
        });
    if (!handed) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + limit_;
    std::unique_lock<std::mutex> lock(slot->mutex);
    while (!slot->done) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= deadline) break;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
      slot->ready.wait_for(lock, left < kPumpInterval ? left : kPumpInterval);
      if (!slot->done && whileWaiting_) {
        lock.unlock();
        whileWaiting_();
        lock.lock();
      }
    }
    if (!slot->done) {
      slot->abandoned = true;
      ++Overdue();
      slot->overdue = !slot->place.empty();
      if (slot->overdue) stuck_->Enter(slot->place);
      return std::nullopt;
    }
    return std::move(slot->value);
  }

  std::chrono::milliseconds limit() const { return limit_; }
  // How many calls, of all the program's bounded calls, still run past their limit: the
  // program's end must not free what such a call may still use.
  static int CallsStillOverdue() { return Overdue().load(); }

 private:
  static constexpr std::chrono::milliseconds kPumpInterval{15};
  template <typename T>
  struct Slot {
    std::mutex mutex;
    std::condition_variable ready;
    bool done = false;
    bool abandoned = false;  // the caller stopped waiting: counted among the overdue calls
    bool overdue = false;    // counted among its place's stuck calls
    std::string place;
    std::optional<T> value;
  };
  // How many calls past their limit are still running, by place; shared with the calls,
  // which may end after this object.
  struct StuckPlaces {
    std::mutex mutex;
    std::map<std::string, int> count;
    void Enter(const std::string& place);
    void Leave(const std::string& place);
  };
  bool Stuck(const std::string& place) const;
  static std::atomic<int>& Overdue() {
    static std::atomic<int> count{0};
    return count;
  }
  struct Workers;
  // Gives `work` (which catches everything itself) to an idle worker or to a new one;
  // false when no thread could be started. The worker counts itself idle again before it
  // runs `finish`, which tells the caller, so that the caller's next call finds it.
  bool Hand(std::function<void()> work, std::function<void()> finish);

  std::chrono::milliseconds limit_;
  std::function<void()> whileWaiting_;
  ThreadSetup setup_;
  std::shared_ptr<Workers> workers_;
  std::shared_ptr<StuckPlaces> stuck_ = std::make_shared<StuckPlaces>();
};

// Asks `probe` on a worker thread, again and again `interval` apart, and keeps its last
// answer for callers that must not wait. A probe that fails keeps the previous answer.
class PolledAnswer {
 public:
  PolledAnswer(std::function<std::optional<bool>()> probe, std::chrono::milliseconds interval,
               ThreadSetup setup = {});
  // Stops asking; a probe still running finishes on its own.
  ~PolledAnswer();
  PolledAnswer(const PolledAnswer&) = delete;
  PolledAnswer& operator=(const PolledAnswer&) = delete;

  // Empty until the first probe has answered.
  std::optional<bool> Last() const;
  // `tell` runs on the polling thread whenever an answer differs from the one before
  // (the first answer counts): it may post, not touch the caller's objects.
  void WhenChanged(std::function<void()> tell);
  // Asks the probe again at once rather than after the interval.
  void AskNow();

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool stop = false;
    bool askNow = false;
    std::optional<bool> last;
    std::function<void()> tell;
  };
  std::shared_ptr<Shared> shared_;
};

}  // namespace vek
