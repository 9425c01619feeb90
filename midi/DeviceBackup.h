// A backup of the device: the presets it reads, in which order, the dump
// file it leaves and the sentence that reports it. The file holds only the
// presets that were read, whole and valid, so it can be sent back as it is;
// every preset carries its own number, so a missing one shifts no other.
#pragma once

#include <string>
#include <vector>

#include "PresetReader.h"

struct BackupRange {
  int first = 1;  // preset numbers within a bank, 1 to 100
  int last = 100;
  bool factory = false;
};

// User presets first..last, then (with factory) factory presets first..last:
// the file starts like a bank dump of the device.
std::vector<int> BackupNumbers(const BackupRange& range);

// The user presets (101-200) among the numbers a send stores: what it
// overwrites on the device, in the order given.
std::vector<int> UserPresetsAmong(const std::vector<int>& numbers);

struct BackupOutcome {
  PresetReadResult read;
  std::size_t asked = 0;
  bool written = false;      // the file holds read.presets
  std::string writeProblem;  // why the file could not be written
};

// Writes what a reading run of `asked` presets read to path, unless the run
// was cancelled or read nothing. The file takes its name only once it is
// complete on the disk.
BackupOutcome SaveBackup(PresetReadResult read, std::size_t asked, const std::string& path);
// Reads numbers from the devices at these indexes, then SaveBackup.
BackupOutcome BackUpDevice(PresetReader& reader, int input, int output, const std::vector<int>& numbers,
                           const std::string& path);

// "Backed up 100 presets to FILE.", "Backed up 98 of 100 presets to FILE.
// Could not read U10, U20.", "Backup cancelled; nothing written." ...
std::string BackupReport(const BackupOutcome& outcome, const std::string& path);

// "U10, U20, F3".
std::string PresetList(const std::vector<int>& numbers);
