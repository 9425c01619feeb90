// Asking the device for one preset, as the transfer engine and the preset
// reader do it: a failure of the port is logged and said to the user here,
// above the model, and gives false.
#pragma once

class IMidiOutput;

bool SendPresetRequest(IMidiOutput& outPort, int number);
