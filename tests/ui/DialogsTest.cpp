// The preset request dialog (key filter, banks, range messages) and the MIDI
// setup window (device lists, stored positions, OK and Cancel, the progress
// bar of dump transfers), driven through their controls while they are open.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "CFile.h"
#include "ErrorLogCapture.h"
#include "FakeMidiSystem.h"
#include "FrameFixture.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"
#include "dlgMidiSetup.h"
#include "dlgRequestPreset.h"

namespace {

std::vector<std::string> Names(int count, const std::string& stem) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(stem + " " + std::to_string(i + 1));
  return names;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void RequestDialogTurnsTheEntryIntoAPresetNumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("userBank");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("preset");
    QTest::addColumn<QString>("message");
    const QString range = "Presets must be between 1 and 100 (or 0 for the temporary buffer)";
    QTest::newRow("user 5") << "5" << true << true << 105 << "";
    QTest::newRow("factory 5") << "5" << false << true << 5 << "";
    QTest::newRow("user 100") << "100" << true << true << 200 << "";
    QTest::newRow("user 0 is the edit buffer") << "0" << true << true << 0 << "";
    QTest::newRow("factory 0") << "0" << false << true << 0 << "";
    QTest::newRow("101") << "101" << true << false << 0 << range;
    QTest::newRow("999") << "999" << false << false << 0 << range;
    QTest::newRow("empty") << "" << true << false << 0 << "No preset entered";
    QTest::newRow("pasted text") << "1a" << true << false << 0 << range;
  }
  void RequestDialogTurnsTheEntryIntoAPresetNumber() {
    QFETCH(QString, typed);
    QFETCH(bool, userBank);
    QFETCH(bool, accepted);
    QFETCH(int, preset);
    QFETCH(QString, message);
    ScriptedDialogs dialogs;
    dlgRequestPreset dialog;
    StepPlayer steps;
    bool stayedOpen = false;
    steps.Then("fill the dialog", [&] {
      if (!dialog.isVisible()) return false;
      dialog.findChild<QLineEdit*>("txtPresetNumber")->setText(typed);  // as pasted: no key filter
      dialog.findChild<QRadioButton*>(userBank ? "optBank1" : "optBank0")->click();
      dialog.findChild<QPushButton*>("OKButton")->click();
      stayedOpen = dialog.isVisible();
      if (stayedOpen) dialog.findChild<QPushButton*>("CancelButton")->click();
      return true;
    });
    QCOMPARE(dialog.RequestPreset(), accepted);
    QCOMPARE(steps.Stuck(), QString());
    QCOMPARE(stayedOpen, !accepted);
    if (accepted) QCOMPARE(dialog.Preset(), preset);
    QCOMPARE(dialogs.Texts().empty() ? QString() : QString::fromStdString(dialogs.Texts().front()), message);
    QCOMPARE(dialog.windowTitle(), QString("Request Preset"));
  }

  void RequestDialogStartsInTheUserBankAndTakesThreeDigits() {
    ScriptedDialogs dialogs;
    dlgRequestPreset dialog;
    QVERIFY(dialog.findChild<QRadioButton*>("optBank1")->isChecked());
    auto* number = dialog.findChild<QLineEdit*>("txtPresetNumber");
    QTest::keyClicks(number, "1x23");
    QCOMPARE(number->text(), QString("123"));
    QCOMPARE(dialogs.Texts(), std::vector<std::string>{"Only type a number between 0 and 100"});
    QTest::keyClick(number, Qt::Key_4);
    QCOMPARE(number->text(), QString("123"));
    QTest::keyClick(number, Qt::Key_Backspace);
    QCOMPARE(number->text(), QString("12"));
    QCOMPARE(dialogs.Texts().size(), std::size_t(1));
  }

  // The restore rules for stored positions are the engine's (TransferTest);
  // here the lists show what was stored.
  void SetupOkStoresThePositionsAndCancelStoresNothing() {
    ScriptedDialogs dialogs;
    MemorySettings settings;
    FakeMidiSystem midi(Names(3, "In"), Names(3, "Out"));
    dlgMidiSetup dialog(midi, settings);
    StepPlayer steps;
    steps.Then("choose and press OK", [&] {
      if (!dialog.isVisible()) return false;
      auto* cmbInput = dialog.findChild<QComboBox*>("cmbInput");
      cmbInput->setCurrentIndex(2);
      Q_EMIT cmbInput->activated(2);
      dialog.findChild<QPushButton*>("OKButton")->click();
      return true;
    });
    QVERIFY(dialog.SetupMidi());
    QCOMPARE(settings.Get("MIDI", "MIDI_IN", ""), std::string("2"));
    QCOMPARE(settings.Get("MIDI", "MIDI_OUT", ""), std::string("0"));
    QCOMPARE(midi.OpenDevices(), 0);
    QVERIFY(!midi.OpenedInput());
    dlgMidiSetup again(midi, settings);
    QCOMPARE(again.windowTitle(), QString("MIDI Setup"));
    QCOMPARE(again.findChild<QComboBox*>("cmbInput")->currentText(), QString("In 3"));
    QCOMPARE(again.findChild<QComboBox*>("cmbOutput")->currentText(), QString("Out 1"));

    MemorySettings untouched;
    dlgMidiSetup second(midi, untouched);
    steps.Then("press Cancel", [&] {
      if (!second.isVisible()) return false;
      second.findChild<QPushButton*>("CancelButton")->click();
      return true;
    });
    QVERIFY(!second.SetupMidi());
    QVERIFY(!untouched.Has("MIDI", "MIDI_IN"));
    QVERIFY(dialogs.Texts().empty());
  }

  void SetupOkWithoutDevicesAsksForThem() {
    ScriptedDialogs dialogs;
    MemorySettings settings;
    settings.Set("MIDI", "MIDI_IN", "9");
    FakeMidiSystem midi;
    dlgMidiSetup dialog(midi, settings);
    QVERIFY(!dialog.IsSetup());
    StepPlayer steps;
    bool stayedOpen = false;
    steps.Then("press OK, then Cancel", [&] {
      if (!dialog.isVisible()) return false;
      dialog.findChild<QPushButton*>("OKButton")->click();
      stayedOpen = dialog.isVisible();
      dialog.findChild<QPushButton*>("CancelButton")->click();
      return true;
    });
    QVERIFY(!dialog.SetupMidi());
    QVERIFY(stayedOpen);
    QCOMPARE(dialogs.Texts(), std::vector<std::string>{"You must select devices for input and output or hit Cancel"});
    QCOMPARE(settings.Get("MIDI", "MIDI_IN", ""), std::string("9"));
  }

  void DumpTransfersShowTheirProgressBesideTheStatus() {
    ErrorLogCapture log;
    TempDir dir;
    MemorySettings settings;
    FakeMidiSystem midi;
    dlgMidiSetup dialog(midi, settings);
    MidiTimings fast;
    fast.perByte = std::chrono::microseconds(0);
    fast.transmitPause = std::chrono::milliseconds(10);
    dialog.Transfer().SetTimings(fast);
    const std::string path = dir.File("three.syx");
    WriteBytes(path, DumpBytes(3));
    CFile file;
    QVERIFY(file.OpenFile(path));
    QVERIFY(dialog.SendSysEx(file));
    auto* bar = dialog.findChild<QProgressBar*>("prgDump");
    QVERIFY(bar->isVisibleTo(&dialog));
    QCOMPARE(bar->maximum(), 3);
    QCOMPARE(bar->value(), 3);
    QCOMPARE(dialog.findChild<QLabel*>("lblDisplay")->text(), QString("3 preset(s) sent"));
    QCOMPARE(midi.Sent().size(), std::size_t(3));
    QVERIFY(dialog.isHidden());

    CPreset preset = PresetBuilder().Number(101).Build();
    QVERIFY(dialog.TransmitPreset(preset));
    QVERIFY(!bar->isVisibleTo(&dialog));
  }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
