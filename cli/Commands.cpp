#include "Commands.h"

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"info", "info [--json] FILE...", RunInfo},
      {"new", "new [--name NAME] [--number N] -o FILE", RunNew},
      {"split", "split DUMP [--out-dir DIR]", RunSplit},
      {"modifiers", "modifiers [--json] [--slot N] FILE", RunModifiers},
      {"copy-block", "copy-block --block NAME --from SRC --to DST", RunCopyBlock},
  };
  return commands;
}
