// What the benchmarks through a real MIDI stack share: a JACK server on its
// dummy driver and the stand-alone simulator for the whole program run
// (started and stopped with scripts/midi-services.sh), and lindel-cli run
// as a child with its wall time and CPU.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ChildCost {
  double wallSeconds = 0;
  double cpuSeconds = 0;
  int exitCode = -1;
};

// Runs args[0] with the rest as its arguments, its output thrown away.
ChildCost RunChild(const std::vector<std::string>& args);

class JackServices {
 public:
  // Starts both and takes their environment (LINDEL_SIM_NAME and the rest).
  JackServices(const std::string& servicesScript, const std::string& simulator);
  ~JackServices();
  JackServices(const JackServices&) = delete;
  JackServices& operator=(const JackServices&) = delete;

  std::string File(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::string script_;
  std::filesystem::path dir_;
};

// lindel-cli with args, on the simulator as input and output.
std::vector<std::string> CliOnSimulator(const std::string& cli, std::vector<std::string> args);
