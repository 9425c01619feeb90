// Reading presets from the device for backup and send-dump --verify: a
// PresetReader on the session's devices, with the command's --timeout and a
// progress line on stderr that also tells each retry.
#pragma once

#include <chrono>
#include <string>

#include "CommandLine.h"
#include "PresetReader.h"

class MidiSession;

// --timeout S, the wait for each answer; 2 s by default.
CLI::Option* AddAnswerTimeout(CLI::App& app, std::chrono::milliseconds& timeout);

class SessionReader : private PresetReadListener {
 public:
  SessionReader(MidiSession& session, std::chrono::milliseconds timeout);

  PresetReader& Reader() { return reader_; }
  int Input() const { return input_; }
  int Output() const { return output_; }
  // Ends the progress line with what was read and how many retries it took.
  void EndProgress(const PresetReadResult& result);

 private:
  void Requesting(int number, int attempt, int done, int total) override;

  PresetReader reader_;
  int input_;
  int output_;
  int total_ = 0;
  int retries_ = 0;
  bool shown_ = false;
};
