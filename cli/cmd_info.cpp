// lindel-cli info: what each 615-byte slot of a .syx file holds and whether
// the device would accept it.
#include <iostream>
#include <nlohmann/json.hpp>

#include "CFile.h"
#include "CPreset.h"
#include "Commands.h"
#include "DumpSlots.h"
#include "utilities.h"

namespace {

struct SlotReport {
  int index = 0;
  bool readable = false;  // all 615 bytes are in the file
  int number = -1;        // -1 when the number bytes are missing
  std::string label;
  bool header = false;
  bool end = false;
  bool checksum = false;
  bool Valid() const { return readable && header && end && checksum; }
};

// Reads the label the way the dump list does: straight from the bytes, so a
// damaged or partial slot still gets one when its number and name are there.
std::string ReadLabel(CFile& file, int slot, int& number) {
  std::array<uint8_t, 2> num{};
  std::array<uint8_t, Offset::NameLength> name{};
  if (!file.Read(num, 0, SlotPosition(slot) + Offset::Number, 2)) return "";
  number = ReadValue14(num, 0);
  if (!file.Read(name, 0, SlotPosition(slot) + Offset::Name, Offset::NameLength)) return "";
  return SlotLabel(number, name.data());
}

SlotReport InspectSlot(CFile& file, int slot) {
  SlotReport r;
  r.index = slot;
  r.label = ReadLabel(file, slot, r.number);
  PresetImage image{};
  r.readable = file.Read(image, 0, SlotPosition(slot), kPresetSize);
  if (r.readable) {
    r.header = HasPresetHeader(image);
    r.end = HasEndByte(image);
    r.checksum = ChecksumMatches(image);
  }
  return r;
}

const char* OkText(bool ok) { return ok ? "ok" : "BAD"; }

void PrintText(const std::string& path, const std::vector<SlotReport>& slots) {
  std::cout << path << ": " << slots.size() << (slots.size() == 1 ? " slot\n" : " slots\n");
  for (const SlotReport& r : slots) {
    std::cout << "  slot " << r.index << ": ";
    if (!r.readable) {
      std::cout << "unreadable (partial slot)";
      if (!r.label.empty()) std::cout << "  \"" << r.label << "\"";
      std::cout << "\n";
      continue;
    }
    std::cout << "number " << r.number << "  \"" << r.label << "\"  header " << OkText(r.header)
              << "  end " << OkText(r.end) << "  checksum " << OkText(r.checksum)
              << (r.Valid() ? "" : "  -> INVALID") << "\n";
  }
}

nlohmann::json ToJson(const std::string& path, const std::vector<SlotReport>& slots) {
  nlohmann::json list = nlohmann::json::array();
  for (const SlotReport& r : slots) {
    list.push_back({{"index", r.index},
                    {"readable", r.readable},
                    {"number", r.number < 0 ? nlohmann::json(nullptr) : nlohmann::json(r.number)},
                    {"label", r.label},
                    {"header", r.header},
                    {"end", r.end},
                    {"checksum", r.checksum},
                    {"valid", r.Valid()}});
  }
  return {{"file", path}, {"slots", list}};
}

struct InfoOptions {
  bool json = false;
  std::vector<std::string> files;
};

int Info(const InfoOptions& o) {
  if (o.files.empty()) throw UsageError("no file given");
  bool allValid = true;
  nlohmann::json report = nlohmann::json::array();
  for (const std::string& path : o.files) {
    CFile file;
    if (!file.OpenFile(path)) throw UsageError("cannot open '" + path + "': no such file or not a file");
    std::vector<SlotReport> slots;
    const int count = SlotCount(file.Size());
    for (int slot = 0; slot < count; ++slot) {
      slots.push_back(InspectSlot(file, slot));
      allValid = allValid && slots.back().Valid();
    }
    if (count == 0) allValid = false;
    if (o.json) {
      report.push_back(ToJson(path, slots));
    } else {
      PrintText(path, slots);
      if (count == 0) std::cout << "  no preset in this file\n";
    }
  }
  if (o.json) std::cout << report.dump(2) << "\n";
  return allValid ? ExitCode::Ok : ExitCode::Failed;
}

}  // namespace

Runner DefineInfo(CLI::App& app) {
  auto o = std::make_shared<InfoOptions>();
  app.add_flag("--json", o->json, "print the report as JSON");
  app.add_option("FILE", o->files, "preset or dump files (.syx)");
  return [o] { return Info(*o); };
}
