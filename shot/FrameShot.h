// lindel-shot's view of the whole frame window, as the editor starts it: the
// ten editors, the toolbar, the built-in simulated G-Major as the device and
// settings held in memory. The preset is shown as a single preset; --dump
// opens a dump file in the list pane instead, --block shows one editor.
#pragma once

#include <memory>

#include "CFileUI.h"
#include "FrameTools.h"
#include "ISettings.h"
#include "ShotWindows.h"
#include "SimulatorMidiSystem.h"
#include "frmMDIMain.h"

class FrameShot final : public ShotWindow {
 public:
  FrameShot() : frame_(FrameServices{settings_, midi_, files_, Tools(settings_, midi_)}) { frame_.Load(); }

  QWidget& Widget() override { return frame_; }
  bool Show(const CPreset* preset) override {
    if (preset) {
      frame_.ShowSinglePreset(std::make_shared<CPreset>(*preset));
    } else {
      frame_.DisplayPreset(false);
    }
    return true;
  }
  bool Gather(CPreset& preset) override {
    if (!frame_.Preset() || !frame_.GatherPreset(false)) return false;
    preset = *frame_.Preset();
    return true;
  }
  bool ShowBlock(int iBlock) override {
    frame_.ShowBlock(iBlock);
    return frame_.CurrentBlock() == iBlock;
  }
  bool OpenDump(const std::string& fileName) override {
    const DumpOpened opened = frame_.OpenDump(fileName);
    return opened == DumpOpened::Yes || opened == DumpOpened::Truncated;
  }

 private:
  // No file dialog is ever asked for here.
  class NoFiles final : public CFileUI {
   public:
    std::string GetOpenFile(void*) override { return ""; }
    std::string GetSaveFile(void*) override { return ""; }
  };

  // The editor's tools, without the splash over the picture.
  static FrameTools Tools(ISettings& settings, MidiSystem& midi) {
    FrameTools tools = DefaultFrameTools(settings, midi);
    tools.splash = nullptr;
    return tools;
  }

  MemorySettings settings_;
  SimulatorMidiSystem midi_;
  NoFiles files_;
  frmMDIMain frame_;
};
