#include "CMIDIOutPort.h"

#include <array>
#include <thread>

#include "CLog.h"
#include "LindelError.h"
#include "MidiEvents.h"
#include "MidiSystem.h"
#include "PacedOutput.h"

CMIDIOutPort::CMIDIOutPort(MidiSystem& system, EventCallback onEvent, MidiTimings timings)
    : system_(system), onEvent_(std::move(onEvent)), timings_(timings) {}

CMIDIOutPort::~CMIDIOutPort() { ClosePort(); }

bool CMIDIOutPort::OpenPort(int16_t device) {
  if (output_) return false;
  std::unique_ptr<MidiOutputDevice> opened;
  try {
    opened = system_.OpenOutput(device);
  } catch (const std::exception&) {
    return false;
  }
  if (!opened) return false;
  output_ = std::make_unique<PacedOutput>(std::move(opened), timings_.perByte, [this] {
    if (onEvent_) onEvent_(MOM_DONE);
  });
  device_ = device;
  return true;
}

bool CMIDIOutPort::ClosePort() {
  try {
    output_.reset();
  } catch (...) {  // closing ignores every error
  }
  device_ = 0;
  return false;
}

bool CMIDIOutPort::Transmit(std::span<const uint8_t> data, int start, int length) {
  if (!output_ || start < 0 || length <= 0 || static_cast<std::size_t>(start) + length > data.size()) return false;
  return output_->Send(data.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
}

bool CMIDIOutPort::SendShort(std::span<const uint8_t> message, const char* source) {
  try {
    if (!output_) throw LindelError(ErrorNumber::Preset, source, "The output port is not open");
    return output_->Send(message, false);
  } catch (const LindelError& e) {
    LogError(e);
  } catch (const std::exception& e) {
    LogError(LindelError(ErrorNumber::Preset, source, e.what()));
  }
  return false;
}

bool CMIDIOutPort::SendProgramChange(uint8_t channel, uint8_t program) {
  const std::array<uint8_t, 2> message{static_cast<uint8_t>(0xC0 | channel), program};
  if (!SendShort(message, "CMIDIOutPort.SendProgramChange")) return false;
  std::this_thread::sleep_for(timings_.programChangePause);
  return true;
}

bool CMIDIOutPort::SendControllerChange(uint8_t channel, uint8_t controller, uint8_t value) {
  const std::array<uint8_t, 3> message{static_cast<uint8_t>(0xB0 | channel), controller, value};
  return SendShort(message, "CMIDIOutPort.SendControllerChange");
}

bool CMIDIOutPort::Busy() const { return output_ && output_->Busy(); }
