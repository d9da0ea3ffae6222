#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>

#include "launch/slow_calls.h"
#include "support/silent_server_fs.h"

namespace vek {
namespace {

using namespace std::chrono_literals;

using test::Gate;

// Runs `f` on another thread; true when it came back within a few seconds.
template <typename F>
bool ReturnsPromptly(F f) {
  return std::async(std::launch::async, f).wait_for(5s) == std::future_status::ready;
}

// Calls in a row share one prepared worker; a worker stuck in a call gets no other, and
// every worker ends once the calls are gone.
TEST(BoundedCallsTest, IdleWorkersAreReusedAndAStuckOneIsPassedBy) {
  auto prepared = std::make_shared<std::atomic<int>>(0);
  auto ended = std::make_shared<std::atomic<int>>(0);
  ThreadSetup setup = [prepared, ended] {
    ++*prepared;
    return std::shared_ptr<void>(nullptr, [ended](void*) { ++*ended; });
  };
  auto calls = std::make_unique<BoundedCalls>(200ms, nullptr, setup);
  const int overdue = BoundedCalls::CallsStillOverdue();  // of other tests' calls
  for (int i = 0; i < 20; ++i) EXPECT_EQ(calls->Run<int>([i] { return i * 2; }), std::optional<int>(i * 2));
  EXPECT_EQ(*prepared, 1);

  auto gate = std::make_shared<Gate>();
  EXPECT_EQ(calls->Run<int>([gate] {
              gate->Wait();
              return 1;
            }),
            std::nullopt);
  EXPECT_EQ(BoundedCalls::CallsStillOverdue(), overdue + 1);
  EXPECT_EQ(calls->Run<int>([] { return 7; }), std::optional<int>(7)) << "waited behind the stuck call";
  EXPECT_EQ(*prepared, 2);
  EXPECT_EQ(calls->Run<int>([]() -> int { throw 1; }), std::nullopt);

  calls.reset();
  gate->Open();
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (*ended < 2 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(*ended, 2);
  EXPECT_EQ(BoundedCalls::CallsStillOverdue(), overdue);
}

// While a call about a place is stuck past its limit, the next about that place is not
// even made; other places are, and the place is asked again once the stuck call ends.
TEST(BoundedCallsTest, APlaceWithAStuckCallIsPassedOverUntilItEnds) {
  BoundedCalls calls(100ms, nullptr);
  auto gate = std::make_shared<Gate>();
  auto made = std::make_shared<std::atomic<int>>(0);
  auto ask = [made] { return ++*made; };
  EXPECT_EQ(calls.Run<int>([gate] { gate->Wait(); return 0; }, "\\\\S\\A\\"), std::nullopt);
  EXPECT_EQ(calls.Run<int>(ask, "\\\\S\\A\\"), std::nullopt);
  EXPECT_EQ(calls.Run<int>(ask, "C:\\"), std::optional<int>(1));
  gate->Open();
  for (int i = 0; i < 500 && !calls.Run<int>(ask, "\\\\S\\A\\"); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(*made, 2);
}

TEST(PolledAnswerTest, AStalledProbeHoldsUpNeitherTheReaderNorTheOwner) {
  auto gate = std::make_shared<Gate>();
  auto polled = std::make_unique<PolledAnswer>(
      [gate] {
        gate->Wait();
        return std::optional<bool>(true);
      },
      1ms);
  std::optional<bool> seen = false;
  EXPECT_TRUE(ReturnsPromptly([&] { seen = polled->Last(); }));
  EXPECT_FALSE(seen) << "no answer is known while the probe is stuck";

  gate->Open();
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (!polled->Last() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(polled->Last(), std::optional<bool>(true));

  // Stopping never waits for a probe that is stuck again.
  auto stuck = std::make_shared<Gate>();
  auto stalled = std::make_unique<PolledAnswer>(
      [stuck] {
        stuck->Wait();
        return std::optional<bool>(false);
      },
      1ms);
  EXPECT_TRUE(ReturnsPromptly([&] { stalled.reset(); }));
  stuck->Open();
}

TEST(PolledAnswerTest, AFailedProbeKeepsTheLastAnswer) {
  auto calls = std::make_shared<std::atomic<int>>(0);
  PolledAnswer polled([calls]() -> std::optional<bool> { return ++*calls == 1 ? std::optional<bool>(true) : std::nullopt; },
                      1ms);
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (*calls < 5 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(polled.Last(), std::optional<bool>(true));
}

TEST(PolledAnswerTest, TellsOfEachChangedAnswerAndAsksAgainWhenBidden) {
  auto gate = std::make_shared<Gate>();
  auto probes = std::make_shared<std::atomic<int>>(0);
  // Answers true, true, false, false, true; only AskNow brings the next within the hour.
  PolledAnswer polled(
      [gate, probes] {
        const int n = (*probes)++;
        if (n == 0) gate->Wait();
        return std::optional<bool>(n < 2 || n == 4);
      },
      1h);
  auto told = std::make_shared<std::atomic<int>>(0);
  polled.WhenChanged([told] { ++*told; });
  gate->Open();
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  for (int asked = 1; asked <= 4; ++asked) {
    polled.AskNow();
    while (*probes <= asked && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  }
  while (*told < 3 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(*told, 3) << "the first answer, then each change";
  EXPECT_EQ(polled.Last(), std::optional<bool>(true));
}

}  // namespace
}  // namespace vek
