// Fixtures shared by the MIDI tests: an error log in a temporary folder and
// a listener that records what the setup window would show.
#pragma once

#include <string>
#include <vector>

#include "CLog.h"
#include "TempDir.h"
#include "TransferListener.h"

class TestLog {
 public:
  TestLog() : log_(dir_.Path()) { CLog::SetProgram(&log_); }
  ~TestLog() { CLog::SetProgram(nullptr); }
  std::string Text() const { return ReadText(log_.Path().string()); }
  // Whether a line "number<TAB>description<TAB>source<TAB>..." was logged.
  bool Has(int number, const std::string& description, const std::string& source) const {
    return Text().find("\n" + std::to_string(number) + "\t" + description + "\t" + source + "\t") !=
           std::string::npos;
  }

 private:
  TempDir dir_;
  CLog log_;
};

struct RecordingListener : TransferListener {
  std::vector<std::string> statuses;
  std::vector<std::string> captions;
  std::vector<int> progress;
  int ended = 0;
  bool controlsEnabled = false;

  void StatusChanged(const std::string& text) override { statuses.push_back(text); }
  void CancelCaptionChanged(const std::string& caption) override { captions.push_back(caption); }
  void ControlsEnabledChanged(bool enabled) override { controlsEnabled = enabled; }
  void DumpProgress(int presets) override { progress.push_back(presets); }
  void RunEnded() override { ++ended; }
};
