// The editor: the error log in the program's folder, Qt message boxes, file
// dialogs and settings, the MIDI devices with the built-in simulated G-Major
// listed last, and the frame window, opening the .syx file named on the
// command line (the desktop entry passes the file the user opened).
#include <QApplication>
#include <QCommandLineParser>

#include "CLog.h"
#include "DefaultMidiSystem.h"
#include "Dialogs.h"
#include "FileOpener.h"
#include "FrameTools.h"
#include "QtDialogs.h"
#include "QtFileUI.h"
#include "QtSettings.h"
#include "frmMDIMain.h"

namespace {

// --help and --version answer and end the program; every other argument is a
// file to open.
void DescribeCommandLine(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Lindel: editor and librarian of G-Major presets. Opens the .syx files given, a single preset or a dump.\n\n"
      "example:\n  lindel ~/presets/clean.syx");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("FILE", "a .syx file to open");
  parser.process(app);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Lindel");
  QApplication::setApplicationVersion(LINDEL_VERSION);
  // Ties the windows to the installed desktop entry (its icon, its name).
  QGuiApplication::setDesktopFileName("org.lindel.Lindel");
  DescribeCommandLine(app);

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
    FileOpener(frame).OpenArguments(QApplication::arguments());
    status = QApplication::exec();
  }
  SetDialogs(nullptr);
  CLog::SetProgram(nullptr);
  return status;
}
