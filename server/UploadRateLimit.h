// How many uploads one client address may make in a minute, over a sliding
// window. Safe to share between the server's worker threads.
#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <string>

class UploadRateLimit {
 public:
  using Clock = std::chrono::steady_clock;

  // 0: no limit.
  explicit UploadRateLimit(int perMinute) : perMinute_(perMinute) {}

  // Counts an upload from client at now; false when it is one too many.
  bool Allow(const std::string& client, Clock::time_point now = Clock::now());
  int PerMinute() const { return perMinute_; }

 private:
  int perMinute_;
  std::mutex mutex_;
  std::map<std::string, std::deque<Clock::time_point>> recent_;
};
