// lindel-cli modifiers: the 32 modifier assignments of a preset in list
// order, marking the slots that have no parameter for the block's type.
#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "Commands.h"
#include "DumpSlots.h"
#include "PresetFiles.h"
#include "modifierUtils.h"

namespace {

struct Row {
  int position;
  int offset;
  const ModifierGroup* group;
  int blockType;
  const CModifier* modifier;
};

std::vector<Row> Rows(const CPreset& preset) {
  std::vector<Row> rows;
  for (const ModifierGroup& group : kModifierGroups) {
    for (int n = 0; n < group.SlotCount(); ++n) {
      const int position = group.firstPosition + n;
      rows.push_back({position, group.firstSlot + 4 * n, &group, preset.Value(group.blockBase),
                      preset.Modifiers(position).get()});
    }
  }
  return rows;
}

std::string Label(const CPreset& preset) { return SlotLabel(preset.PresetNumber(), preset.Image().data() + Offset::Name); }

std::string Percent(int value) { return std::to_string(value) + "%"; }

void PrintText(const std::string& path, int slot, const CPreset& preset) {
  std::cout << path << " slot " << slot << " \"" << Label(preset) << "\"\n";
  std::cout << "  pos  slot  block   parameter    modifier   min   mid   max\n";
  for (const Row& r : Rows(preset)) {
    const CModifier& m = *r.modifier;
    std::ostringstream line;
    line << std::setw(5) << r.position << std::setw(6) << r.offset << "  " << std::left << std::setw(8) << r.group->name
         << std::setw(13) << (m.Prompt().empty() ? "-" : m.Prompt()) << std::setw(9)
         << (m.ModifierText().empty() ? "?" + std::to_string(m.Modifier()) : m.ModifierText()) << std::right
         << std::setw(6) << Percent(m.MinOut()) << std::setw(6) << Percent(m.MidOut()) << std::setw(6)
         << Percent(m.MaxOut());
    if (m.Prompt().empty()) line << "  (no parameter for " << r.group->name << " type " << r.blockType << ")";
    std::cout << line.str() << "\n";
  }
}

nlohmann::json ToJson(const std::string& path, int slot, const CPreset& preset) {
  nlohmann::json list = nlohmann::json::array();
  for (const Row& r : Rows(preset)) {
    const CModifier& m = *r.modifier;
    list.push_back({{"position", r.position},
                    {"offset", r.offset},
                    {"block", r.group->name},
                    {"blockType", r.blockType},
                    {"assignable", !m.Prompt().empty()},
                    {"prompt", m.Prompt()},
                    {"modifier", m.Modifier()},
                    {"modifierText", m.ModifierText()},
                    {"minOut", m.MinOut()},
                    {"midOut", m.MidOut()},
                    {"maxOut", m.MaxOut()}});
  }
  return {{"file", path}, {"slot", slot}, {"label", Label(preset)}, {"modifiers", list}};
}

struct ModifiersOptions {
  bool json = false;
  long slot = 0;
  std::string file;
};

int Modifiers(const ModifiersOptions& o) {
  if (o.file.empty()) throw UsageError("give exactly one preset or dump file");
  const std::string& path = o.file;
  const int slot = static_cast<int>(o.slot);
  const SlotRead read = ReadPresetSlot(path, slot);
  if (!read.problem.empty()) {
    std::cerr << "lindel-cli modifiers: " << read.problem << "\n";
    return ExitCode::Failed;
  }
  if (o.json) {
    std::cout << ToJson(path, slot, read.preset).dump(2) << "\n";
  } else {
    PrintText(path, slot, read.preset);
  }
  return ExitCode::Ok;
}

}  // namespace

Runner DefineModifiers(CLI::App& app) {
  auto o = std::make_shared<ModifiersOptions>();
  app.add_flag("--json", o->json, "print the list as JSON");
  AddNumber(app, "--slot", o->slot, 0, 1'000'000, "the slot of a dump, 0 for the first");
  app.add_option("FILE", o->file, "a preset or dump file (.syx)");
  return [o] { return Modifiers(*o); };
}
