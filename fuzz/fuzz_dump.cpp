// Dump files of any length through CSysEx (slots, labels, slot writes,
// splitting) and through lindel-cli's info and split commands, called as
// functions on a real file.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "CSysEx.h"
#include "Commands.h"
#include "DumpSlots.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The commands print their reports; the fuzzer needs none of it.
class SilencedOutput {
 public:
  SilencedOutput() : out_(std::cout.rdbuf(sink_.rdbuf())), err_(std::cerr.rdbuf(sink_.rdbuf())) {}
  ~SilencedOutput() {
    std::cout.rdbuf(out_);
    std::cerr.rdbuf(err_);
  }

 private:
  std::ostringstream sink_;
  std::streambuf* out_;
  std::streambuf* err_;
};

void Run(const Command& command, const Args& args) {
  const SilencedOutput silenced;
  const int code = RunCommand(std::string("lindel-cli ") + command.name, command, args);
  Require(code == ExitCode::Ok || code == ExitCode::Failed || code == ExitCode::Usage);
}

const Command kInfo{"info", "", "", DefineInfo};
const Command kSplit{"split", "", "", DefineSplit};

std::vector<uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExerciseDump(const fs::path& path, std::size_t size, const fs::path& splitFolder) {
  CSysEx dump;
  Require(dump.OpenFile(path.string()));
  const int count = dump.Count();
  Require(count == SlotCount(static_cast<int64_t>(size)));
  for (int i = -1; i <= count; ++i) {
    const auto preset = dump.Preset(i);
    Require((preset != nullptr) == (i >= 0 && i < count));
    (void)dump.PresetName(i);
  }
  if (count > 0 && dump.Preset(0)->IsValid()) {
    const auto preset = dump.Preset(0);
    preset->SetPresetName("Fuzzed");
    dump.UpdatePreset(preset);
    Require(preset->IsValid());
    const std::vector<uint8_t> written = FileBytes(path);
    Require(written.size() >= kPresetSize && std::equal(preset->Image().begin(), preset->Image().end(), written.begin()));
  }
  fs::create_directory(splitFolder);
  const SplitResult split = dump.SplitFile(splitFolder);
  Require(!split.finished || static_cast<int>(split.slots.size()) == count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path& folder = FreshScratchFolder();
  const fs::path path = folder / "dump.syx";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  Run(kInfo, {path.string()});
  Run(kInfo, {"--json", path.string()});
  fs::create_directory(folder / "cli");
  Run(kSplit, {path.string(), "--out-dir", (folder / "cli").string()});
  ExerciseDump(path, size, folder / "split");
  return 0;
}
