// The Open and Save As file dialogs, preset to .syx files. The GUI implements
// it with QFileDialog; tests use a fake that returns queued paths.
#pragma once

#include <string>

class CFileUI {
 public:
  virtual ~CFileUI() = default;
  // The chosen path, or "" when the user cancels. The file need not exist.
  virtual std::string GetOpenFile(void* owner) = 0;
  // The chosen path with surrounding spaces trimmed, or "" when cancelled.
  // The dialog asks before overwriting and requires an existing folder.
  virtual std::string GetSaveFile(void* owner) = 0;
};
