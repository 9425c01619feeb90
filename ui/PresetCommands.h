// The Preset menu: request a preset from the G-Major, load one from a file,
// transmit the preset on screen, save it as a file, start a new one. A
// command that brings a new preset replaces the current one only once the
// new one is complete, so a failed or cancelled request or load leaves the
// screen as it was.
#pragma once

#include <memory>
#include <string>

#include "frmMDIMain.h"

class PresetCommands {
 public:
  explicit PresetCommands(frmMDIMain& frame) : frame_(frame) {}

  void RequestPreset();
  void LoadFromFile();
  void TransmitPreset();
  void SaveAsFile();
  void NewPreset();
  // Puts the preset of a single-preset file on screen and lists the file
  // among the recent ones; false, after a message, when it holds none.
  bool LoadFile(const std::string& fileName);

 private:
  frmMDIMain& frame_;
};

// The preset in a single-preset file; null, after a message, when the file
// cannot be opened or holds no G-Major preset.
std::shared_ptr<CPreset> ReadPresetFile(const std::string& fileName);
