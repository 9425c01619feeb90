#include "DeviceBackup.h"

#include "SimulatedGMajor.h"
#include "StagedFiles.h"

namespace {

bool WriteBackupFile(const std::string& path, const std::vector<PresetImage>& presets) {
  std::vector<uint8_t> bytes;
  bytes.reserve(presets.size() * kPresetSize);
  for (const PresetImage& image : presets) bytes.insert(bytes.end(), image.begin(), image.end());
  StagedFiles files;
  return files.Stage(path, bytes, 0) && files.Commit().front();
}

// b is the next preset after a in the same bank.
bool Follows(int a, int b) {
  return b == a + 1 && a != PresetNumber::EditBuffer && a != PresetNumber::UserBase;
}

std::string Presets(std::size_t count) { return std::to_string(count) + (count == 1 ? " preset" : " presets"); }

std::string ReadSummary(const BackupOutcome& outcome, const std::string& path) {
  const std::size_t read = outcome.read.presets.size();
  const std::string count = read == outcome.asked ? Presets(read) : std::to_string(read) + " of " + Presets(outcome.asked);
  return "Backed up " + count + " to " + path + ".";
}

}  // namespace

std::vector<int> BackupNumbers(const BackupRange& range) {
  std::vector<int> numbers;
  for (int n = range.first; n <= range.last; ++n) numbers.push_back(PresetNumber::UserBase + n);
  if (range.factory) {
    for (int n = range.first; n <= range.last; ++n) numbers.push_back(n);
  }
  return numbers;
}

std::vector<int> UserPresetsAmong(const std::vector<int>& numbers) {
  std::vector<int> user;
  for (int n : numbers) {
    if (n > PresetNumber::UserBase && n <= PresetNumber::Highest) user.push_back(n);
  }
  return user;
}

BackupOutcome SaveBackup(PresetReadResult read, std::size_t asked, const std::string& path) {
  BackupOutcome outcome;
  outcome.read = std::move(read);
  outcome.asked = asked;
  if (outcome.read.cancelled || outcome.read.presets.empty()) return outcome;
  outcome.written = WriteBackupFile(path, outcome.read.presets);
  if (!outcome.written) outcome.writeProblem = "Could not write " + path + "; nothing written.";
  return outcome;
}

BackupOutcome BackUpDevice(PresetReader& reader, int input, int output, const std::vector<int>& numbers,
                           const std::string& path) {
  return SaveBackup(reader.Read(input, output, numbers), numbers.size(), path);
}

std::string BackupReport(const BackupOutcome& outcome, const std::string& path) {
  const PresetReadResult& read = outcome.read;
  if (read.cancelled) return "Backup cancelled; nothing written.";
  std::string report = read.error ? read.error->Description() + ". " : "";
  if (!outcome.writeProblem.empty()) return report + outcome.writeProblem;
  if (!outcome.written) return report + "No preset could be read; nothing written.";
  report += ReadSummary(outcome, path);
  if (!read.unread.empty()) report += " Could not read " + PresetList(read.unread) + ".";
  return report;
}

// Runs of three or more neighbours in one bank read as "U41-U100".
std::string PresetList(const std::vector<int>& numbers) {
  std::string text;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t end = i;
    while (end + 1 < numbers.size() && Follows(numbers[end], numbers[end + 1])) ++end;
    text += text.empty() ? "" : ", ";
    if (end >= i + 2) {
      text += PresetLabel(numbers[i]) + "-" + PresetLabel(numbers[end]);
      i = end + 1;
    } else {
      text += PresetLabel(numbers[i]);
      ++i;
    }
  }
  return text;
}
