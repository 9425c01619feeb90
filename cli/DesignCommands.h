// randomize, mutate, morph and nudge for lindel-cli, on values already
// parsed: each reads its single-preset files, writes the result to out (a
// file beside it, then renamed) and returns the exit code.
#pragma once

#include <cstdint>
#include <string>

#include "SoundDesign.h"

// The blocks a comma-separated list of area names ("filter,delay") holds;
// throws UsageError naming the areas for a name it does not know.
DesignBlocks ParseDesignBlocks(const std::string& list);

int RandomizePreset(const std::string& file, const std::string& out, const DesignBlocks& blocks, bool keepTypes,
                    uint64_t seed);
int MutatePreset(const std::string& file, const std::string& out, int percent, const DesignBlocks& blocks,
                 uint64_t seed);
int MorphPresets(const std::string& a, const std::string& b, double at, const std::string& out);
int NudgePreset(const std::string& file, const std::string& target, int percent, bool away, const std::string& out);
