// lindel-cli split: one preset_N.syx per slot of a dump, as the editor's
// "split" does, into a chosen folder.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <map>

#include "CLog.h"
#include "CSysEx.h"
#include "Commands.h"
#include "PresetFiles.h"

namespace {

namespace fs = std::filesystem;

void RequireWritableFolder(const fs::path& folder) {
  std::error_code ec;
  if (!fs::exists(folder, ec)) throw UsageError("cannot write into " + Quoted(folder.string()) + ": no such folder");
  if (!fs::is_directory(folder, ec)) throw UsageError("cannot write into " + Quoted(folder.string()) + ": not a folder");
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    throw UsageError("cannot write into " + Quoted(folder.string()) + ": permission denied");
  }
}

std::string SkipReason(const SplitSlot& slot) {
  switch (slot.outcome) {
    case SplitSlot::Outcome::BadChecksum: return "bad checksum";
    case SplitSlot::Outcome::Incomplete: return "the file ends inside it";
    case SplitSlot::Outcome::WriteFailed: return "cannot write " + Quoted(slot.file.string());
    case SplitSlot::Outcome::Written: break;
  }
  return "";
}

void Report(CSysEx& dump, const SplitResult& result) {
  std::map<fs::path, int> writtenBy;
  for (const SplitSlot& slot : result.slots) {
    if (slot.outcome != SplitSlot::Outcome::Written) {
      std::cerr << "lindel-cli split: slot " << slot.slot << " \"" << dump.PresetName(slot.slot)
                << "\" skipped: " << SkipReason(slot) << "\n";
      continue;
    }
    std::cout << slot.file.string() << "\n";
    const auto [earlier, first] = writtenBy.try_emplace(slot.file, slot.slot);
    if (!first) {
      std::cerr << "lindel-cli split: slot " << slot.slot << " replaced slot " << earlier->second << " in "
                << Quoted(slot.file.string()) << ": both hold the same preset number\n";
      earlier->second = slot.slot;
    }
  }
  if (!result.finished) {
    const CLog* log = CLog::Program();
    std::cerr << "lindel-cli split: an error stopped the split; see " << (log ? log->Path().string() : kLogFileName)
              << "\n";
  }
  if (!result.AllWritten()) {
    std::cerr << "lindel-cli split: " << result.Written() << " of " << dump.Count() << " slots written\n";
  }
}

struct SplitOptions {
  std::string dump;
  std::string folder;
};

int Split(const SplitOptions& o) {
  if (o.dump.empty()) throw UsageError("give exactly one dump file");
  const std::string& path = o.dump;
  const fs::path folder = o.folder;
  RequireWritableFolder(folder.empty() ? fs::path(".") : folder);
  CSysEx dump;
  if (!dump.OpenFile(path)) throw UsageError("cannot open " + Quoted(path) + ": no such file or not a file");
  if (dump.Count() == 0) throw UsageError(Quoted(path) + " holds no preset");
  const SplitResult result = dump.SplitFile(folder);
  if (!result.refused.empty()) throw UsageError(result.refused + "; choose another --out-dir");
  Report(dump, result);
  return result.AllWritten() ? ExitCode::Ok : ExitCode::Failed;
}

}  // namespace

Runner DefineSplit(CLI::App& app) {
  auto o = std::make_shared<SplitOptions>();
  app.add_option("DUMP", o->dump, "the dump file (.syx)");
  app.add_option("--out-dir", o->folder, "the folder the preset files go to")->type_name("DIR")->default_str(".");
  return [o] { return Split(*o); };
}
