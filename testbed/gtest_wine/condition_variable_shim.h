// GoogleTest's thread-safe build uses std::mutex and std::condition_variable,
// which the win32-thread MinGW libstdc++ (before GCC 13) does not provide.
// GoogleTest needs them only for its own Notification helper, so a critical
// section and a polling wait are enough. Test programs only: never part of a
// shipped binary.
#pragma once
#include <mutex>
#include <condition_variable>

#if defined(__MINGW32__) && !defined(_GLIBCXX_HAS_GTHREADS)
#include <windows.h>
namespace std {
class mutex {
 public:
  mutex() { InitializeCriticalSection(&section_); }
  ~mutex() { DeleteCriticalSection(&section_); }
  mutex(const mutex&) = delete;
  mutex& operator=(const mutex&) = delete;
  void lock() { EnterCriticalSection(&section_); }
  void unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

class condition_variable {
 public:
  void notify_one() {}
  void notify_all() {}
  template <class Predicate>
  void wait(unique_lock<mutex>& lock, Predicate ready) {
    while (!ready()) {
      lock.unlock();
      Sleep(1);
      lock.lock();
    }
  }
};
}  // namespace std
#endif
