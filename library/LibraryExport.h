// Entries out of the library as .syx files: one entry as a single preset,
// several as a dump in the order given, each the entry's latest image under
// its library name. Shared by lindel-cli and the editor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PresetLayout.h"

class PresetLibrary;
struct LibraryEntry;

// The entry's image under its name, with a fresh checksum.
PresetImage ExportImage(const LibraryEntry& entry);

// Writes the file whole or not at all (beside it first, then renamed).
// Throws LibraryError for an unknown id or a file that cannot be written;
// an existing file of that name then stays as it was.
void ExportEntries(const PresetLibrary& library, const std::vector<int64_t>& ids, const std::string& path);
