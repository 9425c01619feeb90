#include "LibraryCommands.h"

#include <QApplication>
#include <QFileDialog>
#include <algorithm>
#include <QProgressDialog>
#include <filesystem>

#include "CFileUI.h"
#include "CSysEx.h"
#include "Dialogs.h"
#include "DumpPane.h"
#include "EditorBankDevice.h"
#include "LibraryError.h"
#include "LibraryExport.h"
#include "LibraryHistory.h"
#include "LibraryImport.h"
#include "LibraryKeeper.h"
#include "LibraryPane.h"
#include "SendVerification.h"
#include "frmMDIMain.h"

namespace {

constexpr const char* kTitle = "Preset library";
constexpr size_t kRefusalsShown = 5;

std::string Absolute(const std::string& fileName) {
  return std::filesystem::absolute(fileName).lexically_normal().string();
}

// Every whole preset of the dump file, by slot; damaged slots left out.
std::vector<std::pair<int, PresetImage>> ReadSlots(const std::string& fileName) {
  std::vector<std::pair<int, PresetImage>> slots;
  CPreset slot;
  std::error_code error;
  const auto slotCount = static_cast<int>(std::filesystem::file_size(fileName, error) / kPresetSize);
  for (int i = 0; !error && i < slotCount; ++i) {
    if (slot.Read(fileName, i)) {
      slots.emplace_back(i, slot.Image());
    } else {
      ShowRefusal(slot.Refused());
    }
  }
  return slots;
}

}  // namespace

LibraryCommands::LibraryCommands(frmMDIMain& frame)
    : frame_(frame), keeper_(new LibraryKeeper(frame.Settings(), &frame)), pane_(new LibraryPane(*keeper_, &frame)) {
  frame.addDockWidget(Qt::RightDockWidgetArea, pane_);
  pane_->hide();
  QObject::connect(pane_, &LibraryPane::openRequested, pane_, [this](int64_t id) { OpenEntry(id); });
  QObject::connect(&frame.Pane(), &DumpPane::entriesDropped, pane_,
                   [this](int slot, const std::vector<int64_t>& ids) { PutIntoDump(slot, ids); });
  QObject::connect(pane_, &LibraryPane::exportRequested, pane_,
                   [this](const std::vector<int64_t>& ids) { ExportToFile(ids); });
  QObject::connect(pane_, &LibraryPane::historyRequested, pane_, [this](int64_t id) { ShowHistory(id); });
}

bool LibraryCommands::OpenEntry(int64_t id) {
  PresetLibrary* library = keeper_->Library();
  if (!library) return false;
  const std::optional<LibraryEntry> entry = library->Entry(id);
  if (!entry || !frame_.ConfirmLoseChanges()) return false;
  auto preset = std::make_shared<CPreset>();
  if (!preset->LoadFromByteArray(entry->image)) {
    ShowRefusal(preset->Refused());
    return false;
  }
  // Under the entry's name, which the user may have given it in the library.
  preset->SetPresetName(entry->row.name);
  frame_.ShowSinglePreset(std::move(preset));
  keeper_->SetEntryOnScreen(id);
  return true;
}

bool LibraryCommands::PutIntoDump(int slot, const std::vector<int64_t>& ids) {
  CSysEx* dump = frame_.Dump();
  PresetLibrary* library = keeper_->Library();
  if (!dump || !library || ids.empty() || slot < 0 || !frame_.ConfirmLoseChanges()) return false;
  const int last = std::min(frame_.CompleteSlots(), slot + static_cast<int>(ids.size()));
  for (int target = slot; target < last; ++target) {
    const std::optional<LibraryEntry> entry = library->Entry(ids[static_cast<size_t>(target - slot)]);
    const std::shared_ptr<CPreset> preset = dump->Preset(target);
    if (!entry || !preset) continue;
    const int number = preset->PresetNumber();
    if (!preset->LoadFromByteArray(entry->image)) ShowRefusal(preset->Refused());
    preset->SetPresetNumber(number);
    dump->UpdatePreset(preset);
    if (!preset->IsValid()) {
      ShowMessage("Unable to write the preset into " + dump->FileName());
      break;
    }
    frame_.RelabelSlot(target);
  }
  frame_.ShowSysExPane(true, slot);
  return true;
}

void LibraryCommands::KeepInLibrary() {
  frame_.ClaimScreen();
  if (!frame_.Preset() || !frame_.GatherPreset(false)) return;
  keeper_->KeepVersion(frame_.Preset()->Image());
}

void LibraryCommands::ExportToFile(const std::vector<int64_t>& ids) {
  PresetLibrary* library = keeper_->Library();
  if (!library || ids.empty()) return;
  const std::string path = frame_.Files().GetSaveFile(&frame_);
  if (path.empty()) return;
  try {
    ExportEntries(*library, ids, path);
  } catch (const std::exception& e) {
    Dialogs().Message(e.what(), kTitle, MessageIcon::Exclamation);
  }
}

void LibraryCommands::ShowHistory(int64_t id) {
  PresetLibrary* library = keeper_->Library();
  if (!library) return;
  try {
    dlgLibraryHistory window(library->History(id), id, [this](int64_t version) { return OpenEntry(version); }, &frame_);
    window.exec();
  } catch (const std::exception& e) {
    Dialogs().Message(e.what(), kTitle, MessageIcon::Exclamation);
  }
}

void LibraryCommands::ImportIntoLibrary() {
  const QString folder = QFileDialog::getExistingDirectory(&frame_, "Import into Library");
  if (!folder.isEmpty()) ImportPaths({folder.toStdString()});
}

ImportCounts LibraryCommands::ImportPaths(const std::vector<std::string>& paths) {
  ImportCounts counts;
  PresetLibrary* library = keeper_->Library();
  if (!library) return counts;
  std::vector<std::string> refusals;
  try {
    const std::vector<std::string> files = ImportFiles(paths);
    QProgressDialog progress("Importing into the library...", "Cancel", 0, static_cast<int>(files.size()), &frame_);
    progress.setObjectName("dlgImportProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    for (size_t i = 0; i < files.size() && !progress.wasCanceled(); ++i) {
      progress.setValue(static_cast<int>(i));
      ImportFile(*library, files[i], counts, [&](const std::string& why) { refusals.push_back(why); });
    }
    progress.setValue(static_cast<int>(files.size()));
  } catch (const std::exception& e) {
    Dialogs().Message(e.what(), kTitle, MessageIcon::Exclamation);
  }
  Q_EMIT keeper_->changed();
  std::string report = counts.Line();
  for (size_t i = 0; i < std::min(refusals.size(), kRefusalsShown); ++i) report += "\n" + refusals[i];
  if (refusals.size() > kRefusalsShown) report += "\n...";
  Dialogs().Message(report, kTitle, counts.refused ? MessageIcon::Exclamation : MessageIcon::Information);
  return counts;
}

void LibraryCommands::PresetFileArrived(const std::string& fileName, const char* kind) {
  if (frame_.Preset()) keeper_->Arrived(frame_.Preset()->Image(), {kind, Absolute(fileName), -1});
}

// Read from the file, so that the dump's slot on screen stays as it is.
void LibraryCommands::DumpFileArrived(const std::string& fileName) {
  if (keeper_->KeepsAutomatically()) keeper_->ArrivedMany(ReadSlots(fileName), {"file", Absolute(fileName), 0});
}

void LibraryCommands::DeviceDumpArrived(const std::string& fileName) {
  if (keeper_->KeepsAutomatically())
    keeper_->ArrivedFromDevice(DeviceName(), ReadSlots(fileName), {"device", Absolute(fileName), 0});
}

void LibraryCommands::DumpSent(const std::string& fileName, const std::optional<std::vector<int>>& held) {
  const std::optional<std::vector<SentPreset>> sent = PresetsToVerify(fileName);
  if (sent) keeper_->DumpSent(DeviceName(), *sent, held ? *held : NumbersOf(*sent));
}

std::string LibraryCommands::DeviceName() const { return EditorBankDevice(frame_).Name(); }

void LibraryCommands::PresetArrived(const char* kind, const std::string& detail) {
  if (frame_.Preset()) keeper_->Arrived(frame_.Preset()->Image(), {kind, detail, -1});
}
