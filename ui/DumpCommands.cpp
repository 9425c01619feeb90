#include "DumpCommands.h"
#include "LibraryCommands.h"

#include <filesystem>

#include "BackupCommands.h"
#include "CFile.h"
#include "CFileUI.h"
#include "CommandSteps.h"
#include "Dialogs.h"
#include "Guarded.h"
#include "RecentFiles.h"
#include "dlgMidiSetup.h"

namespace {

constexpr const char* kSendWarning =
    "Warning, this will over write presets on your G-Major\nAre you sure you want to continue?";

void ReportOpen(DumpOpened opened, const std::string& fileName) {
  const std::string problem = DumpOpenProblem(opened, fileName);
  if (!problem.empty()) ShowMessage(problem);
}

// A write that failed leaves the preset marked not valid although its bytes
// are whole; it is made valid again so that it can still be saved elsewhere.
void KeepUsable(CPreset& preset) {
  const PresetImage image = preset.Image();
  preset.LoadFromByteArray(image);
}

std::string SplitSummary(const SplitResult& result, const std::filesystem::path& folder) {
  if (!result.refused.empty()) return "Unable to split the dump: " + result.refused + ". Rename the dump first.";
  const std::string where = folder.empty() ? std::filesystem::current_path().string() : folder.string();
  std::string text = std::to_string(result.Written()) + " of " + std::to_string(result.slots.size()) +
                     " presets written to " + where;
  if (!result.AllWritten()) text += "\nThe others were damaged or could not be written.";
  return text;
}

}  // namespace

std::string DumpOpenProblem(DumpOpened opened, const std::string& fileName) {
  switch (opened) {
    case DumpOpened::Yes: return "";
    case DumpOpened::Truncated: return fileName + " ends inside its last preset, which cannot be shown";
    case DumpOpened::Unreadable: return "Unable to open file: " + fileName;
    case DumpOpened::NoPresets: return fileName + " holds no preset";
  }
  return "";
}

void DumpCommands::OpenSysExDump() {
  Guarded("Open SysEx dump menu", [&] {
    if (!frame_.ConfirmLoseChanges()) return;
    const std::string fileName = frame_.Files().GetOpenFile(&frame_);
    if (!fileName.empty()) OpenFile(fileName);
  });
}

bool DumpCommands::OpenFile(const std::string& fileName) {
  DumpOpened opened;
  {
    const WaitCursor wait;
    opened = frame_.OpenDump(fileName);
  }
  ReportOpen(opened, fileName);
  if (opened != DumpOpened::Yes && opened != DumpOpened::Truncated) return false;
  frame_.Library().DumpFileArrived(fileName);
  RecentFiles(frame_.Settings()).Add(fileName);
  return true;
}

void DumpCommands::SaveSysExDump() {
  Guarded("Save SysEx dump menu", [&] { SaveSlot(); });
}

// The pane's entry of the slot on screen is renamed; it is the selected one,
// since showing a slot always selects its entry.
void DumpCommands::SaveSlot() {
  const int slot = frame_.DumpSlot();
  CSysEx* dump = frame_.Dump();
  if (!dump || slot < 0 || !frame_.GatherPreset(false)) return;
  const std::shared_ptr<CPreset> preset = frame_.Preset();
  dump->UpdatePreset(preset);
  if (!preset->IsValid()) {
    KeepUsable(*preset);
    const LindelError error(ErrorNumber::Preset, "Save SysEx dump menu",
                            "Unable to write the preset into " + dump->FileName());
    LogError(error);
    ShowMessage(error.Description());
    return;
  }
  frame_.RelabelSlot(slot);
  frame_.MarkSaved();
  frame_.Library().PresetArrived("editor", dump->FileName());
}

void DumpCommands::ReceiveSysEx() {
  Guarded("Receive SysEx menu", [&] {
    RequireMidi(frame_.MidiSetup(), ErrorNumber::Preset, "Midi setup failed", "Receive SysEx menu");
    if (!frame_.ConfirmLoseChanges()) return;
    frame_.CloseDump();
    const std::string fileName = frame_.Files().GetSaveFile(&frame_);
    if (fileName.empty()) return;
    bool received = false;
    {
      CFile file;
      // The file layer has said why it could not create the file.
      if (!file.Create(fileName)) return;
      received = frame_.MidiSetup().ReceiveSysEx(file);
    }
    if (!received) {
      ShowMessage("Unable to receive SysEx");
      return;
    }
    OpenFile(fileName);  // the file is closed again before the dump is opened on it
    frame_.Library().DeviceDumpArrived(fileName);
  });
}

void DumpCommands::SendSysEx() {
  Guarded("Send SysEx menu", [&] {
    RequireMidi(frame_.MidiSetup(), CommandError::MidiNotSetUp, "Midi not setup correctly", "Send SysEx menu");
    const std::string fileName = frame_.Dump() ? frame_.Dump()->FileName() : "";
    if (fileName.empty() || !frame_.ConfirmLoseChanges()) return;
    BackupCommands safeguards(frame_);
    const std::optional<bool> verify = safeguards.ConfirmSend(fileName, kSendWarning, "SysEx Send - warning");
    if (!verify) return;
    frame_.CloseDump();
    if (!SendFile(fileName)) {
      frame_.Library().DumpSent(fileName, std::vector<int>{});  // any of them may have arrived
    } else {
      frame_.Library().DumpSent(fileName, *verify ? std::optional(safeguards.VerifySentDump(fileName)) : std::nullopt);
    }
    OpenFile(fileName);
  });
}

bool DumpCommands::SendFile(const std::string& fileName) {
  bool sent = false;
  {
    CFile file;
    if (!file.OpenFile(fileName)) throw LindelError(ErrorNumber::Preset, "File->Send sysex", "Unable to open SysEx file");
    sent = frame_.MidiSetup().SendSysEx(file);
  }
  if (!sent) ShowMessage("Unable to send SysEx");
  return sent;
}

// Beside the dump rather than in the process's current folder, which a
// desktop program does not choose and the user cannot see.
void DumpCommands::SplitSysEx() {
  Guarded("Split SysEx menu", [&] {
    CSysEx* dump = frame_.Dump();
    if (!dump) return;
    const std::filesystem::path folder = std::filesystem::path(dump->FileName()).parent_path();
    SplitResult result;
    {
      const WaitCursor wait;
      result = dump->SplitFile(folder);
    }
    ShowMessage(SplitSummary(result, folder));
  });
}
