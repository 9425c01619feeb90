#include "VerifySend.h"

#include <iostream>
#include <vector>

#include "CommandLine.h"
#include "MidiSession.h"
#include "PresetFiles.h"
#include "SendVerification.h"
#include "SessionReader.h"

namespace {

constexpr const char* kCommand = "send-dump";

std::vector<SentPreset> SentPresets(const std::string& path) {
  auto sent = PresetsToVerify(path);
  if (!sent) throw UsageError("cannot read " + Quoted(path) + " again to verify it");
  return *sent;
}

}  // namespace

int VerifySentDump(MidiSession& session, const std::string& path, std::chrono::milliseconds timeout) {
  const std::vector<SentPreset> sent = SentPresets(path);
  SessionReader reading(session, timeout);
  const PresetReadResult read = reading.Reader().Read(reading.Input(), reading.Output(), NumbersOf(sent));
  reading.EndProgress(read);
  if (read.error && read.presets.empty()) return session.Failed(kCommand, "verify: " + read.error->Description());
  const std::vector<Mismatch> mismatches = CompareReadBack(sent, read);
  for (const Mismatch& m : mismatches) std::cerr << "lindel-cli " << kCommand << ": " << Describe(m) << "\n";
  if (!mismatches.empty()) {
    return session.Failed(kCommand, "verify: " + std::to_string(mismatches.size()) + " of " +
                                        std::to_string(sent.size()) + " presets are not held as sent");
  }
  std::cout << "verified " << sent.size() << " presets: the device holds them as sent\n";
  return ExitCode::Ok;
}
