// The MIDI side of the controller tool: sends one set-up (a program change
// and up to five controller changes) or one pedal value, each through a fresh
// output port that is released when the send is over.
//
// The controller 2 toggle: a set-up whose first two controller numbers are
// equal sends controller 1's value and controller 2's value by turns. The
// turn is one flag shared by every set-up, False at the start.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "MidiTimings.h"

class CMIDIOutPort;
class IEventPump;
class MidiSystem;

inline constexpr int kSetupControllers = 5;

struct ControllerSetup {
  uint8_t program = 0;  // 1-based as the user counts; 0: no program change
  std::array<uint8_t, kSetupControllers> controllers{};  // 0: not used
  std::array<uint8_t, kSetupControllers> values{};
};

class ControllerSender {
 public:
  // The list position of the chosen output device, -1 for none.
  using DevicePosition = std::function<int()>;

  ControllerSender(MidiSystem& system, DevicePosition device, IEventPump& pump);
  ~ControllerSender();

  // Shortens the pause after a program change (tests).
  void SetTimings(const MidiTimings& timings) { timings_ = timings; }
  // Throws LindelError at the first failure; nothing after it is sent. The
  // controller changes follow a program change after its pause, during which
  // the window keeps repainting.
  void SendSetup(const ControllerSetup& setup, uint8_t channel);
  // Sends nothing when the port does not open; a refused send goes unreported.
  void SendPedal(uint8_t channel, uint8_t controller, uint8_t value);
  bool Toggle() const { return toggle_; }

 private:
  std::unique_ptr<CMIDIOutPort> OpenPort();
  void SendControllers(CMIDIOutPort& port, const ControllerSetup& setup, uint8_t channel);
  void PauseForProgramChange();

  MidiSystem& system_;
  DevicePosition device_;
  IEventPump& pump_;
  MidiTimings timings_;
  bool toggle_ = false;
};
