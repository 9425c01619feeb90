#include "ModifierList.h"

ModifierList::ModifierList(const ModifierList& other) {
  items_.reserve(other.items_.size());
  for (const auto& modifier : other.items_) items_.push_back(std::make_shared<CModifier>(*modifier));
}

ModifierList& ModifierList::operator=(const ModifierList& other) {
  if (this != &other) *this = ModifierList(other);
  return *this;
}

std::shared_ptr<CModifier> ModifierList::At(int position) const {
  if (position < 1 || position > Count()) return nullptr;
  return items_[position - 1];
}
