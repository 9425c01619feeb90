// The G-Major as the Bank window reaches it: through the devices chosen in
// MIDI Setup, reading in the preset reading window and sending through the
// dump send, each with its progress and Cancel.
#pragma once

#include "BankSync.h"

class frmMDIMain;

class EditorBankDevice final : public BankDevice {
 public:
  explicit EditorBankDevice(frmMDIMain& frame) : frame_(frame) {}

  // "" while MIDI is not set up.
  std::string Name() const override;
  PresetReadResult Read(const std::vector<int>& numbers) override;
  std::string Send(const std::vector<uint8_t>& dump) override;

 private:
  frmMDIMain& frame_;
};
