#include "EditingComforts.h"

#include <QAction>

#include "CompareView.h"
#include "ISettings.h"
#include "LiveAudition.h"
#include "MainMenu.h"
#include "dlgMidiSetup.h"
#include "frmMDIMain.h"

namespace {

// Beside the device choice, which lives in the same section.
constexpr const char* kSection = "MIDI";
constexpr const char* kAuditionKey = "LiveAudition";

}  // namespace

EditingComforts::EditingComforts(frmMDIMain& frame)
    : QObject(&frame),
      frame_(frame),
      port_(
          frame.Midi(), [&frame] { return frame.MidiSetup().GetMidiOutputDevice(); },
          [&frame] { return frame.MidiSetup().Transfer().Timings(); }) {
  audition_ = new LiveAudition(
      port_, [this] { return ScreenState(); }, [&frame] { return !frame.MidiSetup().Busy(); },
      [&frame] {
        const auto wire = frame.MidiSetup().Transfer().Timings().WireTime(kPresetSize);
        return std::chrono::ceil<std::chrono::milliseconds>(wire);
      },
      this);
  compare_ = new CompareView(frame, *frame.Menu().mnuPresetCompare);
  settle_.setSingleShot(true);
  settle_.setInterval(0);
  connect(&settle_, &QTimer::timeout, this, &EditingComforts::Settle);
  ConnectFrame();
  ConnectMenu();
  UpdateItems();
}

EditingComforts::~EditingComforts() = default;

bool EditingComforts::Comparing() const { return compare_->Active(); }

void EditingComforts::ConnectFrame() {
  connect(&frame_, &frmMDIMain::edited, this, &EditingComforts::Edited);
  connect(&frame_, &frmMDIMain::commandEdited, this, &EditingComforts::CommandEdited);
  connect(&frame_, &frmMDIMain::presetShown, this, &EditingComforts::PresetShown);
  connect(&frame_, &frmMDIMain::saved, this, &EditingComforts::Saved);
  connect(&frame_, &frmMDIMain::screenClaimed, this, [this] { SetComparing(false); });
  connect(compare_, &CompareView::switched, this, &EditingComforts::CompareSwitched);
}

// Items are checked by code without their triggered signal, so only the
// user's choice runs a command.
void EditingComforts::ConnectMenu() {
  MainMenu& menu = frame_.Menu();
  connect(menu.mnuEditUndo, &QAction::triggered, this, &EditingComforts::Undo);
  connect(menu.mnuEditRedo, &QAction::triggered, this, &EditingComforts::Redo);
  connect(menu.mnuPresetCompare, &QAction::triggered, this, &EditingComforts::SetComparing);
  QAction& audition = *menu.mnuPresetLiveAudition;
  connect(&audition, &QAction::triggered, this, &EditingComforts::SetAuditionOn);
  const bool on = frame_.Settings().Get(kSection, kAuditionKey, "0") == "1";
  audition.setChecked(on);
  audition_->SetOn(on);
}

void EditingComforts::SetAuditionOn(bool on) {
  frame_.Menu().mnuPresetLiveAudition->setChecked(on);
  frame_.Settings().Set(kSection, kAuditionKey, on ? "1" : "0");
  audition_->SetOn(on);
}

void EditingComforts::PresetShown() {
  settle_.stop();
  compare_->Drop();
  const std::optional<PresetImage> state = ScreenState();
  if (state) {
    history_.Reset(*state);
  } else {
    history_.Clear();
  }
  UpdateItems();
}

// While comparing, the screen holds the saved state, not an edit.
void EditingComforts::Edited() {
  if (compare_->Active()) return;
  settle_.start();
  audition_->Edited();
}

// Runs after the command is done with the screen, so it is taken at once.
void EditingComforts::CommandEdited() {
  history_.EndStep();
  Settle();
  history_.EndStep();
  audition_->Edited();
}

void EditingComforts::Settle() {
  settle_.stop();
  if (compare_->Active()) return;
  if (const std::optional<PresetImage> state = ScreenState()) {
    history_.Record(*state, EditHistory::Clock::now());
  }
  UpdateItems();
}

void EditingComforts::Saved() {
  Settle();
  history_.MarkSaved();
}

void EditingComforts::Undo() {
  SetComparing(false);
  Settle();
  if (history_.CanUndo()) ShowState(history_.Undo());
}

void EditingComforts::Redo() {
  SetComparing(false);
  Settle();
  if (history_.CanRedo()) ShowState(history_.Redo());
}

void EditingComforts::Preview(const PresetImage& state) {
  Settle();
  previewing_ = true;
  frame_.ShowState(state, state != history_.Saved());
  audition_->Edited();
}

void EditingComforts::EndPreview() {
  if (!previewing_) return;
  previewing_ = false;
  ShowState(history_.Current());
}

void EditingComforts::ApplyCommand(const PresetImage& state) {
  SetComparing(false);
  frame_.ShowState(state, true);
  frame_.NoteEdit();
}

void EditingComforts::ShowState(const PresetImage& state) {
  frame_.ShowState(state, !history_.IsSaved());
  AdoptScreen();
  UpdateItems();
  audition_->Edited();
}

void EditingComforts::AdoptScreen() {
  if (const std::optional<PresetImage> shown = ScreenState()) history_.Adopt(*shown);
}

void EditingComforts::CompareSwitched() {
  if (!compare_->Active()) AdoptScreen();
  audition_->Edited();
}

void EditingComforts::SetComparing(bool on) {
  if (on == compare_->Active()) return;
  if (!on) {
    compare_->End();
    return;
  }
  Settle();
  if (!history_.Started()) {
    frame_.Menu().mnuPresetCompare->setChecked(false);
    return;
  }
  compare_->Begin(history_.Current(), history_.Saved());
}

void EditingComforts::UpdateItems() {
  MainMenu& menu = frame_.Menu();
  menu.mnuEditUndo->setEnabled(history_.CanUndo());
  menu.mnuEditRedo->setEnabled(history_.CanRedo());
  menu.mnuPresetCompare->setEnabled(history_.Started());
}

std::optional<PresetImage> EditingComforts::ScreenState() const {
  const std::shared_ptr<CPreset>& preset = frame_.Preset();
  if (!preset || frame_.State() == DisplayState::Empty) return std::nullopt;
  CPreset state = *preset;
  state.SetPresetName(frame_.NameOnScreen().toStdString());
  state.SaveModifiers();
  for (BlockEditor* window : frame_.Blocks().All()) window->Gather(state);
  state.SetPresetNumber(PresetNumber::EditBuffer);
  state.UpdateChecksum();
  return state.Image();
}
