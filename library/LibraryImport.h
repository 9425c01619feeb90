// Bringing .syx files into the library: single presets and dumps (every
// valid slot), folders searched recursively for *.syx. Damaged slots are
// named and refused; the rest is kept in batches, each on disk as a whole.
#pragma once

#include <functional>
#include <string>
#include <vector>

class PresetLibrary;

struct ImportCounts {
  int added = 0;
  int already = 0;  // the sound was in the library already
  int refused = 0;

  // "N added, M already there, K refused"
  std::string Line() const;
};

// The files the paths stand for: files as given, folders by their *.syx
// files (any case), each folder's in name order. Throws LibraryError for a
// path that does not exist.
std::vector<std::string> ImportFiles(const std::vector<std::string>& paths);

// Keeps every valid slot of the file; refused gets "FILE slot N: why" for
// each slot refused. A file that cannot be read throws LibraryError.
void ImportFile(PresetLibrary& library, const std::string& path, ImportCounts& counts,
                const std::function<void(const std::string&)>& refused);
