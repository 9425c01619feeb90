// Paces a stream of states, such as a slider being dragged, so that at most
// one goes out per interval: the first after a quiet spell at once, and the
// latest of those offered meanwhile once the interval is over. Pure logic:
// the caller brings the time and a timer for DueAt.
#pragma once

#include <chrono>
#include <optional>

class PreviewPacer {
 public:
  using Clock = std::chrono::steady_clock;

  explicit PreviewPacer(std::chrono::milliseconds interval) : interval_(interval) {}

  // A new state at now: true when it goes out at once; otherwise it waits.
  bool Offer(Clock::time_point now);
  // When the waiting state may go out; nothing while none waits.
  std::optional<Clock::time_point> DueAt() const;
  // The timer for DueAt ran out at now: true when the waiting state goes out.
  bool Due(Clock::time_point now);

 private:
  std::chrono::milliseconds interval_;
  std::optional<Clock::time_point> lastSent_;
  bool waiting_ = false;
};
