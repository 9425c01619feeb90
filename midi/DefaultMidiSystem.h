// The devices the editor offers: the operating system's MIDI devices, then
// the built-in simulated G-Major, always last (on a machine without MIDI
// devices it is position 0 and so selected by default).
#pragma once

#include <memory>

#include "MidiSystem.h"
#include "RtMidiSystem.h"
#include "SimulatorMidiSystem.h"

class DefaultMidiSystem final : public MidiSystem {
 public:
  explicit DefaultMidiSystem(std::optional<MidiStack> api = MidiStackFromEnvironment());

  RtMidiSystem& Hardware() { return hardware_; }
  SimulatorMidiSystem& Simulator() { return simulator_; }

  std::vector<std::string> InputNames() override;
  std::vector<std::string> OutputNames() override;
  std::unique_ptr<MidiInputDevice> OpenInput(int index, MidiInputHandler handler) override;
  std::unique_ptr<MidiOutputDevice> OpenOutput(int index) override;

 private:
  RtMidiSystem hardware_;
  SimulatorMidiSystem simulator_;
  std::size_t hardwareInputs_;
  std::size_t hardwareOutputs_;
};
