// The small dialog of the Preset menu's "Randomize...", "Mutate...",
// "Morph..." and "Nudge...": the blocks to change (the others are locked),
// and what the command needs: keeping types, an amount, a target preset (a
// dump slot, a library entry or a file), away from it, and for Morph a slider from the
// preset on screen to the target, which previews each position, paced.
#pragma once

#include <QDialog>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "PresetLayout.h"
#include "PreviewPacer.h"
#include "SoundDesign.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

enum class DesignKind { Randomize, Mutate, Morph, Nudge };

// A preset the target list offers.
struct DesignTarget {
  QString label;
  PresetImage image;
};

// How the morph slider shows its positions: preview puts one on screen (and
// on the device); now and later are the clock and a one-shot timer.
struct MorphPreview {
  std::function<void(const PresetImage&)> preview;
  std::function<PreviewPacer::Clock::time_point()> now = PreviewPacer::Clock::now;
  std::function<void(std::chrono::milliseconds, std::function<void()>)> later;
};

class dlgSoundDesign final : public QDialog {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kPreviewInterval{150};

  // start: the preset on screen. chooseFile asks for a preset file, nothing when cancelled.
  dlgSoundDesign(DesignKind kind, const PresetImage& start, std::vector<DesignTarget> targets,
                 std::function<std::optional<DesignTarget>()> chooseFile, QWidget* parent = nullptr);

  // Morph only; without it the slider previews nothing.
  void SetPreview(MorphPreview preview);

  DesignBlocks Blocks() const;
  bool KeepTypes() const;    // Randomize
  bool ChangeTypes() const;  // Mutate
  int Amount() const;        // Mutate, Nudge
  bool Away() const;         // Nudge
  double At() const;         // Morph
  // The chosen target; nothing while none is chosen.
  std::optional<PresetImage> Target() const;
  // The slider's position as a result.
  PresetImage Morphed() const;

 private:
  void AddBlocks(QFormLayout& form);
  void AddTarget(QFormLayout& form);
  void AddFile();
  void SliderMoved();
  void ShowLatest();
  void UpdateOk();

  DesignKind kind_;
  PresetImage start_;
  std::vector<DesignTarget> targets_;
  std::function<std::optional<DesignTarget>()> chooseFile_;
  std::vector<std::pair<BlockNumber, QCheckBox*>> blocks_;
  QCheckBox* types_ = nullptr;
  QCheckBox* away_ = nullptr;
  QSpinBox* amount_ = nullptr;
  QComboBox* target_ = nullptr;
  QSlider* slider_ = nullptr;
  QLabel* at_ = nullptr;
  QPushButton* ok_ = nullptr;
  MorphPreview preview_;
  PreviewPacer pacer_{kPreviewInterval};
  bool timerSet_ = false;
};
