#include "SendVerification.h"

#include <algorithm>
#include <map>

#include "AnsiText.h"
#include "CFile.h"
#include "SimulatedGMajor.h"
#include "utilities.h"

namespace {

constexpr int kDeviceIdOffset = 4;

bool SameIgnoringDeviceId(const PresetImage& a, const PresetImage& b) {
  for (std::size_t i = 0; i < kPresetSize; ++i) {
    if (i != kDeviceIdOffset && a[i] != b[i]) return false;
  }
  return true;
}

std::string NameOf(const PresetImage& image) {
  std::string name = FromAnsi(image.data() + Offset::Name, Offset::NameLength);
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

}  // namespace

std::vector<SentPreset> PresetsToVerify(std::span<const uint8_t> dump) {
  std::map<int, PresetImage> byNumber;
  for (std::size_t at = 0; at + kPresetSize <= dump.size(); at += kPresetSize) {
    PresetImage image{};
    std::copy_n(dump.begin() + static_cast<std::ptrdiff_t>(at), kPresetSize, image.begin());
    byNumber[ReadValue14(image, Offset::Number)] = image;
  }
  std::vector<SentPreset> presets;
  for (const auto& [number, image] : byNumber) presets.push_back({number, image});
  return presets;
}

std::optional<std::vector<SentPreset>> PresetsToVerify(const std::string& path) {
  CFile file;
  if (!file.OpenFile(path)) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  if (!bytes.empty() && !file.Read(bytes, 0, 0, file.Size())) return std::nullopt;
  return PresetsToVerify(bytes);
}

std::vector<int> NumbersOf(const std::vector<SentPreset>& presets) {
  std::vector<int> numbers;
  for (const SentPreset& p : presets) numbers.push_back(p.number);
  return numbers;
}

std::vector<Mismatch> CompareReadBack(const std::vector<SentPreset>& sent, const PresetReadResult& read) {
  std::map<int, const PresetImage*> answers;
  for (const PresetImage& image : read.presets) answers[ReadValue14(image, Offset::Number)] = &image;
  std::vector<Mismatch> mismatches;
  for (const SentPreset& p : sent) {
    const bool unread = std::find(read.unread.begin(), read.unread.end(), p.number) != read.unread.end();
    const auto answer = answers.find(p.number);
    if (unread || (answer != answers.end() && !SameIgnoringDeviceId(*answer->second, p.image))) {
      mismatches.push_back({p.number, NameOf(p.image), unread});
    }
  }
  return mismatches;
}

std::string Describe(const Mismatch& mismatch) {
  return PresetLabel(mismatch.number) + " \"" + mismatch.name + "\" " +
         (mismatch.unread ? "could not be read back" : "differs from what was sent");
}

std::string VerificationReport(const std::vector<Mismatch>& mismatches, std::size_t sent, const PresetReadResult& read) {
  if (read.error && read.presets.empty()) {
    return read.error->Description() + ". Nothing could be read back to verify the send.";
  }
  std::string report;
  if (read.cancelled) {
    report = "Verification cancelled after reading back " + std::to_string(read.presets.size()) + " of " +
             std::to_string(sent) + " presets.";
    if (mismatches.empty()) return report;
    report += "\n";
  }
  if (mismatches.empty()) return "The G-Major holds all " + std::to_string(sent) + " presets as sent.";
  report += std::to_string(mismatches.size()) + " of " + std::to_string(sent) + " presets are not held as sent:";
  for (std::size_t i = 0; i < mismatches.size() && i < kListedMismatches; ++i) report += "\n" + Describe(mismatches[i]);
  if (mismatches.size() > kListedMismatches) {
    report += "\n... and " + std::to_string(mismatches.size() - kListedMismatches) + " more";
  }
  return report;
}
