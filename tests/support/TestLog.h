// The program-wide error log, in a temporary folder for one test.
#pragma once

#include <string>

#include "CLog.h"
#include "TempDir.h"

class TestLog {
 public:
  TestLog() : log_(dir_.Path()) { CLog::SetProgram(&log_); }
  ~TestLog() { CLog::SetProgram(nullptr); }
  TestLog(const TestLog&) = delete;
  TestLog& operator=(const TestLog&) = delete;
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
