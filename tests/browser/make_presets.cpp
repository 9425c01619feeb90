// Writes COUNT valid presets named "Preset 001" on as FOLDER/preset-NNN.syx,
// for the browser test to import and upload.
#include <cstdio>
#include <string>

#include "PresetBuilder.h"
#include "TempDir.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_presets FOLDER COUNT\n");
    return 2;
  }
  const int count = std::stoi(argv[2]);
  for (int i = 1; i <= count; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", i);
    const auto bytes = PresetBuilder().Name(std::string("Preset ") + number).Number(101).Scramble(i).Bytes();
    WriteBytes(std::string(argv[1]) + "/preset-" + number + ".syx", bytes);
  }
  return 0;
}
