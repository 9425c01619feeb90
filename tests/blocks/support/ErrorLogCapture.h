// Points the program's error log at a temporary folder for one test and
// reads back the lines written since.
#pragma once

#include <QStringList>

#include "CLog.h"
#include "TempDir.h"

class ErrorLogCapture {
 public:
  ErrorLogCapture() : log_(dir_.Path()) { CLog::SetProgram(&log_); }
  ~ErrorLogCapture() { CLog::SetProgram(nullptr); }
  ErrorLogCapture(const ErrorLogCapture&) = delete;
  ErrorLogCapture& operator=(const ErrorLogCapture&) = delete;

  // The logged lines without the header line.
  QStringList Lines() const {
    QStringList lines = QString::fromStdString(ReadText(log_.Path().string())).split("\r\n", Qt::SkipEmptyParts);
    if (!lines.isEmpty()) lines.removeFirst();
    return lines;
  }

 private:
  TempDir dir_;
  CLog log_;
};
