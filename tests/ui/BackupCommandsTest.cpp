// The device backup, the send warning's options and the verified send, end to
// end through the frame on the in-process simulated G-Major, with what the
// library learns from them about the device; and the question box with
// options as the user meets it.
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "DeviceState.h"
#include "EditorBankDevice.h"
#include "FrameFixture.h"
#include "LibraryCommands.h"
#include "LibraryKeeper.h"
#include "OptionsQuestion.h"
#include "PresetBuilder.h"
#include "QtDialogs.h"
#include "dlgReadPresets.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes UserBank(SimulatorMidiSystem& midi) {
  return midi.WithDevice([](SimulatedGMajor& device) { return device.UserBank(); });
}

void SetFault(SimulatorMidiSystem& midi, const std::string& fault) {
  midi.WithDevice([&](SimulatedGMajor& device) { device.SetFault(*ParseSimFault(fault)); });
}

// Opens a dump of count presets (U1 up, distinct from the device's) and
// sends it with the options verify and backup.
std::string SendDump(FrameFixture& f, int count, bool verify, bool backup) {
  const std::string path = f.dir.File("send.syx");
  Bytes dump;
  for (int n = 1; n <= count; ++n) {
    const Bytes p = PresetBuilder().Name("Sent " + std::to_string(n)).Number(100 + n).Scramble(300 + n).Bytes();
    dump.insert(dump.end(), p.begin(), p.end());
  }
  WriteBytes(path, dump);
  f.TriggerOpening("mnuFileOpen", path);
  f.dialogs.QueueAnswer(MessageAnswer::Yes);
  f.dialogs.QueueCheck(verify);
  f.dialogs.QueueCheck(backup);
  f.Trigger("mnuFileSendSysEx");
  return path;
}

}  // namespace

class BackupCommandsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void BackupDeviceReadsTheUserAndFactoryBanksIntoTheFile() {
    FrameFixture f;
    const std::string path = f.dir.File("backup.syx");
    f.files.saves.push_back(path);
    f.dialogs.QueueCheck(true);
    f.Trigger("mnuFileBackup");
    QCOMPARE(f.dialogs.OptionCaptions(), std::vector<std::string>{"Also read the 100 factory presets"});
    // The engine and integration tests check the bytes; here the ticked option reaches it.
    QCOMPARE(ReadBytes(path).size(), 200 * kPresetSize);
    QCOMPARE(f.Messages().back(), "Backed up 200 presets to " + path + ".");
    QCOMPARE(f.dialogs.Shown().back().icon, MessageIcon::Information);
  }

  void ABackupThatReadsNothingOrIsCancelledWritesNothing() {
    FrameFixture f;
    const std::string path = f.dir.File("backup.syx");
    SetFault(f.midi, "corrupt-every=1");
    f.TriggerSaving("mnuFileBackup", path);
    QCOMPARE(f.Messages().back(), std::string("No preset could be read; nothing written."));
    QCOMPARE(f.dialogs.Shown().back().icon, MessageIcon::Exclamation);

    // No answer comes, so the reading is still waiting when Cancel is pressed.
    SetFault(f.midi, "drop-every=1");
    f.files.saves.push_back(path);
    f.steps.Then("cancel the backup", [] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* reading = qobject_cast<dlgReadPresets*>(window);
        if (reading && reading->isVisible()) {
          reading->findChild<QPushButton*>("CancelButton")->click();
          return true;
        }
      }
      return false;
    });
    f.Trigger("mnuFileBackup");
    QVERIFY2(f.steps.Stuck().isEmpty(), qPrintable(f.steps.Stuck()));
    QCOMPARE(f.Messages().back(), std::string("Backup cancelled; nothing written."));
    QVERIFY(!QFile::exists(QString::fromStdString(path)));
  }

  void VerifiedSendNamesExactlyThePresetsTheDeviceDamaged() {
    FrameFixture f;
    SetFault(f.midi, "corrupt-every=10");
    SendDump(f, 20, true, false);
    QCOMPARE(f.dialogs.OptionCaptions(), (std::vector<std::string>{"Verify: read every sent preset back and compare",
                                                                    "Back up U1-U20 to a file first"}));
    QCOMPARE(f.dialogs.Shown().back().title, std::string("SysEx Send - verify"));
    QVERIFY(f.Messages().back().starts_with("2 of 20 presets are not held as sent:\n"));
  }

  // One not made (no file chosen, nothing read) stops the send.
  void BackupChosenInTheWarningSavesTheOverwrittenPresetsFirst() {
    FrameFixture f;
    const Bytes before = UserBank(f.midi);
    SendDump(f, 3, false, true);  // no file chosen for the backup
    QVERIFY(UserBank(f.midi) == before);
    const std::size_t said = f.Messages().size();
    const std::string backup = f.dir.File("before.syx");
    f.files.saves.push_back(backup);
    const std::string sent = SendDump(f, 3, false, true);
    QVERIFY(ReadBytes(backup) == Slots(before, 0, 3));
    QVERIFY(Slots(UserBank(f.midi), 0, 3) == ReadBytes(sent));
    QCOMPARE(f.Messages().size(), said + 1);  // only the warning

    const Bytes held = UserBank(f.midi);
    SetFault(f.midi, "corrupt-every=1");  // every answer arrives damaged
    f.files.saves.push_back(f.dir.File("again.syx"));
    SendDump(f, 1, false, true);
    QVERIFY(UserBank(f.midi) == held);
    QCOMPARE(f.Messages().back(), std::string("No preset could be read; nothing written.\nNothing was sent."));
  }

  void TheLibraryLearnsWhatTheDeviceHolds_data() {
    QTest::addColumn<bool>("received");  // learnt from a received dump, else from a backup
    QTest::addColumn<bool>("verify");
    QTest::addColumn<QString>("fault");
    QTest::newRow("sent") << false << false << "";
    QTest::newRow("received, sent") << true << false << "";
    QTest::newRow("sent, verified") << false << true << "";
    QTest::newRow("sent, damaged, verified") << false << true << "corrupt-every=2";
  }
  void TheLibraryLearnsWhatTheDeviceHolds() {
    QFETCH(bool, received);
    QFETCH(bool, verify);
    QFETCH(QString, fault);
    FrameFixture f;
    PresetLibrary& library = *f.Frame().Library().Keeper().Library();
    const std::string device = EditorBankDevice(f.Frame()).Name();
    const Bytes before = UserBank(f.midi);
    f.files.saves.push_back(f.dir.File("first.syx"));
    if (received) f.PressDoneAfter(100);
    f.Trigger(received ? "mnuFileReceiveSysEx" : "mnuFileBackup");
    const auto sound = [](std::span<const uint8_t> image) { return Bytes(image.begin() + 29, image.begin() + 613); };
    const auto heldSound = [&](int slot) {
      const std::optional<int64_t> id = DeviceState(library).Held(device).At(slot);
      return id ? sound(library.Entry(*id)->image) : Bytes{};
    };
    for (int slot : {1, 50, 100}) QVERIFY(heldSound(slot) == sound(Slots(before, slot - 1, 1)));

    if (!fault.isEmpty()) SetFault(f.midi, fault.toStdString());
    const Bytes sent = ReadBytes(SendDump(f, 3, verify, false));
    const Bytes after = UserBank(f.midi);
    int unknown = 0;
    for (int slot = 1; slot <= 3; ++slot) {
      const bool asSent = sound(Slots(after, slot - 1, 1)) == sound(Slots(sent, slot - 1, 1));
      const Bytes held = heldSound(slot);
      unknown += held.empty();
      // Unverified, a slot holds what was sent; verified, only when read back as sent.
      QVERIFY(held.empty() ? verify && !asSent : held == sound(Slots(sent, slot - 1, 1)));
    }
    QCOMPARE(unknown > 0, !fault.isEmpty());
    QVERIFY(heldSound(4) == sound(Slots(before, 3, 1)));
  }

  void OptionsQuestionReturnsTheButtonAndTheTickedOptions() {
    QtDialogs real;
    SetDialogs(&real);
    QTimer::singleShot(0, [] {
      auto* box = qobject_cast<OptionsQuestion*>(QApplication::activeModalWidget());
      QVERIFY(box);
      box->findChild<QCheckBox*>("chkB")->click();
      box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Yes)->click();
    });
    std::vector<MessageOption> options{{"chkA", "A", true}, {"chkB", "B", false}};
    QCOMPARE(Dialogs().MessageWithOptions("Sure?", "Title", MessageIcon::Critical, MessageButtons::YesNo, options),
             MessageAnswer::Yes);
    QVERIFY(options[0].checked && options[1].checked);

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QCOMPARE(Dialogs().MessageWithOptions("Sure?", "Title", MessageIcon::Question, MessageButtons::YesNoCancel, options),
             MessageAnswer::Cancel);
    SetDialogs(nullptr);
  }
};

QTEST_MAIN(BackupCommandsTest)
#include "BackupCommandsTest.moc"
