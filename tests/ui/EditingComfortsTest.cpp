// Undo and redo, Compare with Saved and Live Audition, through the real
// frame on the simulated G-Major: the history's steps and saved state, what
// the device's edit buffer receives and how often, and the saved preset
// looked at without losing the edits.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QtTest>
#include <chrono>

#include "EditHistory.h"
#include "EditingComforts.h"
#include "FakeMidiSystem.h"
#include "FrameFixture.h"
#include "MainMenu.h"
#include "PresetBuilder.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

PresetImage ImageWith(int field, int32_t value) {
  const CPreset preset = PresetBuilder().Name("Base").Value(field, value).Build();
  return preset.Image();
}

// Lets the turn of the event loop after an edit run, where its state is taken.
void Settle() { QTest::qWait(1); }

// The frame on an in-memory MIDI system that records what it is sent (the
// device's edit buffer holds the last preset), with a loaded user preset 5
// on screen.
struct AuditionRig {
  FakeMidiSystem midi;
  FrameFixture f{{}, &midi};

  AuditionRig() {
    f.TriggerOpening("mnuPresetLoad", f.WritePreset("u5.syx", "Stored", 105));
  }
  CPreset Heard() const {
    CPreset heard;
    if (!midi.Sent().empty()) heard.LoadFromByteArray(midi.Sent().back());
    return heard;
  }
  QString HeardName() const { return QString::fromStdString(Heard().PresetName()).trimmed(); }
  void SetAudition(bool on) {
    QAction& item = f.Frame().Menu().Item("mnuPresetLiveAudition");
    if (item.isChecked() != on) item.trigger();
  }
  // Waits for the trailing send of what the screen shows.
  void Quiet() { QTRY_VERIFY(Heard().Image() == f.Frame().Comforts().ScreenState()); }
};

// Chooses the list's next entry, so the choice is always an edit.
int ChooseNext(FrameFixture& f, const char* editor, const char* list) {
  const QComboBox& combo = f.List(editor, list);
  const int next = (combo.currentIndex() + 1) % combo.count();
  f.Choose(editor, list, next);
  return next;
}

int AuditionLogLines(const FrameFixture& f) {
  int lines = 0;
  for (const QString& line : f.log.Lines()) lines += line.contains("\tLive audition\t") ? 1 : 0;
  return lines;
}

}  // namespace

class EditingComfortsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // --- the history on its own ---

  void QuickEditsOfOneFieldAreOneStepAndTheSavedStateMoves() {
    EditHistory history;
    const Clock::time_point t0{};
    history.Reset(ImageWith(Offset::Compressor + 4, 0));
    history.Record(ImageWith(Offset::Compressor + 4, 1), t0);
    history.Record(ImageWith(Offset::Compressor + 4, 2), t0 + 300ms);
    history.Record(ImageWith(Offset::Compressor + 4, 3), t0 + 600ms);
    QVERIFY(history.CanUndo());
    QCOMPARE(history.Undo(), ImageWith(Offset::Compressor + 4, 0));
    QVERIFY(!history.CanUndo());
    QVERIFY(history.IsSaved());

    // A pause, or another field, starts a step of its own.
    history.Reset(ImageWith(Offset::Compressor + 4, 0));
    history.Record(ImageWith(Offset::Compressor + 4, 1), t0);
    history.Record(ImageWith(Offset::Compressor + 4, 2), t0 + 1500ms);
    QCOMPARE(history.Undo(), ImageWith(Offset::Compressor + 4, 1));

    // Stepping a list away and back leaves nothing to undo.
    history.Reset(ImageWith(Offset::Delay, 0));
    history.Record(ImageWith(Offset::Delay, 2), t0);
    history.Record(ImageWith(Offset::Delay, 0), t0 + 100ms);
    QVERIFY(!history.CanUndo());

    const PresetImage a = ImageWith(Offset::Reverb, 0);
    const PresetImage b = ImageWith(Offset::Reverb, 1);
    const PresetImage c = ImageWith(Offset::Reverb, 2);
    history.Reset(a);
    history.Record(b, t0);
    history.MarkSaved();
    history.Record(c, t0 + 10ms);  // after a save: a new step, not merged
    QVERIFY(!history.IsSaved());
    QCOMPARE(history.Undo(), b);
    QVERIFY(history.IsSaved());
    QCOMPARE(history.Undo(), a);
    QVERIFY(!history.IsSaved());
    QCOMPARE(history.Redo(), b);
    QVERIFY(history.CanRedo());
    history.Record(a, t0 + 5s);  // a new edit drops what could be redone
    QVERIFY(!history.CanRedo());
    history.Record(a, t0 + 6s);  // the same state again is no step
    QCOMPARE(history.Undo(), b);
    QCOMPARE(history.Undo(), a);
    QVERIFY(!history.CanUndo());
  }

  void TheNameIsOneFieldAndTheChecksumNone() {
    PresetImage before = ImageWith(Offset::Pitch, 0);
    PresetImage after = before;
    after[Offset::Name] = 'X';
    after[Offset::Name + 19] = 'Y';
    after[Offset::Checksum] ^= 1;
    after[Offset::Pitch + 2] = 1;
    QCOMPARE(ChangedFields(before, after), (std::vector<int>{Offset::Name, Offset::Pitch}));
  }

  // --- undo and redo in the frame ---

  void UndoAndRedoWalkAcrossEditorsAndTheName() {
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    QVERIFY(!f.Enabled("mnuEditUndo"));
    const int ratio = f.List("frmCompressor", "cmbRatio").currentIndex();
    const int delayType = f.List("frmDelay", "cmbDelayType").currentIndex();
    f.TypeName("Lindel");
    Settle();
    f.Choose("frmCompressor", "cmbRatio", 5);
    Settle();
    f.Choose("frmDelay", "cmbDelayType", 2);
    Settle();
    QVERIFY(f.Enabled("mnuEditUndo") && !f.Enabled("mnuEditRedo"));

    f.Trigger("mnuEditUndo");
    QCOMPARE(f.List("frmDelay", "cmbDelayType").currentIndex(), delayType);
    QCOMPARE(f.List("frmCompressor", "cmbRatio").currentIndex(), 5);
    QVERIFY(f.EditedShown());
    f.Trigger("mnuEditUndo");
    QCOMPARE(f.List("frmCompressor", "cmbRatio").currentIndex(), ratio);
    QCOMPARE(f.Box("txtPresetName").text(), QString("Lindel"));
    f.Trigger("mnuEditUndo");  // the whole name typed is one step
    QCOMPARE(f.Box("txtPresetName").text(), QString());
    QVERIFY(!f.Enabled("mnuEditUndo") && f.Enabled("mnuEditRedo"));
    QVERIFY(!f.EditedShown());  // back where it started

    for (int i = 0; i < 3; ++i) f.Trigger("mnuEditRedo");
    QCOMPARE(f.Box("txtPresetName").text(), QString("Lindel"));
    QCOMPARE(f.List("frmCompressor", "cmbRatio").currentIndex(), 5);
    QCOMPARE(f.List("frmDelay", "cmbDelayType").currentIndex(), 2);
    QVERIFY(f.EditedShown() && !f.Enabled("mnuEditRedo"));

    // The redone preset is the one saved.
    const std::string path = f.dir.File("redone.syx");
    f.TriggerSaving("mnuPresetSave", path);
    CPreset saved;
    QVERIFY(saved.Read(path));
    QCOMPARE(saved.Value(Offset::Delay), 2);
    QVERIFY(f.Messages().empty());
  }

  // Undo keeps the loaded number and the number box; a save is the new unedited state.
  void UndoKeepsTheNumbersAndASaveIsTheNewUneditedState() {
    FrameFixture f;
    f.TriggerOpening("mnuPresetLoad", f.WritePreset("u5.syx", "Stored", 105));
    f.TypeNumber("7");
    ChooseNext(f, "frmCompressor", "cmbRatio");
    Settle();
    f.Trigger("mnuEditUndo");
    QCOMPARE(f.Frame().Preset()->PresetNumber(), 105);
    QCOMPARE(f.Label("lblPresetNumber").text(), QString("5"));
    QCOMPARE(f.Label("lblPresetName").text(), QString("Stored"));
    QCOMPARE(f.Box("txtPresetNumber").text(), QString("7"));

    f.Trigger("mnuEditRedo");
    f.TriggerSaving("mnuPresetSave", f.dir.File("b.syx"));
    QVERIFY(!f.EditedShown());
    f.Trigger("mnuEditUndo");
    QVERIFY(f.EditedShown());
    f.Trigger("mnuEditRedo");
    QVERIFY(!f.EditedShown());
  }

  void BlocksSwitchedFromTheToolbarAndPastedAreUndoneToo() {
    FrameFixture f;
    f.TriggerOpening("mnuPresetLoad", f.WritePreset("a.syx", "Blocks"));
    const EditHistory& history = f.Frame().Comforts().History();
    const BlockEditor& delay = *f.Frame().Blocks().ByName("frmDelay");
    const bool on = delay.IsOn();
    f.Frame().SetBlockOnOff(BlockNumber::Delay, !on);
    Settle();
    QCOMPARE(delay.IsOn(), !on);
    f.Trigger("mnuEditUndo");
    QCOMPARE(delay.IsOn(), on);
    QVERIFY(history.IsSaved() && !f.EditedShown());

    f.Trigger("mnuEBDelay");
    f.Trigger("mnuEditCopyBlock");
    const int copiedType = f.List("frmDelay", "cmbDelayType").currentIndex();
    const int chosenType = ChooseNext(f, "frmDelay", "cmbDelayType");
    Settle();
    f.Trigger("mnuEditPasteBlock");
    Settle();
    QCOMPARE(f.List("frmDelay", "cmbDelayType").currentIndex(), copiedType);
    f.Trigger("mnuEditUndo");
    QCOMPARE(f.List("frmDelay", "cmbDelayType").currentIndex(), chosenType);
  }

  void ANewLoadedOrDumpPresetStartsAFreshHistory() {
    FrameFixture f;
    const std::string file = f.WritePreset("a.syx", "Loaded");
    f.Trigger("mnuPresetNew");
    f.Choose("frmPitch", "cmbPitchType", 1);
    Settle();
    QVERIFY(f.Enabled("mnuEditUndo"));
    f.dialogs.QueueAnswer(MessageAnswer::Ok);  // lose the edit
    f.TriggerOpening("mnuPresetLoad", file);
    QVERIFY(!f.Enabled("mnuEditUndo") && !f.Enabled("mnuEditRedo"));

    ChooseNext(f, "frmPitch", "cmbPitchType");
    Settle();
    f.Trigger("mnuEditUndo");
    QVERIFY(f.Enabled("mnuEditRedo"));
    f.TriggerOpening("mnuFileOpen", f.WriteDump("d.syx", 3));
    QCOMPARE(f.Frame().State(), DisplayState::DumpSlot);
    QVERIFY(!f.Enabled("mnuEditUndo") && !f.Enabled("mnuEditRedo"));
  }

  // --- compare ---

  void CompareShowsTheSavedPresetAndGivesTheEditsBack() {
    FrameFixture f;
    f.TriggerOpening("mnuPresetLoad", f.WritePreset("a.syx", "Original"));
    const int storedRatio = f.List("frmCompressor", "cmbRatio").currentIndex();
    const int editedRatio = (storedRatio + 4) % f.List("frmCompressor", "cmbRatio").count();
    f.TypeName("Edited name");
    f.Choose("frmCompressor", "cmbRatio", editedRatio);
    f.Trigger("mnuEBCompressor");

    f.Trigger("mnuPresetCompare");
    QVERIFY(f.Frame().Menu().Item("mnuPresetCompare").isChecked());
    QCOMPARE(f.Box("txtPresetName").text(), QString("Original"));
    QCOMPARE(f.List("frmCompressor", "cmbRatio").currentIndex(), storedRatio);
    QVERIFY(f.Frame().windowTitle().endsWith(" - Compressor block - Comparing with saved"));
    QVERIFY(!f.Frame().statusBar()->currentMessage().isEmpty());
    QVERIFY(f.EditedShown());  // the edits are still there
    f.Trigger("mnuEBDelay");   // looking at other blocks keeps comparing
    QVERIFY(f.Frame().Comforts().Comparing());

    f.Trigger("mnuPresetCompare");
    QVERIFY(!f.Frame().Menu().Item("mnuPresetCompare").isChecked());
    QCOMPARE(f.Box("txtPresetName").text(), QString("Edited name"));
    QCOMPARE(f.List("frmCompressor", "cmbRatio").currentIndex(), editedRatio);
    QCOMPARE(f.Frame().windowTitle(), QString("Lindel editor - Delay block"));
    QVERIFY(f.EditedShown());
    f.Trigger("mnuEditUndo");  // the history went on as if nothing happened
    QCOMPARE(f.List("frmCompressor", "cmbRatio").currentIndex(), storedRatio);
  }

  // Touching an editor brings the edits back unchanged; commands work on the edits.
  void TouchingAnEditorOrACommandWhileComparingEndsIt() {
    FrameFixture f;
    f.TriggerOpening("mnuPresetLoad", f.WritePreset("a.syx", "Original"));
    f.Trigger("mnuEBDelay");
    const int edited = ChooseNext(f, "frmDelay", "cmbDelayType");
    f.Trigger("mnuPresetCompare");
    QComboBox& list = f.List("frmDelay", "cmbDelayType");
    QVERIFY(list.currentIndex() != edited);
    QTest::mouseClick(&list, Qt::LeftButton);
    QVERIFY(!f.Frame().Comforts().Comparing());
    QCOMPARE(list.currentIndex(), edited);
    f.Trigger("mnuPresetCompare");
    QTest::keyClick(&f.Box("txtPresetName"), Qt::Key_X);
    QVERIFY(!f.Frame().Comforts().Comparing());
    QCOMPARE(f.Box("txtPresetName").text(), QString("Original"));

    f.Trigger("mnuPresetCompare");
    const std::string path = f.dir.File("saved.syx");
    f.TriggerSaving("mnuPresetSave", path);
    QVERIFY(!f.Frame().Comforts().Comparing());
    CPreset saved;
    QVERIFY(saved.Read(path));
    QCOMPARE(saved.Value(Offset::Delay), edited);
    QVERIFY(!f.EditedShown());

    ChooseNext(f, "frmDelay", "cmbDelayType");
    f.Trigger("mnuPresetCompare");
    QCOMPARE(list.currentIndex(), edited);  // the saved state moved
    f.Trigger("mnuPresetNew");  // with the edits' question
    QCOMPARE(f.dialogs.Shown().back().title, std::string("Changes not saved"));
    QVERIFY(!f.Frame().Comforts().Comparing());
    QVERIFY(!f.Frame().Menu().Item("mnuPresetCompare").isChecked());
    QCOMPARE(f.Frame().windowTitle(), QString("Lindel editor - Delay block"));
  }

  // --- live audition ---

  // Off until chosen and remembered; then edits reach the edit buffer and nothing else changes.
  void AuditionSendsTheEditsToTheEditBufferOnly() {
    AuditionRig rig;
    FrameFixture& f = rig.f;
    QVERIFY(!f.Frame().Menu().Item("mnuPresetLiveAudition").isChecked());
    ChooseNext(f, "frmCompressor", "cmbRatio");
    QTest::qWait(200);
    QVERIFY(rig.midi.Sent().empty());
    rig.SetAudition(true);
    QCOMPARE(f.settings.Get("MIDI", "LiveAudition", ""), std::string("1"));
    QTRY_COMPARE(rig.midi.Sent().size(), std::size_t(1));  // switching on sends the screen
    ChooseNext(f, "frmCompressor", "cmbRatio");
    f.TypeName("Live");
    rig.Quiet();

    for (const Bytes& sent : rig.midi.Sent()) {  // the edit buffer only
      CPreset heard;
      QVERIFY(heard.LoadFromByteArray(sent));
      QCOMPARE(heard.PresetNumber(), 0);
    }
    QCOMPARE(rig.HeardName(), QString("Live"));
    QCOMPARE(rig.Heard().Image(), f.Frame().Comforts().History().Current());
    QCOMPARE(f.Frame().Preset()->PresetNumber(), 105);
    QCOMPARE(f.Label("lblPresetName").text(), QString("Stored"));
    QCOMPARE(f.Box("txtPresetName").text(), QString("Live"));
    QVERIFY(f.EditedShown());

    // Undo and compare change what the device plays too.
    f.Trigger("mnuPresetCompare");
    rig.Quiet();
    QCOMPARE(rig.HeardName(), QString("Stored"));
    f.Trigger("mnuPresetCompare");
    f.Trigger("mnuEditUndo");  // the name typed
    rig.Quiet();
    QCOMPARE(rig.HeardName(), QString("Stored"));
    QCOMPARE(rig.Heard().Image(), f.Frame().Comforts().History().Current());

    frmMDIMain next(FrameServices{f.settings, rig.midi, f.files, {}});
    next.Load();
    QVERIFY(next.Menu().Item("mnuPresetLiveAudition").isChecked());
  }

  // Paced (the pacer's timing is SoundDesignCommandsTest's, on a fake
  // clock): a burst of edits gives fewer sends, the latest state last.
  void ABurstOfEditsGivesFewerSendsOfTheLatestState() {
    AuditionRig rig;
    rig.SetAudition(true);
    rig.Quiet();
    const std::size_t before = rig.midi.Sent().size();
    for (int i = 0; i < 8; ++i) {
      ChooseNext(rig.f, "frmCompressor", "cmbRatio");
      QTest::qWait(5);
    }
    rig.Quiet();
    const std::size_t sends = rig.midi.Sent().size() - before;
    QVERIFY2(sends > 0 && sends < 8, std::to_string(sends).c_str());
  }

  void AFailingDeviceIsLoggedOnceAndInterruptsNothing() {
    AuditionRig rig;
    rig.midi.refuseOutputOpen = true;
    rig.SetAudition(true);
    for (int i = 0; i < 4; ++i) {
      ChooseNext(rig.f, "frmDelay", "cmbDelayType");
      QTest::qWait(200);
    }
    QCOMPARE(AuditionLogLines(rig.f), 1);
    QVERIFY(rig.f.Messages().empty());
    rig.midi.refuseOutputOpen = false;
    ChooseNext(rig.f, "frmDelay", "cmbDelayType");
    rig.Quiet();
    rig.midi.refuseOutputOpen = true;
    ChooseNext(rig.f, "frmDelay", "cmbDelayType");
    QTest::qWait(300);
    QCOMPARE(AuditionLogLines(rig.f), 2);  // a new failure after a success
  }
};

QTEST_MAIN(EditingComfortsTest)
#include "EditingComfortsTest.moc"
