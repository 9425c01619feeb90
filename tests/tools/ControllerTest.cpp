// The controller tool against an in-memory MIDI system: the bytes each
// set-up sends, the controller 2 toggle, the pause after a program change,
// the pedal, the stored settings and the failures it logs; and one run
// through the built-in simulated G-Major.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "ErrorLogCapture.h"
#include "EventPump.h"
#include "ExpressionPedal.h"
#include "FakeMidiSystem.h"
#include "ISettings.h"
#include "ScriptedDialogs.h"
#include "Selection.h"
#include "SimulatorMidiSystem.h"
#include "dlgController.h"

namespace {

using Messages = QList<QByteArray>;

QByteArray B(std::initializer_list<int> bytes) {
  QByteArray out;
  for (int b : bytes) out.append(static_cast<char>(b));
  return out;
}

Messages ToMessages(const std::vector<Bytes>& sent, std::size_t from = 0) {
  Messages out;
  for (std::size_t i = from; i < sent.size(); ++i) {
    out << QByteArray(reinterpret_cast<const char*>(sent[i].data()), static_cast<qsizetype>(sent[i].size()));
  }
  return out;
}

MidiTimings ShortPause() {
  MidiTimings timings;
  timings.programChangePause = std::chrono::milliseconds(5);
  return timings;
}

// Waits out each pause like the window's event loop, notes how many messages
// had been sent when it began, and plays the user's action queued for it.
class PausePump final : public IEventPump {
 public:
  explicit PausePump(const FakeMidiSystem& midi) : midi_(midi) {}
  QList<int> pausesAfter;
  std::function<void()> duringPause;

  void ProcessPending() override {}
  void WaitForWork(Clock::time_point deadline) override {
    const int sent = static_cast<int>(midi_.Sent().size());
    if (pausesAfter.isEmpty() || pausesAfter.back() != sent) pausesAfter << sent;
    if (auto action = std::exchange(duringPause, nullptr)) action();
    idle_.WaitForWork(deadline);
  }
  void Wake() override { idle_.Wake(); }

 private:
  const FakeMidiSystem& midi_;
  ConditionPump idle_;
};

// Texts of one set-up's boxes; missing controllers stay "0".
struct SetupTexts {
  QString program;
  QStringList controllers;
  QStringList values;
};

class Rig {
 public:
  FakeMidiSystem midi;
  MemorySettings settings;
  PausePump pump{midi};
  ScriptedDialogs dialogs;
  ErrorLogCapture log;
  int device = 0;
  std::unique_ptr<dlgController> dlg;

  dlgController& Open() {
    dlg = std::make_unique<dlgController>(midi, [this] { return device; }, settings, pump);
    dlg->SetTimings(ShortPause());
    return *dlg;
  }
  template <class T>
  T& Control(const QString& name) {
    auto* control = dlg->findChild<T*>(name);
    if (!control) qFatal("no control %s", qPrintable(name));
    return *control;
  }
  QLineEdit& Box(const QString& name) { return Control<QLineEdit>(name); }
  QLineEdit& Box(const QString& array, int i) { return Box(QString("%1(%2)").arg(array).arg(i)); }
  QString Label(const char* name) { return Control<QLabel>(name).text(); }

  void Type(int i, const SetupTexts& texts) {
    Box("txtPC1", i).setText(texts.program);
    for (int k = 0; k < kSetupControllers; ++k) {
      Box(QString("txtCC%1").arg(k + 1), i).setText(texts.controllers.value(k, "0"));
      Box(QString("txtCCV%1").arg(k + 1), i).setText(texts.values.value(k, "0"));
    }
  }
  void Press(int i) { QTest::mouseClick(&Control<QPushButton>(QString("cmdPS(%1)").arg(i)), Qt::LeftButton); }
  Messages Sent(std::size_t from = 0) const { return ToMessages(midi.Sent(), from); }
};

}  // namespace

class ControllerTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void SendsTheSetUpsBytes_data() {
    QTest::addColumn<int>("setup");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("controllers");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<Messages>("expected");
    QTest::addColumn<QList<int>>("pausesAfter");
    QTest::addColumn<int>("refusals");

    QTest::newRow("program, then controller") << 2 << 0 << "5" << QStringList{"7", "0"} << QStringList{"100"}
                                              << Messages{B({0xC0, 4}), B({0xB0, 7, 100})} << QList<int>{1} << 0;
    QTest::newRow("empty program box: no pause") << 0 << 0 << "" << QStringList{"7"} << QStringList{"100"}
                                                 << Messages{B({0xB0, 7, 100})} << QList<int>{} << 0;
    QTest::newRow("program 0: no pause") << 1 << 0 << "0" << QStringList{"7"} << QStringList{"100"}
                                         << Messages{B({0xB0, 7, 100})} << QList<int>{} << 0;
    QTest::newRow("channel 16, unused controllers skipped")
        << 4 << 15 << "1" << QStringList{"1", "0", "3", "", "5"} << QStringList{"10", "20", "30", "40", "50"}
        << Messages{B({0xCF, 0}), B({0xBF, 1, 10}), B({0xBF, 3, 30}), B({0xBF, 5, 50})} << QList<int>{1} << 0;
    QTest::newRow("controller 1 unused, 2 and 3 sent")
        << 3 << 1 << "" << QStringList{"0", "2", "3"} << QStringList{"9", "8", "7"}
        << Messages{B({0xB1, 2, 8}), B({0xB1, 3, 7})} << QList<int>{} << 0;
    QTest::newRow("program above 127 refused, two controllers") << 0 << 0 << "128" << QStringList{"7", "10"} << QStringList{"1", "2"}
                                     << Messages{B({0xB0, 7, 1}), B({0xB0, 10, 2})} << QList<int>{} << 1;
    QTest::newRow("controller above 127 counts as unused")
        << 0 << 0 << "" << QStringList{"7", "200"} << QStringList{"1", "2"} << Messages{B({0xB0, 7, 1})}
        << QList<int>{} << 1;
  }
  void SendsTheSetUpsBytes() {
    QFETCH(int, setup);
    QFETCH(int, channel);
    QFETCH(QString, program);
    QFETCH(QStringList, controllers);
    QFETCH(QStringList, values);
    Rig rig;
    rig.Open();
    SelectListIndex(rig.Control<QComboBox>("cmbChannel"), channel);
    rig.Type(setup, {program, controllers, values});

    rig.Press(setup);

    QTEST(rig.Sent(), "expected");
    QTEST(rig.pump.pausesAfter, "pausesAfter");
    QCOMPARE(rig.Label("lblDisplay"), QString("0%1").arg(setup + 1));
    QTEST(static_cast<int>(rig.dialogs.Texts().size()), "refusals");
    for (const std::string& text : rig.dialogs.Texts()) QCOMPARE(text, std::string("Value must be 0 to 127"));
    QVERIFY(rig.log.Lines().isEmpty());
  }

  void TogglesControllerTwo_data() {
    QTest::addColumn<QList<int>>("presses");
    QTest::addColumn<Messages>("expected");
    QTest::newRow("alternates, controller 3 never sent")
        << QList<int>{0, 0, 0} << Messages{B({0xB0, 11, 0}), B({0xB0, 11, 127}), B({0xB0, 11, 0})};
    QTest::newRow("shared by the set-ups") << QList<int>{0, 1} << Messages{B({0xB0, 11, 0}), B({0xB0, 20, 6})};
    QTest::newRow("a plain set-up clears it")
        << QList<int>{0, 2, 1} << Messages{B({0xB0, 11, 0}), B({0xB0, 7, 1}), B({0xB0, 10, 2}), B({0xB0, 20, 5})};
  }
  void TogglesControllerTwo() {
    QFETCH(QList<int>, presses);
    Rig rig;
    rig.Open();
    rig.Type(0, {"", {"11", "11", "12"}, {"0", "127", "5"}});
    rig.Type(1, {"", {"20", "20"}, {"5", "6"}});
    rig.Type(2, {"", {"7", "10"}, {"1", "2"}});
    for (int i : presses) rig.Press(i);
    QTEST(rig.Sent(), "expected");
  }

  void IgnoresPressesAndDefersClosingDuringThePause() {
    Rig rig;
    rig.Open().show();
    rig.Type(0, {"1", {"7"}, {"1"}});
    rig.Type(1, {"2", {"8"}, {"2"}});
    rig.pump.duringPause = [&] {
      rig.Press(1);
      QTest::mouseClick(&rig.Control<QPushButton>("cmdClose"), Qt::LeftButton);
      QVERIFY(rig.dlg->isVisible());
    };

    rig.Press(0);

    QCOMPARE(rig.Sent(), (Messages{B({0xC0, 0}), B({0xB0, 7, 1})}));
    QCOMPARE(rig.Label("lblDisplay"), QString("01"));
    QVERIFY(!rig.dlg->isVisible());
    QCOMPARE(rig.settings.Get("MIDIController\\preset2", "PC", "missing"), std::string("2"));
  }

  void LogsTheFirstFailureOnly_data() {
    QTest::addColumn<bool>("refuseOpen");
    QTest::addColumn<int>("device");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("controllers");
    QTest::addColumn<QString>("logged");
    const QStringList all{"7", "8", "9", "10", "11"};
    const char* port = "32001\tError opening port\tdlgController.sendValues()\t";
    QTest::newRow("port refused") << true << 0 << "1" << all << port;
    QTest::newRow("no output device chosen") << false << -1 << "1" << all << port;
    QTest::newRow("program change") << false << 0 << "1" << all << "30000\tError sending Program Change\tSendValues\t";
    QTest::newRow("controller 1") << false << 0 << "" << all << "30001\tError sending Controller 1 change\tSendValues\t";
    QTest::newRow("controller 2") << false << 0 << "" << QStringList{"0", "8", "9"}
                                  << "30002\tError sending Controller 2B change\tSendValues\t";
    QTest::newRow("controller 4") << false << 0 << "" << QStringList{"0", "0", "0", "10", "11"}
                                  << "30004\tError sending Controller 4 change\tSendValues\t";
  }
  void LogsTheFirstFailureOnly() {
    QFETCH(bool, refuseOpen);
    QFETCH(int, device);
    QFETCH(QString, program);
    QFETCH(QStringList, controllers);
    QFETCH(QString, logged);
    Rig rig;
    rig.Open();
    rig.midi.refuseOutputOpen = refuseOpen;
    rig.midi.refuseSend = !refuseOpen;
    rig.device = device;
    rig.Type(0, {program, controllers, {"1", "2", "3", "4", "5"}});

    rig.Press(0);

    const QStringList lines = rig.log.Lines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].startsWith(logged), qPrintable(lines[0]));
    QVERIFY(rig.Sent().isEmpty());
    QVERIFY(rig.pump.pausesAfter.isEmpty());
    QVERIFY(rig.dialogs.Texts().empty());
    QCOMPARE(rig.midi.OpenDevices(), 0);
  }

  void FailedToggleSendKeepsTheTurn() {
    Rig rig;
    rig.Open();
    rig.Type(0, {"", {"11", "11"}, {"1", "2"}});
    rig.Press(0);
    rig.midi.refuseSend = true;
    rig.Press(0);
    rig.midi.refuseSend = false;
    rig.Press(0);

    QCOMPARE(rig.Sent(), (Messages{B({0xB0, 11, 1}), B({0xB0, 11, 2})}));
    QCOMPARE(rig.log.Lines().size(), 1);
    QVERIFY(rig.log.Lines()[0].startsWith("30002\tError sending Controller 2A change\tSendValues\t"));
  }

  void PedalSendsFromTopToBottom_data() {
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("Max at the top") << "0" << "127" << 127 << 0;
    QTest::newRow("ends crossed") << "100" << "20" << 20 << 100;
  }
  void PedalSendsFromTopToBottom() {
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(int, top);
    QFETCH(int, bottom);
    Rig rig;
    rig.Open();
    SelectListIndex(rig.Control<QComboBox>("cmbChannel"), 2);
    rig.Box("txtCCxp").setText("11");
    rig.Box("txtMin").setText(min);
    rig.Box("txtMax").setText(max);
    auto& pedal = rig.Control<ExpressionPedal>("xpressionPedal");
    pedal.triggerAction(QAbstractSlider::SliderToMaximum);
    const std::size_t before = rig.midi.Sent().size();
    QStringList shown;
    rig.midi.responder = [&](const Bytes&) { shown << rig.Label("lblXpression"); };

    pedal.triggerAction(QAbstractSlider::SliderToMinimum);
    while (pedal.sliderPosition() < pedal.maximum()) pedal.triggerAction(QAbstractSlider::SliderSingleStepAdd);

    Messages expected;
    QStringList expectedShown;
    for (int v = top; v != bottom + (bottom > top ? 1 : -1); v += bottom > top ? 1 : -1) {
      expected << B({0xB2, 11, v});
      expectedShown << QString::number(v);
    }
    QCOMPARE(rig.Sent(before), expected);
    QCOMPARE(shown, expectedShown);
  }

  void MissingKeysLoadTheirDefaultsAndSaveUnderTheStoredKeys() {
    Rig rig;
    rig.settings.Set("MIDIController\\preset3\\CC2", "value", "77");
    rig.Open();
    QCOMPARE(rig.Control<QComboBox>("cmbChannel").currentIndex(), 0);
    for (int i = 0; i < dlgController::kSetups; ++i) {
      QCOMPARE(rig.Box("txtPC1", i).text(), QString("0"));
      for (int k = 1; k <= kSetupControllers; ++k) {
        QCOMPARE(rig.Box(QString("txtCC%1").arg(k), i).text(), QString("0"));
        QCOMPARE(rig.Box(QString("txtCCV%1").arg(k), i).text(), QString(i == 2 && k == 2 ? "77" : "0"));
      }
    }
    QCOMPARE(rig.Box("txtCCxp").text(), QString("0"));
    QCOMPARE(rig.Box("txtMin").text(), QString("0"));
    QCOMPARE(rig.Box("txtMax").text(), QString("127"));

    // Saved under the stored keys.
    SelectListIndex(rig.Control<QComboBox>("cmbChannel"), 3);
    rig.Type(1, {"12", {"0", "0", "7"}, {"", "", "99x"}});
    rig.Box("txtCCxp").setText("007");
    rig.Box("txtMin").setText("abc");
    rig.Box("txtMax").setText("100");

    QTest::mouseClick(&rig.Control<QPushButton>("cmdSave"), Qt::LeftButton);

    const auto stored = [&](const char* section, const char* key) { return rig.settings.Get(section, key, "missing"); };
    QCOMPARE(stored("MIDIController", "Channel"), std::string("3"));
    QCOMPARE(stored("MIDIController\\preset2", "PC"), std::string("12"));
    QCOMPARE(stored("MIDIController\\preset2\\CC3", "CC"), std::string("7"));
    QCOMPARE(stored("MIDIController\\preset2\\CC3", "Value"), std::string("99x"));
    QCOMPARE(stored("MIDIController\\preset5\\CC5", "value"), std::string("0"));
    QCOMPARE(stored("MIDIController\\xpression", "CC"), std::string("7"));
    QCOMPARE(stored("MIDIController\\xpression", "Min"), std::string("0"));
    QCOMPARE(stored("MIDIController\\xpression", "Max"), std::string("100"));
  }

  void BadStoredChannelEndsLoading_data() {
    QTest::addColumn<QString>("channel");
    QTest::addColumn<QString>("logged");
    QTest::newRow("past channel 16") << "16" << "380\tInvalid property value 16\tdlgController.cmbChannel\t";
    QTest::newRow("no number") << "two" << "13\tType mismatch\tdlgController.LoadSettings\t";
  }
  void BadStoredChannelEndsLoading() {
    QFETCH(QString, channel);
    QFETCH(QString, logged);
    Rig rig;
    rig.settings.Set("MIDIController", "Channel", channel.toStdString());
    rig.settings.Set("MIDIController\\preset1", "PC", "9");
    rig.Open();
    QCOMPARE(rig.log.Lines().size(), 1);
    QVERIFY2(rig.log.Lines()[0].startsWith(logged), qPrintable(rig.log.Lines()[0]));
    QCOMPARE(rig.Box("txtPC1", 0).text(), QString());
    QCOMPARE(rig.Box("txtMax").text(), QString("127"));
  }

  // A program box takes digits only, a controller box any text; a click selects the whole text.
  void BoxesTakeKeysAndClicks() {
    Rig rig;
    rig.Open().show();
    QVERIFY(QTest::qWaitForWindowActive(rig.dlg.get()));
    QLineEdit& pc = rig.Box("txtPC1", 0);
    pc.clear();
    QTest::keyClicks(&pc, "1a2-");
    QTest::keyClick(&pc, Qt::Key_Backspace);
    QCOMPARE(pc.text(), QString("12"));
    QLineEdit& cc = rig.Box("txtCC1", 0);
    cc.clear();
    QTest::keyClicks(&cc, "1a");
    QCOMPARE(cc.text(), QString("1a"));
    QLineEdit& value = rig.Box("txtCCV3", 4);
    value.setText("100");
    QTest::mouseClick(&value, Qt::LeftButton, {}, QPoint(4, value.height() / 2));
    QTRY_COMPARE(value.selectedText(), QString("100"));
  }

  void OpensOneDialogThatSavesAndGoesWhenClosed() {
    Rig rig;
    QWidget frame;
    const auto show = [&]() -> dlgController& {
      return ShowController(rig.midi, [] { return 0; }, rig.settings, rig.pump, frame);
    };
    dlgController& first = show();
    first.findChild<QLineEdit*>("txtPC1(0)")->setText("42");
    QCOMPARE(&show(), &first);
    first.close();
    QTRY_VERIFY(!frame.findChild<dlgController*>());
    QCOMPARE(rig.settings.Get("MIDIController\\preset1", "PC", "missing"), std::string("42"));
  }

  void SimulatedDeviceReceivesTheSetUp() {
    ScriptedDialogs dialogs;
    ErrorLogCapture log;
    SimulatorMidiSystem simulator;
    ConditionPump pump;
    MemorySettings settings;
    dlgController dlg(simulator, [] { return 0; }, settings, pump);
    dlg.SetTimings(ShortPause());
    dlg.findChild<QLineEdit*>("txtPC1(2)")->setText("5");
    dlg.findChild<QLineEdit*>("txtCC1(2)")->setText("7");
    dlg.findChild<QLineEdit*>("txtCCV1(2)")->setText("100");

    dlg.sendValues(2);

    const auto received = [&] { return ToMessages(simulator.WithDevice([](SimulatedGMajor& d) { return d.ChannelMessages(); })); };
    QTRY_COMPARE(received(), (Messages{B({0xC0, 4}), B({0xB0, 7, 100})}));
    QVERIFY(log.Lines().isEmpty());
  }
};

QTEST_MAIN(ControllerTest)
#include "ControllerTest.moc"
