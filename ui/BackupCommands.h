// The editor's safeguards for the presets on the device: "Backup Device..."
// reads every user preset (and, when asked, every factory preset) into a dump
// file; the send warning offers to verify the send and to back up first the
// user presets it overwrites; and a sent dump can be read back and compared.
// A short-lived object on the frame for each use; the reading runs in
// dlgReadPresets.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "PresetReader.h"

class frmMDIMain;

class BackupCommands {
 public:
  explicit BackupCommands(frmMDIMain& frame) : frame_(frame) {}

  // File menu "Backup Device...".
  void BackupDevice();
  // Asks the send warning (text, title) for the dump file, with the options
  // chkVerify and, when the dump overwrites user presets, chkBackup, and
  // runs the backup when it is chosen. Nothing when the send must not
  // happen (No, or a backup that did not read every preset); else whether
  // to verify the send.
  std::optional<bool> ConfirmSend(const std::string& fileName, const std::string& warning, const std::string& title);
  // Asks the device for every preset of the dump file just sent and says
  // which it does not hold as sent; the numbers of those it holds as sent.
  std::vector<int> VerifySentDump(const std::string& fileName);

 private:
  bool BackUpFirst(const std::vector<int>& user);
  PresetReadResult ReadFromDevice(const QString& caption, const std::vector<int>& numbers);

  frmMDIMain& frame_;
};
