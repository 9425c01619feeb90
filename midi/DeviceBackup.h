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

struct BackupOutcome {
  PresetReadResult read;
  std::size_t asked = 0;
  bool written = false;      // the file holds read.presets
  std::string writeProblem;  // why the file could not be written
};

// Reads numbers from the devices at these indexes and writes what was read
// to path, unless the run was cancelled or read nothing. The file takes its
// name only once it is complete on the disk.
BackupOutcome BackUpDevice(PresetReader& reader, int input, int output, const std::vector<int>& numbers,
                           const std::string& path);

// "Backed up 100 presets to FILE.", "Backed up 98 of 100 presets to FILE.
// Could not read U10, U20.", "Backup cancelled; nothing written." ...
std::string BackupReport(const BackupOutcome& outcome, const std::string& path);

// "U10, U20, F3".
std::string PresetList(const std::vector<int>& numbers);
