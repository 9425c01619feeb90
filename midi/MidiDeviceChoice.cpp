#include "MidiDeviceChoice.h"

#include <charconv>
#include <optional>

#include "CLog.h"
#include "ISettings.h"
#include "LindelError.h"
#include "MidiSystem.h"

namespace {

constexpr const char* kSection = "MIDI";
constexpr const char* kInputKey = "MIDI_IN";
constexpr const char* kOutputKey = "MIDI_OUT";
// The number the list control raises for a position it does not have.
constexpr int kInvalidPropertyValue = 380;

std::optional<int> StoredPosition(const std::string& text, std::size_t count) {
  int position = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), position);
  if (ec != std::errc() || end != text.data() + text.size() || position < 0 ||
      static_cast<std::size_t>(position) >= count) {
    return std::nullopt;
  }
  return position;
}

int Checked(int position, std::size_t count) {
  return position >= 0 && static_cast<std::size_t>(position) < count ? position : -1;
}

}  // namespace

void MidiDeviceChoice::Load(MidiSystem& system, const ISettings& settings) {
  outputs_ = system.OutputNames();
  inputs_ = system.InputNames();
  input_ = output_ = -1;
  const auto in = StoredPosition(settings.Get(kSection, kInputKey, "0"), inputs_.size());
  if (!in) {
    LogError(LindelError(kInvalidPropertyValue, "dlgMidiSetup.Form_Load", "Invalid property value"));
    return;
  }
  input_ = *in;
  const auto out = StoredPosition(settings.Get(kSection, kOutputKey, "0"), outputs_.size());
  if (!out) {
    LogError(LindelError(kInvalidPropertyValue, "dlgMidiSetup.Form_Load", "Invalid property value"));
    return;
  }
  output_ = *out;
}

void MidiDeviceChoice::Store(ISettings& settings) const {
  settings.Set(kSection, kInputKey, std::to_string(input_));
  settings.Set(kSection, kOutputKey, std::to_string(output_));
}

void MidiDeviceChoice::SelectInput(int position) { input_ = Checked(position, inputs_.size()); }

void MidiDeviceChoice::SelectOutput(int position) { output_ = Checked(position, outputs_.size()); }
