// Reads presets from the G-Major by number, one request at a time, over one
// pair of ports that stays open for the whole run: the engine of a device
// backup and of the read-back that verifies a sent dump.
//
// Each number is asked for with the 10-byte request and its answer awaited
// for a time-out; a number that gets no answer, or a damaged one, is asked
// again up to Retries() more times, then given up and listed as unread.
//
// Answers are matched by the preset number in their bytes 7-8: a late answer
// to an earlier request that timed out carries another number and is passed
// over, so it never fills the wrong slot. A message that is no valid G-Major
// preset (bytes that form no MIDI message, a short message, a bad checksum,
// another model) fails the attempt at once.
//
// The time-out restarts when a request leaves and at every System Exclusive
// message that arrives, and never runs out sooner than twice one preset's
// wire time after that: the ports report whole messages only, so this is
// what keeps it from firing while an answer is still arriving.
//
// Threads: the port callbacks only count events, note the time and wake the
// pump. Everything else runs on the caller's thread, which lets pending
// user-interface events run while it waits, so a Cancel click gets in.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "LindelError.h"
#include "MidiTimings.h"
#include "PresetLayout.h"
#include "Refusal.h"

class CMIDIInPort;
class CMIDIOutPort;
class IEventPump;
class MidiSystem;

struct PresetReadResult {
  std::vector<PresetImage> presets;  // the valid answers, in the order asked
  std::vector<int> unread;           // numbers given up, in the order asked
  // Cancel ended the run; the numbers not yet finished are in neither list.
  bool cancelled = false;
  // The ports failed (could not be opened, the input was lost); every number
  // not read is in unread. The error is also in the error log.
  std::optional<LindelError> error;

  bool Complete() const { return unread.empty() && !cancelled && !error; }
};

class PresetReadListener {
 public:
  virtual ~PresetReadListener() = default;
  // Before each request: the number, its attempt (1, then 2, 3... for the
  // retries) and how many of the total numbers are finished.
  virtual void Requesting(int /*number*/, int /*attempt*/, int /*done*/, int /*total*/) {}
  // A refusal for the user (the port failed a request), when it happens.
  virtual void Refused(const Refusal& /*refusal*/) {}
};

// How a received message answers a request for `requested`.
enum class AnswerKind { Answer, Stale, Damaged };
AnswerKind ClassifyAnswer(std::span<const uint8_t> message, int requested);

class PresetReader {
 public:
  static constexpr int kDefaultRetries = 2;
  static constexpr std::chrono::milliseconds kDefaultTimeout{2000};

  PresetReader(MidiSystem& system, IEventPump& pump, MidiTimings timings = {});
  ~PresetReader();
  PresetReader(const PresetReader&) = delete;
  PresetReader& operator=(const PresetReader&) = delete;

  // Not owned; null for none.
  void SetListener(PresetReadListener* listener) { listener_ = listener; }
  void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
  int Retries() const { return retries_; }

  // Opens the input and output device of these indexes, reads numbers (0
  // edit buffer, 1-100 factory, 101-200 user) in order and closes both.
  PresetReadResult Read(int input, int output, const std::vector<int>& numbers);
  // Ends a running Read after its current wait; any thread may call it.
  void Cancel();

 private:
  void OpenPorts(int input, int output);
  void ReadAll(const std::vector<int>& numbers, PresetReadResult& result, std::size_t& next);
  std::optional<PresetImage> ReadOne(int number, std::size_t done, std::size_t total);
  std::optional<PresetImage> Ask(int number);
  std::optional<AnswerKind> TakeMessage(int number, PresetImage& message);
  std::chrono::steady_clock::time_point Deadline() const;
  void ClosePorts();

  void InProc(int32_t nMsg);
  void OutProc(int32_t nMsg);
  void NoteActivity();

  MidiSystem& system_;
  IEventPump& pump_;
  MidiTimings timings_;
  PresetReadListener* listener_ = nullptr;
  std::chrono::milliseconds timeout_ = kDefaultTimeout;
  int retries_ = kDefaultRetries;
  bool running_ = false;

  std::atomic<bool> cancelled_{false};
  std::atomic<int32_t> arrived_{0};       // System Exclusive messages reported and not yet read
  std::atomic<bool> inputFailed_{false};  // the input reported bytes that form no message
  std::atomic<int64_t> lastActivity_{0};  // steady-clock ticks
  std::unique_ptr<CMIDIInPort> inPort_;
  std::unique_ptr<CMIDIOutPort> outPort_;
};
