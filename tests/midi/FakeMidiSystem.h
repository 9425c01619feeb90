// An in-memory MidiSystem for tests: named devices, every sent message
// recorded, a responder function that plays the device (called on the
// sender's thread), and hand-made input. No MIDI stack, no threads of its own.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "MidiSystem.h"

using Bytes = std::vector<uint8_t>;

class FakeMidiSystem final : public MidiSystem {
 public:
  FakeMidiSystem(std::vector<std::string> inputs = {"Fake In"}, std::vector<std::string> outputs = {"Fake Out"});

  std::vector<std::string> InputNames() override { return inputs_; }
  std::vector<std::string> OutputNames() override { return outputs_; }
  std::unique_ptr<MidiInputDevice> OpenInput(int index, MidiInputHandler handler) override;
  std::unique_ptr<MidiOutputDevice> OpenOutput(int index) override;

  // Plays the device: gets each sent message, may call Deliver.
  std::function<void(const Bytes&)> responder;
  bool refuseInputOpen = false;
  bool refuseOutputOpen = false;
  bool refuseSend = false;
  bool inputCanReceive = true;

  // What the open input receives, as the device would send it.
  void Deliver(const Bytes& message);
  void ReportInputError(const std::string& reason);
  std::vector<Bytes> Sent() const;
  int OpenDevices() const { return openDevices_; }
  std::optional<int> OpenedInput() const { return openedInput_; }

 private:
  class Input;
  class Output;
  std::vector<std::string> inputs_;
  std::vector<std::string> outputs_;
  mutable std::mutex mutex_;
  std::vector<Bytes> sent_;
  std::optional<MidiInputHandler> handler_;
  std::optional<int> openedInput_;
  int openDevices_ = 0;
};
