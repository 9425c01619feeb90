// lindel-cli new: a fresh valid preset, as the editor's "New Preset" makes it.
#include <iostream>

#include "AnsiText.h"
#include "CPreset.h"
#include "CliArgs.h"
#include "Commands.h"

int RunNew(const Args& args) {
  const CliArgs cli(args, {"--name", "--number", "-o"}, {});
  if (!cli.Positional().empty()) throw UsageError("unexpected argument '" + cli.Positional()[0] + "'");
  const std::string out = cli.Required("-o");
  CPreset preset;
  preset.CreateNew();
  if (const auto name = cli.Value("--name")) {
    if (Utf8Length(*name) > Offset::NameLength) throw UsageError("a preset name holds at most 20 characters");
    preset.SetPresetName(*name);
  }
  if (const auto number = cli.Number("--number", 0, PresetNumber::Highest)) preset.SetPresetNumber(*number);
  if (!preset.Save(out, 0)) throw UsageError("cannot write '" + out + "'");
  std::cout << out << "\n";
  return ExitCode::Ok;
}
