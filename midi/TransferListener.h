// What the MIDI setup window shows of a transfer. The engine calls these on
// the thread that runs the transfer (the user-interface thread), never on a
// MIDI thread. Every member has an empty default.
#pragma once

#include <string>

#include "Refusal.h"

class TransferListener {
 public:
  virtual ~TransferListener() = default;
  // The one-line status text (lblDisplay).
  virtual void StatusChanged(const std::string& /*text*/) {}
  // "Cancel", or "Done" while a dump is being received (CancelButton).
  virtual void CancelCaptionChanged(const std::string& /*caption*/) {}
  // Whether the device lists and OKButton may be used.
  virtual void ControlsEnabledChanged(bool /*enabled*/) {}
  // Presets received or sent so far in this dump transfer.
  virtual void DumpProgress(int /*presets*/) {}
  // The run is over (or the setup was cancelled): hide the window.
  virtual void RunEnded() {}
  // A refusal for the user (the port failed the request, the reply has a
  // bad checksum), when it happens.
  virtual void Refused(const Refusal& /*refusal*/) {}
};
