// lindel-cli request and transmit: one preset between a file and the device.
#include <iostream>

#include "CPreset.h"
#include "CliArgs.h"
#include "Commands.h"
#include "MidiSession.h"
#include "PresetFiles.h"

namespace {

constexpr double kDefaultTimeoutSeconds = 10;

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

void RequireNoPositional(const CliArgs& cli) {
  if (!cli.Positional().empty()) throw UsageError("unexpected argument '" + cli.Positional()[0] + "'");
}

}  // namespace

int RunRequest(const Args& args) {
  const CliArgs cli(args, {"--in", "--out", "--preset", "-o", "--timeout"}, {});
  RequireNoPositional(cli);
  const int number = ParsePresetName(cli.Required("--preset"), true);
  const std::string out = cli.Required("-o");
  const auto timeout = ParseSeconds(cli, "--timeout", kDefaultTimeoutSeconds);
  MidiSession session(cli);
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

int RunTransmit(const Args& args) {
  const CliArgs cli(args, {"--in", "--out", "--as", "--timeout"}, {});
  if (cli.Positional().size() != 1) throw UsageError("give exactly one preset file");
  const std::string path = cli.Positional()[0];
  RequireSinglePreset(path);
  SlotRead read = ReadPresetSlot(path, 0);
  if (!read.problem.empty()) throw UsageError(Quoted(path) + ": " + read.problem);
  CPreset& preset = read.preset;
  if (const auto as = cli.Value("--as")) preset.SetPresetNumber(ParsePresetName(*as, false));
  const int number = preset.PresetNumber();
  if (number != PresetNumber::EditBuffer && (number <= PresetNumber::UserBase || number > PresetNumber::Highest)) {
    throw UsageError(Quoted(path) + " is stored as number " + std::to_string(number) +
                     ", which the device does not store; choose --as E or --as U1..U100");
  }
  const auto timeout = ParseSeconds(cli, "--timeout", kDefaultTimeoutSeconds);
  MidiSession session(cli);
  session.Transfer().SetTimeout(timeout);
  if (!session.Transfer().TransmitPreset(preset)) return session.Failed("transmit", Reason(session.Transfer(), timeout));
  std::cout << "sent \"" << TrimmedName(preset) << "\" to " << PresetName(number) << "\n";
  return ExitCode::Ok;
}
