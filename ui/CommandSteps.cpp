#include "CommandSteps.h"

#include <QApplication>

#include "dlgMidiSetup.h"

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

void RequireMidi(dlgMidiSetup& setup, int number, const std::string& description, const std::string& source) {
  if (!setup.IsSetup() && !setup.SetupMidi()) throw LindelError(number, source, description);
}
