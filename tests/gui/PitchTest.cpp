// The pitch editor: the detune delay limit on scatter, on a type change and
// on the user's pick; the octave range the whammy and octaver need; what
// Gather writes per type; type switches with and without a preset.
#include <QtTest>
#include <optional>

#include "EditorProbe.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"
#include "frmPitch.h"

namespace {

enum { kDetune, kWhammy, kOctaver, kShifter };
constexpr int kType = 293, kV1 = 297, kV2 = 301, kD1 = 313, kD2 = 317, kLevel1 = 329, kLevel2 = 333, kRange = 337,
              kMix = 341;
const std::string kLimitMessage = "The delay setting for Detune can only be 0 to 50 ms";

}  // namespace

class PitchTest : public QObject {
  Q_OBJECT

 private:
  std::optional<EditorProbe<frmPitch>> p;
  std::optional<ScriptedDialogs> dialogs;

  int LimitMessages() const {
    const auto texts = dialogs->Texts();
    return static_cast<int>(std::count(texts.begin(), texts.end(), kLimitMessage));
  }

 private Q_SLOTS:
  void init() {
    dialogs.emplace();
    p.emplace();
  }
  void cleanup() {
    p.reset();
    dialogs.reset();
  }

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
    const CPreset preset = PresetBuilder().Value(kD1, delay1).Value(kD2, delay2).Build();
    QVERIFY(p->Show(&preset));
    QCOMPARE(p->Text("cmbPitchD1"), QString("%1 ms").arg(std::min(delay1, 50)));
    QCOMPARE(p->Text("cmbPitchD2"), QString("%1 ms").arg(std::min(delay2, 50)));
    QTEST(LimitMessages(), "messages");
  }

  void SwitchingToDetuneLimitsTheDelays() {
    const CPreset preset = PresetBuilder().Value(kType, kShifter).Value(kD2, 200).Build();
    QVERIFY(p->Show(&preset));
    QCOMPARE(p->Text("cmbPitchD2"), QString("200 ms"));
    p->Pick("cmbPitchType", kDetune);
    QCOMPARE(p->Text("cmbPitchD2"), QString("50 ms"));
    QCOMPARE(dialogs->Texts(), std::vector<std::string>{kLimitMessage});
    QCOMPARE(dialogs->Shown()[0].title, std::string("Lindel editor"));
    p->Pick("cmbPitchType", kShifter);
    p->Pick("cmbPitchD1", 350);  // the shifter allows the whole range
    QCOMPARE(p->Text("cmbPitchD1"), QString("350 ms"));
    QCOMPARE(LimitMessages(), 1);
  }

  void PickingALongDetuneDelayIsLimitedAndMarksTheChange() {
    QVERIFY(p->Show(nullptr));
    p->host.Clear();
    p->Pick("cmbPitchD1", 51);
    QCOMPARE(p->Text("cmbPitchD1"), QString("50 ms"));
    QCOMPARE(LimitMessages(), 1);
    QVERIFY(p->host.Calls().contains("SetFormDirty(1)"));
  }

  // The previous preset's delays are replaced right after the type is read;
  // they bring no message.
  void ShowingAnotherPresetChecksOnlyItsOwnDelays() {
    const CPreset shifter = PresetBuilder().Value(kType, kShifter).Value(kD1, 300).Build();
    QVERIFY(p->Show(&shifter));
    const CPreset detune = PresetBuilder().Value(kD1, 20).Build();
    QVERIFY(p->Show(&detune));
    QVERIFY(p->Show(&shifter));
    QVERIFY(p->Blank());
    QCOMPARE(LimitMessages(), 0);
    QCOMPARE(p->Text("cmbPitchD1"), QString("0 ms"));
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
    const CPreset preset = PresetBuilder().Value(kType, type).Value(kRange, stored).Build();
    QVERIFY(p->Show(&preset));
    QTEST(p->Text("cmbPitchRange"), "shown");
    CPreset gathered = p->Untouched();
    QVERIFY(p->frm.Gather(gathered));
    QTEST(gathered.Value(kRange), "gathered");
  }

  void GatherWritesTheTypesFields_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("v1");
    QTest::addColumn<int>("v2");
    QTest::addColumn<int>("level1");
    QTest::addColumn<int>("level2");
    QTest::addColumn<int>("mix");
    // Stored: voices 10 and -10, 329 = -6 (no whammy amount: 100 %), 333 = 1, mix 40.
    QTest::newRow("Detune") << int(kDetune) << 10 << -10 << 0 << 0 << 40;
    QTest::newRow("Whammy mixes fully") << int(kWhammy) << 0 << 0 << 100 << 1 << 100;
    QTest::newRow("Octaver") << int(kOctaver) << 0 << 0 << 0 << 1 << 40;
    QTest::newRow("Shifter") << int(kShifter) << 10 << -10 << -6 << -100 << 40;
  }
  void GatherWritesTheTypesFields() {
    QFETCH(int, type);
    const CPreset stored = PresetBuilder()
                               .Value(kType, type)
                               .Value(kV1, 10)
                               .Value(kV2, -10)
                               .Value(kLevel1, -6)
                               .Value(kLevel2, 1)
                               .Value(kMix, 40)
                               .Build();
    QVERIFY(p->Show(&stored));
    CPreset gathered = p->Untouched();
    QVERIFY(p->frm.Gather(gathered));
    QTEST(gathered.Value(kV1), "v1");
    QTEST(gathered.Value(kV2), "v2");
    QTEST(gathered.Value(kLevel1), "level1");
    QTEST(gathered.Value(kLevel2), "level2");
    QTEST(gathered.Value(kMix), "mix");
  }

  void AStoredTypeBeyondShifterShowsDetune() {
    const CPreset preset = PresetBuilder().Value(kType, 4).Value(kV1, 30).Build();
    QVERIFY(p->Show(&preset));
    QCOMPARE(p->Text("cmbPitchType"), QString("Detune"));
    QCOMPARE(p->Caption("lblPitchV1"), QString("Voice L"));
    QVERIFY(p->Shows("cmbPitchVL"));
    QCOMPARE(p->Text("cmbPitchVL"), QString("30 "));
  }

  void TypeSwitchesWithoutAPresetShowNeutralValues() {
    QVERIFY(p->Show(nullptr));
    p->Pick("cmbPitchType", kShifter);
    QCOMPARE(p->Caption("lblPitchDL"), QString("Level 2"));
    QCOMPARE(p->Text("cmbPitchV1"), QString("0 "));
    QCOMPARE(p->Text("cmbPitchLevel2"), QString("0 dB"));
    QVERIFY(!p->Shows("cmbPitchWhammyDirection"));
    p->Pick("cmbPitchType", kWhammy);
    QCOMPARE(p->Caption("lblPitchV1"), QString(""));
    QCOMPARE(p->Text("cmbPitchWhammyDirection"), QString("Up"));
    QCOMPARE(p->Text("cmbPitchRange"), QString("1 Oct"));
    QVERIFY(!p->Enabled("cmbPitchMix"));
    p->Pick("cmbPitchType", kDetune);
    QCOMPARE(p->Text("cmbPitchP1"), QString("-50 "));
    QCOMPARE(p->Text("cmbPitchP2"), QString("50 "));
    QVERIFY(p->Enabled("cmbPitchVL"));
  }
};

QTEST_MAIN(PitchTest)
#include "PitchTest.moc"
