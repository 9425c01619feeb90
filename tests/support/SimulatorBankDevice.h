// The G-Major as a bank transfer sees it, on an in-process simulator: every
// request answered unless its number is unreadable, every sent preset stored
// (the simulator's faults apply), no threads and no waiting.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "BankSync.h"
#include "SimulatedGMajor.h"
#include "utilities.h"

class SimulatorBankDevice final : public BankDevice {
 public:
  SimulatedGMajor sim;
  std::set<int> unreadable;
  std::vector<int> stored;  // numbers, in arrival order
  std::string sendFailure;

  std::string Name() const override { return "Test device"; }

  PresetReadResult Read(const std::vector<int>& numbers) override {
    PresetReadResult read;
    for (int n : numbers) {
      if (unreadable.count(n)) {
        read.unread.push_back(n);
      } else {
        read.presets.push_back(sim.Preset(n));
      }
    }
    return read;
  }

  std::string Send(const std::vector<uint8_t>& dump) override {
    if (!sendFailure.empty()) return sendFailure;
    for (std::size_t at = 0; at + kPresetSize <= dump.size(); at += kPresetSize) {
      const std::span<const uint8_t> message(dump.data() + at, kPresetSize);
      stored.push_back(ReadValue14(message, Offset::Number));
      sim.Receive(message);
    }
    return "";
  }
};
