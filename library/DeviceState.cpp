#include "DeviceState.h"

#include <ctime>

#include "PresetLibrary.h"
#include "utilities.h"

DeviceState::DeviceState(PresetLibrary& library) : db_(library.Database()) {}

BankPlan DeviceState::Held(const std::string& device) const {
  SqliteStatement held(db_, "SELECT slot, entry FROM device_slots WHERE device = ?");
  held.Bind(1, device);
  BankPlan plan;
  while (held.Step()) plan.Set(static_cast<int>(held.Int(0)), held.Int(1));
  return plan;
}

void DeviceState::Record(const std::string& device, int slot, int64_t entry) {
  RequireSlot(slot);
  SqliteStatement record(db_,
                         "INSERT INTO device_slots(device, slot, entry, seen) VALUES(?, ?, ?, ?) "
                         "ON CONFLICT(device, slot) DO UPDATE SET entry = excluded.entry, seen = excluded.seen");
  record.Bind(1, device).Bind(2, int64_t{slot}).Bind(3, entry).Bind(4, static_cast<int64_t>(std::time(nullptr)));
  record.Step();
}

void DeviceState::Forget(const std::string& device, int slot) {
  SqliteStatement forget(db_, "DELETE FROM device_slots WHERE device = ? AND slot = ?");
  forget.Bind(1, device).Bind(2, int64_t{slot});
  forget.Step();
}

int UserSlot(const PresetImage& image) {
  const int slot = ReadValue14(image, Offset::Number) - PresetNumber::UserBase;
  return slot >= 1 && slot <= kBankSlots ? slot : 0;
}

std::vector<int> SlotsToSend(const BankPlan& plan, const BankPlan& held, bool all) {
  std::vector<int> slots;
  for (int slot = 1; slot <= kBankSlots; ++slot) {
    if (plan.At(slot) && (all || held.At(slot) != plan.At(slot))) slots.push_back(slot);
  }
  return slots;
}

std::vector<int> UnknownSlots(const BankPlan& plan, const BankPlan& held) {
  std::vector<int> slots;
  for (int slot = 1; slot <= kBankSlots; ++slot) {
    if (plan.At(slot) && !held.At(slot)) slots.push_back(slot);
  }
  return slots;
}
