// The editor: the error log in the program's folder, Qt message boxes, file
// dialogs and settings, the MIDI devices with the built-in simulated G-Major
// listed last, and the frame window.
#include <QApplication>

#include "CLog.h"
#include "DefaultMidiSystem.h"
#include "Dialogs.h"
#include "FrameTools.h"
#include "QtDialogs.h"
#include "QtFileUI.h"
#include "QtSettings.h"
#include "frmMDIMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Lindel");
  QApplication::setApplicationVersion(LINDEL_VERSION);

  CLog log(ProgramFolder());
  CLog::SetProgram(&log);
  QtDialogs dialogs;
  SetDialogs(&dialogs);
  QtSettings settings;
  QtFileUI files;
  DefaultMidiSystem midi;

  int status = 0;
  {
    frmMDIMain frame({settings, midi, files, DefaultFrameTools(settings, midi)});
    frame.Load();
    status = QApplication::exec();
  }
  SetDialogs(nullptr);
  CLog::SetProgram(nullptr);
  return status;
}
