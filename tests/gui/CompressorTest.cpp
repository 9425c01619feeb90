// The compressor editor: its lists, neutral values, stored values that fit no
// item, the on/off mapping, Gather, the guarded failures and what it tells
// the host.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "CPreset.h"
#include "ErrorLogCapture.h"
#include "PresetBuilder.h"
#include "RecordingHost.h"
#include "Selection.h"
#include "frmCompressor.h"

namespace {

constexpr int kOnOff = 225, kRatio = 169, kThreshold = 165, kAttack = 173, kRelease = 177, kGain = 181;

}  // namespace

class CompressorTest : public QObject {
  Q_OBJECT

 private:
  RecordingHost host;
  std::unique_ptr<frmCompressor> frm;

  QComboBox& List(const char* name) const { return *frm->findChild<QComboBox*>(name); }
  QCheckBox& OnOff() const { return *frm->findChild<QCheckBox*>("chkCompOnOff"); }
  QString Shown(const char* name) const { return List(name).currentText(); }

 private Q_SLOTS:
  void init() {
    host = RecordingHost();
    frm = std::make_unique<frmCompressor>();
    frm->Setup(host);
    frm->show();
    host.Clear();
  }

  void SetupFillsEveryListAndLetsTheHostPlaceTheWindow() {
    frmCompressor fresh;
    RecordingHost freshHost;
    fresh.show();
    fresh.Setup(freshHost);
    QCOMPARE(freshHost.Calls(), QStringList{"SizeForm(frmCompressor)"});
    QVERIFY(fresh.isHidden());
    const struct {
      const char* name;
      int count;
      const char* first;
      const char* last;
    } lists[] = {{"cmbRatio", 16, "Off", "inf:1"},
                 {"cmbThreshold", 41, "-40 db", "0 db"},
                 {"cmbAttack", 12, "1.0 ms", "70 ms"},
                 {"cmbRelease", 11, "50 ms", "2.0 s"},
                 {"cmbGain", 13, "-6 dB", "6 dB"}};
    for (const auto& l : lists) {
      auto* list = fresh.findChild<QComboBox*>(l.name);
      QVERIFY2(list, l.name);
      QCOMPARE(list->count(), l.count);
      QCOMPARE(list->itemText(0), QString(l.first));
      QCOMPARE(list->itemText(list->count() - 1), QString(l.last));
      QCOMPARE(list->currentIndex(), -1);
    }
    QCOMPARE(fresh.findChild<QLabel*>("lblThreshold")->text(), QString("Threshold"));
    QCOMPARE(fresh.findChild<QCheckBox*>("chkCompOnOff")->text(), QString("On/Off"));
    QCOMPARE(fresh.Title(), QString("Compressor block"));
  }

  void NeutralValuesIgnoreThePreset() {
    const CPreset preset = PresetBuilder().Scramble(3).Value(kOnOff, 0).Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    QVERIFY(frm->Scatter(&preset, false, true));
    QCOMPARE(OnOff().checkState(), Qt::Unchecked);
    QCOMPARE(Shown("cmbRatio"), QString("Off"));
    QCOMPARE(Shown("cmbThreshold"), QString("-40 db"));
    QCOMPARE(Shown("cmbAttack"), QString("1.0 ms"));
    QCOMPARE(Shown("cmbRelease"), QString("50 ms"));
    QCOMPARE(Shown("cmbGain"), QString("0 dB"));
    QCOMPARE(List("cmbGain").currentIndex(), 6);
  }

  void StoredValuesOutsideTheListsFallBack_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ratio 16") << kRatio << 16 << "cmbRatio" << "Off";
    QTest::newRow("ratio -1") << kRatio << -1 << "cmbRatio" << "Off";
    QTest::newRow("ratio 15") << kRatio << 15 << "cmbRatio" << "inf:1";
    QTest::newRow("threshold 5") << kThreshold << 5 << "cmbThreshold" << "-40 db";
    QTest::newRow("threshold -12") << kThreshold << -12 << "cmbThreshold" << "-12 db";
    QTest::newRow("gain 9") << kGain << 9 << "cmbGain" << "0 dB";
    QTest::newRow("gain -6") << kGain << -6 << "cmbGain" << "-6 dB";
    QTest::newRow("attack 2") << kAttack << 2 << "cmbAttack" << "1.0 ms";
    QTest::newRow("attack 14") << kAttack << 14 << "cmbAttack" << "70 ms";
    QTest::newRow("release 12") << kRelease << 12 << "cmbRelease" << "50 ms";
  }
  void StoredValuesOutsideTheListsFallBack() {
    QFETCH(int, offset);
    QFETCH(int, stored);
    QFETCH(QString, list);
    const CPreset preset = PresetBuilder().Value(kAttack, 3).Value(kRelease, 13).Value(offset, stored).Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    QTEST(Shown(qPrintable(list)), "shown");
  }

  void GatherWritesWhatTheUserPicked() {
    CPreset preset = PresetBuilder().Value(kOnOff, 1).Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    SelectListIndex(List("cmbRatio"), 15);                 // "inf:1"
    SelectListIndex(List("cmbRelease"), 10);               // "2.0 s"
    SelectListIndex(List("cmbGain"), 3);                   // "-3 dB"
    SelectListIndex(List("cmbThreshold"), 0);              // "-40 db"
    preset.SetValue(190, 1234);                            // unused fields stay as they are
    QVERIFY(frm->Gather(preset));
    QCOMPARE(preset.Value(kRatio), 15);
    QCOMPARE(preset.Value(kRelease), 23);
    QCOMPARE(preset.Value(kGain), -3);
    QCOMPARE(preset.Value(kThreshold), -40);
    QCOMPARE(preset.Value(kOnOff), 1);
    QCOMPARE(preset.Value(190), 1234);
  }

  void OnOffIsStoredInverted_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("on");
    QTest::newRow("0 is on") << 0 << int(Qt::Checked) << true;
    QTest::newRow("1 is off") << 1 << int(Qt::Unchecked) << false;
    QTest::newRow("3 is greyed") << 3 << int(Qt::PartiallyChecked) << false;
  }
  void OnOffIsStoredInverted() {
    QFETCH(int, stored);
    CPreset preset = PresetBuilder().Value(kOnOff, stored).Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    QTEST(int(OnOff().checkState()), "state");
    QTEST(frm->IsOn(), "on");
    preset.SetValue(kOnOff, 77);
    QVERIFY(frm->Gather(preset));
    QCOMPARE(preset.Value(kOnOff), stored);
  }

  void RoundTripKeepsEveryValueThatFitsItsList() {
    const CPreset stored = PresetBuilder()
                               .Value(kOnOff, 0)
                               .Value(kRatio, 9)
                               .Value(kThreshold, -17)
                               .Value(kAttack, 7)
                               .Value(kRelease, 20)
                               .Value(kGain, 4)
                               .Build();
    QVERIFY(frm->Scatter(&stored, true, true));
    CPreset gathered = PresetBuilder().Scramble(9).Build();
    QVERIFY(frm->Gather(gathered));
    for (int offset : {kOnOff, kRatio, kThreshold, kAttack, kRelease, kGain}) {
      QCOMPARE(gathered.Value(offset), stored.Value(offset));
    }
  }

  void FailureInScatterLeavesTheLaterControlsAndLogsOnce() {
    ErrorLogCapture log;
    const CPreset first = PresetBuilder().Value(kRatio, 4).Value(kGain, 2).Value(kAttack, 5).Build();
    QVERIFY(frm->Scatter(&first, true, true));
    const CPreset broken = PresetBuilder().Value(kOnOff, 5).Value(kRatio, 9).Value(kGain, -2).Build();
    QVERIFY(!frm->Scatter(&broken, true, true));
    QCOMPARE(OnOff().checkState(), Qt::Checked);  // the check box keeps its state
    QCOMPARE(Shown("cmbRatio"), QString("1.60:1"));
    QCOMPARE(Shown("cmbGain"), QString("2 dB"));
    const QStringList lines = log.Lines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].startsWith("380\t") && lines[0].contains("frmCompressor.chkCompOnOff"), qPrintable(lines[0]));
  }

  void GatherStopsAtAListWithoutSelection() {
    ErrorLogCapture log;
    CPreset preset = PresetBuilder().Value(kThreshold, -9).Value(kAttack, 8).Build();
    SetCheckValue(OnOff(), 1);
    SelectListIndex(List("cmbRatio"), 2);
    QVERIFY(!frm->Gather(preset));
    QCOMPARE(preset.Value(kOnOff), 0);
    QCOMPARE(preset.Value(kRatio), 2);
    QCOMPARE(preset.Value(kThreshold), -9);  // unwritten
    QCOMPARE(preset.Value(kAttack), 8);  // unwritten
    QCOMPARE(log.Lines().size(), 1);
    QVERIFY(log.Lines()[0].startsWith("381\t"));
  }

  void ScatterReportsLikeTheUsersClicks() {
    const CPreset preset = PresetBuilder().Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    QCOMPARE(host.Calls(), (QStringList{"BlockOnOffChanged", "SetFormDirty(1)", "SetFormDirty(1)",
                                        "SetFormDirty(1)", "SetFormDirty(1)", "SetFormDirty(1)"}));
    host.Clear();
    QVERIFY(frm->Scatter(&preset, true, true));
    QCOMPARE(host.Calls().size(), 6);  // again, though nothing changed
  }

  void UserClicksAndMouseReachTheHost() {
    List("cmbAttack").setCurrentIndex(2);
    Q_EMIT List("cmbAttack").activated(2);
    QTest::mouseClick(&OnOff(), Qt::LeftButton, {}, QPoint(6, OnOff().height() / 2));
    QVERIFY(frm->IsOn());
    QTest::mouseClick(frm.get(), Qt::RightButton, {}, QPoint(5, 6));
    QCOMPARE(host.Calls(), (QStringList{"SetFormDirty(1)", "BlockOnOffChanged", "DoRightMouseMenu(3,2,5,6)"}));
  }
};

QTEST_MAIN(CompressorTest)
#include "CompressorTest.moc"
