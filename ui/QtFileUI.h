// The Open and Save As dialogs for .syx files, shown with QFileDialog.
#pragma once

#include <QString>

#include "CFileUI.h"

class QFileDialog;

class QtFileUI final : public CFileUI {
 public:
  // owner: the QWidget that owns the dialog, or null.
  std::string GetOpenFile(void* owner) override;
  std::string GetSaveFile(void* owner) override;
};

enum class SyxDialogMode { Open, Save };
// Filters "SysEx (*.syx)" (chosen) and "all files (*.*)", which lists every
// file, with or without a dot in its name; default suffix syx; a Save dialog
// asks before replacing a file. Always Qt's own dialog.
void ConfigureSyxDialog(QFileDialog& dialog, SyxDialogMode mode);
// The user's choice with surrounding blanks removed.
QString TrimmedChoice(const QString& path);
// True when the folder the path names exists.
bool FolderExists(const QString& path);
