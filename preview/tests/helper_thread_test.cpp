#include "preview/helper_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace tessaly {
namespace {

TEST(HelperThread, RunsTheTaskBesideTheCaller) {
  std::thread::id helper;
  {
    HelperThread thread([&helper] { helper = std::this_thread::get_id(); });
    thread.Join();
  }
  EXPECT_NE(helper, std::thread::id());
}

TEST(HelperThread, JoinPassesOnWhatTheTaskThrew) {
  HelperThread thread([] { throw std::runtime_error("from the helper"); });
  try {
    thread.Join();
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "from the helper");
  }
  EXPECT_NO_THROW(thread.Join());  // passed on once
}

TEST(HelperThread, TheDestructorWaitsForTheTask) {
  std::atomic<bool> finished{false};
  {
    HelperThread thread([&finished] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      finished = true;
    });
  }
  EXPECT_TRUE(finished);
}

TEST(HelperThread, ACallerThatFailsStillWaitsForTheHelper) {
  std::atomic<bool> finished{false};
  EXPECT_THROW(RunBoth(
                   Concurrency::TwoThreads, [] { throw std::logic_error("caller"); },
                   [&finished] {
                     std::this_thread::sleep_for(std::chrono::milliseconds(20));
                     finished = true;
                   }),
               std::logic_error);
  EXPECT_TRUE(finished);
}

TEST(RunBoth, RunsBothTasksEitherWay) {
  for (Concurrency concurrency : {Concurrency::Serial, Concurrency::TwoThreads}) {
    int first = 0, second = 0;
    RunBoth(concurrency, [&first] { first = 1; }, [&second] { second = 2; });
    EXPECT_EQ(first + second, 3);
  }
  EXPECT_THROW(RunBoth(Concurrency::TwoThreads, [] {}, [] { throw std::runtime_error("second"); }),
               std::runtime_error);
  EXPECT_THROW(RunBoth(Concurrency::Serial, [] {}, [] { throw std::runtime_error("second"); }), std::runtime_error);
}

}  // namespace
}  // namespace tessaly
