#include "FrameTools.h"

#include <QWidget>

#include "dlgModifiers.h"
#include "frmAbout.h"
#include "frmSplash.h"

// The MIDI controller tool is not written yet; its hook stays empty.
FrameTools DefaultFrameTools(ISettings&, MidiSystem&) {
  FrameTools tools;
  tools.modifiers = [](QWidget& frame, CPreset& preset, const std::array<bool, 5>& on) {
    return RunModifiers(preset, on[0], on[1], on[2], on[3], on[4], &frame);
  };
  tools.about = [](QWidget& frame) { frmAbout(&frame).exec(); };
  tools.splash = [](QWidget& frame) -> std::unique_ptr<QWidget> { return std::make_unique<frmSplash>(&frame); };
  return tools;
}
