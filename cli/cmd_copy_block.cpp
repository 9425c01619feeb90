// lindel-cli copy-block: copies one block's settings from one preset file
// into another, as the editor's Copy and Paste do, and rewrites the target
// with a fresh checksum.
#include <array>
#include <iostream>
#include <string_view>

#include "CliArgs.h"
#include "Commands.h"
#include "PresetFiles.h"

namespace {

struct NamedBlock {
  std::string_view name;
  int offset;
};

constexpr std::array<NamedBlock, 9> kBlocks{{
    {"gate-eq", Offset::NoiseGateEQ},
    {"compressor", Offset::Compressor},
    {"filter", Offset::FilterMod},
    {"pitch", Offset::Pitch},
    {"chorus", Offset::ChorusFlange},
    {"delay", Offset::Delay},
    {"reverb", Offset::Reverb},
    {"routing", Offset::RoutingWord},
    {"tap-tempo", Offset::TapTempo},
}};

int BlockOffset(const std::string& name) {
  std::string names;
  for (const NamedBlock& b : kBlocks) {
    if (b.name == name) return b.offset;
    names += (names.empty() ? "" : ", ") + std::string(b.name);
  }
  throw UsageError("unknown block '" + name + "'; use one of " + names);
}

// The preset of a single-preset file, or nothing after telling why not.
std::optional<CPreset> ReadSingle(const std::string& path) {
  RequireSinglePreset(path);
  SlotRead read = ReadPresetSlot(path, 0);
  if (read.problem.empty()) return std::move(read.preset);
  std::cerr << "lindel-cli copy-block: " << read.problem << "; nothing written\n";
  return std::nullopt;
}

}  // namespace

int RunCopyBlock(const Args& args) {
  const CliArgs cli(args, {"--block", "--from", "--to"}, {});
  if (!cli.Positional().empty()) throw UsageError("unexpected argument '" + cli.Positional()[0] + "'");
  const std::string blockName = cli.Required("--block");
  const int offset = BlockOffset(blockName);
  const std::string from = cli.Required("--from");
  const std::string to = cli.Required("--to");

  const std::optional<CPreset> source = ReadSingle(from);
  if (!source) return ExitCode::Failed;
  std::optional<CPreset> target = ReadSingle(to);
  if (!target) return ExitCode::Failed;

  const std::optional<CEffectBlock> block = source->Copy(offset);
  if (!block || !target->Paste(*block)) {
    std::cerr << "lindel-cli copy-block: the " << blockName << " area does not fit the preset; nothing written\n";
    return ExitCode::Failed;
  }
  if (!target->Save(to, 0)) throw UsageError("cannot write " + Quoted(to));
  std::cout << "copied " << blockName << " (bytes " << offset << " to " << offset + BlockAreaLength(offset) - 1
            << ") from " << Quoted(from) << " into " << Quoted(to) << "\n";
  return ExitCode::Ok;
}
