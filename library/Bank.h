// The banks kept in the library file: each a name, its plan of the 100 user
// slots and the device it was last pulled from or sent to. Also how a bank
// becomes preset images: from a dump file, and as a dump file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BankPlan.h"
#include "PresetLayout.h"

class PresetLibrary;
class SqliteDb;

struct BankSummary {
  std::string name;
  int filled = 0;
  std::string device;  // "" before the first pull or send
};

class BankStore {
 public:
  explicit BankStore(PresetLibrary& library);

  // Throws LibraryError when the name is empty or taken (ignoring case).
  void Create(const std::string& name);
  bool Exists(const std::string& name) const;
  std::vector<BankSummary> List() const;
  // Throws LibraryError naming the bank when there is none of that name.
  BankPlan Load(const std::string& name) const;
  // Replaces every slot of the bank; each entry must be in the library.
  void Save(const std::string& name, const BankPlan& plan);
  std::string Device(const std::string& name) const;
  void SetDevice(const std::string& name, const std::string& device);

 private:
  int64_t Id(const std::string& name) const;

  PresetLibrary& library_;
  SqliteDb& db_;
};

// The entry's image as it goes into the slot: under the entry's name,
// numbered 100 + slot, with a fresh checksum. Throws LibraryError when the
// entry is not in the library.
PresetImage SlotImage(const PresetLibrary& library, int64_t entry, int slot);
// The filled slots as one dump file's bytes, in slot order.
std::vector<uint8_t> BankDump(const PresetLibrary& library, const BankPlan& plan);
// Keeps every valid preset of the dump file in the library and plans it into
// its slot: the user number it carries (101-200), else its position. A slot
// that is no valid preset is refused ("slot N: why") and stays empty; a file
// that cannot be read throws LibraryError.
BankPlan PlanFromDump(PresetLibrary& library, const std::string& path, std::vector<std::string>& refused);
