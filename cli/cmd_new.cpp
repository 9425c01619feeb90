// lindel-cli new: a fresh valid preset, as the editor's "New Preset" makes it.
#include <iostream>

#include "AnsiText.h"
#include "CPreset.h"
#include "Commands.h"

namespace {

struct NewOptions {
  std::optional<std::string> name;
  std::optional<long> number;
  std::string out;
};

int New(const NewOptions& o) {
  CPreset preset;
  preset.CreateNew();
  if (o.name) {
    if (Utf8Length(*o.name) > Offset::NameLength) throw UsageError("a preset name holds at most 20 characters");
    preset.SetPresetName(*o.name);
  }
  if (o.number) preset.SetPresetNumber(static_cast<int>(*o.number));
  if (!preset.Save(o.out, 0)) throw UsageError("cannot write '" + o.out + "'");
  std::cout << o.out << "\n";
  return ExitCode::Ok;
}

}  // namespace

Runner DefineNew(CLI::App& app) {
  auto o = std::make_shared<NewOptions>();
  app.add_option("--name", o->name, "the preset's name, at most 20 characters (default: New Preset's)")
      ->type_name("NAME");
  AddNumber(app, "--number", o->number, 0, PresetNumber::Highest,
            "the stored number: 0 edit buffer, 1-100 factory, 101-200 user presets (default: New Preset's)");
  app.add_option("-o", o->out, "the preset file written")->type_name("FILE")->required();
  return [o] { return New(*o); };
}
