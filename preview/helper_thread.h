#pragma once
#include <exception>
#include <functional>
#include <thread>

namespace tessaly {

// Whether the reduction may hand independent parts of its work to a second
// thread. The result is the same either way; Serial is for machines that run one
// thread at a time, and lets tests compare the two.
enum class Concurrency { Serial, TwoThreads };

// TwoThreads where the machine runs more than one thread at a time.
Concurrency MachineConcurrency();

// Runs one task on a thread of its own while the caller goes on. Join waits for it
// and passes on what it threw. The destructor waits too, so that the task never
// outlives the data it works on, also when the caller leaves by an exception (the
// task's own failure is then dropped: the caller's is already on its way).
class HelperThread {
 public:
  // Where no thread can be started, the task runs here and now instead.
  explicit HelperThread(std::function<void()> task);
  ~HelperThread();
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;

  void Join();

 private:
  std::exception_ptr failure_;
  std::thread thread_;
};

// Runs `first` here and `second` beside it on a helper thread, or both here, one
// after the other; returns when both are done. The two must not touch the same
// data.
template <class First, class Second>
void RunBoth(Concurrency concurrency, First&& first, Second&& second) {
  if (concurrency == Concurrency::Serial) {
    first();
    second();
    return;
  }
  HelperThread helper(std::forward<Second>(second));
  first();
  helper.Join();
}

}  // namespace tessaly
