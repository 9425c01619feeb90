// lindel-cli backup: the device's user presets (and with --factory its
// factory presets) read one by one into a dump file that holds only the
// presets that arrived whole; with --library also kept in the library as
// what the device holds.
#include <iostream>

#include "BankCommands.h"
#include "CliArgs.h"
#include "Commands.h"
#include "DeviceBackup.h"
#include "MidiSession.h"
#include "SessionReader.h"

namespace {

BackupRange RangeOf(const CliArgs& cli) {
  BackupRange range;
  range.first = static_cast<int>(cli.Number("--first", 1, 100).value_or(range.first));
  range.last = static_cast<int>(cli.Number("--last", 1, 100).value_or(range.last));
  range.factory = cli.Flag("--factory");
  if (range.first > range.last) {
    throw UsageError("--first " + std::to_string(range.first) + " comes after --last " + std::to_string(range.last));
  }
  return range;
}

}  // namespace

int RunBackup(const Args& args) {
  const CliArgs cli(args, {"--in", "--out", "-o", "--first", "--last", "--timeout", "--library"}, {"--factory"});
  if (!cli.Positional().empty()) throw UsageError("unexpected argument '" + cli.Positional()[0] + "'");
  const std::string out = cli.Required("-o");
  const BackupRange range = RangeOf(cli);
  const auto timeout = AnswerTimeout(cli);
  MidiSession session(cli);
  SessionReader reading(session, timeout);
  const BackupOutcome outcome =
      BackUpDevice(reading.Reader(), reading.Input(), reading.Output(), BackupNumbers(range), out);
  reading.EndProgress(outcome.read);
  const std::string report = BackupReport(outcome, out);
  if (!outcome.writeProblem.empty()) throw UsageError(report);
  if (const auto library = cli.Value("--library"); library && outcome.written) {
    RememberDeviceHolds(*library, session.OutputName(), outcome.read.presets);
  }
  if (!outcome.written || !outcome.read.Complete()) return session.Failed("backup", report);
  std::cout << report << "\n";
  return ExitCode::Ok;
}
