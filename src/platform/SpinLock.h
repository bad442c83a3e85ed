#pragma once
// A lock for a few instructions' worth of shared state between a worker and the main thread.
// The XP-level MinGW runtime the product is built with has no std::mutex, so this is built on
// the one lock-free type every runtime has.
#include <atomic>

namespace platform {

class SpinLock {
 public:
  void lock() {
    while (FFlag.test_and_set(std::memory_order_acquire)) {
    }
  }
  void unlock() { FFlag.clear(std::memory_order_release); }

 private:
  std::atomic_flag FFlag = ATOMIC_FLAG_INIT;
};

// Holds a SpinLock for one scope (std::lock_guard lives beside std::mutex, which is missing).
class SpinGuard {
 public:
  explicit SpinGuard(SpinLock& lock) : FLock(lock) { FLock.lock(); }
  ~SpinGuard() { FLock.unlock(); }
  SpinGuard(const SpinGuard&) = delete;
  SpinGuard& operator=(const SpinGuard&) = delete;

 private:
  SpinLock& FLock;
};

}  // namespace platform
