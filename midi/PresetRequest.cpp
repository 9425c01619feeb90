#include "PresetRequest.h"

#include "CLog.h"
#include "CPreset.h"
#include "Dialogs.h"
#include "LindelError.h"

bool SendPresetRequest(IMidiOutput& outPort, int number) {
  try {
    return CPreset().RequestToPort(outPort, number);
  } catch (const LindelError& e) {
    LogError(e);
    ShowMessage(e.Description());
  }
  return false;
}
