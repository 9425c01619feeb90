#include "AuditionPort.h"

#include "CLog.h"
#include "CMIDIOutPort.h"
#include "LindelError.h"

namespace {
constexpr const char* kSource = "Live audition";
}

AuditionPort::AuditionPort(MidiSystem& system, std::function<int()> outputPosition,
                           std::function<MidiTimings()> timings)
    : system_(system), outputPosition_(std::move(outputPosition)), timings_(std::move(timings)) {}

bool AuditionPort::Send(const PresetImage& image) {
  if (!Transmit(image)) return false;
  failing_ = false;
  ++sent_;
  return true;
}

bool AuditionPort::Transmit(const PresetImage& image) {
  const int position = outputPosition_();
  if (position < 0) {
    Failed("No MIDI output device is chosen");
    return false;
  }
  CMIDIOutPort port(system_, nullptr, timings_());
  if (!port.OpenPort(static_cast<int16_t>(position))) {
    Failed("Unable to open the MIDI output device");
    return false;
  }
  if (!port.Transmit(image, 0, static_cast<int>(image.size()))) {
    Failed("Unable to send the preset to the edit buffer");
    return false;
  }
  return true;
}

void AuditionPort::Failed(const std::string& why) {
  if (failing_) return;
  failing_ = true;
  LogError(LindelError(ErrorNumber::OpenOutPort, kSource, why));
}
