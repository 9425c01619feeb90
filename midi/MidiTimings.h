// The fixed delays of MIDI work. Real runs use the defaults; tests shorten
// them so that a transfer needs no real waiting.
#pragma once

#include <chrono>
#include <cstddef>

// MIDI 1.0 sends 31,250 bits per second, ten bits per byte: 320 us a byte,
// about 197 ms for one 615-byte preset.
inline constexpr std::chrono::microseconds kWireTimePerByte{320};

struct MidiTimings {
  // A long message counts as sent once this much time per byte has passed;
  // the next one is not handed to the driver earlier, so neither the driver
  // nor the device loses any part of a dump.
  std::chrono::microseconds perByte = kWireTimePerByte;
  // After a numbered preset was transmitted, the device stores it.
  std::chrono::milliseconds transmitPause{1000};
  // After a program change, the device loads the preset.
  std::chrono::milliseconds programChangePause{1000};

  std::chrono::microseconds WireTime(std::size_t bytes) const {
    return perByte * static_cast<std::chrono::microseconds::rep>(bytes);
  }
};
