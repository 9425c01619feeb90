// lindel-cli randomize, mutate, morph and nudge: new sounds from preset
// files, on the values the device's lists hold.
#include <charconv>
#include <iostream>
#include <optional>
#include <limits>
#include <random>
#include <sstream>

#include "BlockAreas.h"
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

struct DesignOptions {
  std::string file;
  std::string other;  // morph: B; nudge: --toward
  std::string out;
  std::optional<std::string> blocks;
  bool keepTypes = false;
  bool away = false;
  std::optional<long> seed;
  long amount = 0;
  std::string at;
};

void RequireFiles(const DesignOptions& o, bool two, const char* what) {
  if (o.file.empty() || (two && o.other.empty())) throw UsageError(std::string("needs ") + what);
}

DesignBlocks BlocksOf(const DesignOptions& o) { return o.blocks ? ParseDesignBlocks(*o.blocks) : AllDesignBlocks(); }

// A seed given, or a fresh one, which the result's message names.
uint64_t SeedOf(const DesignOptions& o) { return o.seed ? static_cast<uint64_t>(*o.seed) : std::random_device{}(); }

double ParseShare(const std::string& text) {
  double at = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), at);
  if (ec != std::errc() || end != text.data() + text.size() || !(at >= 0 && at <= 1)) {
    throw UsageError("--at must be a number from 0 to 1, not '" + text + "'");
  }
  return at;
}

std::shared_ptr<DesignOptions> AddFileAndOut(CLI::App& app) {
  auto o = std::make_shared<DesignOptions>();
  app.add_option("FILE", o->file, "the single-preset file it starts from");
  app.add_option("-o", o->out, "the preset file written")->type_name("OUT")->required();
  return o;
}

void AddBlocksAndSeed(CLI::App& app, DesignOptions& o) {
  app.add_option("--blocks", o.blocks, "comma-separated blocks, e.g. filter,delay,reverb (default: every block)")
      ->type_name("LIST");
  AddNumber(app, "--seed", o.seed, 0, std::numeric_limits<long>::max(),
            "the random seed, for the same result again (default: a fresh one)");
}

void AddAmount(CLI::App& app, DesignOptions& o) {
  AddNumber(app, "--amount", o.amount, 0, 100, "how far, in percent")->required()->default_str("");
}

}  // namespace

Runner DefineRandomize(CLI::App& app) {
  auto o = AddFileAndOut(app);
  AddBlocksAndSeed(app, *o);
  app.add_flag("--keep-types", o->keepTypes, "keep each block's type");
  return [o] {
    RequireFiles(*o, false, "one preset FILE");
    return RandomizePreset(o->file, o->out, BlocksOf(*o), o->keepTypes, SeedOf(*o));
  };
}

Runner DefineMutate(CLI::App& app) {
  auto o = AddFileAndOut(app);
  AddAmount(app, *o);
  AddBlocksAndSeed(app, *o);
  return [o] {
    RequireFiles(*o, false, "one preset FILE");
    return MutatePreset(o->file, o->out, static_cast<int>(o->amount), BlocksOf(*o), SeedOf(*o));
  };
}

Runner DefineMorph(CLI::App& app) {
  auto o = std::make_shared<DesignOptions>();
  app.add_option("A", o->file, "the single-preset file at 0");
  app.add_option("B", o->other, "the single-preset file at 1");
  app.add_option("--at", o->at, "where between A and B, from 0 to 1")->type_name("T")->required();
  app.add_option("-o", o->out, "the preset file written")->type_name("OUT")->required();
  return [o] {
    RequireFiles(*o, true, "two preset files A and B");
    return MorphPresets(o->file, o->other, ParseShare(o->at), o->out);
  };
}

Runner DefineNudge(CLI::App& app) {
  auto o = AddFileAndOut(app);
  app.add_option("--toward", o->other, "the target preset file")->type_name("T")->required();
  app.add_flag("--away", o->away, "away from the target instead");
  AddAmount(app, *o);
  return [o] {
    RequireFiles(*o, false, "one preset FILE");
    return NudgePreset(o->file, o->other, static_cast<int>(o->amount), o->away, o->out);
  };
}
