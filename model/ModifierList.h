// The 32 modifier assignments of a preset in slot order, positions 1 to 32.
// Assignments are shared with whoever asked for them, so edits through a
// handed-out object change the list; copying the list copies the
// assignments, so two presets never share them.
#pragma once

#include <memory>
#include <vector>

#include "CModifier.h"

class ModifierList {
 public:
  ModifierList() = default;
  ModifierList(const ModifierList& other);
  ModifierList& operator=(const ModifierList& other);
  ModifierList(ModifierList&&) = default;
  ModifierList& operator=(ModifierList&&) = default;

  void Clear() { items_.clear(); }
  void Add(const CModifier& modifier) { items_.push_back(std::make_shared<CModifier>(modifier)); }
  int Count() const { return static_cast<int>(items_.size()); }
  // Null outside 1 to Count().
  std::shared_ptr<CModifier> At(int position) const;

 private:
  std::vector<std::shared_ptr<CModifier>> items_;
};
