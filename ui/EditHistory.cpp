#include "EditHistory.h"

namespace {

int FieldOf(int offset) {
  if (offset >= Offset::Name && offset < Offset::Name + Offset::NameLength) return Offset::Name;
  if (offset < Offset::FirstParameter) return offset;
  return Offset::FirstParameter + (offset - Offset::FirstParameter) / 4 * 4;
}

}  // namespace

std::vector<int> ChangedFields(const PresetImage& before, const PresetImage& after) {
  std::vector<int> fields;
  for (int offset = 0; offset < static_cast<int>(kPresetSize); ++offset) {
    if (offset == Offset::Checksum || before[offset] == after[offset]) continue;
    const int field = FieldOf(offset);
    if (fields.empty() || fields.back() != field) fields.push_back(field);
  }
  return fields;
}

void EditHistory::Reset(const PresetImage& start) {
  Clear();
  current_ = start;
  saved_ = start;
  started_ = true;
}

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  lastFields_.clear();
  started_ = false;
}

void EditHistory::Record(const PresetImage& state, Clock::time_point when) {
  if (!started_) return;
  std::vector<int> fields = ChangedFields(current_, state);
  if (fields.empty()) return;
  redo_.clear();
  const bool extends = !lastFields_.empty() && fields == lastFields_ && when - lastEdit_ < kMergeWindow;
  lastEdit_ = when;
  if (!extends) {
    undo_.push_back(current_);
    if (undo_.size() > kMaxSteps) undo_.erase(undo_.begin());
    lastFields_ = std::move(fields);
    current_ = state;
    return;
  }
  current_ = state;
  // Stepped back to where the step began: the step is gone.
  if (current_ == undo_.back()) {
    undo_.pop_back();
    lastFields_.clear();
  }
}

void EditHistory::MarkSaved() {
  saved_ = current_;
  EndStep();
}

void EditHistory::Adopt(const PresetImage& shown) {
  if (!started_) return;
  if (current_ == saved_) saved_ = shown;
  current_ = shown;
  EndStep();
}

const PresetImage& EditHistory::Undo() {
  redo_.push_back(current_);
  current_ = undo_.back();
  undo_.pop_back();
  EndStep();
  return current_;
}

const PresetImage& EditHistory::Redo() {
  undo_.push_back(current_);
  current_ = redo_.back();
  redo_.pop_back();
  EndStep();
  return current_;
}
