// An output device that never sends faster than the MIDI wire allows: a
// message is handed to the driver at once, counts as "on the wire" for its
// wire time, and the next one waits until then. When a message's wire time
// is over, onDone runs on the pacer's own thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "MidiSystem.h"

class PacedOutput {
 public:
  PacedOutput(std::unique_ptr<MidiOutputDevice> device, std::chrono::microseconds perByte,
              std::function<void()> onDone);
  // Closes the device; a message still on the wire reports no onDone.
  ~PacedOutput();
  PacedOutput(const PacedOutput&) = delete;
  PacedOutput& operator=(const PacedOutput&) = delete;

  // Waits while the previous message is on the wire, then sends. A paced
  // message reports onDone; an unpaced one (short messages) does not.
  bool Send(std::span<const uint8_t> message, bool paced = true);
  // True from a paced Send until its onDone.
  bool Busy() const;

 private:
  void ReportDone();

  std::unique_ptr<MidiOutputDevice> device_;
  std::chrono::microseconds perByte_;
  std::function<void()> onDone_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool busy_ = false;
  bool closing_ = false;
  std::chrono::steady_clock::time_point wireFree_{};
  std::thread reporter_;
};
