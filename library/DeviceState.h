// What each device was last known to hold, slot by slot, as library entries:
// learnt from a pull, a backup or a received dump, and from each slot sent
// (and, when verified, read back as sent). Devices are told apart by the
// name of the MIDI port the presets go out on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BankPlan.h"
#include "PresetLayout.h"

class PresetLibrary;
class SqliteDb;

class DeviceState {
 public:
  explicit DeviceState(PresetLibrary& library);

  // The known slots; a slot never seen (or whose entry was purged) is empty.
  BankPlan Held(const std::string& device) const;
  void Record(const std::string& device, int slot, int64_t entry);
  // The slot's state becomes unknown (a send that may have reached it failed).
  void Forget(const std::string& device, int slot);

 private:
  SqliteDb& db_;
};

// The user slot (1-100) the image's preset number names; 0 for any other number.
int UserSlot(const PresetImage& image);

// The filled slots of the plan to send: all of them, or those the device is
// not known to hold (unknown, or another sound), in slot order.
std::vector<int> SlotsToSend(const BankPlan& plan, const BankPlan& held, bool all);
// The filled slots of the plan whose device state is unknown.
std::vector<int> UnknownSlots(const BankPlan& plan, const BankPlan& held);
