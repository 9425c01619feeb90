// Fixtures shared by the MIDI tests: a that records what the setup window would show, and the messages
// a device sends or is sent.
#pragma once

#include <string>
#include <vector>

#include "PresetBuilder.h"
#include "TestLog.h"
#include "TransferListener.h"
#include "utilities.h"

using Bytes = std::vector<uint8_t>;

// A valid preset stored under number, named "P<number>", distinct for every number.
inline Bytes Preset(int number) {
  return PresetBuilder().Name("P" + std::to_string(number)).Number(number).Scramble(number).Bytes();
}
inline Bytes WithByte(Bytes b, std::size_t at, uint8_t value) {
  b[at] = value;
  return b;
}
inline Bytes Cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}
// Preset(first) to Preset(last), one after another.
inline Bytes Presets(int first, int last) {
  Bytes all;
  for (int n = first; n <= last; ++n) all = Joined({all, Preset(n)});
  return all;
}
// The ten-byte request for preset number.
inline Bytes Request(int number) {
  Bytes r{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0, 0, 0xF7};
  WriteValue14(number, 7, r);
  return r;
}

struct RecordingListener : TransferListener {
  std::vector<std::string> statuses;
  std::vector<std::string> captions;
  std::vector<int> progress;
  std::vector<std::string> refused;
  int ended = 0;
  bool controlsEnabled = false;

  void StatusChanged(const std::string& text) override { statuses.push_back(text); }
  void CancelCaptionChanged(const std::string& caption) override { captions.push_back(caption); }
  void ControlsEnabledChanged(bool enabled) override { controlsEnabled = enabled; }
  void DumpProgress(int presets) override { progress.push_back(presets); }
  void RunEnded() override { ++ended; }
  void Refused(const Refusal& refusal) override { refused.push_back(refusal.text); }
};
