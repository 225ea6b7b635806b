// Runs work on a thread with a small stack, where any recursion that follows
// the depth of a deep tree overflows.
#pragma once
#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>

namespace tessaly::testing {

// A stack of 1 MiB, an eighth of the usual.
inline void OnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, std::size_t{1} << 20);
  pthread_t thread;
  auto run = [](void* w) -> void* {
    (*static_cast<const std::function<void()>*>(w))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

}  // namespace tessaly::testing
