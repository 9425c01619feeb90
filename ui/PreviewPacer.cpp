#include "PreviewPacer.h"

bool PreviewPacer::Offer(Clock::time_point now) {
  waiting_ = true;
  return Due(now);
}

std::optional<PreviewPacer::Clock::time_point> PreviewPacer::DueAt() const {
  if (!waiting_) return std::nullopt;
  return lastSent_ ? *lastSent_ + interval_ : Clock::time_point{};
}

bool PreviewPacer::Due(Clock::time_point now) {
  if (!waiting_ || (lastSent_ && now - *lastSent_ < interval_)) return false;
  lastSent_ = now;
  waiting_ = false;
  return true;
}
