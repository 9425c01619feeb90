// One MIDI output device for one transfer or one sending run of the
// controller tool. Long messages (presets, requests) are paced at the MIDI
// wire rate and reported MOM_DONE through the event callback when their wire
// time is over; short messages (program and control changes) are not paced
// beyond waiting for a long message to finish.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "MidiPorts.h"
#include "MidiTimings.h"

class MidiSystem;
class PacedOutput;

class CMIDIOutPort final : public IMidiOutput {
 public:
  // Receives MOM_DONE on the pacer's thread; it must only store and wake.
  using EventCallback = std::function<void(int32_t nMsg)>;

  CMIDIOutPort(MidiSystem& system, EventCallback onEvent, MidiTimings timings = {});
  // Closes the device, ignoring every error.
  ~CMIDIOutPort() override;
  CMIDIOutPort(const CMIDIOutPort&) = delete;
  CMIDIOutPort& operator=(const CMIDIOutPort&) = delete;

  // False when the port is open already (the open device stays) or the
  // device cannot be opened.
  bool OpenPort(int16_t device);
  // Always false; errors are ignored and a closed port may be closed again.
  bool ClosePort();
  // Sends length bytes from data[start] as one long message. The bytes are
  // handed to the driver before this returns, so the caller may reuse them.
  // Waits while an earlier message is still on the wire.
  bool Transmit(std::span<const uint8_t> data, int start, int length) override;
  // C0|channel, program; then pauses so the device can load the preset.
  // Errors are logged and give false.
  bool SendProgramChange(uint8_t channel, uint8_t program);
  // B0|channel, controller, value; no pause. Errors are logged.
  bool SendControllerChange(uint8_t channel, uint8_t controller, uint8_t value);

  // True while a long message is on the wire (until its MOM_DONE).
  bool Busy() const;
  bool IsOpen() const { return output_ != nullptr; }
  int16_t Device() const { return device_; }

 private:
  bool SendShort(std::span<const uint8_t> message, const char* source);

  MidiSystem& system_;
  EventCallback onEvent_;
  MidiTimings timings_;
  int16_t device_ = 0;
  std::unique_ptr<PacedOutput> output_;
};
