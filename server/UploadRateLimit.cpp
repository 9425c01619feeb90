#include "UploadRateLimit.h"

bool UploadRateLimit::Allow(const std::string& client, Clock::time_point now) {
  if (perMinute_ <= 0) return true;
  const std::lock_guard lock(mutex_);
  const auto windowStart = now - std::chrono::minutes(1);
  // Forget clients that have been quiet for a minute, so the map stays small.
  std::erase_if(recent_, [&](const auto& entry) { return entry.second.back() <= windowStart; });
  auto& times = recent_[client];
  while (!times.empty() && times.front() <= windowStart) times.pop_front();
  if (static_cast<int>(times.size()) >= perMinute_) return false;
  times.push_back(now);
  return true;
}
