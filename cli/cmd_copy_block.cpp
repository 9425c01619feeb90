// lindel-cli copy-block: copies one block's settings from one preset file
// into another, as the editor's Copy and Paste do, and rewrites the target
// with a fresh checksum.
#include <iostream>

#include "BlockAreas.h"
#include "Commands.h"
#include "PresetFiles.h"

namespace {

int BlockOffset(const std::string& name) {
  if (const std::optional<int> offset = AreaOffset(name)) return *offset;
  throw UsageError("unknown block '" + name + "'; use one of " + AreaNames());
}

struct CopyBlockOptions {
  std::string block;
  std::string from;
  std::string to;
};

int CopyBlock(const CopyBlockOptions& o) {
  const std::string& blockName = o.block;
  const int offset = BlockOffset(blockName);
  const std::string& from = o.from;
  const std::string& to = o.to;

  const std::optional<CPreset> source = ReadSinglePreset("copy-block", from);
  if (!source) return ExitCode::Failed;
  std::optional<CPreset> target = ReadSinglePreset("copy-block", to);
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

}  // namespace

Runner DefineCopyBlock(CLI::App& app) {
  auto o = std::make_shared<CopyBlockOptions>();
  app.add_option("--block", o->block, "the block: " + AreaNames())->type_name("NAME")->required();
  app.add_option("--from", o->from, "the single-preset file copied from")->type_name("SRC")->required();
  app.add_option("--to", o->to, "the single-preset file copied into and rewritten")->type_name("DST")->required();
  return [o] { return CopyBlock(*o); };
}
