// The undo and redo history of the preset on screen, as whole preset images.
// Pure logic: the frame hands in the state after each edit and puts back
// what Undo and Redo return.
//
// Steps: an edit that changes exactly the same fields as the step before it,
// within kMergeWindow, extends that step instead of adding one, so typing a
// name or stepping a list through ten values is undone at once; a change of
// field, a pause, an undo or a save starts a new step. The saved state is
// where the history began or the last save; the frame shows "Edited" exactly
// while the current state differs from it.
#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "PresetLayout.h"

class EditHistory {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kMergeWindow{1000};
  // The oldest steps are forgotten beyond this many.
  static constexpr std::size_t kMaxSteps = 200;

  // A fresh history whose start is also the saved state.
  void Reset(const PresetImage& start);
  // No preset: nothing to undo, redo or compare.
  void Clear();
  bool Started() const { return started_; }

  // The state after an edit; an unchanged state is no step. Clears redo.
  void Record(const PresetImage& state, Clock::time_point when);
  void MarkSaved();
  // The next edit starts a step of its own.
  void EndStep() { lastFields_.clear(); }
  // The current state as the screen shows it once put back: the editors
  // bring out-of-range values into range, so a state shown can read back a
  // little differently. No step; the saved state follows when it was current.
  void Adopt(const PresetImage& shown);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The state to show; only when CanUndo (CanRedo).
  const PresetImage& Undo();
  const PresetImage& Redo();

  const PresetImage& Current() const { return current_; }
  const PresetImage& Saved() const { return saved_; }
  bool IsSaved() const { return current_ == saved_; }

 private:
  std::vector<PresetImage> undo_;
  std::vector<PresetImage> redo_;
  PresetImage current_{};
  PresetImage saved_{};
  bool started_ = false;
  // The fields the last step changed, while it may still be extended.
  std::vector<int> lastFields_;
  Clock::time_point lastEdit_{};
};

// The fields in which two images differ, each named by its first offset
// (the name is one field at its start); the checksum does not count.
std::vector<int> ChangedFields(const PresetImage& before, const PresetImage& after);
