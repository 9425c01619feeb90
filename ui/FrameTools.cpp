#include "FrameTools.h"

#include <QWidget>

#include "QtEventPump.h"
#include "dlgController.h"
#include "dlgModifiers.h"
#include "frmAbout.h"
#include "frmSplash.h"

FrameTools DefaultFrameTools(ISettings& settings, MidiSystem& midi) {
  FrameTools tools;
  // The controller's pause after a program change keeps the windows alive.
  auto pump = std::make_shared<QtEventPump>();
  tools.controller = [&settings, &midi, pump](QWidget& frame, std::function<int()> outputDevice) {
    ShowController(midi, std::move(outputDevice), settings, *pump, frame);
  };
  tools.modifiers = [](QWidget& frame, CPreset& preset, const std::array<bool, 5>& on) {
    return RunModifiers(preset, on[0], on[1], on[2], on[3], on[4], &frame);
  };
  tools.about = [](QWidget& frame) { frmAbout(&frame).exec(); };
  tools.splash = [](QWidget& frame) -> std::unique_ptr<QWidget> { return std::make_unique<frmSplash>(&frame); };
  return tools;
}
