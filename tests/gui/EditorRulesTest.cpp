// The chorus/flanger, noise gate/EQ, reverb, levels/relays, tap tempo and
// routing editors: neutral values, fall-backs of stored values that fit no
// item, what each chorus type enables and resets, the values that never stay
// at zero, the switches stored either way round, what each click tells the
// host, and the word-packed settings whose failures keep the old selection.
#include <QCheckBox>
#include <QComboBox>
#include <QtTest>
#include <stdexcept>

#include "CPreset.h"
#include "ErrorLogCapture.h"
#include "PresetBuilder.h"
#include "RecordingHost.h"
#include "Selection.h"
#include "frmChorusFlange.h"
#include "frmCompressor.h"
#include "frmLevelRelay.h"
#include "frmNoiseGateEQ.h"
#include "frmReverb.h"
#include "frmRouting.h"
#include "frmTapTempo.h"

namespace {

std::unique_ptr<BlockEditor> MakeEditor(const QString& name) {
  if (name == "frmChorusFlange") return std::make_unique<frmChorusFlange>();
  if (name == "frmCompressor") return std::make_unique<frmCompressor>();
  if (name == "frmNoiseGateEQ") return std::make_unique<frmNoiseGateEQ>();
  if (name == "frmReverb") return std::make_unique<frmReverb>();
  if (name == "frmLevelRelay") return std::make_unique<frmLevelRelay>();
  if (name == "frmTapTempo") return std::make_unique<frmTapTempo>();
  if (name == "frmRouting") return std::make_unique<frmRouting>();
  qFatal("no editor %s", qPrintable(name));
}

// A chorus preset with every field away from what a type resets it to.
PresetBuilder BusyChorus(int type) {
  return PresetBuilder()
      .Value(357, type)
      .Value(361, 120)
      .Value(365, 33)
      .Value(369, 7)
      .Value(373, 45)
      .Value(377, -30)
      .Value(381, 20)
      .Value(385, 77)
      .Value(389, 1)
      .Value(393, 1)
      .Value(397, 40)
      .Value(401, -12);
}

// A host whose tap light refuses every interval, as a text that is no number would.
class RefusingTapHost final : public IBlockHost {
 public:
  void SetFormDirty(bool) override {}
  void BlockOnOffChanged() override {}
  void SubTypeChanged(BlockEditor&) override {}
  void DoRightMouseMenu(BlockNumber, Qt::MouseButton, QPoint) override {}
  void SizeForm(QWidget&) override {}
  void ToggleButtons() override {}
  void UpdateRoutingDisplay(int) override {}
  void SetTapTempoSpeed(const QString&) override { throw std::invalid_argument("no interval"); }
};

}  // namespace

class EditorRulesTest : public QObject {
  Q_OBJECT

 private:
  RecordingHost host;
  std::unique_ptr<BlockEditor> frm;

  void Open(const QString& name) {
    host = RecordingHost();
    frm = MakeEditor(name);
    frm->Setup(host);
    frm->show();
    host.Clear();
  }
  template <class T = QWidget>
  T& W(const QString& name) const {
    auto* control = frm->findChild<T*>(name);
    if (!control) qFatal("%s has no %s", qPrintable(frm->objectName()), qPrintable(name));
    return *control;
  }
  // "name=shown" for every list and check box, sorted by name.
  QStringList Snapshot() const {
    QStringList shown;
    for (const QWidget* w : frm->findChildren<QWidget*>()) {
      if (qobject_cast<const QComboBox*>(w) || qobject_cast<const QCheckBox*>(w)) {
        shown << w->objectName() + "=" + Shown(w->objectName());
      }
    }
    shown.sort();
    return shown;
  }
  // A list's text or a check box's value, as the user sees it.
  QString Shown(const QString& name) const {
    if (auto* box = frm->findChild<QCheckBox*>(name)) return QString::number(CheckValue(*box));
    return W<QComboBox>(name).currentText();
  }

 private Q_SLOTS:
  void NeutralValues_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("chorus") << "frmChorusFlange"
                            << QStringList{"chkChorusOnOff=0", "cmbChorusType=Classic Cho", "cmbChorusHiCut=Off",
                                           "cmbChorusFlangerFB=0 ", "cmbChorusDelay=0.1 ms", "cmbChorusMix=100 %",
                                           "cmbChorusOut=0 dB"};
    QTest::newRow("noise gate") << "frmNoiseGateEQ"
                                << QStringList{"chkNoiseGateOnOff=0", "chkEqOnOff=0", "cmbNGThreshold=-60 dB",
                                               "cmbNGRelease=3 dB/s", "cmbEQFreq2=off", "cmbEQGain2=0 dB",
                                               "cmbEQWidth2=0.5"};
    QTest::newRow("reverb") << "frmReverb"
                            << QStringList{"chkReverbOnOff=0", "cmbRevDecay=0.1 sec", "cmbRevHiFactor=0 ",
                                           "cmbRevRoomLevel=0 dB", "cmbRevMix=100 %", "cmbRevOut=0 dB"};
    QTest::newRow("levels") << "frmLevelRelay" << QStringList{"cmbOutLevel=0 dB", "chkRelay1=0", "chkRelay2=0"};
    QTest::newRow("tap tempo") << "frmTapTempo" << QStringList{"cmbTapTempo=100 "};
    QTest::newRow("routing") << "frmRouting" << QStringList{"cmbRouting=Serial"};
  }
  void NeutralValues() {
    QFETCH(QString, window);
    QFETCH(QStringList, shown);
    Open(window);
    const CPreset busy = PresetBuilder().Scramble(4).Build();
    frm->Scatter(&busy, true, true);  // whatever it shows, even a failure
    QVERIFY(frm->Scatter(&busy, false, true));
    const QStringList now = Snapshot();
    for (const QString& value : shown) QVERIFY2(now.contains(value), qPrintable(value));
  }

  void StoredValuesThatFitNoItemFallBack_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("gathered");
    QTest::newRow("chorus hi cut 61") << "frmChorusFlange" << 373 << 61 << "cmbChorusHiCut" << "Off" << 60;
    QTest::newRow("chorus feedback 101") << "frmChorusFlange" << 377 << 101 << "cmbChorusFlangerFB" << "-100 " << -100;
    QTest::newRow("chorus delay 501") << "frmChorusFlange" << 385 << 501 << "cmbChorusDelay" << "0.1 ms" << 1;
    QTest::newRow("chorus type 5") << "frmChorusFlange" << 357 << 5 << "cmbChorusType" << "Classic Cho" << 0;
    QTest::newRow("EQ frequency 20") << "frmNoiseGateEQ" << 569 << 20 << "cmbEQFreq1" << "off" << 241;
    QTest::newRow("EQ width 2") << "frmNoiseGateEQ" << 577 << 2 << "cmbEQWidth1" << "0.5" << 7;
    QTest::newRow("EQ width 17") << "frmNoiseGateEQ" << 601 << 17 << "cmbEQWidth3" << "0.5" << 7;
    QTest::newRow("gate release 2") << "frmNoiseGateEQ" << 561 << 2 << "cmbNGRelease" << "3 dB/s" << 3;
    QTest::newRow("reverb hi factor 30") << "frmReverb" << 509 << 30 << "cmbRevHiFactor" << "0 " << 0;
    QTest::newRow("reverb out level 5") << "frmReverb" << 537 << 5 << "cmbRevOut" << "-100 dB" << -100;
    QTest::newRow("reverb decay 201") << "frmReverb" << 489 << 201 << "cmbRevDecay" << "0.1 sec" << 1;
    QTest::newRow("tap tempo 50") << "frmTapTempo" << 161 << 50 << "cmbTapTempo" << "100 " << 100;
  }
  void StoredValuesThatFitNoItemFallBack() {
    QFETCH(QString, window);
    QFETCH(int, offset);
    QFETCH(int, stored);
    QFETCH(QString, control);
    Open(window);
    CPreset preset = BusyChorus(3).Value(offset, stored).Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    QTEST(Shown(control), "shown");
    QVERIFY(frm->Gather(preset));
    QTEST(preset.Value(offset), "gathered");
  }

  // What the type leaves enabled; the values it resets are the round trip's.
  void EachChorusTypeEnablesItsControls_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<bool>>("enabled");  // feedback, its hi cut, delay, gold ratio, phase reverse, mix
    QTest::newRow("Classic Cho") << 0 << QList<bool>{false, false, false, false, false, true};
    QTest::newRow("Adv Chorus") << 1 << QList<bool>{false, false, true, true, true, true};
    QTest::newRow("Classic Fla") << 2 << QList<bool>{true, true, false, false, false, true};
    QTest::newRow("Adv Flange") << 3 << QList<bool>{true, true, true, true, true, true};
    QTest::newRow("Vibrator") << 4 << QList<bool>{false, false, true, false, false, false};
  }
  void EachChorusTypeEnablesItsControls() {
    QFETCH(int, type);
    Open("frmChorusFlange");
    const CPreset stored = BusyChorus(type).Build();
    QVERIFY(frm->Scatter(&stored, true, true));
    QList<bool> enabled;
    for (const char* name : {"cmbChorusFlangerFB", "cmbChorusFlaFBHiCut", "cmbChorusDelay", "chkChorusGoldRatio",
                             "chkChorusPhaseRev", "cmbChorusMix"}) {
      enabled << W(name).isEnabled();
    }
    QTEST(enabled, "enabled");
    for (const char* always :
         {"cmbChorusSpeed", "cmbChorusDepth", "cmbChorusTempo", "cmbChorusHiCut", "cmbChorusOut"}) {
      QVERIFY2(W(always).isEnabled(), always);
    }
  }

  // A type picked by the user is drawn with bAll false: the chorus resets
  // what the new type does not use, the reverb changes nothing at all.
  void TypeSwitchResetsOnlyWhatTheNewTypeDoesNotUse_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("changed");
    QTest::newRow("Adv Flange to Classic Cho")
        << "frmChorusFlange" << 0
        << QStringList{"chkChorusGoldRatio=0", "chkChorusPhaseRev=0", "cmbChorusDelay=0.1 ms",
                       "cmbChorusFlaFBHiCut=Off", "cmbChorusFlangerFB=0 ", "cmbChorusType=Classic Cho"};
    QTest::newRow("Plate to Hall") << "frmReverb" << 1 << QStringList{"cmbRevType=Hall"};
  }
  void TypeSwitchResetsOnlyWhatTheNewTypeDoesNotUse() {
    QFETCH(QString, window);
    QFETCH(int, type);
    Open(window);
    const CPreset stored = BusyChorus(3).Value(485, 3).Value(489, 55).Value(533, 20).Build();
    const CPreset other = PresetBuilder().Scramble(12).Build();  // bAll false must not read it
    QVERIFY(frm->Scatter(&stored, true, true));
    const QStringList before = Snapshot();
    host.RedrawOnTypeChange(&other);
    host.Clear();
    SelectListIndex(W<QComboBox>(window == "frmReverb" ? "cmbRevType" : "cmbChorusType"), type);
    QCOMPARE(host.Calls().first(), "SubTypeChanged(" + window + ")");
    QStringList changed;
    for (const QString& now : Snapshot()) {
      if (!before.contains(now)) changed << now;
    }
    QTEST(changed, "changed");
  }

  // A delay of 0.0 ms or a decay of 0.0 sec does not stay: stored, neutral or picked.
  void ValuesThatNeverStayAtZero_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("shown");
    for (int how : {0, 1, 2}) {
      const char* way[] = {"stored", "neutral", "picked"};
      QTest::addRow("chorus delay %s", way[how]) << "frmChorusFlange" << "cmbChorusDelay" << 385 << "0.1 ms";
      QTest::addRow("reverb decay %s", way[how]) << "frmReverb" << "cmbRevDecay" << 489 << "0.1 sec";
    }
  }
  void ValuesThatNeverStayAtZero() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, offset);
    Open(window);
    CPreset preset = BusyChorus(3).Value(offset, 0).Build();
    const QString way = QTest::currentDataTag();
    if (way.endsWith("stored")) QVERIFY(frm->Scatter(&preset, true, true));
    if (way.endsWith("neutral")) QVERIFY(frm->Scatter(&preset, false, true));
    if (way.endsWith("picked")) {
      QVERIFY(frm->Scatter(&preset, true, true));
      host.Clear();
      auto& list = W<QComboBox>(control);
      list.setCurrentIndex(0);
      Q_EMIT list.activated(0);
      QCOMPARE(host.Calls(), (QStringList{"SetFormDirty(1)", "SetFormDirty(1)"}));
    }
    QTEST(Shown(control), "shown");
    preset.SetValue(offset, 99);
    QVERIFY(frm->Gather(preset));
    QCOMPARE(preset.Value(offset), 1);
  }

  void GateAndEqSwitchesAreStoredOppositeWays_data() {
    QTest::addColumn<int>("gate");
    QTest::addColumn<int>("eq");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("gate on, EQ off") << 0 << 0 << QStringList{"1", "0"};
    QTest::newRow("gate off, EQ on") << 1 << 1 << QStringList{"0", "1"};
  }
  void GateAndEqSwitchesAreStoredOppositeWays() {
    QFETCH(int, gate);
    QFETCH(int, eq);
    Open("frmNoiseGateEQ");
    const CPreset preset = PresetBuilder().Value(609, gate).Value(565, eq).Build();
    QVERIFY(frm->Scatter(&preset, true, true));
    QTEST((QStringList{Shown("chkNoiseGateOnOff"), Shown("chkEqOnOff")}), "shown");
    QCOMPARE(frm->IsOn(), gate == 0);
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
    Open(window);
    QVERIFY(frm->Scatter(&second, true, true));
    const QStringList all = Snapshot();
    QVERIFY(frm->Scatter(&first, true, true));
    QVERIFY(frm->Scatter(&second, true, false));
    QCOMPARE(Snapshot(), all);
  }

  // The user's clicks, through the controls' own signals and the mouse.
  void ClicksTellTheHost_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");  // lists only
    QTest::addColumn<QStringList>("calls");
    const QStringList dirty{"SetFormDirty(1)"};
    QTest::newRow("chorus on/off") << "frmChorusFlange" << "chkChorusOnOff" << 0 << QStringList{"BlockOnOffChanged"};
    QTest::newRow("chorus type") << "frmChorusFlange" << "cmbChorusType" << 2
                                 << QStringList{"SubTypeChanged(frmChorusFlange)"};
    QTest::newRow("chorus gold ratio") << "frmChorusFlange" << "chkChorusGoldRatio" << 0 << dirty;
    QTest::newRow("gate on/off") << "frmNoiseGateEQ" << "chkNoiseGateOnOff" << 0 << QStringList{"BlockOnOffChanged"};
    QTest::newRow("EQ on/off") << "frmNoiseGateEQ" << "chkEqOnOff" << 0
                               << QStringList{"SetFormDirty(1)", "ToggleButtons"};
    QTest::newRow("EQ width") << "frmNoiseGateEQ" << "cmbEQWidth3" << 3 << dirty;
    QTest::newRow("reverb type") << "frmReverb" << "cmbRevType" << 1 << QStringList{"SubTypeChanged(frmReverb)"};
    QTest::newRow("reverb decay") << "frmReverb" << "cmbRevDecay" << 5 << dirty;
    QTest::newRow("relay 2") << "frmLevelRelay" << "chkRelay2" << 0 << dirty;
    QTest::newRow("out level") << "frmLevelRelay" << "cmbOutLevel" << 3 << dirty;
    QTest::newRow("tap tempo") << "frmTapTempo" << "cmbTapTempo" << 1134
                               << QStringList{"SetFormDirty(1)", "SetTapTempoSpeed(1234 )"};
    QTest::newRow("routing") << "frmRouting" << "cmbRouting" << 2
                             << QStringList{"SetFormDirty(1)", "UpdateRoutingDisplay(2)"};
    const std::pair<const char*, int> blocks[] = {{"frmNoiseGateEQ", 1}, {"frmLevelRelay", 2}, {"frmChorusFlange", 6},
                                                  {"frmReverb", 8},      {"frmRouting", 9},    {"frmTapTempo", 11}};
    for (const auto& [window, block] : blocks) {  // the right button over the background
      QTest::addRow("%s background", window) << window << "" << 0
                                             << QStringList{QString("DoRightMouseMenu(%1,2,3,4)").arg(block)};
    }
  }
  void ClicksTellTheHost() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, index);
    Open(window);
    if (control.isEmpty()) {
      QTest::mouseClick(frm.get(), Qt::RightButton, {}, QPoint(3, 4));
    } else if (auto* box = frm->findChild<QCheckBox*>(control)) {
      box->click();
    } else {
      auto& list = W<QComboBox>(control);
      list.setCurrentIndex(index);
      Q_EMIT list.activated(index);
    }
    QTEST(host.Calls(), "calls");
  }

  void ATapLightThatRefusesTheIntervalIsIgnored() {
    ErrorLogCapture log;
    RefusingTapHost refusing;
    frmTapTempo tap;
    tap.Setup(refusing);
    CPreset preset = PresetBuilder().Value(161, 700).Build();
    QVERIFY(tap.Scatter(&preset, true, true));
    preset.SetValue(161, 0);
    QVERIFY(tap.Gather(preset));
    QCOMPARE(preset.Value(161), 700);
    QVERIFY(log.Lines().isEmpty());
  }

  // The two bits and seven bits hold values the lists do not have; the list
  // refuses them, keeps what it showed, and the scatter ends there.
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
    Open(window);
    CPreset first = PresetBuilder().Build();
    first.SetOutLevel(10);
    first.SetRouting(1);
    QVERIFY(frm->Scatter(&first, true, true));
    CPreset broken = PresetBuilder().Build();
    broken.SetOutLevel(101);
    broken.SetRouting(3);
    broken.SetRelay(1, 1);
    ErrorLogCapture log;
    host.Clear();
    QVERIFY(!frm->Scatter(&broken, true, true));
    QTEST(Shown(control), "shown");
    QVERIFY(host.Calls().isEmpty());  // no click: no relay set, no routing redrawn
    QCOMPARE(log.Lines().size(), 1);
    QVERIFY2(log.Lines()[0].startsWith("380\t") && log.Lines()[0].contains(window + "." + control),
             qPrintable(log.Lines()[0]));
  }

  void GatherWithoutASelectionLeavesTheRoutingWord_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::newRow("out level") << "frmLevelRelay" << "cmbOutLevel";
    QTest::newRow("routing") << "frmRouting" << "cmbRouting";
  }
  void GatherWithoutASelectionLeavesTheRoutingWord() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    Open(window);
    ErrorLogCapture log;
    CPreset preset = PresetBuilder().Build();
    preset.SetRouting(1);
    preset.SetOutLevel(55);
    preset.SetRelay(1, 1);
    const int word = preset.Value(157);
    QVERIFY(!frm->Gather(preset));
    QCOMPARE(preset.Value(157), word);
    QCOMPARE(log.Lines().size(), 1);
    QVERIFY2(log.Lines()[0].startsWith("381\t") && log.Lines()[0].contains(control), qPrintable(log.Lines()[0]));
  }
};

QTEST_MAIN(EditorRulesTest)
#include "EditorRulesTest.moc"
