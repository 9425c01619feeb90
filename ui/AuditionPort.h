// Sends one preset image to the device for live audition: opens the output
// device the MIDI setup chose, hands the 615 bytes over and closes it again
// at once, so transfers and the controller tool find the device free. A
// failure is written to the error log once; further failures in a row are
// not, until a send succeeds again. Nothing is ever shown.
#pragma once

#include <functional>

#include "MidiTimings.h"
#include "PresetLayout.h"

class MidiSystem;

class AuditionPort {
 public:
  // outputPosition: the chosen output device, or -1 for none.
  AuditionPort(MidiSystem& system, std::function<int()> outputPosition, std::function<MidiTimings()> timings);

  bool Send(const PresetImage& image);
  // Sends since construction that reached the driver.
  int Sent() const { return sent_; }

 private:
  bool Transmit(const PresetImage& image);
  void Failed(const std::string& why);

  MidiSystem& system_;
  std::function<int()> outputPosition_;
  std::function<MidiTimings()> timings_;
  bool failing_ = false;
  int sent_ = 0;
};
