#include "PresetRequest.h"

#include "CLog.h"
#include "CPreset.h"
#include "LindelError.h"

bool SendPresetRequest(IMidiOutput& outPort, int number, const RefusalHandler& refused) {
  try {
    return CPreset().RequestToPort(outPort, number);
  } catch (const LindelError& e) {
    LogError(e);
    if (refused) refused({e.Description()});
  }
  return false;
}
