// The Preset menu's "Randomize...", "Mutate...", "Morph...", "Nudge..." and
// "Again": each asks its dialog, puts the result on screen as one undo step
// and remembers itself, so that Again repeats it on the preset then on
// screen with a new seed.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <random>
#include <vector>

#include "PresetLayout.h"
#include "dlgSoundDesign.h"

class frmMDIMain;

class SoundDesignCommands final : public QObject {
  Q_OBJECT

 public:
  // Connects the menu items.
  explicit SoundDesignCommands(frmMDIMain& frame);

  void Randomize();
  void Mutate();
  void Morph();
  void Nudge();
  void Again();

 private:
  using Design = std::function<PresetImage(const PresetImage& current, uint64_t seed)>;
  // Applies design to the screen with a new seed and keeps it for Again.
  void Run(Design design);
  // The dialog of kind over the screen's state; nothing when cancelled.
  template <typename ReadFn>
  void Ask(DesignKind kind, ReadFn read);
  std::vector<DesignTarget> DumpTargets() const;
  std::vector<DesignTarget> LibraryTargets() const;
  std::optional<DesignTarget> ChooseFile();

  frmMDIMain& frame_;
  Design last_;
  std::mt19937_64 seeds_{std::random_device{}()};
};
