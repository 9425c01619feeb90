// What the preset record needs of the MIDI ports, so that the record can send
// and receive itself without the model depending on a MIDI library.
// CMIDIOutPort and CMIDIInPort implement these.
#pragma once

#include <cstdint>
#include <span>

class IMidiOutput {
 public:
  virtual ~IMidiOutput() = default;
  // Sends length bytes of data from index start as one System Exclusive
  // message; the port copies the bytes, so the caller may reuse them at once.
  virtual bool Transmit(std::span<const uint8_t> data, int start, int length) = 0;
};

class IMidiInput {
 public:
  virtual ~IMidiInput() = default;
  // Copies the 615 bytes of the receive buffer into data from index start.
  virtual bool Read(std::span<uint8_t> data, int start, int length) = 0;
};
