#include "EditorBankDevice.h"

#include "CFile.h"
#include "dlgMidiSetup.h"
#include "dlgReadPresets.h"
#include "frmMDIMain.h"

std::string EditorBankDevice::Name() const {
  dlgMidiSetup& setup = frame_.MidiSetup();
  if (!setup.IsSetup()) return "";
  const MidiDeviceChoice& devices = setup.Transfer().Devices();
  return devices.Outputs()[static_cast<std::size_t>(devices.OutputPosition())];
}

PresetReadResult EditorBankDevice::Read(const std::vector<int>& numbers) {
  const MidiDeviceChoice& devices = frame_.MidiSetup().Transfer().Devices();
  dlgReadPresets dialog(frame_.Midi(), &frame_);
  return dialog.Read("Reading the bank's presets", devices.InputPosition(), devices.OutputPosition(), numbers);
}

std::string EditorBankDevice::Send(const std::vector<uint8_t>& dump) {
  return SendAsFile(dump, [this](CFile& file) {
    dlgMidiSetup& setup = frame_.MidiSetup();
    return setup.SendSysEx(file) ? "" : setup.Transfer().FailureReason();
  });
}
