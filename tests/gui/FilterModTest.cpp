// The filter/modulation editor: the layout each type gives the shared places,
// captions a type keeps from the one before, type switches with and without a
// preset, what Gather writes per type, and stored values that fit no item.
#include <QtTest>
#include <optional>

#include "EditorProbe.h"
#include "PresetBuilder.h"
#include "frmFilterMod.h"

namespace {

enum { kAutoRes, kResonan, kVinPhas, kSmthPhas, kTremolo, kPanner };
constexpr int kType = 229, kSens = 237, kResp = 241, kFreqTempo = 253, kFeedback = 261, kReverse = 269,
              kHiCut = 273;

}  // namespace

class FilterModTest : public QObject {
  Q_OBJECT

 private:
  std::optional<EditorProbe<frmFilterMod>> p;

 private Q_SLOTS:
  void init() { p.emplace(); }

  void EachTypeGivesTheSharedPlacesTheirList_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("freqTempo");
    QTest::addColumn<bool>("tempoShown");
    QTest::addColumn<QString>("hiCut");
    QTest::addColumn<bool>("resHiCutShown");
    QTest::addColumn<bool>("tremHiCutUsable");
    QTest::addColumn<bool>("feedbackEnabled");
    QTest::newRow("Auto Res") << int(kAutoRes) << "Freq Max" << false << "Filt HiCut" << true << false << false;
    QTest::newRow("Resonan") << int(kResonan) << "Freq Max" << false << "Filt HiCut" << true << false << false;
    QTest::newRow("VinPhas") << int(kVinPhas) << "Tap Tempo" << true << "" << false << false << true;
    QTest::newRow("SmthPhas") << int(kSmthPhas) << "Tap Tempo" << true << "" << false << false << true;
    QTest::newRow("Tremolo") << int(kTremolo) << "Tap Tempo" << true << "TRM HiCut" << false << true << true;
    QTest::newRow("Panner") << int(kPanner) << "Tap Tempo" << true << "" << false << false << false;
  }
  void EachTypeGivesTheSharedPlacesTheirList() {
    QFETCH(int, type);
    QFETCH(bool, tempoShown);
    QFETCH(bool, resHiCutShown);
    const CPreset preset = PresetBuilder().Value(kType, type).Build();
    QVERIFY(p->Show(&preset));
    QTEST(p->Caption("lblFreqTempo"), "freqTempo");
    QCOMPARE(p->Shows("cmbFiltTapTempo"), tempoShown);
    QCOMPARE(p->Shows("cmbFiltFreqMax"), !tempoShown);
    QTEST(p->Caption("lblFiltHiCut"), "hiCut");
    QCOMPARE(p->Shows("cmbFiltResHiCut"), resHiCutShown);
    QCOMPARE(p->Shows("cmbFiltTremHiCut"), !resHiCutShown);
    QTEST(p->Shows("cmbFiltTremHiCut") && p->Enabled("cmbFiltTremHiCut"), "tremHiCutUsable");
    QTEST(p->Enabled("cmbPhaseFB"), "feedbackEnabled");
  }

  void TypesKeepCaptionsTheyDoNotUse() {
    QVERIFY(p->Show(nullptr));
    QCOMPARE(p->Caption("lblPhaseSpeed"), QString("Phase Speed"));
    p->Pick("cmbFiltType", kTremolo);
    p->Pick("cmbFiltType", kPanner);
    QCOMPARE(p->Caption("lblPhaseFB"), QString("PWidth"));
    QVERIFY(!p->Enabled("cmbPhaseFB"));
    p->Pick("cmbFiltType", kAutoRes);
    QCOMPARE(p->Caption("lblPhaseSpeed"), QString("PAN Speed"));
    QCOMPARE(p->Caption("lblPhaseDepth"), QString("PAN Width"));
    QCOMPARE(p->Caption("lblPhaseFB"), QString("Phase FB"));
    QVERIFY(!p->Enabled("cmbPhaseSpeed"));
  }

  void TypeSwitchesWithoutAPresetShowNeutralValues() {
    QVERIFY(p->Show(nullptr));
    p->Pick("cmbFiltType", kTremolo);
    QCOMPARE(p->Text("cmbFiltTremHiCut"), QString("Off"));
    QCOMPARE(p->Text("cmbFiltTapTempo"), QString("Ignored"));
    QCOMPARE(p->Text("cmbPhaseFB"), QString("0 "));
    p->Pick("cmbFiltType", kAutoRes);
    QCOMPARE(p->Text("cmbFiltFreqMax"), QString("1.00 k"));
    QCOMPARE(p->Text("cmbFiltResHiCut"), QString("158.5 Hz"));
    QVERIFY(p->host.Calls().contains("SubTypeChanged(frmFilterMod)"));
  }

  void TypeSwitchesWithAPresetReadTheNewTypesFields() {
    const CPreset preset =
        PresetBuilder().Value(kType, kTremolo).Value(kFreqTempo, 40).Value(kHiCut, 30).Value(kFeedback, -20).Build();
    QVERIFY(p->Show(&preset));
    QCOMPARE(p->Text("cmbFiltTremHiCut"), QString("631.0 Hz"));
    QCOMPARE(p->Text("cmbFiltTapTempo"), QString("Ignored"));  // 40 is no tempo
    p->Pick("cmbFiltType", kAutoRes);
    QCOMPARE(p->Text("cmbFiltFreqMax"), QString("2.00 k"));
    QCOMPARE(p->Text("cmbFiltResHiCut"), QString("631.0 Hz"));
    QCOMPARE(p->Text("cmbPhaseFB"), QString("0 "));
    p->Pick("cmbFiltType", kVinPhas);
    QCOMPARE(p->Text("cmbPhaseFB"), QString("-20 "));
    QCOMPARE(p->Text("cmbFiltTremHiCut"), QString("Off"));
  }

  void GatherWritesTheSelectedTypesFields_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("sens");
    QTest::addColumn<int>("resp");
    QTest::addColumn<int>("freqTempo");
    QTest::addColumn<int>("hiCut");
    QTest::addColumn<int>("feedback");
    // Stored: sensitivity 7, response 2, 253 = 5, hi-cut 30, feedback -20.
    QTest::newRow("Auto Res") << int(kAutoRes) << 7 << 2 << 34 << 30 << 0;
    QTest::newRow("Resonan resets its unused lists") << int(kResonan) << 0 << 0 << 34 << 30 << 0;
    QTest::newRow("VinPhas") << int(kVinPhas) << 7 << 2 << 5 << 0 << -20;
    QTest::newRow("SmthPhas") << int(kSmthPhas) << 7 << 2 << 5 << 0 << -20;
    QTest::newRow("Tremolo") << int(kTremolo) << 7 << 2 << 5 << 30 << -20;
    QTest::newRow("Panner") << int(kPanner) << 7 << 2 << 5 << 0 << 0;
  }
  void GatherWritesTheSelectedTypesFields() {
    QFETCH(int, type);
    const CPreset stored = PresetBuilder()
                               .Value(kType, type)
                               .Value(kSens, 7)
                               .Value(kResp, 2)
                               .Value(kFreqTempo, 5)
                               .Value(kHiCut, 30)
                               .Value(kFeedback, -20)
                               .Build();
    QVERIFY(p->Show(&stored));
    CPreset gathered = p->Untouched();
    QVERIFY(p->frm.Gather(gathered));
    QCOMPARE(gathered.Value(kType), type);
    QTEST(gathered.Value(kSens), "sens");
    QTEST(gathered.Value(kResp), "resp");
    QTEST(gathered.Value(kFreqTempo), "freqTempo");
    QTEST(gathered.Value(kHiCut), "hiCut");
    QTEST(gathered.Value(kFeedback), "feedback");
  }

  void StoredValuesOutsideTheListsFallBack_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("shown");
    QTest::newRow("type 6") << kType << 6 << "cmbFiltType" << "Auto Res";
    QTest::newRow("type -1") << kType << -1 << "cmbFiltType" << "Auto Res";
    QTest::newRow("freq max 33") << kFreqTempo << 33 << "cmbFiltFreqMax" << "1.00 k";
    QTest::newRow("freq max 54") << kFreqTempo << 54 << "cmbFiltFreqMax" << "10.0 k";
    QTest::newRow("hi-cut 58") << kHiCut << 58 << "cmbFiltResHiCut" << "158.5 Hz";
    QTest::newRow("out level 1") << 285 << 1 << "cmbFiltOut" << "-100 dB";
    QTest::newRow("mix 101") << 281 << 101 << "cmbFiltMix" << "100 %";
  }
  void StoredValuesOutsideTheListsFallBack() {
    QFETCH(int, offset);
    QFETCH(int, stored);
    QFETCH(QString, list);
    const CPreset preset = PresetBuilder().Value(offset, stored).Build();
    QVERIFY(p->Show(&preset));
    QTEST(p->Text(qPrintable(list)), "shown");
    QCOMPARE(p->Caption("lblFreqTempo"), QString("Freq Max"));  // the type shown is Auto Res
  }

  void PhaseReverseIsStoredAsChecked() {
    const CPreset preset = PresetBuilder().Value(kType, kVinPhas).Value(kReverse, 1).Build();
    QVERIFY(p->Show(&preset));
    QCOMPARE(p->Check("chkPhaseReverse").checkState(), Qt::Checked);
    CPreset gathered = p->Untouched();
    QVERIFY(p->frm.Gather(gathered));
    QCOMPARE(gathered.Value(kReverse), 1);
  }

  void NoLayoutWithoutASelectedType() {
    const CPreset preset = PresetBuilder().Value(kType, kTremolo).Build();
    QVERIFY(p->frm.Scatter(&preset, true, false));
    QCOMPARE(p->frm.SubType(), -1);
    QCOMPARE(p->Caption("lblFreqTempo"), QString("(not used)"));
    QCOMPARE(p->Caption("lblPhaseFB"), QString("Phase Feedback"));
    QCOMPARE(p->List("cmbFiltFreqMax").currentIndex(), -1);
  }

  void NeutralValuesKeepTheLayout() {
    const CPreset preset = PresetBuilder().Value(kType, kPanner).Value(285, -40).Build();
    QVERIFY(p->Show(&preset));
    QVERIFY(p->Blank());
    QCOMPARE(p->Text("cmbFiltType"), QString("Auto Res"));
    QCOMPARE(p->Text("cmbFiltOut"), QString("0 dB"));
    QCOMPARE(p->Text("cmbFiltMix"), QString("100 %"));
    QCOMPARE(p->Caption("lblPhaseSpeed"), QString("PAN Speed"));
    QVERIFY(p->Shows("cmbFiltTapTempo"));
  }
};

QTEST_MAIN(FilterModTest)
#include "FilterModTest.moc"
