// "Modifier editor": edits the modifier assignments of a preset. The list
// shows every assignable parameter of the blocks' current types with its
// modifier and three outputs; the controls below change the selected one.
// Updates go straight into the preset's modifier list (there is no Cancel);
// they reach the image when the main window gathers the preset.
#pragma once

#include <QDialog>
#include <memory>

#include "CListbox.h"

class CModifier;
class CPreset;
class QComboBox;
class QGridLayout;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The row of an assignment: prompt, modifier and the three outputs in
// percent, separated by tabs ("FIL Mix\toff\t0%\t50%\t100%").
QString ModifierRowText(const CModifier& m);

class dlgModifiers : public QDialog {
  Q_OBJECT

 public:
  explicit dlgModifiers(QWidget* parent = nullptr);

  // Lists preset's assignments that have a parameter, in slot order. The
  // dialog edits preset, which must outlive it. The on flags are the
  // editors' states; what is listed comes from the preset's list alone.
  void Init(CPreset& preset, bool bFiltOn, bool bPitchOn, bool bChorusOn, bool bDelayOn, bool bReverbOn);
  // True once any assignment was updated.
  bool Changed() const { return changed_; }

 private:
  void BuildControls();
  void LayOut();
  void ConnectCommands();
  void AlignEditor(const QList<int>& stops);

  void ShowSelectedRow();
  void ControlChanged();
  void UpdateAssignment();
  std::shared_ptr<CModifier> SelectedAssignment() const;

  CPreset* preset_ = nullptr;
  CListbox list_;
  bool loading_ = false;
  bool changed_ = false;

  QGridLayout* editor_ = nullptr;
  QPlainTextEdit* txtLabels = nullptr;
  QListWidget* lstModifiers = nullptr;
  QLabel* lblPrompt = nullptr;
  QComboBox* cmbModifier = nullptr;
  QComboBox* cmbMinOut = nullptr;
  QComboBox* cmbMidOut = nullptr;
  QComboBox* cmbMaxOut = nullptr;
  QPushButton* cmdUpdate = nullptr;
  QPushButton* OKButton = nullptr;
};

// The "&Modifiers..." command's dialog, shown modally over parent; true when
// the user updated any assignment, so the preset is to be marked changed.
bool RunModifiers(CPreset& preset, bool bFiltOn, bool bPitchOn, bool bChorusOn, bool bDelayOn, bool bReverbOn,
                  QWidget* parent = nullptr);
