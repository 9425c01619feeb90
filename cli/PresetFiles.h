// Reading one preset out of a .syx file for the commands that work on a
// single preset. Every way a file can be unsuitable gets a message naming it.
#pragma once

#include <optional>
#include <string>

#include "CPreset.h"
#include "StagedFiles.h"

struct SlotRead {
  CPreset preset;
  std::string problem;  // why the slot is unusable; "" when it was read and is valid
};

// Slot `slot` of the file at path. A file that cannot be opened, holds no
// preset or has no such slot throws UsageError; a damaged slot is returned
// with its problem.
SlotRead ReadPresetSlot(const std::string& path, int slot);

// Throws UsageError unless the file holds exactly one 615-byte preset, so a
// command that rewrites it never shrinks a dump to one slot.
void RequireSinglePreset(const std::string& path);

// The preset of a single-preset file (RequireSinglePreset, then slot 0), or
// nothing after telling on stderr, as "lindel-cli COMMAND: ...", why not.
std::optional<CPreset> ReadSinglePreset(const std::string& command, const std::string& path);
