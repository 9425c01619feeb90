#include "CommandSteps.h"

#include <QApplication>

#include "Dialogs.h"
#include "dlgMidiSetup.h"

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

void RequireMidi(dlgMidiSetup& setup, int number, const std::string& description, const std::string& source) {
  if (setup.Busy()) {
    ShowMessage(kTransferRunning);
    throw LindelError(number, source, kTransferRunning);
  }
  if (!setup.IsSetup() && !setup.SetupMidi()) throw LindelError(number, source, description);
}
