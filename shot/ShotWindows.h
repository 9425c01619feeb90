// The windows lindel-shot can show, by name. Adding a window is one line in
// the table of ShotWindows.cpp; block editors use MakeEditorShot<frmX>.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "BlockEditor.h"
#include "IBlockHost.h"

class CPreset;

// One window, set up as the main window would set it up.
class ShotWindow {
 public:
  virtual ~ShotWindow() = default;
  virtual QWidget& Widget() = 0;
  // Shows preset, or the neutral values when it is null; false on a failure.
  virtual bool Show(const CPreset* preset) = 0;
  // Writes what the window shows into preset; false on a failure.
  virtual bool Gather(CPreset& preset) = 0;
  // The frame only: shows block iBlock's editor; opens a dump file in the
  // list pane. False for every other window, or on a failure.
  virtual bool ShowBlock(int /*iBlock*/) { return false; }
  virtual bool OpenDump(const std::string& /*fileName*/) { return false; }
  // The block editor the window is; null for every other window.
  virtual BlockEditor* AsEditor() { return nullptr; }
};

// A block editor after Setup, under a host that does nothing.
template <class Editor>
class EditorShot final : public ShotWindow {
 public:
  EditorShot() { editor_.Setup(host_); }
  QWidget& Widget() override { return editor_; }
  bool Show(const CPreset* preset) override { return editor_.Scatter(preset, preset != nullptr, true); }
  bool Gather(CPreset& preset) override { return editor_.Gather(preset); }
  BlockEditor* AsEditor() override { return &editor_; }

 private:
  QuietBlockHost host_;
  Editor editor_;
};

template <class Editor>
std::unique_ptr<ShotWindow> MakeEditorShot() {
  return std::make_unique<EditorShot<Editor>>();
}

struct ShotEntry {
  const char* name;
  std::unique_ptr<ShotWindow> (*make)();
};

std::span<const ShotEntry> ShotWindows();
// Null when no window has that name.
const ShotEntry* FindShotWindow(std::string_view name);
