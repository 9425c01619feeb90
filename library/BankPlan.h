// A bank: a plan of the device's 100 user slots (U1-U100), each empty or
// holding a library entry. The rearranging steps are pure, so the command
// line and the Bank window share them and tests need no database.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr int kBankSlots = 100;

// Throws LibraryError unless slot is within 1..kBankSlots.
void RequireSlot(int slot);

class BankPlan {
 public:
  using Slot = std::optional<int64_t>;  // the entry id, or empty

  const Slot& At(int slot) const;
  void Set(int slot, int64_t entry);
  void Clear(int slot);
  // Takes the entry out of `from` and puts it in at `to`; the slots between
  // shift by one towards `from`, empty ones with them.
  void Move(int from, int to);
  void Swap(int a, int b);
  // A slot dragged onto another: a copy replaces what `to` held; else onto
  // a filled slot the two swap, onto an empty one the entry moves there.
  void Drop(int from, int to, bool copy);
  // Entries dropped from the library fill `to` and the slots after it, as
  // many as fit before the bank ends.
  void Place(int to, const std::vector<int64_t>& entries);
  int Filled() const;

  bool operator==(const BankPlan&) const = default;

 private:
  Slot& Mutable(int slot);

  std::array<Slot, kBankSlots> slots_{};
};
