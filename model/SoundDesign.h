// New sounds from old ones: randomize, mutate, morph and nudge. Every value
// a command writes is an item of its field's list for the block's type, so
// each result shows in the editors as it is and gathers back to the same
// bytes. Blocks left out of the chosen set stay byte for byte as they were;
// the name, the number and the bytes no editor shows stay the current
// preset's. A block whose type changes gets the default modifier
// assignments of its new type, as the editor gives it on a type change.
#pragma once

#include <cstdint>
#include <set>

#include "PresetLayout.h"

// The blocks (by editor) a command may change; the others are locked.
using DesignBlocks = std::set<BlockNumber>;
DesignBlocks AllDesignBlocks();

// New values for every field of the chosen blocks; new types too unless
// keepTypes. The same seed gives the same bytes.
PresetImage Randomize(const PresetImage& current, const DesignBlocks& blocks, bool keepTypes, uint64_t seed);

// Each field of the chosen blocks moves by up to percent (0 to 100) of its
// list's length, either way; the types move too only when mutateTypes.
PresetImage Mutate(const PresetImage& current, const DesignBlocks& blocks, int percent, bool mutateTypes,
                   uint64_t seed);

// Between a (at 0) and b (at 1): fields with numbers move along their list,
// the others (types, switches, named choices) and the modifier assignments
// take b's from 0.5 on. at lies in 0 to 1.
PresetImage Morph(const PresetImage& a, const PresetImage& b, double at, const DesignBlocks& blocks);

// Toward target by percent, as Morph at percent / 100; away moves the fields
// with numbers as far the other way and leaves the other values.
PresetImage Nudge(const PresetImage& current, const PresetImage& target, int percent, bool away,
                  const DesignBlocks& blocks);
