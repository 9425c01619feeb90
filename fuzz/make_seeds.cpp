// lindel-fuzz-seeds FOLDER: writes the small seed corpus of every fuzz target
// into FOLDER/<target>/, made by code from presets with known values.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "FuzzFields.h"
#include "PresetBuilder.h"
#include "PresetDatabase.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

class Corpus {
 public:
  Corpus(const fs::path& root, const std::string& target) : folder_(root / target) {
    fs::create_directories(folder_);
  }
  void Add(const Bytes& bytes) {
    std::ofstream out(folder_ / ("seed-" + std::to_string(next_++)), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  fs::path folder_;
  int next_ = 0;
};

Bytes Preset(int number, uint32_t seed, const std::string& name = "Seed") {
  return PresetBuilder().Name(name).Number(number).Scramble(seed).Bytes();
}

Bytes Request(int number) {
  return {0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, static_cast<uint8_t>(number & 0x7F),
          static_cast<uint8_t>(number >> 7), 0xF7};
}

void PresetSeeds(Corpus c) {
  c.Add(PresetBuilder().Bytes());
  c.Add(Preset(105, 1, "Crunch"));
  c.Add(PresetBuilder().Scramble(2).BadChecksum().Bytes());
  c.Add(Joined({Preset(7, 3), FieldWriter().Text("Lead \xe2\x82\xac").Choice(0).Choice(0).Choice(0).Choice(1).Data()}));
  c.Add(Bytes(kPresetSize, 0xFF));
}

void DumpSeeds(Corpus c) {
  c.Add({});
  c.Add(Preset(101, 1));
  c.Add(DumpBytes(3));
  c.Add(Joined({DumpBytes(2), Bytes(400, 0x11)}));  // a partial slot that still counts
  c.Add(Joined({DumpBytes(1), Bytes(100, 0x22)}));  // a tail too short to count
  c.Add(Joined({Preset(110, 4), Preset(110, 5), PresetBuilder().Number(111).BadChecksum().Bytes()}));
}

void ListSeeds(Corpus c) {
  const std::string records = FormatPresetRecord({1, "Clean", "Song", "Desc", "0"}) +
                              FormatPresetRecord({2, "Lead|x", "", "Two\tlines", "12"});
  c.Add(FieldWriter().Text(records).Text(records).Choice(3).Choice(0).Data());
  c.Add(FieldWriter().Text("7|only three|fields|").Text("").Data());
  c.Add(FieldWriter().Text("x|a|b|c|d|").Text(records).Choice(0).Choice(0xFE).Data());
  c.Add(FieldWriter().Text(" +2147483647 |n|s|d|0|").Text(records).Choice(1).Choice(0xFF).Data());
}

void MidiInputSeeds(Corpus c) {
  c.Add(Joined({{0x00}, Preset(0, 1)}));                           // a request answered
  c.Add(Joined({{0x01}, DumpBytes(3)}));                           // a dump of three
  c.Add(Joined({{0x21}, DumpBytes(2), {0xC0, 0x05}}));             // a device error mid-dump
  c.Add(Joined({{0x00}, {0xF0, 0x00, 0x20}, Preset(0, 2)}));       // a cut-off message, then the preset
  c.Add(Joined({{0x01}, {0xB0, 0x07, 0x64, 0x12, 0x34}, Request(3)}));
}

void SimulatorSeeds(Corpus c) {
  c.Add(Joined({Request(0), Request(5), Request(150)}));
  c.Add(Joined({Preset(0, 1), Preset(105, 2), Preset(50, 3), Request(105)}));
  c.Add({0xC0, 0x05, 0xB0, 0x07, 0x64, 0xF0, 0x00, 0xF7});
  c.Add(DumpBytes(2));
}

Bytes Upload(uint8_t parts, const Bytes& preset, const std::string& name, const std::string& song,
             const std::string& description) {
  return FieldWriter().Choice(parts).Bytes(preset).Text(name).Text(song).Text(description).Data();
}

void ServerUploadSeeds(Corpus c) {
  c.Add(Upload(0, Preset(101, 1), "Mine", "Song", "It's a \"quote\" | and more"));
  c.Add(Upload(0x02, Preset(102, 2, "Stored name"), "", "", ""));
  c.Add(Upload(0, PresetBuilder().BadChecksum().Bytes(), "Bad", "", ""));
  c.Add(Upload(0, Preset(103, 3), "\xc3\x28 not utf-8", "", ""));
  c.Add(Upload(0x01, {}, "no preset part", "", ""));
  c.Add(Upload(0x10, Preset(104, 4), "not multipart", "", ""));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lindel-fuzz-seeds FOLDER\n";
    return 2;
  }
  const fs::path root = argv[1];
  PresetSeeds({root, "fuzz_preset"});
  DumpSeeds({root, "fuzz_dump"});
  ListSeeds({root, "fuzz_preset_list"});
  MidiInputSeeds({root, "fuzz_midi_input"});
  SimulatorSeeds({root, "fuzz_simulator"});
  ServerUploadSeeds({root, "fuzz_server_upload"});
  return 0;
}
