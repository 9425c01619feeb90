// lindel-cli: batch work on G-Major preset and dump files from the shell.
#include <iostream>

#include "CLog.h"
#include "CliArgs.h"
#include "Commands.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage: lindel-cli COMMAND [ARGS]\n       lindel-cli --help | --version\n\ncommands:\n";
  for (const Command& c : AllCommands()) out << "  lindel-cli " << c.synopsis << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  const Args all(argv + 1, argv + argc);
  if (all.empty() || all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
    PrintUsage(all.empty() ? std::cerr : std::cout);
    return all.empty() ? ExitCode::Usage : ExitCode::Ok;
  }
  if (all[0] == "--version") {
    std::cout << "lindel-cli " << LINDEL_VERSION << "\n";
    return ExitCode::Ok;
  }
  CLog log(ProgramFolder());
  CLog::SetProgram(&log);
  for (const Command& c : AllCommands()) {
    if (all[0] != c.name) continue;
    try {
      return c.run(Args(all.begin() + 1, all.end()));
    } catch (const UsageError& e) {
      std::cerr << "lindel-cli " << c.name << ": " << e.what() << "\n";
      return ExitCode::Usage;
    }
  }
  std::cerr << "lindel-cli: unknown command '" << all[0] << "'\n";
  PrintUsage(std::cerr);
  return ExitCode::Usage;
}
