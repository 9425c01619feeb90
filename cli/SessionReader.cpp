#include "SessionReader.h"

#include <iostream>

#include "MidiSession.h"
#include "SimulatedGMajor.h"

CLI::Option* AddAnswerTimeout(CLI::App& app, std::chrono::milliseconds& timeout) {
  timeout = PresetReader::kDefaultTimeout;
  return AddSeconds(app, "--timeout", timeout, "the wait for each answer; each preset is asked for up to three times");
}

SessionReader::SessionReader(MidiSession& session, std::chrono::milliseconds timeout)
    : reader_(session.System(), session.Pump()),
      input_(session.Transfer().Devices().InputPosition()),
      output_(session.Transfer().Devices().OutputPosition()) {
  reader_.SetTimeout(timeout);
  reader_.SetListener(this);
}

// One rewritten line; the trailing spaces wipe a longer retry note.
void SessionReader::Requesting(int number, int attempt, int done, int total) {
  total_ = total;
  if (attempt > 1) ++retries_;
  std::cerr << "\r" << done << "/" << total << " presets read";
  if (attempt > 1) std::cerr << ", asking for " << PresetLabel(number) << " again (retry " << attempt - 1 << ")";
  std::cerr << "          " << std::flush;
  shown_ = true;
}

void SessionReader::EndProgress(const PresetReadResult& result) {
  if (!shown_) return;
  std::cerr << "\r" << result.presets.size() << "/" << total_ << " presets read";
  if (retries_ > 0) std::cerr << " (" << retries_ << (retries_ == 1 ? " retry)" : " retries)");
  std::cerr << std::string(40, ' ') << "\n";
  shown_ = false;
}
