// The G-Major as the editor sees it over MIDI: an edit buffer, factory
// presets 1-100 and user presets 1-100. It answers a 10-byte preset request
// with the 615-byte image of that number, stores a received preset under the
// number in its bytes 7-8 (the edit buffer answers with its new contents,
// as a confirmation), sends the user bank as a bulk dump on demand, and
// ignores and counts malformed input. Pure logic: messages in, messages
// out, one line of text per event; no threads, no MIDI.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "PresetLayout.h"

using MidiMessage = std::vector<uint8_t>;

// How requests are answered: normally, or with a deliberately bad reply so
// that the editor's handling of bad input can be tried. WrongNumber sends
// the valid preset of the next number (of the one before for U100).
enum class AnswerMode { Normal, Garbage, Short, WrongModel, WrongNumber };

// A fault the device can be given so that tests can force retries and failed
// verifications. Drop: every n-th answer to a preset request is not sent.
// Corrupt: every n-th answer leaves with one data byte changed (its checksum
// no longer matches, as after a transmission error), and every n-th preset
// received is stored with one data byte changed and a matching checksum, so
// only reading it back shows the damage. Counting starts when the fault is
// set.
struct SimFault {
  enum class Kind { None, Drop, Corrupt };
  Kind kind = Kind::None;
  int every = 0;
};

// "none", "drop-every=N" or "corrupt-every=N" with N from 1 to 1000.
std::optional<SimFault> ParseSimFault(const std::string& text);

struct SimResponse {
  std::string event;                 // what happened, for the device's log
  std::vector<MidiMessage> replies;  // what the device sends back
};

class SimulatedGMajor {
 public:
  static constexpr int kPresetsPerBank = 100;

  SimulatedGMajor();
  // Back to the factory state: bank, edit buffer, counters, answer mode and
  // no fault.
  void Reset();

  SimResponse Receive(std::span<const uint8_t> message);
  // The 100 user presets as the device sends them, one message each.
  std::vector<MidiMessage> BulkDump() const;
  // The 100 user presets one after another: a dump file's bytes.
  std::vector<uint8_t> UserBank() const;
  // Replaces user presets 1..n with the n presets of a dump file (n from 1
  // to 100); false, with the reason, when any slot is not a valid preset.
  bool LoadUserBank(std::span<const uint8_t> dump, std::string& why);

  // 0 edit buffer, 1-100 factory, 101-200 user.
  const PresetImage& Preset(int number) const;
  int MalformedCount() const { return malformed_; }
  // The program and control changes received since the last Reset, in
  // order; of a long run, at least the latest kKeptChannelMessages.
  static constexpr std::size_t kKeptChannelMessages = 1000;
  const std::vector<MidiMessage>& ChannelMessages() const { return channelMessages_; }
  void SetAnswerMode(AnswerMode mode) { answerMode_ = mode; }
  void SetFault(SimFault fault);

 private:
  SimResponse Ignore(const std::string& reason);
  SimResponse AnswerRequest(std::span<const uint8_t> message);
  SimResponse StorePreset(std::span<const uint8_t> message);
  int AnsweredNumber(int requested) const;
  MidiMessage Answer(const PresetImage& image) const;
  // Counts one event of the fault's kind; true when this one is hit.
  bool FaultHits(SimFault::Kind kind, int& counter);

  PresetImage editBuffer_{};
  std::array<PresetImage, kPresetsPerBank> factory_{};
  std::array<PresetImage, kPresetsPerBank> user_{};
  int malformed_ = 0;
  std::vector<MidiMessage> channelMessages_;
  AnswerMode answerMode_ = AnswerMode::Normal;
  SimFault fault_;
  int answersSinceFault_ = 0;
  int storesSinceFault_ = 0;
};

// "E", "F7", "U12": the name the device's display gives a preset number.
std::string PresetLabel(int number);
