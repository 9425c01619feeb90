// lindel-cli export: a preset as the editors show it, as JSON that import
// reads back byte for byte, or as text to read.
#include <algorithm>
#include <iomanip>
#include <iostream>

#include "Commands.h"
#include "PresetComparison.h"
#include "PresetFiles.h"
#include "PresetJson.h"
#include "PresetText.h"

namespace {

constexpr int kNameWidth = 18;  // "Flanger Feedback" and a gap

void PrintLine(std::string_view name, const std::string& text) {
  std::cout << "  " << std::left << std::setw(kNameWidth) << name << text << "\n";
}

}  // namespace

void PrintPresetText(const PresetImage& image) {
  const PresetValues values = ReadPresetValues(image);
  std::cout << "Name    " << Json(values.name).dump() << "\n";
  std::cout << "Number  " << PresetNumberText(values.number) << "\n";
  for (const BlockValues& block : values.blocks) {
    std::cout << "\n" << block.block->name << "\n";
    for (const FieldValue& f : block.fields) {
      PrintLine(f.field.name, (f.text ? *f.text : ShownText(f)) + (f.field.active ? "" : "  (disabled)"));
    }
  }
  std::cout << "\nModifiers\n";
  for (const ModifierValue& m : values.modifiers) PrintLine(m.assignment.Prompt(), AssignmentText(m.assignment));
  const std::vector<ByteRun> raw = DifferingRuns(image, ComposePreset(values));
  if (raw.empty()) return;
  std::cout << "\nBytes no control shows\n";
  for (const ByteRun& run : raw) PrintLine(std::to_string(run.offset), HexBytes(run.bytes));
}

namespace {

struct ExportOptions {
  bool json = false;
  bool text = false;
  std::string file;
  long slot = 0;
};

int Export(const ExportOptions& o) {
  if (o.file.empty()) throw UsageError("give exactly one preset or dump file");
  if (o.json && o.text) throw UsageError("give --json or --text, not both");
  const std::string& path = o.file;
  const int slot = static_cast<int>(o.slot);
  const SlotRead read = ReadPresetSlot(path, slot);
  if (!read.problem.empty()) {
    std::cerr << "lindel-cli export: " << read.problem << "\n";
    return ExitCode::Failed;
  }
  if (o.text) {
    PrintPresetText(read.preset.Image());
  } else {
    std::cout << DocumentText(PresetToJson(read.preset.Image())) << "\n";
  }
  return ExitCode::Ok;
}

}  // namespace

Runner DefineExport(CLI::App& app) {
  auto o = std::make_shared<ExportOptions>();
  app.add_flag("--json", o->json, "JSON that import reads back (the default)");
  app.add_flag("--text", o->text, "text to read");
  app.add_option("FILE", o->file, "a preset or dump file (.syx)");
  AddNumber(app, "--slot", o->slot, 0, 1'000'000, "the slot of a dump, 0 for the first");
  return [o] { return Export(*o); };
}
