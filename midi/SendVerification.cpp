#include "SendVerification.h"

#include <algorithm>
#include <map>

#include "AnsiText.h"
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
