#include "LiveAudition.h"

#include <algorithm>

#include "AuditionPort.h"

LiveAudition::LiveAudition(AuditionPort& port, std::function<std::optional<PresetImage>()> state,
                           std::function<bool()> free, std::function<std::chrono::milliseconds()> wireTime,
                           QObject* parent)
    : QObject(parent),
      port_(port),
      state_(std::move(state)),
      free_(std::move(free)),
      wireTime_(std::move(wireTime)) {
  timer_.setSingleShot(true);
  // A coarse timer may fire early, which would shorten the interval.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &LiveAudition::Tick);
}

void LiveAudition::SetOn(bool on) {
  on_ = on;
  lastSent_.reset();
  if (on) {
    Edited();
  } else {
    pending_ = false;
    timer_.stop();
  }
}

void LiveAudition::Edited() {
  if (!on_) return;
  pending_ = true;
  if (!timer_.isActive()) timer_.start(UntilNextSend());
}

std::chrono::milliseconds LiveAudition::Interval() const { return std::max(kMinInterval, wireTime_()); }

std::chrono::milliseconds LiveAudition::UntilNextSend() const {
  if (!sinceSend_.isValid()) return std::chrono::milliseconds(0);
  const auto passed = std::chrono::milliseconds(sinceSend_.elapsed());
  return std::max(std::chrono::milliseconds(0), Interval() - passed);
}

void LiveAudition::Tick() {
  if (!pending_) return;
  const std::optional<PresetImage> state = state_();
  if (!state) {
    pending_ = false;
    return;
  }
  if (!free_()) {
    timer_.start(kRetry);
    return;
  }
  pending_ = false;
  if (state == lastSent_) return;
  sinceSend_.restart();
  // A failed send is retried with the next edit, not before.
  if (port_.Send(*state)) lastSent_ = state;
}
