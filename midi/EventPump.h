// "Let pending user-interface events run", injected into the transfer engine.
// The GUI processes its window events and sleeps in its event loop until the
// next event or a wake-up; the CLI and tests have no window events and sleep
// on a condition variable. Either way, waiting for the device costs no CPU:
// the MIDI callbacks call Wake().
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

class IEventPump {
 public:
  using Clock = std::chrono::steady_clock;
  virtual ~IEventPump() = default;
  // Runs the events that are waiting and returns at once.
  virtual void ProcessPending() = 0;
  // Runs the events that are waiting, then sleeps until an event comes, a
  // Wake() or the deadline, whichever is first. A Wake() that came since the
  // last return ends the wait at once, so no wake-up is ever missed.
  virtual void WaitForWork(Clock::time_point deadline) = 0;
  // Thread-safe; any thread may call it.
  virtual void Wake() = 0;
};

// The pump of a program without window events.
class ConditionPump : public IEventPump {
 public:
  void ProcessPending() override {}
  void WaitForWork(Clock::time_point deadline) override;
  void Wake() override;

 private:
  std::mutex mutex_;
  std::condition_variable woken_;
  bool wakePending_ = false;
};
