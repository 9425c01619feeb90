// lindel-cli randomize, mutate, morph and nudge: new sounds from preset
// files, on the values the device's lists hold.
#include <charconv>
#include <iostream>
#include <optional>
#include <limits>
#include <random>
#include <sstream>

#include "BlockAreas.h"
#include "CliArgs.h"
#include "Commands.h"
#include "DesignCommands.h"
#include "PresetFiles.h"

namespace {

void Write(const PresetImage& image, const std::string& out) {
  CPreset preset;
  if (!preset.LoadFromByteArray(image) || !preset.Save(out, 0)) throw UsageError("cannot write " + Quoted(out));
}

// Reads the files, makes the result of their images and writes it.
template <typename MakeFn>
int Design(const char* command, std::initializer_list<std::string> files, const std::string& out, MakeFn make,
           const std::string& done) {
  std::vector<PresetImage> images;
  for (const std::string& file : files) {
    const std::optional<CPreset> preset = ReadSinglePreset(command, file);
    if (!preset) return ExitCode::Failed;
    images.push_back(preset->Image());
  }
  Write(make(images), out);
  std::cout << done << " into " << Quoted(out) << "\n";
  return ExitCode::Ok;
}

}  // namespace

DesignBlocks ParseDesignBlocks(const std::string& list) {
  DesignBlocks blocks;
  std::istringstream names(list);
  for (std::string name; std::getline(names, name, ',');) {
    const std::optional<int> offset = AreaOffset(name);
    if (!offset) throw UsageError("unknown block '" + name + "'; use one of " + AreaNames());
    for (BlockNumber block : BlocksInArea(*offset)) blocks.insert(block);
  }
  if (blocks.empty()) throw UsageError("--blocks names no block; use one of " + AreaNames());
  return blocks;
}

int RandomizePreset(const std::string& file, const std::string& out, const DesignBlocks& blocks, bool keepTypes,
                    uint64_t seed) {
  return Design(
      "randomize", {file}, out, [&](const auto& in) { return Randomize(in[0], blocks, keepTypes, seed); },
      "randomized " + Quoted(file) + " (seed " + std::to_string(seed) + ")");
}

int MutatePreset(const std::string& file, const std::string& out, int percent, const DesignBlocks& blocks,
                 uint64_t seed) {
  return Design(
      "mutate", {file}, out, [&](const auto& in) { return Mutate(in[0], blocks, percent, false, seed); },
      "mutated " + Quoted(file) + " by " + std::to_string(percent) + " % (seed " + std::to_string(seed) + ")");
}

int MorphPresets(const std::string& a, const std::string& b, double at, const std::string& out) {
  std::ostringstream done;
  done << "morphed " << Quoted(a) << " to " << Quoted(b) << " at " << at;
  return Design(
      "morph", {a, b}, out, [&](const auto& in) { return Morph(in[0], in[1], at, AllDesignBlocks()); }, done.str());
}

int NudgePreset(const std::string& file, const std::string& target, int percent, bool away, const std::string& out) {
  return Design(
      "nudge", {file, target}, out,
      [&](const auto& in) { return Nudge(in[0], in[1], percent, away, AllDesignBlocks()); },
      "nudged " + Quoted(file) + " " + std::to_string(percent) + " % " + (away ? "away from " : "toward ") +
          Quoted(target));
}

// ---- argument wiring --------------------------------------------------------

namespace {

std::string OnlyPositional(const CliArgs& cli, std::size_t count, const char* what) {
  if (cli.Positional().size() != count) throw UsageError(std::string("needs ") + what);
  return cli.Positional()[0];
}

DesignBlocks BlocksOption(const CliArgs& cli) {
  const std::optional<std::string> list = cli.Value("--blocks");
  return list ? ParseDesignBlocks(*list) : AllDesignBlocks();
}

// A seed given, or a fresh one, which the result's message names.
uint64_t SeedOption(const CliArgs& cli) {
  if (const std::optional<long> seed = cli.Number("--seed", 0, std::numeric_limits<long>::max())) return *seed;
  return std::random_device{}();
}

int AmountOption(const CliArgs& cli) {
  return static_cast<int>(ParseNumber(cli.Required("--amount"), 0, 100, "--amount"));
}

double ParseShare(const std::string& text) {
  double at = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), at);
  if (ec != std::errc() || end != text.data() + text.size() || !(at >= 0 && at <= 1)) {
    throw UsageError("--at must be a number from 0 to 1, not '" + text + "'");
  }
  return at;
}

}  // namespace

int RunRandomize(const Args& args) {
  const CliArgs cli(args, {"-o", "--blocks", "--seed"}, {"--keep-types"});
  const std::string file = OnlyPositional(cli, 1, "one preset FILE");
  return RandomizePreset(file, cli.Required("-o"), BlocksOption(cli), cli.Flag("--keep-types"), SeedOption(cli));
}

int RunMutate(const Args& args) {
  const CliArgs cli(args, {"-o", "--amount", "--blocks", "--seed"}, {});
  const std::string file = OnlyPositional(cli, 1, "one preset FILE");
  return MutatePreset(file, cli.Required("-o"), AmountOption(cli), BlocksOption(cli), SeedOption(cli));
}

int RunMorph(const Args& args) {
  const CliArgs cli(args, {"-o", "--at"}, {});
  OnlyPositional(cli, 2, "two preset files A and B");
  return MorphPresets(cli.Positional()[0], cli.Positional()[1], ParseShare(cli.Required("--at")), cli.Required("-o"));
}

int RunNudge(const Args& args) {
  const CliArgs cli(args, {"-o", "--toward", "--amount"}, {"--away"});
  const std::string file = OnlyPositional(cli, 1, "one preset FILE");
  return NudgePreset(file, cli.Required("--toward"), AmountOption(cli), cli.Flag("--away"), cli.Required("-o"));
}
