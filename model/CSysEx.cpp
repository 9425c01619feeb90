#include "CSysEx.h"

#include <algorithm>
#include <array>

#include "CLog.h"
#include "DumpSlots.h"
#include "Guarded.h"
#include "LindelError.h"
#include "StagedFiles.h"
#include "utilities.h"

namespace {

constexpr const char* kSplitSource = "CSysEx.SplitFile";

// Staged slots count as written only once their file is in place.
void MarkUncommitted(SplitResult& result, const std::vector<bool>& inPlace) {
  std::size_t next = 0;
  for (SplitSlot& slot : result.slots) {
    if (slot.outcome != SplitSlot::Outcome::Written) continue;
    if (next >= inPlace.size() || !inPlace[next]) slot.outcome = SplitSlot::Outcome::WriteFailed;
    ++next;
  }
}

}  // namespace

int SplitResult::Written() const {
  return static_cast<int>(std::count_if(slots.begin(), slots.end(), [](const SplitSlot& s) {
    return s.outcome == SplitSlot::Outcome::Written;
  }));
}

std::string SplitFileName(int storedNumber) {
  return "preset_" + std::to_string(storedNumber - PresetNumber::UserBase) + ".syx";
}

std::shared_ptr<CPreset> CSysEx::Preset(int iIndex) {
  if (iIndex < 0 || iIndex >= Count()) return nullptr;
  if (iIndex != index_) LoadSlot(iIndex);
  return preset_;
}

void CSysEx::UpdatePreset(const std::shared_ptr<CPreset>& preset) {
  if (!preset) return;
  preset_ = preset;
  if (index_ < 0) return;
  const int slot = index_;
  preset_->WriteThrough([&](std::span<const uint8_t, kPresetSize> image) { return ReplaceSlot(slot, image); });
}

bool CSysEx::ReplaceSlot(int slot, std::span<const uint8_t, kPresetSize> image) {
  std::vector<uint8_t> bytes(static_cast<std::size_t>(file_->Size()));
  if (!bytes.empty() && !file_->Read(bytes, 0, 0, static_cast<int64_t>(bytes.size()))) {
    LogError(LindelError(ErrorNumber::Preset, "CSysEx.UpdatePreset", "Unable to read " + fileName_));
    return false;
  }
  // A partial last slot is completed, as writing it in place would.
  const auto at = static_cast<std::size_t>(SlotPosition(slot));
  bytes.resize(std::max(bytes.size(), at + kPresetSize));
  std::copy(image.begin(), image.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  StagedFiles files(StagedFiles::Report::LogOnly);
  if (!files.Stage(fileName_, bytes, 0) || !files.Commit().front()) return false;
  // The open file is the replaced one now; later reads must see the new dump.
  auto written = std::make_unique<CFile>();
  if (!written->OpenFile(fileName_)) {
    LogError(LindelError(ErrorNumber::Preset, "CSysEx.UpdatePreset", "Unable to open " + fileName_ + " again"));
    return false;
  }
  file_ = std::move(written);
  return true;
}

bool CSysEx::OpenFile(const std::string& sFileName) {
  fileName_ = sFileName;
  file_ = std::make_unique<CFile>();
  preset_.reset();
  index_ = -1;
  if (!file_->OpenFile(sFileName)) {
    fileName_.clear();
    return false;
  }
  LoadSlot(0);
  return true;
}

int CSysEx::Count() const { return SlotCount(file_->Size()); }

std::string CSysEx::PresetName(int iIndex) {
  // Number and name lie side by side: one read serves both.
  std::array<uint8_t, 2 + Offset::NameLength> numberAndName{};
  static_assert(Offset::Name == Offset::Number + 2);
  if (iIndex < 0 || !file_->Read(numberAndName, 0, SlotPosition(iIndex) + Offset::Number, numberAndName.size())) {
    return "";
  }
  return SlotLabel(ReadValue14(numberAndName, 0), numberAndName.data() + 2);
}

SplitResult CSysEx::SplitFile(const std::filesystem::path& folder) {
  SplitResult result;
  result.refused = ReplacesItself(folder);
  if (!result.refused.empty()) return result;
  const int remembered = index_;
  StagedFiles files;
  result.finished = Guarded(kSplitSource, [&] {
    for (int i = 0; i < Count(); ++i) result.slots.push_back(StageSlot(i, folder, files));
  });
  MarkUncommitted(result, files.Commit());
  if (remembered >= 0) result.finished = Guarded(kSplitSource, [&] { Preset(remembered); }) && result.finished;
  return result;
}

// Read straight from the file, so that checking shows no message for a
// damaged slot; a slot too short to hold its number is skipped by the split.
std::string CSysEx::ReplacesItself(const std::filesystem::path& folder) {
  for (int i = 0; i < Count(); ++i) {
    std::array<uint8_t, 2> number{};
    if (!file_->Read(number, 0, SlotPosition(i) + Offset::Number, number.size())) continue;
    const std::filesystem::path target = folder / SplitFileName(ReadValue14(number, 0));
    std::error_code ec;
    if (std::filesystem::equivalent(target, fileName_, ec)) {
      return "slot " + std::to_string(i) + " would replace the dump itself (" + target.string() +
             "): nothing was split";
    }
  }
  return "";
}

void CSysEx::LoadSlot(int i) {
  index_ = i;
  preset_ = std::make_shared<CPreset>();
  preset_->ReadFromFile(*file_, i);  // a damaged slot stays as read, not valid
  Tell(*preset_);
}

void CSysEx::Tell(const CPreset& preset) const {
  if (refused_ && preset.Refused()) refused_(*preset.Refused());
}

SplitSlot CSysEx::StageSlot(int i, const std::filesystem::path& folder, StagedFiles& files) {
  const std::shared_ptr<CPreset> p = Preset(i);
  SplitSlot slot{i, folder / SplitFileName(p->PresetNumber()), SplitSlot::Outcome::Written};
  // A cut-off slot may still pass its checksum; writing it would make a
  // preset of bytes the dump never held.
  if (SlotPosition(i + 1) > file_->Size()) {
    slot.outcome = SplitSlot::Outcome::Incomplete;
  } else if (!p->IsValid()) {
    p->Save(files, slot.file.string(), 0);  // refused as not valid, and the image cleared
    Tell(*p);
    slot.outcome = SplitSlot::Outcome::BadChecksum;
  } else if (!p->Save(files, slot.file.string(), 0)) {
    slot.outcome = SplitSlot::Outcome::WriteFailed;
  }
  return slot;
}
