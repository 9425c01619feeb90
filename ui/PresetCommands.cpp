#include "PresetCommands.h"
#include "LibraryCommands.h"

#include "CFile.h"
#include "CFileUI.h"
#include "CommandSteps.h"
#include "Dialogs.h"
#include "Guarded.h"
#include "RecentFiles.h"
#include "dlgMidiSetup.h"
#include "dlgRequestPreset.h"

std::shared_ptr<CPreset> ReadPresetFile(const std::string& fileName) {
  int64_t size = 0;
  {
    CFile probe;
    if (!probe.OpenFile(fileName)) {
      ShowMessage("Unable to open file: " + fileName);
      return nullptr;
    }
    size = probe.Size();
  }
  const std::string notAPreset = fileName + " is not a G-Major preset file";
  if (size < static_cast<int64_t>(kPresetSize)) {
    ShowMessage(notAPreset);
    return nullptr;
  }
  auto preset = std::make_shared<CPreset>();
  if (!preset->Read(fileName)) {
    ShowRefusal(preset->Refused());
    return nullptr;
  }
  if (!HasPresetHeader(preset->Image()) || !HasEndByte(preset->Image())) {
    ShowMessage(notAPreset);
    return nullptr;
  }
  return preset;
}

// The wait cursor covers the transfer only: the questions before it are
// answered with the normal pointer.
void PresetCommands::RequestPreset() {
  Guarded("Preset Request menu", [&] {
    RequireMidi(frame_.MidiSetup(), CommandError::MidiNotSetUp, "Error with midi setup", "Preset Request menu");
    if (!frame_.ConfirmLoseChanges()) return;
    int number = 0;
    {
      dlgRequestPreset request(&frame_);
      if (!request.RequestPreset()) return;
      number = request.Preset();
    }
    auto requested = std::make_shared<CPreset>();
    bool received = false;
    {
      const WaitCursor wait;
      received = frame_.MidiSetup().RequestPreset(*requested, number);
    }
    if (!received) return;
    frame_.ShowSinglePreset(std::move(requested));
    frame_.Library().PresetArrived("device", "request " + std::to_string(number));
  });
}

void PresetCommands::LoadFromFile() {
  Guarded("Preset Load menu", [&] {
    if (!frame_.ConfirmLoseChanges()) return;
    const std::string fileName = frame_.Files().GetOpenFile(&frame_);
    if (!fileName.empty()) LoadFile(fileName);
  });
}

bool PresetCommands::LoadFile(const std::string& fileName) {
  std::shared_ptr<CPreset> loaded = ReadPresetFile(fileName);
  if (!loaded) return false;
  const WaitCursor wait;
  frame_.ShowSinglePreset(std::move(loaded));
  frame_.Library().PresetFileArrived(fileName);
  RecentFiles(frame_.Settings()).Add(fileName);
  return true;
}

// The edited mark stays: the device holds the preset, no file does.
void PresetCommands::TransmitPreset() {
  Guarded("Transmit preset menu", [&] {
    RequireMidi(frame_.MidiSetup(), CommandError::MidiNotSetUp, "Error setting up midi", "Transmit preset menu");
    if (!frame_.GatherPreset(true)) return;
    const std::shared_ptr<CPreset> preset = frame_.Preset();
    bool sent = false;
    {
      const WaitCursor wait;
      sent = frame_.MidiSetup().TransmitPreset(*preset);
    }
    if (!sent) ShowMessage("Error Transmitting Preset");
  });
}

void PresetCommands::SaveAsFile() {
  Guarded("Preset Save menu", [&] {
    if (!frame_.GatherPreset(true)) return;
    const std::string fileName = frame_.Files().GetSaveFile(&frame_);
    if (fileName.empty()) return;
    if (!frame_.Preset()->Save(fileName, 1)) {
      ShowRefusal(frame_.Preset()->Refused());
      return;
    }
    frame_.MarkSaved();
    frame_.Library().PresetFileArrived(fileName, "editor");
    RecentFiles(frame_.Settings()).Add(fileName);
  });
}

void PresetCommands::NewPreset() {
  Guarded("New Preset menu", [&] {
    if (!frame_.ConfirmLoseChanges()) return;
    const WaitCursor wait;
    auto fresh = std::make_shared<CPreset>();
    fresh->CreateNew();
    frame_.ShowSinglePreset(std::move(fresh));
  });
}
