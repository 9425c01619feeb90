// What the frame asks and refuses: the unsaved-changes question on every
// command that drops edits, the key filters of the name and number boxes,
// the name and number checks of GatherPreset, and bad input of every kind
// (dumps that hold no preset, a cut-off dump, a read-only dump, a request
// cancelled or never answered, a garbled reply): a clear message or log
// line, nothing lost, the editor still running.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <sys/stat.h>

#include <filesystem>

#include "FakeMidiSystem.h"
#include "FileModes.h"
#include "DumpPane.h"
#include "FrameFixture.h"
#include "PresetBuilder.h"
#include "dlgMidiSetup.h"

namespace {

using Action = void (*)(FrameFixture&);

// A dump open with its second slot on screen and edited.
void EditedDumpSlot(FrameFixture& f) {
  f.TriggerOpening("mnuFileOpen", f.WriteDump("open.syx", 3));
  f.PresetList().setCurrentRow(1);
  f.TypeName("Unsaved");
}

void EditedSinglePreset(FrameFixture& f) {
  f.Trigger("mnuPresetNew");
  f.TypeName("Unsaved");
}

struct DropPath {
  const char* name;
  Action prepare;
  Action command;
};

const DropPath kDropPaths[] = {
    {"new preset", EditedSinglePreset, [](FrameFixture& f) { f.Trigger("mnuPresetNew"); }},
    {"load from file", EditedSinglePreset, [](FrameFixture& f) { f.Trigger("mnuPresetLoad"); }},
    {"open dump", EditedSinglePreset, [](FrameFixture& f) { f.Trigger("mnuFileOpen"); }},
    {"request", EditedSinglePreset, [](FrameFixture& f) { f.Trigger("mnuPresetRequest"); }},
    {"receive dump", EditedDumpSlot, [](FrameFixture& f) { f.Trigger("mnuFileReceiveSysEx"); }},
    {"send dump", EditedDumpSlot, [](FrameFixture& f) { f.Trigger("mnuFileSendSysEx"); }},
    {"another dump slot", EditedDumpSlot, [](FrameFixture& f) { f.PresetList().setCurrentRow(2); }},
    {"exit", EditedSinglePreset, [](FrameFixture& f) { f.Trigger("mnuFileExit"); }},
};

}  // namespace

class FrameQuestionsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Each command first asks; Enter (Cancel is the default) leaves the
  // preset, its edits and the dump as they were, and nothing else is asked
  // or opened.
  void EveryCommandThatDropsEditsAsksFirst_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(kDropPaths); ++i) QTest::newRow(kDropPaths[i].name) << int(i);
  }
  void EveryCommandThatDropsEditsAsksFirst() {
    QFETCH(int, row);
    FrameFixture f;
    kDropPaths[row].prepare(f);
    const std::shared_ptr<CPreset> before = f.Frame().Preset();
    const int slot = f.Frame().DumpSlot();
    f.dialogs.Clear();
    f.files.asked = 0;
    f.dialogs.QueueKey(DialogKey::Enter);
    kDropPaths[row].command(f);
    QCOMPARE(f.dialogs.Shown().size(), std::size_t(1));
    QCOMPARE(f.dialogs.Shown()[0].defaultButton, MessageAnswer::Cancel);
    QCOMPARE(f.dialogs.Shown()[0].text, std::string(kLoseChanges));
    QCOMPARE(f.dialogs.Shown()[0].title, std::string("Changes not saved"));
    QCOMPARE(f.dialogs.Shown()[0].buttons, MessageButtons::OkCancel);
    QVERIFY(f.Frame().Preset() == before);
    QCOMPARE(f.Frame().DumpSlot(), slot);
    QCOMPARE(f.Box("txtPresetName").text(), QString("Unsaved"));
    QVERIFY(f.EditedShown());
    QVERIFY(f.Frame().isVisible());
    QCOMPARE(f.files.asked, 0);
    if (slot >= 0) QCOMPARE(f.PresetList().currentRow(), slot);
  }

  // Declined by mouse or key, the highlight returns to the slot on screen.
  void DeclinedSlotChangeHighlightsTheSlotShown() {
    for (const bool byMouse : {true, false}) {
      FrameFixture f;
      EditedDumpSlot(f);
      QListWidget& list = f.PresetList();
      f.dialogs.QueueAnswer(MessageAnswer::Cancel);
      if (byMouse) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2)).center());
      } else {
        QTest::keyClick(&list, Qt::Key_Down);
      }
      QCoreApplication::processEvents();
      QCOMPARE(f.dialogs.Shown().back().title, std::string("Changes not saved"));
      QCOMPARE(f.Frame().DumpSlot(), 1);
      QCOMPARE(list.currentRow(), 1);
      QCOMPARE(list.selectedItems(), QList<QListWidgetItem*>{list.item(1)});
    }
  }

  void LosingTheChangesWithOkGoesAhead() {
    FrameFixture f;
    EditedSinglePreset(f);
    const std::shared_ptr<CPreset> before = f.Frame().Preset();
    f.dialogs.QueueAnswer(MessageAnswer::Ok);
    f.Trigger("mnuPresetNew");
    QVERIFY(f.Frame().Preset() != before);
    QVERIFY(!f.EditedShown());
    f.TypeName("Again");
    f.dialogs.QueueAnswer(MessageAnswer::Ok);
    QVERIFY(f.Frame().close());
  }

  // The name box refuses the tilde and stops at twenty characters; the number box takes digits only.
  void BoxesRefuseWhatTheyCannotHold_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("tilde in the name") << "txtPresetName" << "ab~c" << "abc" << "Character ~ is not valid in a Preset Name";
    QTest::newRow("name of 26, then backspace") << "txtPresetName" << "abcdefghijklmnopqrstuvwxyz\b"
                                                << "abcdefghijklmnopqrs" << "";
    QTest::newRow("letter in the number") << "txtPresetNumber" << "1x2" << "12" << "x is not valid in a Preset Number";
  }
  void BoxesRefuseWhatTheyCannotHold() {
    QFETCH(QString, box);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    QLineEdit& edit = f.Box(qPrintable(box));
    edit.clear();
    QTest::keyClicks(&edit, keys);
    QTEST(edit.text(), "text");
    QCOMPARE(f.Messages(), message.isEmpty() ? std::vector<std::string>{} : std::vector{message.toStdString()});
    QVERIFY(f.EditedShown());
  }

  void GatherNeedsANameAndAUserPresetNumber_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("message");
    QTest::newRow("edit buffer") << "Tone" << "0" << 0 << "";
    QTest::newRow("user preset 7") << "Tone" << "7" << 107 << "";
    QTest::newRow("user preset 100") << "Tone" << "100" << 200 << "";
    QTest::newRow("beyond the bank") << "Tone" << "150" << 0 << "Invalid preset number, sent 0 to be safe";
    QTest::newRow("empty number") << "Tone" << "" << 0 << "Invalid preset number, sent 0 to be safe";
    QTest::newRow("no name") << "" << "7" << -1 << "You must enter a name for the preset";
  }
  void GatherNeedsANameAndAUserPresetNumber() {
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(int, stored);
    QFETCH(QString, message);
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    f.Frame().Preset()->SetPresetNumber(55);
    f.TypeName(name);
    f.Box("txtPresetNumber").setText(number);
    const bool gathered = f.Frame().GatherPreset(true);
    QCOMPARE(gathered, stored >= 0);
    QCOMPARE(f.Frame().Preset()->PresetNumber(), stored >= 0 ? stored : 55);
    QCOMPARE(f.Messages().empty() ? QString() : QString::fromStdString(f.Messages().back()), message);
    if (!message.isEmpty() && gathered) QCOMPARE(f.Box("txtPresetNumber").text(), QString("0"));
  }

  void DumpFilesThatCannotBeShownAreRefused_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << 0 << "%1 holds no preset";
    QTest::newRow("less than one preset") << 400 << "%1 holds no preset";
    QTest::newRow("missing") << -1 << "Unable to open file: %1";
  }
  void DumpFilesThatCannotBeShownAreRefused() {
    QFETCH(int, size);
    QFETCH(QString, message);
    FrameFixture f;
    f.TriggerOpening("mnuFileOpen", f.WriteDump("first.syx", 2));
    const std::string path = f.dir.File("bad.syx");
    const std::vector<uint8_t> one = DumpBytes(1);
    if (size >= 0) WriteBytes(path, std::vector<uint8_t>(one.begin(), one.begin() + size));
    f.TriggerOpening("mnuFileOpen", path);
    QCOMPARE(QString::fromStdString(f.Messages().back()), message.arg(QString::fromStdString(path)));
    QCOMPARE(f.Frame().State(), DisplayState::DumpSlot);  // the open dump stays
    QCOMPARE(f.Frame().Dump()->FileName(), f.dir.File("first.syx"));
  }

  void CutOffDumpShowsItsWholeSlotsOnly() {
    FrameFixture f;
    std::vector<uint8_t> bytes = DumpBytes(3);
    bytes.resize(2 * kPresetSize + 400);
    const std::string path = f.dir.File("cut.syx");
    WriteBytes(path, bytes);
    f.TriggerOpening("mnuFileOpen", path);
    QCOMPARE(f.Messages().back(), path + " ends inside its last preset, which cannot be shown");
    auto& list = f.PresetList();
    QCOMPARE(list.count(), 3);
    list.setCurrentRow(2);
    QCOMPARE(f.Messages().back(), std::string("Preset 3 is incomplete: the file ends inside it"));
    QCOMPARE(f.Frame().DumpSlot(), 0);
    QCOMPARE(list.currentRow(), 0);
    QCOMPARE(ReadBytes(path), bytes);
  }

  // A read-only dump in a read-only folder: no way to write it, in place or
  // through a replacing copy.
  void ReadOnlyDumpReportsTheFailedWriteAndKeepsTheEdits() {
    FrameFixture f;
    const std::filesystem::path folder = f.dir.Path() / "locked";
    std::filesystem::create_directory(folder);
    const std::string path = (folder / "locked.syx").string();
    WriteBytes(path, DumpBytes(2));
    const std::vector<uint8_t> before = ReadBytes(path);
    ::chmod(path.c_str(), 0444);
    ::chmod(folder.c_str(), 0555);
    {
      const FileModesEnforced modes;
      f.TriggerOpening("mnuFileOpen", path);
      f.TypeName("Not Written");
      f.Trigger("mnuFileSave");
    }
    ::chmod(folder.c_str(), 0755);
    QCOMPARE(f.Messages(), std::vector<std::string>{"Unable to write the preset into " + path});
    QVERIFY(f.Logged(QString::fromStdString("Unable to write the preset into " + path)));
    QVERIFY(f.EditedShown());
    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(f.PresetList().item(0)->text(), QString("1 - Preset 101          "));
    // What is on screen can still go to a file of its own.
    const std::string copy = f.dir.File("copy.syx");
    f.TriggerSaving("mnuPresetSave", copy);
    CPreset saved;
    QVERIFY(saved.Read(copy));
    QVERIFY(QString::fromStdString(saved.PresetName()).startsWith("Not Written"));
  }

  // Reported once; the edits on screen stay.
  void AFileThatCannotBeCreatedIsReportedOnce_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("file");  // "": the folder's own name
    QTest::addColumn<bool>("edited");
    QTest::newRow("preset saved under a folder's name") << "mnuPresetSave" << "" << true;
    QTest::newRow("dump received into a missing folder") << "mnuFileReceiveSysEx" << "no such folder/received.syx"
                                                        << false;
  }
  void AFileThatCannotBeCreatedIsReportedOnce() {
    QFETCH(QString, item);
    QFETCH(QString, file);
    QFETCH(bool, edited);
    FrameFixture f;
    if (edited) EditedSinglePreset(f);
    f.TriggerSaving(qPrintable(item), file.isEmpty() ? f.dir.Path().string() : f.dir.File(file.toStdString()));
    QCOMPARE(f.Messages(), std::vector<std::string>{"File is already open"});
    QCOMPARE(f.EditedShown(), edited);
    if (edited) QCOMPARE(f.Box("txtPresetName").text(), QString("Unsaved"));
    QVERIFY(!f.Frame().Pane().isVisible());
  }

  // The device never answers: only Cancel ends the wait, and the frame
  // may not close meanwhile.
  void RequestCancelledInTheDialogOrAtTheDeviceChangesNothing() {
    for (const bool atDevice : {false, true}) {
      FakeMidiSystem silent;
      FrameFixture f({}, &silent);
      EditedSinglePreset(f);
      const std::shared_ptr<CPreset> before = f.Frame().Preset();
      f.dialogs.QueueAnswer(MessageAnswer::Ok);
      bool closed = false;
      if (atDevice) {
        f.AnswerRequest("3", true);
        f.steps.Then("close the frame while waiting", [&] {
          if (!f.Frame().MidiSetup().Busy()) return false;
          closed = f.Frame().close();
          return true;
        });
        f.CancelTransfer();
      } else {
        f.CancelRequestDialog();
      }
      f.Trigger("mnuPresetRequest");
      QCOMPARE(f.steps.Stuck(), QString());
      QVERIFY(f.Frame().Preset() == before);
      QCOMPARE(f.Box("txtPresetName").text(), QString("Unsaved"));
      QVERIFY(f.Frame().MidiSetup().isHidden());
      QVERIFY(!f.Frame().MidiSetup().Busy());
      QCOMPARE(f.Messages().size(), std::size_t(1));  // only the question
      QVERIFY(!closed && f.Frame().isVisible());
    }
  }

  void GarbledReplyIsLoggedAndShowsNothing() {
    FrameFixture f;
    f.midi.WithDevice([](SimulatedGMajor& device) { device.SetAnswerMode(AnswerMode::WrongModel); });
    f.AnswerRequest("2", true);
    f.Trigger("mnuPresetRequest");
    QCOMPARE(f.steps.Stuck(), QString());
    QCOMPARE(f.Frame().State(), DisplayState::Empty);
    QVERIFY(f.Logged("Invalid preset received: no G-Major preset or a bad checksum"));
    // Still running: the next request works.
    f.midi.WithDevice([](SimulatedGMajor& device) { device.SetAnswerMode(AnswerMode::Normal); });
    f.AnswerRequest("2", true);
    f.Trigger("mnuPresetRequest");
    QCOMPARE(f.Frame().Preset()->Image(), DevicePreset(f.midi, 102).Image());
  }

  void NoDevicesChosenOpensTheSetupAndItsCancelIsLogged() {
    FrameFixture f;
    f.Frame().MidiSetup().Transfer().SelectInput(-1);
    f.steps.Then("cancel the setup", [&f] {
      dlgMidiSetup& setup = f.Frame().MidiSetup();
      if (!setup.isVisible() || !setup.isModal()) return false;
      setup.findChild<QPushButton*>("CancelButton")->click();
      return true;
    });
    f.Trigger("mnuPresetTransmit");  // disabled: nothing happens
    f.Trigger("mnuPresetRequest");
    QCOMPARE(f.steps.Stuck(), QString());
    QVERIFY(f.Logged("Error with midi setup"));
    QVERIFY(f.Messages().empty());
  }
};

QTEST_MAIN(FrameQuestionsTest)
#include "FrameQuestionsTest.moc"
