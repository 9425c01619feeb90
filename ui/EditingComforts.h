// Undo and redo, "Compare with Saved" and "Live Audition": what the frame
// offers beyond editing itself. This class ties EditHistory, CompareView and
// LiveAudition to the frame's menu items and to what the frame reports
// (edits, saves, a new preset on screen, a command about to read the
// screen), so the frame itself knows none of them.
//
// The screen's state is taken as a preset image: a copy of the current
// preset with the name box and every editor gathered into it, numbered 0
// (the edit buffer). It is taken on the turn of the event loop after an
// edit, when the frame has finished with it (a new type's fields shown, the
// modifiers reloaded). Undo and redo put such a state back on screen; the
// edited mark then shows whether it differs from the saved state.
#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

#include "AuditionPort.h"
#include "EditHistory.h"
#include "PresetLayout.h"

class CompareView;
class LiveAudition;
class frmMDIMain;

class EditingComforts final : public QObject {
  Q_OBJECT

 public:
  explicit EditingComforts(frmMDIMain& frame);
  ~EditingComforts() override;

  const EditHistory& History() const { return history_; }
  const AuditionPort& Audition() const { return port_; }
  bool Comparing() const;

  void Undo();
  void Redo();
  void SetComparing(bool on);
  void SetAuditionOn(bool on);

  // The screen's state as a preset image numbered 0; nothing without a preset.
  std::optional<PresetImage> ScreenState() const;
  // A state on screen (and on the device, with Live Audition) for a look
  // only: no step, and EndPreview puts the current state back.
  void Preview(const PresetImage& state);
  void EndPreview();
  // A command's result on screen, one step of its own.
  void ApplyCommand(const PresetImage& state);

 private:
  void ConnectFrame();
  void ConnectMenu();
  void PresetShown();
  void Edited();
  void CommandEdited();
  // Records the state an edit left, if not done yet.
  void Settle();
  void Saved();
  void ShowState(const PresetImage& state);
  // What the screen shows after a state was put back becomes the current one.
  void AdoptScreen();
  void CompareSwitched();
  void UpdateItems();

  frmMDIMain& frame_;
  EditHistory history_;
  AuditionPort port_;
  LiveAudition* audition_;
  CompareView* compare_;
  QTimer settle_;
  bool previewing_ = false;
};
