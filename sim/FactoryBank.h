// The simulated device's built-in presets, generated rather than stored:
// every one has a distinct name, values the editors can show and a valid
// checksum, and the same number always gives the same bytes.
#pragma once

#include "PresetLayout.h"

// Factory preset n (1 to 100), stored number n.
PresetImage FactoryPreset(int n);
// User preset n (1 to 100) as the device leaves the factory, stored number n + 100.
PresetImage InitialUserPreset(int n);
