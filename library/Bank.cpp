#include "Bank.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "CPreset.h"
#include "DumpSlots.h"
#include "LibraryError.h"
#include "PresetLibrary.h"
#include "Quoted.h"
#include "utilities.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LibraryError("cannot read '" + path + "'");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw LibraryError("cannot read '" + path + "'");
  return bytes;
}

// Why the image is no preset the device would accept; "" when it is one.
std::string Problem(const PresetImage& image) {
  if (!HasPresetHeader(image)) return "no G-Major preset header";
  if (!HasEndByte(image)) return "no end byte";
  if (!ChecksumMatches(image)) return "bad checksum";
  return "";
}

int SlotFor(const PresetImage& image, int position) {
  const int number = ReadValue14(image, Offset::Number);
  if (number > PresetNumber::UserBase && number <= PresetNumber::Highest) return number - PresetNumber::UserBase;
  return position;
}

}  // namespace

BankStore::BankStore(PresetLibrary& library) : library_(library), db_(library.Database()) {}

void BankStore::Create(const std::string& name) {
  if (name.empty()) throw LibraryError("a bank needs a name");
  if (Exists(name)) throw LibraryError("there is a bank " + Quoted(name) + " already");
  SqliteStatement add(db_, "INSERT INTO banks(name) VALUES(?)");
  add.Bind(1, name);
  add.Step();
}

bool BankStore::Exists(const std::string& name) const {
  SqliteStatement find(db_, "SELECT 1 FROM banks WHERE name = ?");
  find.Bind(1, name);
  return find.Step();
}

int64_t BankStore::Id(const std::string& name) const {
  SqliteStatement find(db_, "SELECT id FROM banks WHERE name = ?");
  find.Bind(1, name);
  if (!find.Step()) throw LibraryError("no bank " + Quoted(name) + " (lindel-cli bank list shows them)");
  return find.Int(0);
}

std::vector<BankSummary> BankStore::List() const {
  SqliteStatement list(db_,
                       "SELECT name, (SELECT count(*) FROM bank_slots WHERE bank = banks.id), device FROM banks "
                       "ORDER BY name");
  std::vector<BankSummary> banks;
  while (list.Step()) banks.push_back({list.Text(0), static_cast<int>(list.Int(1)), list.Text(2)});
  return banks;
}

BankPlan BankStore::Load(const std::string& name) const {
  SqliteStatement slots(db_, "SELECT slot, entry FROM bank_slots WHERE bank = ?");
  slots.Bind(1, Id(name));
  BankPlan plan;
  while (slots.Step()) plan.Set(static_cast<int>(slots.Int(0)), slots.Int(1));
  return plan;
}

void BankStore::Save(const std::string& name, const BankPlan& plan) {
  const int64_t bank = Id(name);
  SqliteTransaction transaction(db_);
  SqliteStatement clear(db_, "DELETE FROM bank_slots WHERE bank = ?");
  clear.Bind(1, bank);
  clear.Step();
  SqliteStatement add(db_, "INSERT INTO bank_slots(bank, slot, entry) VALUES(?, ?, ?)");
  for (int slot = 1; slot <= kBankSlots; ++slot) {
    const BankPlan::Slot& entry = plan.At(slot);
    if (!entry) continue;
    if (!library_.Entry(*entry)) throw LibraryError("no library entry " + std::to_string(*entry));
    add.Bind(1, bank).Bind(2, int64_t{slot}).Bind(3, *entry);
    add.Step();
    add.Reset();
  }
  transaction.Commit();
}

std::string BankStore::Device(const std::string& name) const {
  SqliteStatement device(db_, "SELECT device FROM banks WHERE id = ?");
  device.Bind(1, Id(name));
  device.Step();
  return device.Text(0);
}

void BankStore::SetDevice(const std::string& name, const std::string& device) {
  SqliteStatement set(db_, "UPDATE banks SET device = ? WHERE id = ?");
  set.Bind(1, device).Bind(2, Id(name));
  set.Step();
}

PresetImage SlotImage(const PresetLibrary& library, int64_t entry, int slot) {
  RequireSlot(slot);
  const std::optional<LibraryEntry> found = library.Entry(entry);
  if (!found) throw LibraryError("no library entry " + std::to_string(entry));
  CPreset preset;
  preset.LoadFromByteArray(found->image);
  preset.SetPresetName(found->row.name);
  preset.SetPresetNumber(PresetNumber::UserBase + slot);
  preset.UpdateChecksum();
  return preset.Image();
}

std::vector<uint8_t> BankDump(const PresetLibrary& library, const BankPlan& plan) {
  std::vector<uint8_t> bytes;
  for (int slot = 1; slot <= kBankSlots; ++slot) {
    if (!plan.At(slot)) continue;
    const PresetImage image = SlotImage(library, *plan.At(slot), slot);
    bytes.insert(bytes.end(), image.begin(), image.end());
  }
  return bytes;
}

BankPlan PlanFromDump(PresetLibrary& library, const std::string& path, std::vector<std::string>& refused) {
  const std::vector<uint8_t> bytes = ReadFile(path);
  const std::string where = std::filesystem::absolute(path).lexically_normal().string();
  const int slots = std::min(SlotCount(static_cast<int64_t>(bytes.size())), kBankSlots);
  if (slots == 0) throw LibraryError("'" + path + "' holds no preset");
  BankPlan plan;
  SqliteTransaction batch = library.Batch();
  for (int position = 0; position < slots; ++position) {
    PresetImage image{};
    const auto start = static_cast<std::size_t>(SlotPosition(position));
    const std::size_t length = std::min(kPresetSize, bytes.size() - start);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(start), length, image.begin());
    const std::string problem = length < kPresetSize ? "the file ends inside the preset" : Problem(image);
    if (!problem.empty()) {
      refused.push_back("slot " + std::to_string(position + 1) + ": " + problem);
      continue;
    }
    plan.Set(SlotFor(image, position + 1), library.Keep(image, {"dump", where, position}).id);
  }
  batch.Commit();
  return plan;
}
