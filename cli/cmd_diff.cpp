// lindel-cli diff: what differs between two presets (or dump slots), by
// block and caption with both display texts. Like diff(1): exit 0 when they
// are the same, 1 when they differ, 2 on trouble.
#include <iostream>

#include "Commands.h"
#include "PresetComparison.h"
#include "PresetFiles.h"

namespace {

constexpr long kHighestSlot = 1'000'000;

CPreset ReadSide(const std::string& path, int slot) {
  SlotRead read = ReadPresetSlot(path, slot);
  if (!read.problem.empty()) throw UsageError(read.problem);
  return std::move(read.preset);
}

struct DiffOptions {
  std::string a;
  std::string b;
  long slot = 0;
  std::optional<long> slotA;
  std::optional<long> slotB;
};

int Diff(const DiffOptions& o) {
  if (o.a.empty() || o.b.empty()) throw UsageError("give two preset or dump files");
  const CPreset a = ReadSide(o.a, static_cast<int>(o.slotA.value_or(o.slot)));
  const CPreset b = ReadSide(o.b, static_cast<int>(o.slotB.value_or(o.slot)));
  const std::vector<Difference> differences = ComparePresets(a.Image(), b.Image());
  for (const Difference& d : differences) std::cout << d.where << ": " << d.before << " -> " << d.after << "\n";
  return differences.empty() ? ExitCode::Ok : ExitCode::Failed;
}

}  // namespace

Runner DefineDiff(CLI::App& app) {
  auto o = std::make_shared<DiffOptions>();
  app.add_option("A", o->a, "a preset or dump file (.syx)");
  app.add_option("B", o->b, "another");
  AddNumber(app, "--slot", o->slot, 0, kHighestSlot, "the slot of both files, 0 for the first");
  AddNumber(app, "--slot-a", o->slotA, 0, kHighestSlot, "the slot of A (default: --slot)");
  AddNumber(app, "--slot-b", o->slotB, 0, kHighestSlot, "the slot of B (default: --slot)");
  return [o] { return Diff(*o); };
}
