#include "BackupCommands.h"
#include "LibraryCommands.h"

#include <algorithm>

#include "CFileUI.h"
#include "CommandSteps.h"
#include "DeviceBackup.h"
#include "Dialogs.h"
#include "Guarded.h"
#include "SendVerification.h"
#include "dlgMidiSetup.h"
#include "dlgReadPresets.h"
#include "frmMDIMain.h"
#include "utilities.h"

namespace {

constexpr const char* kBackupSource = "Backup Device menu";
constexpr const char* kBackupTitle = "Backup Device";
constexpr const char* kBackupQuestion =
    "Read the 100 user presets of the G-Major into a dump file, one by one?\nThis takes about 20 seconds.";
constexpr const char* kVerifyTitle = "SysEx Send - verify";
// A longer list of presets is counted rather than listed in a caption.
constexpr std::size_t kLongestListedPresets = 40;

bool Complete(const BackupOutcome& outcome) { return outcome.written && outcome.read.Complete(); }

MessageIcon IconFor(bool good) { return good ? MessageIcon::Information : MessageIcon::Exclamation; }

std::string BackupCaption(const std::vector<int>& user) {
  const std::string list = PresetList(user);
  if (list.size() <= kLongestListedPresets) return "Back up " + list + " to a file first";
  return "Back up the " + std::to_string(user.size()) + " user presets it overwrites to a file first";
}

// The numbers read back that showed what was sent.
std::vector<int> HeldAsSent(const PresetReadResult& read, const std::vector<Mismatch>& mismatches) {
  std::vector<int> held;
  for (const PresetImage& image : read.presets) {
    const int number = ReadValue14(image, Offset::Number);
    if (std::ranges::none_of(mismatches, [number](const Mismatch& m) { return m.number == number; }))
      held.push_back(number);
  }
  return held;
}

}  // namespace

void BackupCommands::BackupDevice() {
  Guarded(kBackupSource, [&] {
    RequireMidi(frame_.MidiSetup(), CommandError::MidiNotSetUp, "Midi not setup correctly", kBackupSource);
    std::vector<MessageOption> options{{"chkFactory", "Also read the 100 factory presets", false}};
    if (Dialogs().MessageWithOptions(kBackupQuestion, kBackupTitle, MessageIcon::Question, MessageButtons::OkCancel,
                                     options) != MessageAnswer::Ok) {
      return;
    }
    const std::string path = frame_.Files().GetSaveFile(&frame_);
    if (path.empty()) return;
    const std::vector<int> numbers = BackupNumbers({1, 100, options[0].checked});
    const BackupOutcome outcome = SaveBackup(ReadFromDevice(kBackupTitle, numbers), numbers.size(), path);
    if (outcome.written) frame_.Library().DeviceDumpArrived(path);
    Dialogs().Message(BackupReport(outcome, path), kBackupTitle, IconFor(Complete(outcome)));
  });
}

std::optional<bool> BackupCommands::ConfirmSend(const std::string& fileName, const std::string& warning,
                                                const std::string& title) {
  const auto sent = PresetsToVerify(fileName);
  const std::vector<int> user = sent ? UserPresetsAmong(NumbersOf(*sent)) : std::vector<int>{};
  std::vector<MessageOption> options{{"chkVerify", "Verify: read every sent preset back and compare", false}};
  if (!user.empty()) options.push_back({"chkBackup", BackupCaption(user), false});
  if (Dialogs().MessageWithOptions(warning, title, MessageIcon::Critical, MessageButtons::YesNo, options,
                                   MessageAnswer::No) != MessageAnswer::Yes) {
    return std::nullopt;
  }
  if (!user.empty() && options[1].checked && !BackUpFirst(user)) return std::nullopt;
  return options[0].checked;
}

bool BackupCommands::BackUpFirst(const std::vector<int>& user) {
  const std::string path = frame_.Files().GetSaveFile(&frame_);
  if (path.empty()) return false;
  const BackupOutcome outcome = SaveBackup(ReadFromDevice(kBackupTitle, user), user.size(), path);
  if (outcome.written) frame_.Library().DeviceDumpArrived(path);
  if (Complete(outcome)) return true;
  Dialogs().Message(BackupReport(outcome, path) + "\nNothing was sent.", kBackupTitle, MessageIcon::Exclamation);
  return false;
}

std::vector<int> BackupCommands::VerifySentDump(const std::string& fileName) {
  const auto sent = PresetsToVerify(fileName);
  if (!sent) throw LindelError(ErrorNumber::Preset, "File->Send sysex", "Unable to open SysEx file");
  const PresetReadResult read = ReadFromDevice("Verifying sent presets", NumbersOf(*sent));
  const std::vector<Mismatch> mismatches = CompareReadBack(*sent, read);
  Dialogs().Message(VerificationReport(mismatches, sent->size(), read), kVerifyTitle,
                    IconFor(mismatches.empty() && read.Complete()));
  return HeldAsSent(read, mismatches);
}

PresetReadResult BackupCommands::ReadFromDevice(const QString& caption, const std::vector<int>& numbers) {
  const MidiDeviceChoice& devices = frame_.MidiSetup().Transfer().Devices();
  dlgReadPresets dialog(frame_.Midi(), &frame_);
  return dialog.Read(caption, devices.InputPosition(), devices.OutputPosition(), numbers);
}
