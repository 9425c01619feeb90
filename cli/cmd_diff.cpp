// lindel-cli diff: what differs between two presets (or dump slots), by
// block and caption with both display texts. Like diff(1): exit 0 when they
// are the same, 1 when they differ, 2 on trouble.
#include <iostream>

#include "CliArgs.h"
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

}  // namespace

int RunDiff(const Args& args) {
  const CliArgs cli(args, {"--slot", "--slot-a", "--slot-b"}, {});
  if (cli.Positional().size() != 2) throw UsageError("give two preset or dump files");
  const long both = cli.Number("--slot", 0, kHighestSlot).value_or(0);
  const auto slotA = static_cast<int>(cli.Number("--slot-a", 0, kHighestSlot).value_or(both));
  const auto slotB = static_cast<int>(cli.Number("--slot-b", 0, kHighestSlot).value_or(both));
  const CPreset a = ReadSide(cli.Positional()[0], slotA);
  const CPreset b = ReadSide(cli.Positional()[1], slotB);
  const std::vector<Difference> differences = ComparePresets(a.Image(), b.Image());
  for (const Difference& d : differences) std::cout << d.where << ": " << d.before << " -> " << d.after << "\n";
  return differences.empty() ? ExitCode::Ok : ExitCode::Failed;
}
