// What the MIDI commands share: the device lists (the machine's devices, then
// the built-in simulator), the transfer engine on a condition-variable pump,
// device choice by list position or name, preset names (E, F1, U100), and a
// progress line on stderr.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "DefaultMidiSystem.h"
#include "EventPump.h"
#include "ISettings.h"
#include "MidiTransfer.h"
#include "TransferListener.h"

// A list position given as a number, else the one entry whose name contains
// wanted (ignoring case; an exact name wins). Throws UsageError naming what.
int ResolveDevice(const std::vector<std::string>& names, const std::string& wanted, const std::string& what);

// "E" 0, "F1".."F100" 1-100, "U1".."U100" 101-200; factory names only when
// allowFactory. Throws UsageError.
int ParsePresetName(const std::string& text, bool allowFactory);
std::string PresetName(int number);

// Seconds (a decimal number above 0, at most an hour) given to option name.
// Throws UsageError.
std::chrono::milliseconds ParseSeconds(const std::string& text, const std::string& name);
// An option of such seconds; the help shows value as the default.
CLI::Option* AddSeconds(CLI::App& app, const std::string& name, std::chrono::milliseconds& value,
                        const std::string& help);
// "10", "0.5".
std::string FormatSeconds(std::chrono::milliseconds duration);

// --in DEV and --out DEV, both required.
struct Devices {
  std::string in;
  std::string out;
};
void AddDevices(CLI::App& app, Devices& devices);

class MidiSession : private TransferListener {
 public:
  // Opens the device lists and selects the devices.
  explicit MidiSession(const Devices& devices);

  MidiTransfer& Transfer() { return transfer_; }
  MidiSystem& System() { return system_; }
  IEventPump& Pump() { return pump_; }
  const std::string& InputName() const;
  const std::string& OutputName() const;
  // Shows dump progress as one rewritten stderr line with this text after
  // the count ("preset(s) received").
  void ShowProgress(const std::string& what) { progressText_ = what; }
  // Ends a dump reception (like Done) once this many presets arrived.
  void StopAfter(std::optional<long> presets) { stopAfter_ = presets; }
  // Prints "lindel-cli COMMAND: failed: REASON" and returns the exit code of
  // a failed transfer.
  int Failed(const std::string& command, const std::string& reason) const;

 private:
  void DumpProgress(int presets) override;
  void RunEnded() override;

  DefaultMidiSystem system_;
  ConditionPump pump_;
  MemorySettings settings_;
  MidiTransfer transfer_;
  std::string progressText_;
  std::optional<long> stopAfter_;
  bool progressShown_ = false;
};
