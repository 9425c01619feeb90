#include "Commands.h"

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"info", "info [--json] FILE...", RunInfo},
      {"new", "new [--name NAME] [--number N] -o FILE", RunNew},
      {"split", "split DUMP [--out-dir DIR]", RunSplit},
      {"modifiers", "modifiers [--json] [--slot N] FILE", RunModifiers},
      {"copy-block", "copy-block --block NAME --from SRC --to DST", RunCopyBlock},
      {"export", "export [--json|--text] FILE [--slot N]", RunExport},
      {"import", "import JSON -o FILE", RunImport},
      {"diff", "diff A B [--slot N] [--slot-a N] [--slot-b N]", RunDiff},
      {"ports", "ports [--json]", RunPorts},
      {"request", "request --in DEV --out DEV --preset E|F1..F100|U1..U100 -o FILE [--timeout S]", RunRequest},
      {"transmit", "transmit --in DEV --out DEV FILE [--as E|U1..U100] [--timeout S]", RunTransmit},
      {"receive-dump", "receive-dump --in DEV --out DEV -o FILE [--count N] [--idle-timeout S] [--library F]", RunReceiveDump},
      {"send-dump", "send-dump --in DEV --out DEV FILE [--verify [--timeout S]]", RunSendDump},
      {"backup", "backup --in DEV --out DEV -o FILE [--factory] [--first N] [--last N] [--timeout S] [--library F]", RunBackup},
      {"library", "library import|search|show|tag|fav|rename|comment|hide|purge|history|export|stats ...", RunLibrary},
      {"randomize", "randomize FILE -o OUT [--blocks LIST] [--keep-types] [--seed N]", RunRandomize},
      {"mutate", "mutate FILE --amount P -o OUT [--blocks LIST] [--seed N]", RunMutate},
      {"morph", "morph A B --at T -o OUT", RunMorph},
      {"nudge", "nudge FILE --toward T [--away] --amount P -o OUT", RunNudge},
      {"bank", "bank new|list|show|set|move|swap|clear|from-dump|export|pull|send ...", RunBank},
  };
  return commands;
}
