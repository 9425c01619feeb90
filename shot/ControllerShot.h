// lindel-shot's view of the controller tool: the dialog as it opens with a
// few stored set-ups (a program with one controller, a toggle, a set-up
// without program, all five controllers) on the built-in simulator. It shows
// no preset and gathers none.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "EventPump.h"
#include "ISettings.h"
#include "ShotWindows.h"
#include "SimulatorMidiSystem.h"
#include "dlgController.h"

class ControllerShot final : public ShotWindow {
 public:
  ControllerShot() : dialog_(simulator_, [] { return 0; }, Stored(settings_), pump_) {}
  QWidget& Widget() override { return dialog_; }
  bool Show(const CPreset*) override { return true; }
  bool Gather(CPreset&) override { return true; }

 private:
  struct Controller {
    const char* number;
    const char* value;
  };
  static void StoreSetup(ISettings& settings, int n, const char* program,
                         std::initializer_list<Controller> controllers) {
    const std::string section = "MIDIController\\preset" + std::to_string(n);
    settings.Set(section, "PC", program);
    int k = 0;
    for (const Controller& c : controllers) {
      const std::string controller = section + "\\CC" + std::to_string(++k);
      settings.Set(controller, "CC", c.number);
      settings.Set(controller, "value", c.value);
    }
  }
  static ISettings& Stored(ISettings& settings) {
    settings.Set("MIDIController", "Channel", "2");
    StoreSetup(settings, 1, "1", {{"7", "100"}});
    StoreSetup(settings, 2, "12", {{"11", "0"}, {"11", "127"}});
    StoreSetup(settings, 3, "5", {{"7", "100"}, {"0", "0"}});
    StoreSetup(settings, 4, "0", {{"1", "64"}, {"74", "30"}});
    StoreSetup(settings, 5, "100", {{"7", "100"}, {"10", "64"}, {"91", "40"}, {"93", "20"}, {"11", "127"}});
    settings.Set("MIDIController\\xpression", "CC", "11");
    settings.Set("MIDIController\\xpression", "Min", "0");
    settings.Set("MIDIController\\xpression", "Max", "127");
    return settings;
  }

  MemorySettings settings_;
  SimulatorMidiSystem simulator_;
  ConditionPump pump_;
  dlgController dialog_;
};

inline std::unique_ptr<ShotWindow> MakeControllerShot() { return std::make_unique<ControllerShot>(); }
