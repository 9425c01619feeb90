#include "CMIDIInPort.h"

#include <algorithm>

#include "CLog.h"
#include "LindelError.h"
#include "MidiEvents.h"
#include "MidiSystem.h"

namespace {

constexpr const char* kReadSysExSource = "CMIDIInPort.ReadSysEx";

bool IsStatusByte(uint8_t b) { return (b & 0x80) != 0; }

bool Refuse(int number, const char* description) {
  LogError(LindelError(number, kReadSysExSource, description));
  return false;
}

}  // namespace

CMIDIInPort::CMIDIInPort(MidiSystem& system, EventCallback onEvent)
    : system_(system), onEvent_(std::move(onEvent)) {}

CMIDIInPort::~CMIDIInPort() { ClosePort(); }

bool CMIDIInPort::OpenPort(int16_t device) {
  if (input_) return false;
  MidiInputHandler handler{[this](std::vector<uint8_t> message) { Receive(std::move(message)); },
                           [this](const std::string&) { ReportError(); }};
  try {
    input_ = system_.OpenInput(device, std::move(handler));
  } catch (const std::exception&) {
    input_.reset();
  }
  if (!input_) return false;
  device_ = device;
  return true;
}

bool CMIDIInPort::ClosePort() {
  try {
    input_.reset();  // no callback runs after this
  } catch (...) {  // closing ignores every error
  }
  std::lock_guard lock(mutex_);
  queue_.clear();
  bufferHeld_ = false;
  device_ = 0;
  return false;
}

void CMIDIInPort::Receive(std::vector<uint8_t> message) {
  if (message.empty()) return;
  if (message[0] != 0xF0) {
    if (IsStatusByte(message[0])) {
      Notify(MIM_DATA);
    } else {
      ReportError();
    }
    return;
  }
  {
    std::lock_guard lock(mutex_);
    if (bufferHeld_) {
      queue_.push_back(std::move(message));
      return;
    }
    Hold(message);
  }
  Notify(MIM_LONGDATA);
}

// An error reported at once would end a dump before the whole messages
// that arrived ahead of it were read, so it waits behind them (an empty
// entry in the queue).
void CMIDIInPort::ReportError() {
  {
    std::lock_guard lock(mutex_);
    if (bufferHeld_) {
      queue_.emplace_back();
      return;
    }
  }
  Notify(MIM_ERROR);
}

// A longer message keeps its first 615 bytes; a shorter one leaves the
// buffer's older tail, as a driver's reused buffer would.
void CMIDIInPort::Hold(const std::vector<uint8_t>& message) {
  std::copy_n(message.begin(), std::min(message.size(), buffer_.size()), buffer_.begin());
  heldLength_ = message.size();
  bufferHeld_ = true;
}

std::size_t CMIDIInPort::CopyBuffer(std::span<uint8_t> data, int start) const {
  std::lock_guard lock(mutex_);
  if (start < 0 || static_cast<std::size_t>(start) >= data.size()) return heldLength_;
  const std::size_t count = std::min(buffer_.size(), data.size() - static_cast<std::size_t>(start));
  std::copy_n(buffer_.begin(), count, data.begin() + start);
  return heldLength_;
}

bool CMIDIInPort::Read(std::span<uint8_t> data, int start, int /*length: always the whole buffer*/) {
  CopyBuffer(data, start);
  return true;
}

bool CMIDIInPort::ReadSysEx(std::span<uint8_t> data, int start, int /*length: always the whole buffer*/,
                            std::size_t* recorded) {
  const std::size_t length = CopyBuffer(data, start);
  if (recorded) *recorded = length;
  if (!input_) return Refuse(ErrorNumber::PrepareBuffer, "Unable to prepare buffer");
  if (!input_->CanReceive()) return Refuse(ErrorNumber::AddBuffer, "Unable to add a buffer");
  HandBackBuffer();
  return true;
}

void CMIDIInPort::HandBackBuffer() {
  for (;;) {
    std::vector<uint8_t> next;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) {
        bufferHeld_ = false;
        return;
      }
      next = std::move(queue_.front());
      queue_.pop_front();
      if (!next.empty()) Hold(next);
    }
    if (!next.empty()) return Notify(MIM_LONGDATA);
    Notify(MIM_ERROR);  // and the buffer goes on to the next message
  }
}

std::size_t CMIDIInPort::HeldLength() const {
  std::lock_guard lock(mutex_);
  return heldLength_;
}

std::size_t CMIDIInPort::Queued() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

void CMIDIInPort::Notify(int32_t nMsg) const {
  if (onEvent_) onEvent_(nMsg);
}
