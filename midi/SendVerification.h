// Verifying a sent dump: which presets to ask the device for, and how the
// answers compare with what was sent. The device-id byte (offset 4) is left
// out of the comparison: the device answers with its own.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "PresetReader.h"

struct SentPreset {
  int number = 0;
  PresetImage image{};
};

// The dump's 615-byte records by preset number, in number order; a number
// sent twice keeps its last record, as the device does. A trailing partial
// record is left out.
std::vector<SentPreset> PresetsToVerify(std::span<const uint8_t> dump);
// The same of the dump file at path; nothing when it cannot be read.
std::optional<std::vector<SentPreset>> PresetsToVerify(const std::string& path);
std::vector<int> NumbersOf(const std::vector<SentPreset>& presets);

struct Mismatch {
  int number = 0;
  std::string name;     // the sent preset's name, trailing spaces removed
  bool unread = false;  // nothing could be read back; else the bytes differ
};

// The sent presets the device does not hold as sent, in number order. A
// cancelled read-back compares only what it read.
std::vector<Mismatch> CompareReadBack(const std::vector<SentPreset>& sent, const PresetReadResult& read);
// "U10 \"Clean Lead\" differs from what was sent", "... could not be read back".
std::string Describe(const Mismatch& mismatch);

// The message after a verified send of `sent` presets: all held as sent, or
// the mismatches one a line (the first kListedMismatches, then how many
// more), or why the read-back ended early.
inline constexpr std::size_t kListedMismatches = 20;
std::string VerificationReport(const std::vector<Mismatch>& mismatches, std::size_t sent, const PresetReadResult& read);
