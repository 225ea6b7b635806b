#include "preview/helper_thread.h"

#include <system_error>
#include <utility>

namespace tessaly {

Concurrency MachineConcurrency() {
  return std::thread::hardware_concurrency() > 1 ? Concurrency::TwoThreads : Concurrency::Serial;
}

HelperThread::HelperThread(std::function<void()> task) {
  auto run = [this, task]() {
    try {
      task();
    } catch (...) {
      failure_ = std::current_exception();
    }
  };
  try {
    thread_ = std::thread(run);
  } catch (const std::system_error&) {
    run();
  }
}

HelperThread::~HelperThread() {
  if (thread_.joinable()) thread_.join();
}

void HelperThread::Join() {
  if (thread_.joinable()) thread_.join();
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace tessaly
