// The event pump of the transfer tests: a condition-variable pump that plays
// queued user-interface actions (a Cancel click, the device sending
// something) one per wait, as a window's event loop would while the engine
// waits for the device. A wait with nothing left to play and no wake-up for
// a few seconds runs onStuck, so a broken engine fails a test instead of
// hanging it.
#pragma once

#include <chrono>
#include <deque>
#include <algorithm>
#include <functional>

#include "EventPump.h"

class ScriptedPump final : public IEventPump {
 public:
  void Then(std::function<void()> action) { actions_.push_back(std::move(action)); }
  int Waits() const { return waits_; }
  std::function<void()> onStuck;

  void ProcessPending() override {}
  void WaitForWork(Clock::time_point deadline) override {
    ++waits_;
    if (!actions_.empty()) {
      auto action = std::move(actions_.front());
      actions_.pop_front();
      action();
      return;
    }
    const auto stuckAt = Clock::now() + std::chrono::seconds(5);
    idle_.WaitForWork(std::min(deadline, stuckAt));
    if (Clock::now() >= stuckAt && onStuck) onStuck();
  }
  void Wake() override { idle_.Wake(); }

 private:
  std::deque<std::function<void()>> actions_;
  ConditionPump idle_;
  int waits_ = 0;
};
