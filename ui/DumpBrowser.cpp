#include "DumpBrowser.h"

#include <QScopedValueRollback>
#include <QStringList>
#include <filesystem>

#include "Dialogs.h"
#include "DumpPane.h"
#include "MainMenu.h"
#include "Refusal.h"
#include "frmMDIMain.h"

namespace {

// The slots a dump file holds whole (a cut-off last one does not count).
int WholeSlots(const std::string& fileName) {
  std::error_code error;
  const auto size = std::filesystem::file_size(fileName, error);
  return error ? 0 : static_cast<int>(size / kPresetSize);
}

}  // namespace

DumpBrowser::DumpBrowser(frmMDIMain& frame, DumpPane& pane) : frame_(frame), pane_(pane) {
  QObject::connect(&pane_, &DumpPane::entryChosen, &pane_, [this](int row) { EntryChosen(row); });
}

DumpOpened DumpBrowser::Open(const std::string& fileName) {
  auto opened = std::make_unique<CSysEx>(ShowRefusal);
  if (!opened->OpenFile(fileName)) return DumpOpened::Unreadable;
  const int complete = WholeSlots(fileName);
  if (complete == 0) return DumpOpened::NoPresets;
  const bool truncated = complete < opened->Count();
  frame_.CloseDump();
  dump_ = std::move(opened);
  Show(true, 0);
  return truncated ? DumpOpened::Truncated : DumpOpened::Yes;
}

void DumpBrowser::Close() {
  if (!dump_) return;
  Show(false, 0);
  dump_.reset();
}

int DumpBrowser::CompleteSlots() const { return dump_ ? WholeSlots(dump_->FileName()) : 0; }

// Showing a slot also selects its list entry, so the entry "Save SysEx
// dump" renames is always the slot on screen, from the first slot shown on
// opening onwards.
void DumpBrowser::Show(bool bShow, int iIndex) {
  const QScopedValueRollback showing(showing_, true);
  pane_.setVisible(bShow);
  if (!bShow || !dump_) {
    pane_.Clear();
    frame_.DisplayPreset(false);
    frame_.Menu().EnableDumpItems(false);
    return;
  }
  if (pane_.IsEmpty()) {
    QStringList labels;
    for (int i = 0; i < dump_->Count(); ++i) labels << QString::fromStdString(dump_->PresetName(i));
    pane_.Fill(QString::fromStdString(dump_->FileName()), labels);
  }
  std::shared_ptr<CPreset> preset = dump_->Preset(iIndex);
  slot_ = iIndex;
  pane_.Select(iIndex);
  frame_.ShowDumpSlot(std::move(preset));
  frame_.Menu().EnableDumpItems(true);
}

void DumpBrowser::Relabel(int slot) {
  if (dump_) pane_.Relabel(slot, QString::fromStdString(dump_->PresetName(slot)));
}

// A choice the user takes back, or a slot the file does not hold whole,
// keeps the slot on screen selected.
void DumpBrowser::EntryChosen(int row) {
  if (showing_ || frame_.State() != DisplayState::DumpSlot || pane_.Count() <= 1) return;
  if (row >= CompleteSlots()) {
    pane_.Select(slot_);
    ShowMessage("Preset " + std::to_string(row + 1) + " is incomplete: the file ends inside it");
    return;
  }
  if (frame_.ConfirmLoseChanges()) {
    Show(true, row);
  } else {
    pane_.Select(slot_);
  }
}
