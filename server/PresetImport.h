// Bulk loading for `lindel-db-server import`: every valid 615-byte slot of
// the given preset and dump files goes into the store with one song and
// description; slots that fail the preset checks are reported and skipped.
#pragma once

#include <string>
#include <vector>

class PresetStore;

struct ImportReport {
  int added = 0;
  int duplicates = 0;
  int refused = 0;             // invalid slots and unreadable files
  std::vector<std::string> notes;  // one line per skipped slot or file
};

// Each file is stored in one transaction; a file that cannot be read is
// reported and the others still go in.
ImportReport ImportPresetFiles(PresetStore& store, const std::vector<std::string>& files, const std::string& song,
                               const std::string& description);
