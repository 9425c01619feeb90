// Asking the device for one preset, as the transfer engine and the preset
// reader do it: false when the request did not leave. A failure of the port
// is logged and handed to refused, for the layer that talks to the user.
#pragma once

#include "Refusal.h"

class IMidiOutput;

bool SendPresetRequest(IMidiOutput& outPort, int number, const RefusalHandler& refused);
