// lindel-cli backup: the device's user presets (and with --factory its
// factory presets) read one by one into a dump file that holds only the
// presets that arrived whole; with --library also kept in the library as
// what the device holds.
#include <iostream>

#include "BankCommands.h"
#include "Commands.h"
#include "DeviceBackup.h"
#include "MidiSession.h"
#include "SessionReader.h"

namespace {

struct BackupOptions {
  std::string out;
  Devices devices;
  bool factory = false;
  long first = BackupRange().first;
  long last = BackupRange().last;
  std::chrono::milliseconds timeout{};
  std::optional<std::string> library;
};

BackupRange RangeOf(const BackupOptions& o) {
  if (o.first > o.last) {
    throw UsageError("--first " + std::to_string(o.first) + " comes after --last " + std::to_string(o.last));
  }
  BackupRange range;
  range.first = static_cast<int>(o.first);
  range.last = static_cast<int>(o.last);
  range.factory = o.factory;
  return range;
}

int Backup(const BackupOptions& o) {
  const std::string& out = o.out;
  const BackupRange range = RangeOf(o);
  const auto timeout = o.timeout;
  MidiSession session(o.devices);
  SessionReader reading(session, timeout);
  const BackupOutcome outcome =
      BackUpDevice(reading.Reader(), reading.Input(), reading.Output(), BackupNumbers(range), out);
  reading.EndProgress(outcome.read);
  const std::string report = BackupReport(outcome, out);
  if (!outcome.writeProblem.empty()) throw UsageError(report);
  if (o.library && outcome.written) RememberDeviceHolds(*o.library, session.OutputName(), outcome.read.presets);
  if (!outcome.written || !outcome.read.Complete()) return session.Failed("backup", report);
  std::cout << report << "\n";
  return ExitCode::Ok;
}

}  // namespace

Runner DefineBackup(CLI::App& app) {
  auto o = std::make_shared<BackupOptions>();
  app.add_option("-o", o->out, "the dump file written")->type_name("FILE")->required();
  AddDevices(app, o->devices);
  app.add_flag("--factory", o->factory, "then the factory presets of the same range");
  AddNumber(app, "--first", o->first, 1, 100, "the first user preset read");
  AddNumber(app, "--last", o->last, 1, 100, "the last user preset read");
  AddAnswerTimeout(app, o->timeout);
  AddLibrary(app, o->library);
  return [o] { return Backup(*o); };
}
