// The integration tests' line to the stand-alone simulator that the test
// script started: commands go into its FIFO, its one-line-per-event log is
// read back. Names come from the script's environment.
#pragma once

#include <string>
#include <vector>

namespace sim {

// The name the simulator's ports carry; a device substring for lindel-cli.
std::string Name();
void Command(const std::string& line);
std::vector<std::string> LogLines();
// Waits (up to a minute) for a log line after the first `after` lines that
// starts with prefix; "" when none came.
std::string WaitForLine(const std::string& prefix, std::size_t after);
// Sends a command and waits for the line that confirms it.
std::string CommandAndWait(const std::string& line, const std::string& confirmation);

}  // namespace sim
