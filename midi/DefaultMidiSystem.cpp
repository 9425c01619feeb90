#include "DefaultMidiSystem.h"

DefaultMidiSystem::DefaultMidiSystem(std::optional<MidiStack> api)
    : hardware_(api),
      hardwareInputs_(hardware_.InputNames().size()),
      hardwareOutputs_(hardware_.OutputNames().size()) {}

std::vector<std::string> DefaultMidiSystem::InputNames() {
  auto names = hardware_.InputNames();
  for (auto& name : simulator_.InputNames()) names.push_back(std::move(name));
  return names;
}

std::vector<std::string> DefaultMidiSystem::OutputNames() {
  auto names = hardware_.OutputNames();
  for (auto& name : simulator_.OutputNames()) names.push_back(std::move(name));
  return names;
}

std::unique_ptr<MidiInputDevice> DefaultMidiSystem::OpenInput(int index, MidiInputHandler handler) {
  if (index < 0) return nullptr;
  const auto position = static_cast<std::size_t>(index);
  if (position < hardwareInputs_) return hardware_.OpenInput(index, std::move(handler));
  return simulator_.OpenInput(static_cast<int>(position - hardwareInputs_), std::move(handler));
}

std::unique_ptr<MidiOutputDevice> DefaultMidiSystem::OpenOutput(int index) {
  if (index < 0) return nullptr;
  const auto position = static_cast<std::size_t>(index);
  if (position < hardwareOutputs_) return hardware_.OpenOutput(index);
  return simulator_.OpenOutput(static_cast<int>(position - hardwareOutputs_));
}
