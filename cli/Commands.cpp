#include "Commands.h"

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"info", "info [--json] FILE...", RunInfo},
      {"new", "new [--name NAME] [--number N] -o FILE", RunNew},
  };
  return commands;
}
