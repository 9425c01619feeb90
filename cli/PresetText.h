// A preset as readable text on stdout, as export --text prints it: name,
// number, every block's fields with the editor's texts, the modifiers and
// any bytes no control shows.
#pragma once

#include "PresetLayout.h"

void PrintPresetText(const PresetImage& image);
