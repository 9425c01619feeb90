// lindel-gmajor-sim: a simulated G-Major on virtual MIDI ports, so the editor
// and its tests can work through a real MIDI stack without the device.
// Commands on stdin: dump, save FILE, reset, answer MODE, fault SPEC, controls N, quit.
#include <csignal>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <CLI/CLI.hpp>

#include "MidiTimings.h"
#include "PacedOutput.h"
#include "RtMidiSystem.h"
#include "SimConsole.h"

namespace {

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

constexpr int kExitUsage = 2;

// The options, or the exit status when the program ends here (--help,
// --version: 0; a wrong option: 2, after naming it).
std::variant<Options, int> ParseOptions(int argc, char** argv) {
  Options options;
  std::string api;
  std::string fault;
  CLI::App app("A simulated G-Major on virtual MIDI ports: answers preset requests, takes presets and dumps,\n"
               "sends its bank on the command dump. Commands on stdin: dump, save FILE, reset, answer MODE,\n"
               "fault SPEC, quit.",
               "lindel-gmajor-sim");
  app.set_version_flag("--version", std::string("lindel-gmajor-sim ") + LINDEL_VERSION);
  app.footer("example:\n  lindel-gmajor-sim --api jack --name \"G-Major sim\" --bank my-bank.syx");
  app.add_option("--api", api, "the MIDI stack (default: LINDEL_MIDI_API, else ALSA when present, else JACK)")
      ->check(CLI::IsMember({"alsa", "jack"}));
  app.add_option("--name", options.name, "the name of the virtual ports")->capture_default_str()
      ->check([](const std::string& name) { return name.empty() ? "a port name is not empty" : ""; });
  app.add_option("--bank", options.bank, "a dump file with the user presets to start with (default: the built-in bank)");
  app.add_option("--save", options.save, "a dump file the user presets are written to when the program ends");
  app.add_option("--fault", fault, "drop-every=N or corrupt-every=N: every n-th preset sent is lost or damaged")
      ->check([](const std::string& spec) { return ParseSimFault(spec) ? "" : "takes drop-every=N or corrupt-every=N"; });
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::Error& e) {
    std::cerr << "lindel-gmajor-sim: " << e.what() << "\nsee lindel-gmajor-sim --help\n";
    return kExitUsage;
  }
  if (!api.empty()) options.api = ParseMidiStack(api);
  if (!fault.empty()) options.fault = *ParseSimFault(fault);
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
  const auto parsed = ParseOptions(argc, argv);
  if (const int* exitStatus = std::get_if<int>(&parsed)) return *exitStatus;
  const Options* options = &std::get<Options>(parsed);
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
