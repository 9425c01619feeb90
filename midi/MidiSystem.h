// The MIDI devices of the machine as the program sees them: two lists of
// names (inputs, outputs) and a way to open one entry of each. A device's
// list position is its device index. Implementations: RtMidiSystem (the
// operating system's MIDI stack), SimulatorMidiSystem (the built-in G-Major),
// MidiSystemChain (one after the other), and in-memory fakes in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

// Receives what an open input device delivers, on the device's own thread.
struct MidiInputHandler {
  // One complete message: a System Exclusive message from F0 to F7, or a
  // short message, or bytes that form no message at all.
  std::function<void(std::vector<uint8_t> message)> onMessage;
  // The device reported a failure while receiving.
  std::function<void(const std::string& reason)> onError;
};

// An open input device; destroying it closes the device, after which the
// handler is never called again.
class MidiInputDevice {
 public:
  virtual ~MidiInputDevice() = default;
  // False once the device was lost or failed, so no further input can come.
  virtual bool CanReceive() const = 0;
};

// An open output device; destroying it closes the device.
class MidiOutputDevice {
 public:
  virtual ~MidiOutputDevice() = default;
  // Hands one complete message to the driver; the bytes may be reused when
  // this returns. False when the driver refused it.
  virtual bool Send(std::span<const uint8_t> message) = 0;
};

class MidiSystem {
 public:
  virtual ~MidiSystem() = default;
  virtual std::vector<std::string> InputNames() = 0;
  virtual std::vector<std::string> OutputNames() = 0;
  // Null when the device cannot be opened (no such index, in use, gone).
  virtual std::unique_ptr<MidiInputDevice> OpenInput(int index, MidiInputHandler handler) = 0;
  virtual std::unique_ptr<MidiOutputDevice> OpenOutput(int index) = 0;
};
