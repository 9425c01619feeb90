// The block editors' rules that no table holds, and what each click tells
// the host: the pitch editor's detune delay limit and octave range, the
// chorus delay and reverb decay that never stay at zero, captions a type
// leaves as the type before set them, showing a preset reported as clicks,
// and the word-packed settings whose failures keep the old selection. The
// tables themselves are held against the parameter catalog
// (CatalogEditorTest), their machinery is TypedEditorTest's.
#include <QtTest>
#include <stdexcept>

#include "CPreset.h"
#include "EditorProbe.h"
#include "ErrorLogCapture.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"

namespace {

enum { kDetune, kWhammy, kOctaver, kShifter };
constexpr int kPitchType = 293, kPitchD1 = 313, kPitchD2 = 317, kPitchRange = 337;
const std::string kLimitMessage = "The delay setting for Detune can only be 0 to 50 ms";

int LimitMessages(const ScriptedDialogs& dialogs) {
  const auto texts = dialogs.Texts();
  return static_cast<int>(std::count(texts.begin(), texts.end(), kLimitMessage));
}

}  // namespace

class EditorRulesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // ---- The detune delay limit and the octave range ---------------------------

  void ADetunePresetsLongDelaysAreLimited_data() {
    QTest::addColumn<int>("delay1");
    QTest::addColumn<int>("delay2");
    QTest::addColumn<int>("messages");
    QTest::newRow("120 and 30 ms") << 120 << 30 << 1;
    QTest::newRow("both too long") << 51 << 350 << 2;
    QTest::newRow("50 ms is allowed") << 50 << 0 << 0;
  }
  void ADetunePresetsLongDelaysAreLimited() {
    QFETCH(int, delay1);
    QFETCH(int, delay2);
    ScriptedDialogs dialogs;
    EditorProbe p("frmPitch");
    const CPreset preset = PresetBuilder().Value(kPitchD1, delay1).Value(kPitchD2, delay2).Build();
    QVERIFY(p.Show(&preset));
    QCOMPARE(p.Text("cmbPitchD1"), QString("%1 ms").arg(std::min(delay1, 50)));
    QCOMPARE(p.Text("cmbPitchD2"), QString("%1 ms").arg(std::min(delay2, 50)));
    QTEST(LimitMessages(dialogs), "messages");
  }

  void SwitchingToDetuneLimitsTheDelays() {
    ScriptedDialogs dialogs;
    EditorProbe p("frmPitch");
    const CPreset preset = PresetBuilder().Value(kPitchType, kShifter).Value(kPitchD2, 200).Build();
    QVERIFY(p.Show(&preset));
    QCOMPARE(p.Text("cmbPitchD2"), QString("200 ms"));
    p.Pick("cmbPitchType", kDetune);
    QCOMPARE(p.Text("cmbPitchD2"), QString("50 ms"));
    QCOMPARE(dialogs.Texts(), std::vector<std::string>{kLimitMessage});
    QCOMPARE(dialogs.Shown()[0].title, std::string("Lindel editor"));
    p.host.Clear();
    p.Pick("cmbPitchD1", 51);  // picked with detune on show: limited too, and a change
    QCOMPARE(p.Text("cmbPitchD1"), QString("50 ms"));
    QVERIFY(p.host.Calls().contains("SetFormDirty(1)"));
    p.Pick("cmbPitchType", kShifter);
    p.Pick("cmbPitchD1", 350);  // the shifter allows the whole range
    QCOMPARE(p.Text("cmbPitchD1"), QString("350 ms"));
    QCOMPARE(LimitMessages(dialogs), 2);
  }

  // The previous preset's delays are replaced right after the type is read;
  // they bring no message.
  void ShowingAnotherPresetChecksOnlyItsOwnDelays() {
    ScriptedDialogs dialogs;
    EditorProbe p("frmPitch");
    const CPreset shifter = PresetBuilder().Value(kPitchType, kShifter).Value(kPitchD1, 300).Build();
    const CPreset detune = PresetBuilder().Value(kPitchD1, 20).Build();
    QVERIFY(p.Show(&shifter));
    QVERIFY(p.Show(&detune));
    QVERIFY(p.Show(&shifter));
    QVERIFY(p.Blank());
    QCOMPARE(LimitMessages(dialogs), 0);
    QCOMPARE(p.Text("cmbPitchD1"), QString("0 ms"));
  }

  void WhammyAndOctaverNeedAnOctave_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("gathered");
    QTest::newRow("whammy 0") << int(kWhammy) << 0 << "1 Oct" << 1;
    QTest::newRow("whammy 2") << int(kWhammy) << 2 << "2 Oct" << 2;
    QTest::newRow("whammy 3") << int(kWhammy) << 3 << "1 Oct" << 1;
    QTest::newRow("octaver -1") << int(kOctaver) << -1 << "1 Oct" << 1;
    QTest::newRow("shifter 2") << int(kShifter) << 2 << "0" << 0;
  }
  void WhammyAndOctaverNeedAnOctave() {
    QFETCH(int, type);
    QFETCH(int, stored);
    EditorProbe p("frmPitch");
    const CPreset preset = PresetBuilder().Value(kPitchType, type).Value(kPitchRange, stored).Build();
    QVERIFY(p.Show(&preset));
    QTEST(p.Text("cmbPitchRange"), "shown");
    CPreset gathered = PresetBuilder().Value(kPitchRange, 9).Build();
    QVERIFY(p.Editor().Gather(gathered));
    QTEST(gathered.Value(kPitchRange), "gathered");
  }

  // ---- Values and captions ---------------------------------------------------

  // A delay of 0.0 ms or a decay of 0.0 sec does not stay: stored, neutral or picked.
  void ValuesThatNeverStayAtZero_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("shown");
    for (const char* way : {"stored", "neutral", "picked"}) {
      QTest::addRow("chorus delay %s", way) << "frmChorusFlange" << "cmbChorusDelay" << 385 << "0.1 ms";
      QTest::addRow("reverb decay %s", way) << "frmReverb" << "cmbRevDecay" << 489 << "0.1 sec";
    }
  }
  void ValuesThatNeverStayAtZero() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, offset);
    EditorProbe p(window);
    CPreset preset = PresetBuilder().Value(357, 3).Value(offset, 0).Build();  // an advanced flanger has a delay
    const QString way = QTest::currentDataTag();
    if (way.endsWith("neutral")) {
      QVERIFY(p.Editor().Scatter(&preset, false, true));
    } else {
      QVERIFY(p.Show(&preset));
    }
    if (way.endsWith("picked")) {
      p.host.Clear();
      p.Click(control, 0);
      QCOMPARE(p.host.Calls(), (QStringList{"SetFormDirty(1)", "SetFormDirty(1)"}));
    }
    QTEST(p.Text(control), "shown");
    preset.SetValue(offset, 99);
    QVERIFY(p.Editor().Gather(preset));
    QCOMPARE(preset.Value(offset), 1);
  }

  // Where a type leaves a caption alone, it reads as the type before set it.
  void CaptionsATypeLeavesAreThePreviousTypes_data() {
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Tremolo, Panner: feedback") << QList<int>{4, 5} << "lblPhaseFB" << "PWidth";
    QTest::newRow("Panner, Auto Res: speed") << QList<int>{5, 0} << "lblPhaseSpeed" << "PAN Speed";
    QTest::newRow("Panner, Auto Res: depth") << QList<int>{5, 0} << "lblPhaseDepth" << "PAN Width";
  }
  void CaptionsATypeLeavesAreThePreviousTypes() {
    QFETCH(QList<int>, types);
    QFETCH(QString, label);
    EditorProbe p("frmFilterMod");
    QVERIFY(p.Show(nullptr));
    for (int type : types) p.Pick("cmbFiltType", type);
    QTEST(p.Caption(label), "caption");
  }

  // Without a type there is nothing for bAll to leave out.
  void EditorsWithoutTypesShowEveryFieldWithoutAll_data() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"frmCompressor", "frmNoiseGateEQ", "frmLevelRelay", "frmTapTempo", "frmRouting"}) {
      QTest::newRow(window) << window;
    }
  }
  void EditorsWithoutTypesShowEveryFieldWithoutAll() {
    QFETCH(QString, window);
    CPreset first = PresetBuilder().Value(609, 1).Value(553, -10).Value(601, 9).Value(161, 300).Value(169, 3).Build();
    CPreset second =
        PresetBuilder().Value(609, 0).Value(553, -20).Value(601, 12).Value(161, 2000).Value(169, 7).Build();
    first.SetOutLevel(10);
    second.SetOutLevel(90);
    second.SetRelay(2, 1);
    second.SetRouting(2);
    EditorProbe p(window);
    QVERIFY(p.Editor().Scatter(&second, true, true));
    const QStringList all = p.Snapshot();
    QVERIFY(p.Editor().Scatter(&first, true, true));
    QVERIFY(p.Editor().Scatter(&second, true, false));
    QCOMPARE(p.Snapshot(), all);
  }

  // ---- What the host is told -------------------------------------------------

  // Showing a preset reports as the user's clicks would, every time.
  void ShowingAPresetReportsLikeTheUsersClicks() {
    EditorProbe p("frmCompressor");
    const CPreset preset = PresetBuilder().Build();
    const QStringList calls{"BlockOnOffChanged", "SetFormDirty(1)", "SetFormDirty(1)",
                            "SetFormDirty(1)",   "SetFormDirty(1)", "SetFormDirty(1)"};
    QVERIFY(p.Show(&preset));
    QCOMPARE(p.host.Calls(), calls);
    QVERIFY(p.Show(&preset));
    QCOMPARE(p.host.Calls(), calls);  // again, though nothing changed
  }

  // The user's clicks, through the controls' own signals and the mouse.
  void ClicksTellTheHost_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");  // lists only
    QTest::addColumn<QStringList>("calls");
    const QStringList dirty{"SetFormDirty(1)"}, onOff{"BlockOnOffChanged"};
    const auto row = [](const char* window, const char* control, int index, const QStringList& calls) {
      QTest::addRow("%s %s", window, control) << window << control << index << calls;
    };
    row("frmCompressor", "chkCompOnOff", 0, onOff);
    row("frmCompressor", "cmbAttack", 2, dirty);
    row("frmChorusFlange", "chkChorusOnOff", 0, onOff);
    row("frmChorusFlange", "cmbChorusType", 2, {"SubTypeChanged(frmChorusFlange)"});
    row("frmChorusFlange", "chkChorusGoldRatio", 0, dirty);
    row("frmFilterMod", "cmbFiltType", 4, {"SubTypeChanged(frmFilterMod)"});
    row("frmDelay", "cmbDelayPan2", 10, dirty);
    row("frmNoiseGateEQ", "chkNoiseGateOnOff", 0, onOff);
    row("frmNoiseGateEQ", "chkEqOnOff", 0, {"SetFormDirty(1)", "ToggleButtons"});
    row("frmNoiseGateEQ", "cmbEQWidth3", 3, dirty);
    row("frmReverb", "cmbRevType", 1, {"SubTypeChanged(frmReverb)"});
    row("frmReverb", "cmbRevDecay", 5, dirty);
    row("frmLevelRelay", "chkRelay2", 0, dirty);
    row("frmLevelRelay", "cmbOutLevel", 3, dirty);
    row("frmTapTempo", "cmbTapTempo", 1134, {"SetFormDirty(1)", "SetTapTempoSpeed(1234 )"});
    row("frmRouting", "cmbRouting", 2, {"SetFormDirty(1)", "UpdateRoutingDisplay(2)"});
    const std::pair<const char*, int> blocks[] = {
        {"frmNoiseGateEQ", 1}, {"frmLevelRelay", 2}, {"frmCompressor", 3}, {"frmFilterMod", 4}, {"frmPitch", 5},
        {"frmChorusFlange", 6}, {"frmDelay", 7},     {"frmReverb", 8},     {"frmRouting", 9},   {"frmTapTempo", 11}};
    for (const auto& [window, block] : blocks) {  // the right button over the background
      row(window, "", 0, {QString("DoRightMouseMenu(%1,2,3,4)").arg(block)});
    }
  }
  void ClicksTellTheHost() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, index);
    EditorProbe p(window);
    if (control.isEmpty()) {
      QTest::mouseClick(&p.Editor(), Qt::RightButton, {}, QPoint(3, 4));
    } else {
      p.Click(control, index);
    }
    QTEST(p.host.Calls(), "calls");
  }

  void ATapLightThatRefusesTheIntervalIsIgnored() {
    ErrorLogCapture log;
    EditorProbe p("frmTapTempo");
    p.host.tapTempo = [](const QString&) { throw std::invalid_argument("no interval"); };
    CPreset preset = PresetBuilder().Value(161, 700).Build();
    QVERIFY(p.Show(&preset));
    preset.SetValue(161, 0);
    QVERIFY(p.Editor().Gather(preset));
    QCOMPARE(preset.Value(161), 700);
    QVERIFY(log.Lines().isEmpty());
  }

  // ---- The routing word ------------------------------------------------------

  // The two bits and seven bits hold values the lists do not have; the list
  // refuses them, keeps what it showed, and the scatter ends there. Before
  // any selection, a gather leaves the word as it was.
  void WordValuesBeyondTheListKeepThePreviousSelection_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    QTest::newRow("out level 101") << "frmLevelRelay" << "cmbOutLevel" << "-90 dB";
    QTest::newRow("routing 3") << "frmRouting" << "cmbRouting" << "Semi-parallel";
  }
  void WordValuesBeyondTheListKeepThePreviousSelection() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    EditorProbe p(window);
    ErrorLogCapture log;
    CPreset first = PresetBuilder().Build();
    first.SetOutLevel(10);
    first.SetRouting(1);
    first.SetRelay(1, 1);
    const int word = first.Value(157);
    QVERIFY(!p.Editor().Gather(first));
    QCOMPARE(first.Value(157), word);
    QVERIFY(p.Show(&first));
    CPreset broken = PresetBuilder().Build();
    broken.SetOutLevel(101);
    broken.SetRouting(3);
    broken.SetRelay(1, 1);
    QVERIFY(!p.Show(&broken));
    QTEST(p.Text(control), "shown");
    QVERIFY(p.host.Calls().isEmpty());  // no click: no relay set, no routing redrawn
    const QStringList lines = log.Lines();
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith("381\t") && lines[0].contains(control), qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith("380\t") && lines[1].contains(window + "." + control), qPrintable(lines[1]));
  }
};

QTEST_MAIN(EditorRulesTest)
#include "EditorRulesTest.moc"
