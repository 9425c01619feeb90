#include "Commands.h"

namespace {

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"info", "Tells what each 615-byte slot of the files holds and whether the device would accept it.",
       "--json bank.syx", DefineInfo},
      {"new", "Writes a fresh valid preset, as \"New Preset\" makes it.", "--name \"Clean Lead\" --number 107 -o lead.syx",
       DefineNew},
      {"split", "Writes each slot of a dump to preset_N.syx.", "bank.syx --out-dir presets", DefineSplit},
      {"modifiers", "Lists the 32 modifier assignments of a preset.", "--slot 3 bank.syx", DefineModifiers},
      {"copy-block", "Copies one block's settings from one preset file into another.",
       "--block delay --from wet.syx --to dry.syx", DefineCopyBlock},
      {"export", "Shows a preset as JSON (which import reads back) or as text.", "--text lead.syx", DefineExport},
      {"import", "Writes the preset a JSON document describes.", "lead.json -o lead.syx", DefineImport},
      {"diff", "Lists what differs between two presets or dump slots; exit 1 when they differ.",
       "a.syx bank.syx --slot-b 4", DefineDiff},
      {"ports", "Lists the MIDI devices a transfer can use, by position.", "--json", DefinePorts},
      {"request", "Asks the device for one preset and saves the answer.", "--in 1 --out 1 --preset U7 -o u7.syx",
       DefineRequest},
      {"transmit", "Sends a single-preset file to the device.", "--in 1 --out 1 lead.syx --as U7", DefineTransmit},
      {"receive-dump", "Waits for a bulk dump from the device and writes it to a file.",
       "--in 1 --out 1 -o bank.syx --count 100", DefineReceiveDump},
      {"send-dump", "Sends every preset of a dump file to the device.", "--in 1 --out 1 bank.syx --verify",
       DefineSendDump},
      {"backup", "Reads the device's presets one by one into a dump file.",
       "--in 1 --out 1 -o backup.syx --first 1 --last 10", DefineBackup},
      {"library", "Works on the preset library.", "search tag:live", nullptr, LibraryCommands},
      {"randomize", "Makes a new sound of random values.", "clean.syx --blocks delay,reverb --seed 42 -o wet.syx",
       DefineRandomize},
      {"mutate", "Moves some values of a preset by a random amount.", "wet.syx --amount 10 -o wet2.syx", DefineMutate},
      {"morph", "Makes a preset between two others.", "clean.syx wet.syx --at 0.3 -o between.syx", DefineMorph},
      {"nudge", "Moves a preset's values toward (or away from) another's.",
       "between.syx --toward lead.syx --amount 20 -o closer.syx", DefineNudge},
      {"bank", "Plans the device's 100 user presets from the library and moves them to and from the device.",
       "show Live", nullptr, BankCommands},
  };
  return commands;
}

}  // namespace

const Command& LindelCli() {
  static const Command cli{"lindel-cli",
                           "Batch work on G-Major preset and dump files, the device and the preset library.",
                           "info bank.syx", nullptr, AllCommands};
  return cli;
}
