// lindel-cli ports: the MIDI devices a transfer can use, by list position.
#include <iostream>
#include <nlohmann/json.hpp>

#include "Commands.h"
#include "DefaultMidiSystem.h"

namespace {

nlohmann::json Entries(const std::vector<std::string>& names) {
  nlohmann::json list = nlohmann::json::array();
  for (std::size_t i = 0; i < names.size(); ++i) list.push_back({{"position", i}, {"name", names[i]}});
  return list;
}

void PrintList(const char* title, const std::vector<std::string>& names) {
  std::cout << title << ":\n";
  for (std::size_t i = 0; i < names.size(); ++i) std::cout << "  " << i << "  " << names[i] << "\n";
}

int Ports(bool json) {
  DefaultMidiSystem system;
  const auto stack = system.Hardware().Api();
  const auto inputs = system.InputNames();
  const auto outputs = system.OutputNames();
  if (json) {
    const nlohmann::json report = {{"stack", stack ? nlohmann::json(MidiStackName(*stack)) : nlohmann::json(nullptr)},
                                   {"problem", system.Hardware().Problem()},
                                   {"inputs", Entries(inputs)},
                                   {"outputs", Entries(outputs)}};
    std::cout << report.dump(2) << "\n";
    return ExitCode::Ok;
  }
  std::cout << "MIDI stack: " << (stack ? MidiStackName(*stack) : "none") << "\n";
  if (!system.Hardware().Problem().empty()) std::cout << "  (" << system.Hardware().Problem() << ")\n";
  PrintList("inputs", inputs);
  PrintList("outputs", outputs);
  return ExitCode::Ok;
}

}  // namespace

Runner DefinePorts(CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  app.add_flag("--json", *json, "print the lists as JSON");
  return [json] { return Ports(*json); };
}
