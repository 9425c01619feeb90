// The error log of TestLog, read back as the lines written since, for the
// widget suites.
#pragma once

#include <QStringList>

#include "TestLog.h"

class ErrorLogCapture : public TestLog {
 public:
  // The logged lines without the header line.
  QStringList Lines() const {
    QStringList lines = QString::fromStdString(Text()).split("\r\n", Qt::SkipEmptyParts);
    if (!lines.isEmpty()) lines.removeFirst();
    return lines;
  }
};
