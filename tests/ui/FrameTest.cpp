// The editor end to end: the real frame window on the in-process simulated
// G-Major, driven through its menus with scripted answers to every question:
// new, edit, save and load, request, transmit, a received and a sent dump, a
// dump slot written back, split, block copy and paste.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

#include "BlockClipboard.h"
#include "BlockToolbar.h"
#include "DumpPane.h"
#include "FrameFixture.h"
#include "MainMenu.h"
#include "PresetBuilder.h"
#include "FrameTools.h"
#include "dlgController.h"
#include "dlgMidiSetup.h"

namespace {

const QStringList kBlockOrder = {"frmNoiseGateEQ",  "frmLevelRelay", "frmCompressor", "frmFilterMod", "frmPitch",
                                 "frmChorusFlange", "frmDelay",      "frmReverb",     "frmRouting",   "frmTapTempo"};

// Every menu, item and separator in menu order, one a line, as the golden
// file lists them: name, caption, shortcuts, start state, checkable or checked.
void ListMenu(const QMenu& menu, const QString& indent, QStringList& lines) {
  for (const QAction* item : menu.actions()) {
    if (item->isSeparator()) {
      lines << indent + "----";
      continue;
    }
    QStringList keys;
    for (const QKeySequence& key : item->shortcuts()) keys << key.toString();
    lines << indent + QStringList{item->objectName(), item->text(), keys.join(' '), item->isEnabled() ? "on" : "off",
                                  item->isChecked() ? "checked" : item->isCheckable() ? "checkable" : "-"}
                          .join(" | ");
    if (item->menu()) ListMenu(*item->menu(), indent + "    ", lines);
  }
}

QStringList GoldenMenuLines() {
  QStringList lines = QString::fromStdString(ReadText(LINDEL_TEST_DATA "/MainMenu.txt")).split('\n', Qt::SkipEmptyParts);
  lines.removeIf([](const QString& line) { return line.startsWith('#'); });
  return lines;
}

// Every tool wired, as in the editor, but none opening a window.
FrameTools SilentTools() {
  FrameTools tools;
  tools.modifiers = [](QWidget&, CPreset&, const std::array<bool, 5>&) { return false; };
  tools.controller = [](QWidget&, std::function<int()>) {};
  tools.about = [](QWidget&) {};
  return tools;
}

QString Trimmed(const std::string& name) { return QString::fromStdString(name).trimmed(); }

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void StartsEmptyWithEveryEditorInOrderAndTheGoldenMenus() {
    FrameFixture f(SilentTools());
    frmMDIMain& frame = f.Frame();
    QCOMPARE(frame.windowTitle(), QString("Lindel editor"));
    QCOMPARE(frame.State(), DisplayState::Empty);
    QCOMPARE(frame.CurrentBlock(), 0);
    QVERIFY(!f.EditedShown());
    QVERIFY(f.Box("txtPresetName").isReadOnly());
    QVERIFY(frame.Pane().isHidden());
    QStringList names;
    for (const BlockEditor* window : frame.Blocks().All()) {
      names << window->objectName();
      QVERIFY(window->isHidden());
      QVERIFY(frame.isAncestorOf(window));
    }
    QCOMPARE(names, kBlockOrder);
    QVERIFY(f.Messages().empty());

    // The whole menu bar against tests/data/MainMenu.txt.
    QStringList lines;
    for (const QAction* top : frame.menuBar()->actions()) {
      lines << top->objectName() + " | " + top->text();
      ListMenu(*top->menu(), "    ", lines);
    }
    QCOMPARE(lines.join('\n'), GoldenMenuLines().join('\n'));
    QSet<QKeySequence> taken;  // no shortcut is taken twice
    for (const QAction* item : frame.findChildren<QAction*>()) {
      for (const QKeySequence& key : item->shortcuts()) {
        QVERIFY2(!taken.contains(key), qPrintable(key.toString()));
        taken.insert(key);
      }
    }
  }

  void ACopyThatCannotBeMadeIsLogged_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("logged");
    QTest::addColumn<int>("messages");
    QTest::newRow("no name, like every save") << "" << "mnuEBCompressor" << "unable to save changes" << 1;
    QTest::newRow("levels and relays") << "Levels" << "mnuEBLevelRelay" << "not a valid block to copy" << 0;
  }
  void ACopyThatCannotBeMadeIsLogged() {
    QFETCH(QString, name);
    QFETCH(QString, item);
    QFETCH(QString, logged);
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    f.TypeName(name);
    f.Trigger(qPrintable(item));
    f.Trigger("mnuEditCopyBlock");
    QTEST(int(f.Messages().size()), "messages");
    if (!f.Messages().empty()) QCOMPARE(f.Messages()[0], std::string("You must enter a name for the preset"));
    QVERIFY(f.Logged(logged));
    QVERIFY(!f.Frame().Clipboard().HasCopy());
  }

  void ToolsNotWiredLeaveTheirItemsDisabledAndTheControllerOpensOnce() {
    FrameFixture f;
    QVERIFY(!f.Enabled("mnuToolsMidiController"));
    QVERIFY(!f.Enabled("mnuHelpAbout"));
    f.Trigger("mnuPresetNew");
    QVERIFY(!f.Enabled("mnuEditModifiers"));
    QVERIFY(f.Enabled("mnuPresetTransmit"));

    // The editor's own MIDI controller tool opens one window, without modality.
    QWidget frame;
    FrameTools tools = DefaultFrameTools(f.settings, f.midi);
    QVERIFY(tools.controller);
    tools.controller(frame, [] { return 0; });
    tools.controller(frame, [] { return 0; });
    const auto dialogs = frame.findChildren<dlgController*>();
    QCOMPARE(dialogs.size(), 1);
    QVERIFY(dialogs[0]->isVisible());
    QVERIFY(!dialogs[0]->isModal());
    dialogs[0]->close();
  }

  void NewPresetEditedSavedAndLoadedBackGivesTheSameBytes() {
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    QCOMPARE(f.Frame().State(), DisplayState::SinglePreset);
    QVERIFY(f.Enabled("mnuPresetSave") && f.Enabled("mnuEditBlock") && !f.Enabled("mnuFileSave"));
    QVERIFY(!f.EditedShown());
    f.TypeName("Lindel Test");
    QVERIFY(f.EditedShown());
    f.Choose("frmCompressor", "cmbRatio", 5);
    f.Choose("frmDelay", "cmbDelayType", 2);
    const std::string first = f.dir.File("first.syx");
    f.TriggerSaving("mnuPresetSave", first);
    QVERIFY(!f.EditedShown());
    const std::vector<uint8_t> saved = ReadBytes(first);
    QCOMPARE(saved.size(), kPresetSize);

    f.Trigger("mnuPresetNew");
    QCOMPARE(f.Box("txtPresetName").text(), QString());
    f.TriggerOpening("mnuPresetLoad", first);
    QCOMPARE(f.Box("txtPresetName").text(), QString("Lindel Test"));
    QCOMPARE(f.Label("lblPresetName").text(), QString("Lindel Test"));
    QCOMPARE(f.List("frmCompressor", "cmbRatio").currentIndex(), 5);
    QVERIFY(!f.EditedShown());
    const std::string second = f.dir.File("second.syx");
    f.TriggerSaving("mnuPresetSave", second);
    QCOMPARE(ReadBytes(second), saved);
    QVERIFY(f.Messages().empty());
  }

  void RequestedPresetsAreShownAndTheBlockOnShowStays() {
    FrameFixture f;
    f.Trigger("mnuEBReverb");  // disabled without a preset: nothing opens
    QCOMPARE(f.Frame().CurrentBlock(), 0);
    f.Trigger("mnuPresetNew");
    f.Trigger("mnuEBDelay");
    QCOMPARE(f.Frame().windowTitle(), QString("Lindel editor - Delay block"));
    f.AnswerRequest("1", true);
    f.Trigger("mnuPresetRequest");
    QCOMPARE(f.steps.Stuck(), QString());
    const CPreset u1 = DevicePreset(f.midi, 101);
    QCOMPARE(f.Label("lblPresetName").text(), Trimmed(u1.PresetName()));
    QCOMPARE(f.Label("lblPresetNumber").text(), QString("1"));
    QCOMPARE(f.Box("txtPresetNumber").text(), QString("0"));
    QCOMPARE(f.Frame().Preset()->Image(), u1.Image());
    QVERIFY(!f.EditedShown());
    QVERIFY(f.Frame().MidiSetup().isHidden());
    QCOMPARE(f.Frame().CurrentBlock(), int(BlockNumber::Delay));
    QVERIFY(f.Frame().Blocks().ByName("frmDelay")->isVisibleTo(&f.Frame()));
    f.AnswerRequest("5", false);
    f.Trigger("mnuPresetRequest");
    QCOMPARE(f.Frame().Preset()->Image(), DevicePreset(f.midi, 5).Image());
  }

  void TransmittedAsUserPresetSevenTheDeviceHoldsIt() {
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    f.TypeName("Sent Seven");
    f.TypeNumber("7");
    f.Choose("frmReverb", "cmbRevType", 3);
    f.Trigger("mnuPresetTransmit");
    const CPreset held = DevicePreset(f.midi, 107);
    QCOMPARE(Trimmed(held.PresetName()), QString("Sent Seven"));
    QCOMPARE(held.PresetNumber(), 107);
    QCOMPARE(held.Value(Offset::Reverb), 3);
    QVERIFY(f.EditedShown());  // the device holds it, no file does
    QVERIFY(f.Messages().empty());
  }

  // The frame stays usable while the MIDI setup window shows a transfer;
  // one asked for meanwhile is refused and the first goes on.
  void ReceivedDumpIsListedWithItsFirstSlotShown() {
    FrameFixture f;
    const std::string path = f.dir.File("received.syx");
    f.files.saves.push_back(path);
    f.steps.Then("ask for a preset while the dump arrives", [&f] {
      dlgMidiSetup& setup = f.Frame().MidiSetup();
      if (!setup.Busy() || setup.Transfer().ByteCount() == 0) return false;
      QTimer::singleShot(0, [&f] { f.Trigger("mnuPresetRequest"); });  // from the event loop, as a key press
      return true;
    });
    f.PressDoneAfter(100);
    bool numberAsked = false;
    f.steps.Then("see whether the request went on", [&numberAsked] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        numberAsked = true;
        dialog->reject();
      }
      return true;
    });
    f.Trigger("mnuFileReceiveSysEx");
    QTRY_VERIFY(f.steps.Done());
    QCOMPARE(f.steps.Stuck(), QString());
    QVERIFY(!numberAsked);
    QCOMPARE(f.Messages(), std::vector<std::string>{kTransferRunning});
    QVERIFY(f.Logged(kTransferRunning));

    QCOMPARE(f.Frame().MidiSetup().findChild<QLabel*>("lblDisplay")->text(), QString("Received 61500 Bytes"));
    const std::vector<uint8_t> bytes = ReadBytes(path);
    QCOMPARE(bytes.size(), std::size_t(61500));
    QVERIFY(f.Frame().Pane().isVisible());
    QListWidget& list = f.PresetList();
    QCOMPARE(list.count(), 100);
    QCOMPARE(list.currentRow(), 0);
    QCOMPARE(f.Frame().State(), DisplayState::DumpSlot);
    const CPreset u1 = DevicePreset(f.midi, 101);
    QCOMPARE(f.Label("lblPresetName").text(), Trimmed(u1.PresetName()));
    QCOMPARE(Slots(bytes, 0), std::vector<uint8_t>(u1.Image().begin(), u1.Image().end()));
    QVERIFY(f.Enabled("mnuFileSave") && f.Enabled("mnuFileSendSysEx") && f.Enabled("mnuFileSplitSysEx"));
  }

  void EditedSlotIsWrittenBackAndOnlyThatSlotChanges() {
    FrameFixture f;
    const std::string path = f.WriteDump("bank.syx", 100);
    const std::vector<uint8_t> before = ReadBytes(path);
    f.TriggerOpening("mnuFileOpen", path);
    QListWidget& list = f.PresetList();
    list.setCurrentRow(3);
    QCOMPARE(f.Frame().DumpSlot(), 3);
    QCOMPARE(f.Label("lblPresetName").text(), QString("Preset 104"));
    f.TypeName("Edited Three");
    f.Trigger("mnuFileSave");
    QVERIFY(!f.EditedShown());
    const std::vector<uint8_t> after = ReadBytes(path);
    QCOMPARE(after.size(), before.size());
    for (int slot = 0; slot < 100; ++slot) {
      if (slot != 3) QVERIFY2(Slots(after, slot) == Slots(before, slot), qPrintable(QString("slot %1").arg(slot)));
    }
    CPreset written;
    QVERIFY(written.LoadFromByteArray(Slots(after, 3)));
    QCOMPARE(Trimmed(written.PresetName()), QString("Edited Three"));
    QCOMPARE(list.item(3)->text(), QString("4 - Edited Three        "));
    QCOMPARE(list.currentRow(), 3);
  }

  // No is the default: Enter, like Escape and a click on No, overwrites nothing; Yes sends.
  void DumpSentBackFillsTheDeviceUserBankOnlyOnYes() {
    FrameFixture f;
    const std::string path = f.WriteDump("send.syx", 100);
    f.TriggerOpening("mnuFileOpen", path);
    f.PresetList().setCurrentRow(1);
    const CPreset before = DevicePreset(f.midi, 101);
    f.dialogs.QueueAnswer(MessageAnswer::No);
    f.dialogs.QueueKey(DialogKey::Enter);
    f.dialogs.QueueKey(DialogKey::Escape);
    for (std::size_t declined = 1; declined <= 3; ++declined) {
      f.Trigger("mnuFileSendSysEx");
      QCOMPARE(f.dialogs.Shown().size(), declined);
      QCOMPARE(f.dialogs.Shown().back().defaultButton, MessageAnswer::No);
      QCOMPARE(DevicePreset(f.midi, 101).Image(), before.Image());
      QCOMPARE(f.Frame().DumpSlot(), 1);
    }
    f.dialogs.QueueAnswer(MessageAnswer::Yes);
    f.Trigger("mnuFileSendSysEx");
    QCOMPARE(f.dialogs.Shown().back().title, std::string("SysEx Send - warning"));
    QCOMPARE(f.dialogs.Shown().back().icon, MessageIcon::Critical);
    const std::vector<uint8_t> bytes = ReadBytes(path);
    for (int slot = 0; slot < 100; ++slot) {
      const CPreset held = DevicePreset(f.midi, 101 + slot);
      QCOMPARE(std::vector<uint8_t>(held.Image().begin(), held.Image().end()), Slots(bytes, slot));
    }
    QCOMPARE(f.Frame().MidiSetup().findChild<QLabel*>("lblDisplay")->text(), QString("100 preset(s) sent"));
    QCOMPARE(f.Frame().State(), DisplayState::DumpSlot);  // opened again
    QCOMPARE(f.Frame().DumpSlot(), 0);
  }

  // One file per preset beside the dump, but never one that replaces the dump itself.
  void SplitWritesOneFilePerPresetBesideTheDump_data() {
    QTest::addColumn<QString>("dump");
    QTest::addColumn<int>("written");
    QTest::addColumn<QString>("message");  // %1 the dump, %2 its folder
    QTest::newRow("three") << "split.syx" << 3 << "3 of 3 presets written to %2";
    QTest::newRow("named like its second slot")
        << "preset_2.syx" << 0
        << "Unable to split the dump: slot 1 would replace the dump itself (%1): nothing was split. Rename the dump first.";
  }
  void SplitWritesOneFilePerPresetBesideTheDump() {
    QFETCH(QString, dump);
    QFETCH(int, written);
    QFETCH(QString, message);
    FrameFixture f;
    const std::string path = f.WriteDump(dump.toStdString(), std::max(written, 2));
    const std::vector<uint8_t> before = ReadBytes(path);
    f.TriggerOpening("mnuFileOpen", path);
    f.Trigger("mnuFileSplitSysEx");
    QCOMPARE(ReadBytes(path), before);
    for (int n = 1; n <= written; ++n) {
      QCOMPARE(ReadBytes(f.dir.File("preset_" + std::to_string(n) + ".syx")), Slots(before, n - 1));
    }
    QCOMPARE(std::filesystem::exists(f.dir.File("preset_1.syx")), written > 0);
    message.replace("%1", QString::fromStdString(path)).replace("%2", QString::fromStdString(f.dir.Path().string()));
    QCOMPARE(f.Messages(), std::vector{message.toStdString()});
  }

  void BlockCopiedFromOnePresetPastesIntoAnother() {
    FrameFixture f;
    const CPreset source = PresetBuilder().Name("Source").Value(225, 0).Value(169, 9).Value(165, -17)
                               .Value(173, 7).Value(177, 20).Value(181, 4).Build();
    const std::string path = f.dir.File("source.syx");
    WriteBytes(path, std::vector<uint8_t>(source.Image().begin(), source.Image().end()));
    f.TriggerOpening("mnuPresetLoad", path);
    f.Trigger("mnuEBCompressor");
    f.Trigger("mnuEditCopyBlock");
    QVERIFY(f.Enabled("mnuEditPasteBlock"));
    f.Trigger("mnuEBDelay");
    QVERIFY(!f.Enabled("mnuEditPasteBlock"));

    f.Trigger("mnuPresetNew");  // nothing edited since the copy gathered the screen
    QVERIFY(f.Messages().empty());
    f.TypeName("Target");
    QCOMPARE(f.Frame().CurrentBlock(), int(BlockNumber::Delay));
    f.Trigger("mnuEBCompressor");
    QVERIFY(f.Enabled("mnuEditPasteBlock"));
    f.Trigger("mnuEditPasteBlock");
    QVERIFY(!f.EditedShown());
    QCOMPARE(f.List("frmCompressor", "cmbRatio").currentIndex(), 9);
    const CPreset& target = *f.Frame().Preset();
    for (int offset = Offset::Compressor; offset < Offset::Compressor + 64; offset += 4) {
      QCOMPARE(target.Value(offset), source.Value(offset));
    }
    QCOMPARE(Trimmed(target.PresetName()), QString("Target"));
  }

  void SwitchingABlockFromTheToolbarMenuKeepsTheEditsOnScreen() {
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    f.TypeName("Kept");
    f.Choose("frmDelay", "cmbDelayType", 2);
    f.Frame().SetBlockOnOff(BlockNumber::Compressor, true);
    QCOMPARE(f.Frame().Preset()->Value(Offset::OnOff(Offset::Compressor)), 0);
    QVERIFY(f.Frame().Blocks().ByName("frmCompressor")->IsOn());
    QCOMPARE(f.List("frmDelay", "cmbDelayType").currentIndex(), 2);
    QCOMPARE(f.Box("txtPresetName").text(), QString("Kept"));
    QVERIFY(f.EditedShown());
  }

  // The bare background is the compressor's, with or without a window on show.
  void ReleaseOnTheBareFrameOpensTheCompressorsMenu_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<int>("shown");
    QTest::newRow("no window, on the hint") << "lblNoBlock" << 0;
    QTest::newRow("no window, beside the hint") << "editorHost" << 0;
    QTest::newRow("delay on show") << "editorHost" << int(BlockNumber::Delay);
  }
  void ReleaseOnTheBareFrameOpensTheCompressorsMenu() {
    QFETCH(QString, where);
    QFETCH(int, shown);
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    f.Frame().ShowBlock(shown);
    f.Frame().show();
    auto* target = f.Frame().findChild<QWidget*>(where);
    QVERIFY(QTest::qWaitForWindowExposed(&f.Frame()));
    QTest::mouseClick(target, Qt::RightButton, {}, QPoint(2, target->height() - 2));
    BlockMenu& menu = f.Frame().RightButtonMenu();
    QTRY_VERIFY(menu.isVisible());
    QCOMPARE(menu.RightClickBlock(), BlockNumber::Compressor);
    QVERIFY(menu.findChild<QAction*>("mnuRMMRequest")->isVisible());
    menu.close();
  }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
