// One MIDI input device for one transfer. Like a driver with one 615-byte
// receive buffer, it holds one received System Exclusive message at a time
// in that buffer and reports it with MIM_LONGDATA; unlike such a driver it
// never drops a message: messages that arrive while the caller still holds
// the buffer wait in a queue, and the next ReadSysEx moves the oldest one in
// and reports it. Short messages report MIM_DATA at once; bytes that form no
// MIDI message and device failures report MIM_ERROR in their turn, after
// the messages queued before them.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "MidiPorts.h"
#include "PresetLayout.h"

class MidiSystem;
class MidiInputDevice;

class CMIDIInPort final : public IMidiInput {
 public:
  // Receives the event numbers on the device's thread (or on the caller's,
  // when ReadSysEx moves a queued message in); it must only store and wake.
  using EventCallback = std::function<void(int32_t nMsg)>;

  CMIDIInPort(MidiSystem& system, EventCallback onEvent);
  // Closes the device, ignoring every error.
  ~CMIDIInPort() override;
  CMIDIInPort(const CMIDIInPort&) = delete;
  CMIDIInPort& operator=(const CMIDIInPort&) = delete;

  // False when the port is open already (the open device stays) or the
  // device cannot be opened.
  bool OpenPort(int16_t device);
  // Always false; errors are ignored. Queued messages are dropped.
  bool ClosePort();
  // Copies the 615-byte buffer into data from start on (as much as fits);
  // the buffer stays with the caller, so later messages queue. Always true.
  // A message shorter than 615 bytes leaves the buffer's older tail.
  bool Read(std::span<uint8_t> data, int start, int length) override;
  // Copies like Read, then hands the buffer back: the oldest queued message
  // moves in and is reported. Errors 30005 (port not open) and 30006 (the
  // device can receive no more) are logged and give false. recorded, when
  // given, gets the length of the message that was in the buffer.
  bool ReadSysEx(std::span<uint8_t> data, int start, int length, std::size_t* recorded = nullptr);

  // The length of the message in the buffer, which may differ from 615.
  std::size_t HeldLength() const;
  bool IsOpen() const { return input_ != nullptr; }
  int16_t Device() const { return device_; }
  // Messages and error events received but not yet reported.
  std::size_t Queued() const;

 private:
  void Receive(std::vector<uint8_t> message);
  void HandBackBuffer();
  void ReportError();
  void Hold(const std::vector<uint8_t>& message);  // with mutex_ held
  // Returns the length of the message in the buffer.
  std::size_t CopyBuffer(std::span<uint8_t> data, int start) const;
  void Notify(int32_t nMsg) const;

  MidiSystem& system_;
  EventCallback onEvent_;
  int16_t device_ = 0;
  std::unique_ptr<MidiInputDevice> input_;
  mutable std::mutex mutex_;
  PresetImage buffer_{};
  std::size_t heldLength_ = 0;
  bool bufferHeld_ = false;  // the buffer holds a message the caller has not handed back
  std::deque<std::vector<uint8_t>> queue_;  // an empty entry is an error event
};
