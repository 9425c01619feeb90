// Live audition: while it is on, the preset on screen follows every edit to
// the device's edit buffer. Edits are paced, not queued: the first edit after
// a quiet spell is sent on the next turn of the event loop, and everything
// edited during the following interval goes out as one trailing send of the
// latest state. The interval is kMinInterval, or one preset's MIDI wire time
// when that is longer, so the device is never sent more than the wire
// carries. A state equal to the last one sent is not sent again.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

#include "PresetLayout.h"

class AuditionPort;

class LiveAudition final : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kMinInterval{150};
  // How soon to try again while the device is taken by a transfer.
  static constexpr std::chrono::milliseconds kRetry{50};

  // state: what to send (number 0), none while no preset is shown. free:
  // false while a transfer holds the device. wireTime: one preset's.
  LiveAudition(AuditionPort& port, std::function<std::optional<PresetImage>()> state,
               std::function<bool()> free, std::function<std::chrono::milliseconds()> wireTime,
               QObject* parent = nullptr);

  // Switching on sends what is on screen.
  void SetOn(bool on);
  bool IsOn() const { return on_; }
  // The preset on screen changed.
  void Edited();

 private:
  std::chrono::milliseconds Interval() const;
  std::chrono::milliseconds UntilNextSend() const;
  void Tick();

  AuditionPort& port_;
  std::function<std::optional<PresetImage>()> state_;
  std::function<bool()> free_;
  std::function<std::chrono::milliseconds()> wireTime_;
  QTimer timer_;
  QElapsedTimer sinceSend_;
  std::optional<PresetImage> lastSent_;
  bool on_ = false;
  bool pending_ = false;
};
