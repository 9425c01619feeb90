// Arbitrary MIDI byte streams sent to the simulated G-Major, cut into
// messages the way its RtMidi input delivers them, plus the same bytes as a
// bank file. Whatever it receives, every preset it sends back must be one
// the editor accepts.
#include <algorithm>
#include <cstdlib>

#include "CPreset.h"
#include "RtMidiSystem.h"
#include "SimulatedGMajor.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void RequireAcceptable(const MidiMessage& reply) {
  Require(reply.size() == kPresetSize);
  const std::span<const uint8_t, kPresetSize> image(reply.data(), kPresetSize);
  Require(HasPresetHeader(image) && HasEndByte(image) && ChecksumMatches(image));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SimulatedGMajor device;
  std::string why;
  const bool loaded = device.LoadUserBank({data, size}, why);
  Require(loaded || !why.empty());

  const std::vector<uint8_t> stream(data, data + size);
  auto begin = stream.begin();
  while (begin != stream.end()) {
    auto end = std::find(begin, stream.end(), uint8_t{0xF7});
    if (end != stream.end()) ++end;
    for (const auto& message : SplitAtSysExStarts({begin, end})) {
      for (const MidiMessage& reply : device.Receive(message).replies) RequireAcceptable(reply);
    }
    begin = end;
  }
  for (const MidiMessage& message : device.BulkDump()) RequireAcceptable(message);
  Require(device.UserBank().size() == SimulatedGMajor::kPresetsPerBank * kPresetSize);
  return 0;
}
