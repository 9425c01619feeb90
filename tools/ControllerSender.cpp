#include "ControllerSender.h"

#include "CMIDIOutPort.h"
#include "EventPump.h"
#include "LindelError.h"

namespace {

constexpr const char* kSendSource = "SendValues";
// The number is shared with the internet connection's connect error.
constexpr int kOpenPortError = ErrorNumber::HttpConnect;

struct SendError {
  int number;
  const char* description;
};

// By controller position: the error of a plain send.
constexpr SendError kControllerErrors[kSetupControllers] = {
    {30001, "Error sending Controller 1 change"}, {30002, "Error sending Controller 2B change"},
    {30003, "Error sending Controller 3 change"}, {30004, "Error sending Controller 4 change"},
    {30005, "Error sending Controller 5 change"},
};
constexpr SendError kToggleSecondError{30002, "Error sending Controller 2A change"};

void Send(CMIDIOutPort& port, uint8_t channel, uint8_t controller, uint8_t value, const SendError& error) {
  if (!port.SendControllerChange(channel, controller, value)) {
    throw LindelError(error.number, kSendSource, error.description);
  }
}

}  // namespace

ControllerSender::ControllerSender(MidiSystem& system, DevicePosition device, IEventPump& pump)
    : system_(system), device_(std::move(device)), pump_(pump) {}

ControllerSender::~ControllerSender() = default;

std::unique_ptr<CMIDIOutPort> ControllerSender::OpenPort() {
  // The port's own pause after a program change would freeze the window, so
  // it gets none and SendSetup pauses through the event pump instead.
  MidiTimings portTimings = timings_;
  portTimings.programChangePause = std::chrono::milliseconds(0);
  auto port = std::make_unique<CMIDIOutPort>(system_, nullptr, portTimings);
  if (!port->OpenPort(static_cast<int16_t>(device_()))) return nullptr;
  return port;
}

void ControllerSender::SendSetup(const ControllerSetup& setup, uint8_t channel) {
  const std::unique_ptr<CMIDIOutPort> port = OpenPort();
  if (!port) throw LindelError(kOpenPortError, "dlgController.sendValues()", "Error opening port");
  if (setup.program != 0) {
    if (!port->SendProgramChange(channel, static_cast<uint8_t>(setup.program - 1))) {
      throw LindelError(ErrorNumber::Preset, kSendSource, "Error sending Program Change");
    }
    PauseForProgramChange();
  }
  SendControllers(*port, setup, channel);
}

void ControllerSender::SendControllers(CMIDIOutPort& port, const ControllerSetup& setup, uint8_t channel) {
  const auto& cc = setup.controllers;
  const auto& value = setup.values;
  if (cc[0] != 0) {
    if (cc[0] == cc[1]) {
      // Toggle mode: one of the two values per press, and nothing else.
      if (!toggle_) {
        Send(port, channel, cc[0], value[0], kControllerErrors[0]);
      } else {
        Send(port, channel, cc[1], value[1], kToggleSecondError);
      }
      toggle_ = !toggle_;
      return;
    }
    toggle_ = false;
    Send(port, channel, cc[0], value[0], kControllerErrors[0]);
  }
  for (int k = 1; k < kSetupControllers; ++k) {
    if (cc[k] != 0) Send(port, channel, cc[k], value[k], kControllerErrors[k]);
  }
}

void ControllerSender::SendPedal(uint8_t channel, uint8_t controller, uint8_t value) {
  if (const std::unique_ptr<CMIDIOutPort> port = OpenPort()) port->SendControllerChange(channel, controller, value);
}

// The device needs the time to load the preset before it takes controller changes.
void ControllerSender::PauseForProgramChange() {
  const auto end = IEventPump::Clock::now() + timings_.programChangePause;
  pump_.ProcessPending();
  while (IEventPump::Clock::now() < end) pump_.WaitForWork(end);
}
