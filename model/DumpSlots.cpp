#include "DumpSlots.h"

#include "AnsiText.h"

std::string SlotLabel(int storedNumber, const uint8_t* name20) {
  return std::to_string(storedNumber - PresetNumber::UserBase) + " - " + FromAnsi(name20, Offset::NameLength);
}
