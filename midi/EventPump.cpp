#include "EventPump.h"

void ConditionPump::WaitForWork(Clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  woken_.wait_until(lock, deadline, [this] { return wakePending_; });
  wakePending_ = false;
}

void ConditionPump::Wake() {
  {
    std::lock_guard lock(mutex_);
    wakePending_ = true;
  }
  woken_.notify_all();
}
