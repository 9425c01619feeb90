#include "SoundDesignCommands.h"

#include <QAction>
#include <QFileInfo>
#include <filesystem>

#include "CFileUI.h"
#include "Dialogs.h"
#include "EditingComforts.h"
#include "LibraryError.h"
#include "LibraryPath.h"
#include "MainMenu.h"
#include "PresetCommands.h"
#include "PresetLibrary.h"
#include "SearchQuery.h"
#include "SoundDesign.h"
#include "frmMDIMain.h"

SoundDesignCommands::SoundDesignCommands(frmMDIMain& frame) : QObject(&frame), frame_(frame) {
  MainMenu& menu = frame.Menu();
  connect(menu.mnuPresetRandomize, &QAction::triggered, this, &SoundDesignCommands::Randomize);
  connect(menu.mnuPresetMutate, &QAction::triggered, this, &SoundDesignCommands::Mutate);
  connect(menu.mnuPresetMorph, &QAction::triggered, this, &SoundDesignCommands::Morph);
  connect(menu.mnuPresetNudge, &QAction::triggered, this, &SoundDesignCommands::Nudge);
  connect(menu.mnuPresetAgain, &QAction::triggered, this, &SoundDesignCommands::Again);
}

void SoundDesignCommands::Randomize() {
  Ask(DesignKind::Randomize, [](const dlgSoundDesign& d) -> Design {
    return [blocks = d.Blocks(), keep = d.KeepTypes()](const PresetImage& current, uint64_t seed) {
      return ::Randomize(current, blocks, keep, seed);
    };
  });
}

void SoundDesignCommands::Mutate() {
  Ask(DesignKind::Mutate, [](const dlgSoundDesign& d) -> Design {
    return [blocks = d.Blocks(), amount = d.Amount(), types = d.ChangeTypes()](const PresetImage& current,
                                                                              uint64_t seed) {
      return ::Mutate(current, blocks, amount, types, seed);
    };
  });
}

// Again morphs the preset then on screen to the same target at the same point.
void SoundDesignCommands::Morph() {
  Ask(DesignKind::Morph, [](const dlgSoundDesign& d) -> Design {
    return [blocks = d.Blocks(), target = *d.Target(), at = d.At()](const PresetImage& current, uint64_t) {
      return ::Morph(current, target, at, blocks);
    };
  });
}

void SoundDesignCommands::Nudge() {
  Ask(DesignKind::Nudge, [](const dlgSoundDesign& d) -> Design {
    return [blocks = d.Blocks(), target = *d.Target(), amount = d.Amount(), away = d.Away()](
               const PresetImage& current, uint64_t) { return ::Nudge(current, target, amount, away, blocks); };
  });
}

void SoundDesignCommands::Again() {
  if (last_) Run(last_);
}

template <typename ReadFn>
void SoundDesignCommands::Ask(DesignKind kind, ReadFn read) {
  frame_.ClaimScreen();
  EditingComforts& comforts = frame_.Comforts();
  const std::optional<PresetImage> start = comforts.ScreenState();
  if (!start) return;
  std::vector<DesignTarget> targets;
  if (kind == DesignKind::Morph || kind == DesignKind::Nudge) {
    targets = DumpTargets();
    std::vector<DesignTarget> kept = LibraryTargets();
    targets.insert(targets.end(), kept.begin(), kept.end());
  }
  dlgSoundDesign dialog(kind, *start, std::move(targets), [this] { return ChooseFile(); }, &frame_);
  if (kind == DesignKind::Morph) {
    MorphPreview preview;
    preview.preview = [&comforts](const PresetImage& state) { comforts.Preview(state); };
    dialog.SetPreview(std::move(preview));
  }
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (kind == DesignKind::Morph) comforts.EndPreview();
  if (accepted) Run(read(dialog));
}

void SoundDesignCommands::Run(Design design) {
  frame_.ClaimScreen();
  EditingComforts& comforts = frame_.Comforts();
  const std::optional<PresetImage> current = comforts.ScreenState();
  if (!current) return;
  comforts.ApplyCommand(design(*current, seeds_()));
  last_ = std::move(design);
  frame_.Menu().mnuPresetAgain->setEnabled(true);
}

std::vector<DesignTarget> SoundDesignCommands::DumpTargets() const {
  std::vector<DesignTarget> targets;
  CSysEx* dump = frame_.Dump();
  for (int slot = 0; dump && slot < frame_.CompleteSlots(); ++slot) {
    if (const std::shared_ptr<CPreset> preset = dump->Preset(slot)) {
      targets.push_back({QString("Slot %1: %2").arg(slot + 1).arg(QString::fromStdString(preset->PresetName()).trimmed()),
                         preset->Image()});
    }
  }
  return targets;
}

// The library's entries once there is a library; none, after a message,
// when it cannot be read.
std::vector<DesignTarget> SoundDesignCommands::LibraryTargets() const {
  std::vector<DesignTarget> targets;
  const std::string path = LibraryPath();
  if (!std::filesystem::exists(path)) return targets;
  try {
    const PresetLibrary library(path);
    for (const EntryRow& row : library.Search(ParseSearch({}))) {
      if (const std::optional<LibraryEntry> entry = library.Entry(row.id)) {
        targets.push_back({"Library: " + QString::fromStdString(row.name), entry->image});
      }
    }
  } catch (const LibraryError& e) {
    ShowMessage(e.what());
  }
  return targets;
}

std::optional<DesignTarget> SoundDesignCommands::ChooseFile() {
  const std::string path = frame_.Files().GetOpenFile(&frame_);
  if (path.empty()) return std::nullopt;
  const std::shared_ptr<CPreset> preset = ReadPresetFile(path);
  if (!preset) return std::nullopt;
  return DesignTarget{QFileInfo(QString::fromStdString(path)).fileName(), preset->Image()};
}
