#include "CSysEx.h"

#include <algorithm>
#include <array>

#include "CLog.h"
#include "DumpSlots.h"
#include "LindelError.h"
#include "utilities.h"

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
  if (index_ >= 0) preset_->WriteToFile(*file_, index_);
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
  std::array<uint8_t, 2> number{};
  std::array<uint8_t, Offset::NameLength> name{};
  if (!file_->Read(number, 0, SlotPosition(iIndex) + Offset::Number, number.size())) return "";
  if (!file_->Read(name, 0, SlotPosition(iIndex) + Offset::Name, name.size())) return "";
  return SlotLabel(ReadValue14(number, 0), name.data());
}

SplitResult CSysEx::SplitFile(const std::filesystem::path& folder) {
  SplitResult result;
  try {
    const int remembered = index_;
    const int count = Count();
    for (int i = 0; i < count; ++i) result.slots.push_back(SplitSlotTo(i, folder));
    if (remembered >= 0) Preset(remembered);
  } catch (const LindelError& e) {
    LogError(e);
    result.finished = false;
  } catch (const std::exception& e) {
    LogError(LindelError(ErrorNumber::Preset, "CSysEx.SplitFile", e.what()));
    result.finished = false;
  }
  return result;
}

void CSysEx::LoadSlot(int i) {
  index_ = i;
  preset_ = std::make_shared<CPreset>();
  preset_->ReadFromFile(*file_, i);  // a damaged slot stays as read, not valid
}

SplitSlot CSysEx::SplitSlotTo(int i, const std::filesystem::path& folder) {
  const std::shared_ptr<CPreset> p = Preset(i);
  SplitSlot slot{i, folder / SplitFileName(p->PresetNumber()), SplitSlot::Outcome::Written};
  // A cut-off slot may still pass its checksum; writing it would make a
  // preset of bytes the dump never held.
  if (SlotPosition(i + 1) > file_->Size()) {
    slot.outcome = SplitSlot::Outcome::Incomplete;
  } else if (!p->IsValid()) {
    p->Save(slot.file.string(), 0);  // refuses with "Not a valid preset"
    slot.outcome = SplitSlot::Outcome::BadChecksum;
  } else if (!p->Save(slot.file.string(), 0)) {
    slot.outcome = SplitSlot::Outcome::WriteFailed;
  }
  return slot;
}
