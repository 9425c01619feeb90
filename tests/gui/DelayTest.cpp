// The delay editor: what each type shows and resets, what Gather writes per
// type, lists whose first or last item stands for "off", type switches with
// and without a preset, and the pans' clicks.
#include <QtTest>
#include <optional>

#include "EditorProbe.h"
#include "PresetBuilder.h"
#include "frmDelay.h"

namespace {

enum { kPingPong, kDynamic, kDual };
constexpr int kType = 421, kTime1 = 425, kFB2 = 445, kHiCut = 449, kLoCut = 453, kShared = 437, kOffsetPan1 = 457,
              kSensPan2 = 461, kDamping = 465, kRelease = 469;

CPreset Stored(int type) {
  return PresetBuilder()
      .Value(kType, type)
      .Value(kFB2, 20)
      .Value(kShared, 9)
      .Value(kOffsetPan1, 30)
      .Value(kSensPan2, -12)
      .Value(kDamping, 40)
      .Value(kRelease, 12)
      .Build();
}

}  // namespace

class DelayTest : public QObject {
  Q_OBJECT

 private:
  std::optional<EditorProbe<frmDelay>> p;

 private Q_SLOTS:
  void init() { p.emplace(); }

  void GatherWritesWhatTheTypeShows_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("shared");
    QTest::addColumn<int>("offsetPan1");
    QTest::addColumn<int>("sensPan2");
    QTest::addColumn<int>("damping");
    QTest::addColumn<int>("release");
    QTest::addColumn<int>("feedback2");
    // Stored: 437 = 9, 457 = 30, 461 = -12, damping 40, release 12, feedback 2 20 %.
    QTest::newRow("Ping Pong resets the ducking lists") << int(kPingPong) << 9 << 0 << 0 << 0 << 3 << 0;
    QTest::newRow("Dynamic has no width") << int(kDynamic) << 0 << 30 << -12 << 40 << 12 << 0;
    QTest::newRow("Dual writes the pans") << int(kDual) << 9 << 30 << -12 << 0 << 3 << 20;
  }
  void GatherWritesWhatTheTypeShows() {
    QFETCH(int, type);
    const CPreset stored = Stored(type);
    QVERIFY(p->Show(&stored));
    CPreset gathered = p->Untouched();
    QVERIFY(p->frm.Gather(gathered));
    QTEST(gathered.Value(kShared), "shared");
    QTEST(gathered.Value(kOffsetPan1), "offsetPan1");
    QTEST(gathered.Value(kSensPan2), "sensPan2");
    QTEST(gathered.Value(kDamping), "damping");
    QTEST(gathered.Value(kRelease), "release");
    QTEST(gathered.Value(kFB2), "feedback2");
  }

  void EachTypeLabelsAndShowsItsLists_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("tempo2Caption");
    QTest::addColumn<QString>("offsetCaption");
    QTest::addColumn<bool>("widthShown");
    QTest::addColumn<bool>("tempo2Shown");
    QTest::addColumn<bool>("pansShown");
    QTest::addColumn<bool>("dampingEnabled");
    QTest::newRow("Ping Pong") << int(kPingPong) << "Width" << "" << true << false << false << false;
    QTest::newRow("Dynamic") << int(kDynamic) << "" << "Offset" << false << true << false << true;
    QTest::newRow("Dual") << int(kDual) << "Tempo 2" << "Pan1" << false << true << true << false;
  }
  void EachTypeLabelsAndShowsItsLists() {
    QFETCH(int, type);
    QFETCH(bool, pansShown);
    const CPreset stored = Stored(type);
    QVERIFY(p->Show(&stored));
    QTEST(p->Caption("lblDelayTempo2"), "tempo2Caption");
    QTEST(p->Caption("lblDelayOffset"), "offsetCaption");
    QTEST(p->Shows("cmbDelayWidth"), "widthShown");
    QTEST(p->Shows("cmbDelayTempo2"), "tempo2Shown");
    QCOMPARE(p->Shows("cmbDelayPan1"), pansShown);
    QCOMPARE(p->Shows("cmbDelayPan2"), pansShown);
    QCOMPARE(p->Shows("cmbDelayOffset"), !pansShown);
    QCOMPARE(p->Shows("cmbDelaySens"), !pansShown);
    QTEST(p->Enabled("cmbDelayDamping"), "dampingEnabled");
  }

  void TypeSwitchesInBothDirections() {
    const CPreset stored = Stored(kDual);
    QVERIFY(p->Show(&stored));
    QCOMPARE(p->Text("cmbDelayPan1"), QString("30 "));
    p->Pick("cmbDelayType", kPingPong);
    QCOMPARE(p->Caption("lblDelayTime1"), QString("Time"));
    QCOMPARE(p->Text("cmbDelayWidth"), QString("9 %"));
    QCOMPARE(p->Text("cmbDelayFB2"), QString("0 %"));
    QVERIFY(!p->Enabled("cmbDelayOffset"));
    p->Pick("cmbDelayType", kDual);
    QCOMPARE(p->Caption("lblDelayTime1"), QString("Time 1"));
    QCOMPARE(p->Text("cmbDelayFB2"), QString("20 %"));
    QVERIFY(!p->Enabled("cmbDelayOffset"));  // hidden and disabled behind the pan
  }

  void TypeSwitchesWithoutAPresetShowNeutralValues() {
    QVERIFY(p->Show(nullptr));
    p->Pick("cmbDelayType", kDual);
    QCOMPARE(p->Text("cmbDelayPan1"), QString("0 "));
    QCOMPARE(p->Text("cmbDelayPan2"), QString("0 "));
    QCOMPARE(p->Text("cmbDelayTempo2"), QString("Ignored"));
    p->Pick("cmbDelayType", kDynamic);
    QCOMPARE(p->Text("cmbDelaySens"), QString("0 dB"));
    QCOMPARE(p->Text("cmbDelayRelease"), QString("1.0 ms"));
    QVERIFY(p->Enabled("cmbDelaySens"));
  }

  void StoredValuesOutsideTheListsFallBack_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("shown");
    QTest::newRow("hi cut 39") << kHiCut << 39 << "cmbDelayFBHiCut" << "Off";
    QTest::newRow("hi cut 61") << kHiCut << 61 << "cmbDelayFBHiCut" << "Off";
    QTest::newRow("hi cut 40") << kHiCut << 40 << "cmbDelayFBHiCut" << "2.00 k";
    QTest::newRow("lo cut 0") << kLoCut << 0 << "cmbDelayFBLoCut" << "Off";
    QTest::newRow("lo cut 40") << kLoCut << 40 << "cmbDelayFBLoCut" << "2.00 k";
    QTest::newRow("time 1800") << kTime1 << 1800 << "cmbDelayTime1" << "1800 ms";
    QTest::newRow("time 1801") << kTime1 << 1801 << "cmbDelayTime1" << "0 ms";
    QTest::newRow("type 3") << kType << 3 << "cmbDelayType" << "Ping Pong";
  }
  void StoredValuesOutsideTheListsFallBack() {
    QFETCH(int, offset);
    QFETCH(int, stored);
    QFETCH(QString, list);
    const CPreset preset = PresetBuilder().Value(offset, stored).Build();
    QVERIFY(p->Show(&preset));
    QTEST(p->Text(qPrintable(list)), "shown");
  }

  // Before any type is drawn the shared place is the second tempo's.
  void BlankedBeforeAnyTypeShowsTheSecondTempo() {
    QVERIFY(p->Blank());
    QVERIFY(p->Shows("cmbDelayTempo2"));
    QVERIFY(!p->Shows("cmbDelayWidth"));
    QCOMPARE(p->Caption("lblDelayTempo2"), QString("Tempo 2"));
    QCOMPARE(p->Text("cmbDelayTempo2"), QString("Ignored"));
  }

  void NeutralValuesCoverTheTypesLists() {
    const CPreset stored = Stored(kDual);
    QVERIFY(p->Show(&stored));
    QVERIFY(p->Blank());
    QCOMPARE(p->Text("cmbDelayPan1"), QString("0 "));
    QCOMPARE(p->Text("cmbDelaySens"), QString("0 dB"));
    QCOMPARE(p->Text("cmbDelayFBHiCut"), QString("Off"));
    QCOMPARE(p->Text("cmbDelayOut"), QString("0 dB"));
    QVERIFY(p->Shows("cmbDelayPan1"));  // the layout stays the dual delay's
  }

  void ChoosingAPanMarksThePresetChanged() {
    const CPreset stored = Stored(kDual);
    QVERIFY(p->Show(&stored));
    p->host.Clear();
    p->Pick("cmbDelayPan2", 10);
    QCOMPARE(p->host.Calls(), QStringList{"SetFormDirty(1)"});
  }
};

QTEST_MAIN(DelayTest)
#include "DelayTest.moc"
