#include "SimulatorLink.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace sim {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value) throw std::runtime_error(std::string(name) + " is not set: run these tests through their script");
  return value;
}

}  // namespace

std::string Name() { return Environment("LINDEL_SIM_NAME"); }

void Command(const std::string& line) {
  std::ofstream fifo(Environment("LINDEL_SIM_COMMANDS"), std::ios::app);
  fifo << line << "\n" << std::flush;
}

std::vector<std::string> LogLines() {
  std::ifstream in(Environment("LINDEL_SIM_LOG"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string WaitForLine(const std::string& prefix, std::size_t after) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < giveUp) {
    const auto lines = LogLines();
    for (std::size_t i = after; i < lines.size(); ++i) {
      if (lines[i].rfind(prefix, 0) == 0) return lines[i];
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return "";
}

std::string CommandAndWait(const std::string& line, const std::string& confirmation) {
  const std::size_t before = LogLines().size();
  Command(line);
  return WaitForLine(confirmation, before);
}

}  // namespace sim
