// The two device lists of the MIDI setup and the entry chosen in each, kept
// between runs in the settings section "MIDI" as list positions ("MIDI_IN",
// "MIDI_OUT"). A list position is also the device index the port opens.
#pragma once

#include <string>
#include <vector>

class ISettings;
class MidiSystem;

class MidiDeviceChoice {
 public:
  // Fills both lists (outputs first) and selects the stored positions,
  // default 0. A stored position that does not exist is logged and ends the
  // restore: a bad "MIDI_IN" leaves both lists without selection, a bad
  // "MIDI_OUT" the output list.
  void Load(MidiSystem& system, const ISettings& settings);
  // Writes both positions as decimal text.
  void Store(ISettings& settings) const;

  const std::vector<std::string>& Inputs() const { return inputs_; }
  const std::vector<std::string>& Outputs() const { return outputs_; }
  // -1 when nothing is selected.
  int InputPosition() const { return input_; }
  int OutputPosition() const { return output_; }
  // A position outside the list clears the selection.
  void SelectInput(int position);
  void SelectOutput(int position);
  // Both lists have a selection.
  bool IsSetup() const { return input_ >= 0 && output_ >= 0; }

 private:
  std::vector<std::string> inputs_;
  std::vector<std::string> outputs_;
  int input_ = -1;
  int output_ = -1;
};
