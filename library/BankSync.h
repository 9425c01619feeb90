// A bank between the library and the device: pulling the device's 100 user
// presets into the library and a bank, and sending a bank's slots that the
// device does not hold, optionally read back and compared. The device is
// reached through BankDevice, which the command line and the editor each
// implement with their own progress display.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "PresetReader.h"
#include "SendVerification.h"

class CFile;
class PresetLibrary;

class BankDevice {
 public:
  virtual ~BankDevice() = default;
  // The name the device state is kept under: the output port's.
  virtual std::string Name() const = 0;
  // Asks for these preset numbers one by one (with retries and time-outs).
  virtual PresetReadResult Read(const std::vector<int>& numbers) = 0;
  // Sends the dump's presets one after the other at the wire rate: "" when
  // every one left, else why not.
  virtual std::string Send(const std::vector<uint8_t>& dump) = 0;
};

// Keeps the user presets read from the device in the library and records
// each as what its slot holds (a backup, a received dump).
void KeepDeviceHolds(PresetLibrary& library, const std::string& device, const std::vector<PresetImage>& presets);

// Reads U1-U100 into the library and the bank (created when new): each slot
// read is planned into the bank and recorded as what the device holds.
PresetReadResult PullBank(PresetLibrary& library, const std::string& bank, BankDevice& device);

struct BankSendOutcome {
  // Slots whose device state was unknown and could not be read first: not
  // sent, so nothing the library lacks is overwritten.
  std::vector<int> unreadFirst;
  std::vector<int> sent;  // the slots that left, in slot order
  bool verified = false;
  std::vector<Mismatch> mismatches;  // with verification
  std::string failure;               // the send or the read-back failed
  bool cancelled = false;

  bool Ok() const { return unreadFirst.empty() && failure.empty() && mismatches.empty() && !cancelled; }
};

// Sends the filled slots the device is not known to hold (every filled one
// with all). Slots of unknown state are read into the library first and
// count as known from then on. The device state changes for the slots sent
// and, when verifying, only for those read back as sent.
BankSendOutcome SendBank(PresetLibrary& library, const std::string& bank, BankDevice& device, bool all, bool verify);

// "U3", "U3, U7": the slots as the device names them.
std::string SlotNames(const std::vector<int>& slots);
// What a send came to, in a sentence or a few lines, for a message box.
std::string SendSummary(const BankSendOutcome& outcome);

// The dump senders take files: writes the dump to a temporary file, runs
// send on it open and removes it again. Returns what send returns, or why
// the file could not be written.
std::string SendAsFile(const std::vector<uint8_t>& dump, const std::function<std::string(CFile&)>& send);
