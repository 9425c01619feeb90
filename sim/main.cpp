// lindel-gmajor-sim: a simulated G-Major on virtual MIDI ports, so the editor
// and its tests can work through a real MIDI stack without the device.
// Commands on stdin: dump, save FILE, reset, answer MODE, fault SPEC, controls N, quit.
#include <csignal>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "MidiTimings.h"
#include "PacedOutput.h"
#include "RtMidiSystem.h"
#include "SimConsole.h"

namespace {

constexpr const char* kUsage =
    "usage: lindel-gmajor-sim [--api alsa|jack] [--name NAME] [--bank DUMP.syx] [--save DUMP.syx]\n"
    "                         [--fault drop-every=N|corrupt-every=N]\n";

struct Options {
  std::optional<MidiStack> api;
  std::string name = "G-Major sim";
  std::string bank;
  std::string save;
  SimFault fault;
};

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) { stopRequested = 1; }

// Without SA_RESTART the blocked read of stdin returns, so the loop ends.
void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[++i];
    if (arg == "--api") {
      options.api = ParseMidiStack(value);
      if (!options.api) return std::nullopt;
    } else if (arg == "--name" && !value.empty()) {
      options.name = value;
    } else if (arg == "--bank") {
      options.bank = value;
    } else if (arg == "--save") {
      options.save = value;
    } else if (arg == "--fault") {
      const auto fault = ParseSimFault(value);
      if (!fault) return std::nullopt;
      options.fault = *fault;
    } else {
      return std::nullopt;
    }
  }
  return options;
}

bool LoadBank(SimulatedGMajor& device, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "lindel-gmajor-sim: cannot read '" << path << "'\n";
    return false;
  }
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::string why;
  if (device.LoadUserBank(bytes, why)) return true;
  std::cerr << "lindel-gmajor-sim: '" << path << "': " << why << "\n";
  return false;
}

MidiStack ChooseApi(const Options& options) {
  if (options.api) return *options.api;
  if (const auto fromEnvironment = MidiStackFromEnvironment()) return *fromEnvironment;
  std::string why;
  return MidiStackAvailable(MidiStack::Alsa, why) ? MidiStack::Alsa : MidiStack::Jack;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = ParseOptions(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 2;
  }
  SimulatedGMajor device;
  if (!options->bank.empty() && !LoadBank(device, options->bank)) return 2;
  device.SetFault(options->fault);
  const MidiStack api = ChooseApi(*options);
  CatchStopSignals();

  SimConsole console(device, std::cout);
  std::unique_ptr<PacedOutput> output;
  std::unique_ptr<MidiInputDevice> input;
  try {
    output = std::make_unique<PacedOutput>(OpenVirtualOutput(api, options->name + " out", "MIDI out"),
                                           kWireTimePerByte, nullptr);
    console.SetOutput(output.get());
    MidiInputHandler handler{[&console](std::vector<uint8_t> m) { console.PostMessage(std::move(m)); },
                             [](const std::string& reason) { std::cout << "input error: " << reason << std::endl; }};
    input = OpenVirtualInput(api, options->name + " in", "MIDI in", std::move(handler));
  } catch (const std::exception& e) {
    std::cerr << "lindel-gmajor-sim: cannot open " << MidiStackName(api) << " MIDI ports: " << e.what() << "\n";
    return 1;
  }
  std::cout << "ready: " << MidiStackName(api) << " ports \"" << options->name << " in\" and \"" << options->name
            << " out\"" << std::endl;

  std::string line;
  while (!stopRequested && std::getline(std::cin, line) && console.Command(line)) {
  }
  input.reset();
  console.Finish();
  output.reset();
  if (!options->save.empty()) console.SaveBank(options->save);
  std::cout << "bye" << std::endl;
  return 0;
}
