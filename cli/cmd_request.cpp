// lindel-cli request and transmit: one preset between a file and the device.
#include <iostream>

#include "CPreset.h"
#include "Commands.h"
#include "MidiSession.h"
#include "PresetFiles.h"

namespace {

constexpr std::chrono::milliseconds kDefaultTimeout{10'000};

std::string TrimmedName(const CPreset& preset) {
  std::string name = preset.PresetName();
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

std::string Reason(const MidiTransfer& transfer, std::chrono::milliseconds timeout) {
  if (transfer.TimedOut()) {
    return "no answer from the device within " + FormatSeconds(timeout) + " s";
  }
  if (transfer.State() == TransferState::Failed && !transfer.LastError()) {
    return "the input received bytes that are no MIDI message, or the device failed";
  }
  return transfer.FailureReason();
}

struct TransferOptions {
  Devices devices;
  std::string preset;  // request: the preset asked for; transmit: the file sent
  std::string out;     // request: the file written
  std::optional<std::string> as;
  std::chrono::milliseconds timeout = kDefaultTimeout;
};

CLI::Option* AddTimeout(CLI::App& app, TransferOptions& o) {
  return AddSeconds(app, "--timeout", o.timeout, "the wait for the device's answer");
}

int Request(const TransferOptions& o) {
  const int number = ParsePresetName(o.preset, true);
  const std::string& out = o.out;
  const auto timeout = o.timeout;
  MidiSession session(o.devices);
  session.Transfer().SetTimeout(timeout);
  CPreset preset;
  if (!session.Transfer().RequestPreset(preset, number)) {
    return session.Failed("request", Reason(session.Transfer(), timeout) + "; nothing written");
  }
  // A valid preset of another number is no answer to this request (a late
  // answer to an earlier one, or a device that sent what it had): saved
  // under the asked name it would be taken for that preset.
  if (preset.PresetNumber() != number) {
    return session.Failed("request", "the device answered with " + PresetName(preset.PresetNumber()) + " \"" +
                                         TrimmedName(preset) + "\", not " + PresetName(number) +
                                         " as asked; nothing written");
  }
  if (!preset.Save(out, 0)) throw UsageError("cannot write " + Quoted(out));
  std::cout << out << ": " << PresetName(number) << " \"" << TrimmedName(preset) << "\"\n";
  return ExitCode::Ok;
}

int Transmit(const TransferOptions& o) {
  if (o.preset.empty()) throw UsageError("give exactly one preset file");
  const std::string& path = o.preset;
  RequireSinglePreset(path);
  SlotRead read = ReadPresetSlot(path, 0);
  if (!read.problem.empty()) throw UsageError(Quoted(path) + ": " + read.problem);
  CPreset& preset = read.preset;
  if (o.as) preset.SetPresetNumber(ParsePresetName(*o.as, false));
  const int number = preset.PresetNumber();
  if (number != PresetNumber::EditBuffer && (number <= PresetNumber::UserBase || number > PresetNumber::Highest)) {
    throw UsageError(Quoted(path) + " is stored as number " + std::to_string(number) +
                     ", which the device does not store; choose --as E or --as U1..U100");
  }
  MidiSession session(o.devices);
  session.Transfer().SetTimeout(o.timeout);
  if (!session.Transfer().TransmitPreset(preset)) {
    return session.Failed("transmit", Reason(session.Transfer(), o.timeout));
  }
  std::cout << "sent \"" << TrimmedName(preset) << "\" to " << PresetName(number) << "\n";
  return ExitCode::Ok;
}

}  // namespace

Runner DefineRequest(CLI::App& app) {
  auto o = std::make_shared<TransferOptions>();
  AddDevices(app, o->devices);
  app.add_option("--preset", o->preset, "the edit buffer, a factory or a user preset")
      ->type_name("E|F1..F100|U1..U100")
      ->required();
  app.add_option("-o", o->out, "the preset file written")->type_name("FILE")->required();
  AddTimeout(app, *o);
  return [o] { return Request(*o); };
}

Runner DefineTransmit(CLI::App& app) {
  auto o = std::make_shared<TransferOptions>();
  AddDevices(app, o->devices);
  app.add_option("FILE", o->preset, "the single-preset file sent");
  app.add_option("--as", o->as, "the edit buffer or the user preset it is stored as (default: its own number)")
      ->type_name("E|U1..U100");
  AddTimeout(app, *o);
  return [o] { return Transmit(*o); };
}
