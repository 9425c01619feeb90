#include "BankPlan.h"

#include <algorithm>

#include "LibraryError.h"

void RequireSlot(int slot) {
  if (slot < 1 || slot > kBankSlots) {
    throw LibraryError("no slot " + std::to_string(slot) + "; a bank has slots 1 to " + std::to_string(kBankSlots));
  }
}

const BankPlan::Slot& BankPlan::At(int slot) const {
  RequireSlot(slot);
  return slots_[static_cast<std::size_t>(slot - 1)];
}

BankPlan::Slot& BankPlan::Mutable(int slot) {
  RequireSlot(slot);
  return slots_[static_cast<std::size_t>(slot - 1)];
}

void BankPlan::Set(int slot, int64_t entry) { Mutable(slot) = entry; }

void BankPlan::Clear(int slot) { Mutable(slot).reset(); }

void BankPlan::Move(int from, int to) {
  RequireSlot(from);
  RequireSlot(to);
  const auto first = slots_.begin();
  if (from < to) {
    std::rotate(first + (from - 1), first + from, first + to);
  } else if (to < from) {
    std::rotate(first + (to - 1), first + (from - 1), first + from);
  }
}

void BankPlan::Swap(int a, int b) { std::swap(Mutable(a), Mutable(b)); }

void BankPlan::Drop(int from, int to, bool copy) {
  const Slot dragged = At(from);
  if (from == to || !dragged) return;
  if (copy) {
    Set(to, *dragged);
  } else if (At(to)) {
    Swap(from, to);
  } else {
    Set(to, *dragged);
    Clear(from);
  }
}

void BankPlan::Place(int to, const std::vector<int64_t>& entries) {
  RequireSlot(to);
  for (std::size_t i = 0; i < entries.size() && to + static_cast<int>(i) <= kBankSlots; ++i) {
    Set(to + static_cast<int>(i), entries[i]);
  }
}

int BankPlan::Filled() const {
  return static_cast<int>(std::count_if(slots_.begin(), slots_.end(), [](const Slot& s) { return s.has_value(); }));
}
