#include "FrameTools.h"

#include <QWidget>

#include "QtEventPump.h"
#include "dlgController.h"
#include "dlgModifiers.h"
#include "frmAbout.h"
#include "frmSplash.h"

FrameTools DefaultFrameTools(ISettings& settings, MidiSystem& midi) {
  FrameTools tools;
  // The controller's one-second pause runs Qt's events through this pump; it
  // lives as long as the program, like the frame that owns the dialog.
  static QtEventPump controllerPump;
  tools.controller = [&settings, &midi](QWidget& frame, std::function<int()> outputPosition) {
    ShowController(midi, std::move(outputPosition), settings, controllerPump, frame);
  };
  tools.modifiers = [](QWidget& frame, CPreset& preset, const std::array<bool, 5>& on) {
    return RunModifiers(preset, on[0], on[1], on[2], on[3], on[4], &frame);
  };
  tools.about = [](QWidget& frame) { frmAbout(&frame).exec(); };
  tools.splash = [](QWidget& frame) -> std::unique_ptr<QWidget> { return std::make_unique<frmSplash>(&frame); };
  return tools;
}
