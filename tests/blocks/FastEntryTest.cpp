// Fast entry on the editors' value lists: typed values, keys, the wheel and
// the dial each reach the right item, and every settled value runs the list's
// click handling exactly once (none when the value stays).
#include <QtTest>
#include <optional>

#include "EditorProbe.h"
#include "FastEntry.h"
#include "ListNumbers.h"
#include "ValueDial.h"

namespace {

const QString kClick = "SetFormDirty(1)";

}  // namespace

class FastEntryTest : public QObject {
  Q_OBJECT

 private:
  std::optional<EditorProbe> p;

  int Clicks() const { return p->host.Count(kClick); }
  // The editor showing its neutral values, as after File > New.
  QComboBox& Open(const QString& editor, const QString& list) {
    p.emplace(editor);
    p->Show(nullptr);
    p->host.Clear();
    p->List(list).setFocus();
    return p->List(list);
  }
  ValueDial& DialOf(const QComboBox& list) const {
    const QString name = QString(list.objectName()).replace(0, 3, "dial");
    auto* dial = p->Editor().findChild<ValueDial*>(name);
    if (!dial) qFatal("no dial %s", qPrintable(name));
    return *dial;
  }
  static void Mouse(QWidget& target, QEvent::Type type, int y, Qt::MouseButtons held, Qt::KeyboardModifiers mods) {
    const QPointF at(target.width() / 2.0, y);
    QMouseEvent event(type, at, target.mapToGlobal(at), Qt::LeftButton, held, mods);
    QApplication::sendEvent(&target, &event);
  }
  static void Wheel(QComboBox& list, int delta, Qt::KeyboardModifiers mods) {
    const QPointF at(5, 5);
    QWheelEvent event(at, list.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&list, &event);
  }

 private Q_SLOTS:
  void cleanup() { p.reset(); }

  void TextsReadAsNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("number");
    QTest::newRow("whole with unit") << "350 ms" << true << 350.0;
    QTest::newRow("negative") << "-12 dB" << true << -12.0;
    QTest::newRow("thousands") << "1.5k" << true << 1500.0;
    QTest::newRow("kilohertz") << "1.00 kHz" << true << 1000.0;
    QTest::newRow("seconds in milliseconds") << "2.0 s" << true << 2000.0;
    QTest::newRow("leading point") << ".050 Hz" << true << 0.05;
    QTest::newRow("decimal comma") << "2,5 sec" << true << 2500.0;
    QTest::newRow("per second") << "20 dB/s" << true << 20.0;
    QTest::newRow("ratio") << "1.5:1" << true << 1.5;
    QTest::newRow("trailing blank, no unit") << "-25 " << true << -25.0;
    QTest::newRow("off") << "Off" << false << 0.0;
    QTest::newRow("tempo subdivision") << "1/8T" << false << 0.0;
    QTest::newRow("infinite ratio") << "inf:1" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
  }
  void TextsReadAsNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, number);
    const auto read = TextNumber(text);
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber) QVERIFY(qFuzzyCompare(*read, number));
  }

  void TypedValueSelectsTheNearestItem_data() {
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("clicks");
    QTest::newRow("plain number") << "frmDelay" << "cmbDelayTime1" << "350" << "350 ms" << 1;
    QTest::newRow("number and unit") << "frmDelay" << "cmbDelayTime1" << "350 ms" << "350 ms" << 1;
    QTest::newRow("beyond the end") << "frmDelay" << "cmbDelayTime1" << "2 s" << "1800 ms" << 1;
    QTest::newRow("negative level") << "frmDelay" << "cmbDelayOut" << "-12" << "-12 dB" << 1;
    QTest::newRow("the value shown") << "frmDelay" << "cmbDelayOut" << "0" << "0 dB" << 0;
    QTest::newRow("kilohertz") << "frmNoiseGateEQ" << "cmbEQFreq1" << "1.5k" << "1.50 k" << 1;
    QTest::newRow("Off is no frequency") << "frmDelay" << "cmbDelayFBLoCut" << "60" << "63.10 Hz" << 1;
    QTest::newRow("time table in seconds") << "frmCompressor" << "cmbRelease" << "1.3s" << "1.4 s" << 1;
    QTest::newRow("decimal seconds") << "frmReverb" << "cmbRevDecay" << "2.5" << "2.5 sec" << 1;
    QTest::newRow("bare seconds") << "frmCompressor" << "cmbRelease" << "2" << "2.0 s" << 1;
    QTest::newRow("bare hertz") << "frmNoiseGateEQ" << "cmbEQFreq1" << "1500" << "1.50 k" << 1;
    QTest::newRow("ratio") << "frmCompressor" << "cmbRatio" << "3" << "3.2:1" << 1;
    QTest::newRow("no number") << "frmCompressor" << "cmbRatio" << "-" << "Off" << 0;
  }
  void TypedValueSelectsTheNearestItem() {
    QFETCH(QString, editor);
    QFETCH(QString, list);
    QFETCH(QString, typed);
    QComboBox& box = Open(editor, list);
    QTest::keyClicks(&box, typed);
    QCOMPARE(Clicks(), 0);  // nothing before Enter
    QTest::keyClick(&box, Qt::Key_Return);
    QTEST(box.currentText(), "shown");
    QTEST(Clicks(), "clicks");
  }

  void EscapeAndBackspaceEditWhatWasTyped() {
    QComboBox& box = Open("frmDelay", "cmbDelayTime1");
    QTest::keyClicks(&box, "350");
    QTest::keyClick(&box, Qt::Key_Escape);
    QCOMPARE(box.currentText(), QString("0 ms"));
    QTest::keyClicks(&box, "4005");
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClick(&box, Qt::Key_Enter);
    QCOMPARE(box.currentText(), QString("400 ms"));
    QCOMPARE(box.currentData().toInt(), 400);
    QCOMPARE(Clicks(), 1);
  }

  void KeysMoveByItemsAndPages_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Down") << 50 << int(Qt::Key_Down) << 51 << 1;
    QTest::newRow("Up") << 50 << int(Qt::Key_Up) << 49 << 1;
    QTest::newRow("PgDn") << 50 << int(Qt::Key_PageDown) << 60 << 1;
    QTest::newRow("PgUp") << 50 << int(Qt::Key_PageUp) << 40 << 1;
    QTest::newRow("PgUp stops at the first") << 4 << int(Qt::Key_PageUp) << 0 << 1;
    QTest::newRow("PgDn stops at the last") << 95 << int(Qt::Key_PageDown) << 100 << 1;
    QTest::newRow("Home") << 50 << int(Qt::Key_Home) << 0 << 1;
    QTest::newRow("End") << 50 << int(Qt::Key_End) << 100 << 1;
    QTest::newRow("Up at the first") << 0 << int(Qt::Key_Up) << 0 << 0;
  }
  void KeysMoveByItemsAndPages() {
    QFETCH(int, start);
    QFETCH(int, key);
    QComboBox& box = Open("frmDelay", "cmbDelayMix");  // 0 .. 100 %
    box.setCurrentIndex(start);
    QTest::keyClick(&box, static_cast<Qt::Key>(key));
    QTEST(box.currentData().toInt(), "expected");
    QTEST(Clicks(), "clicks");
  }

  void WheelMovesANotchAnItem_data() {
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("clicks");
    QTest::newRow("towards the user") << QList<int>{-120} << false << 51 << 1;
    QTest::newRow("away") << QList<int>{120} << false << 49 << 1;
    QTest::newRow("two notches at once") << QList<int>{-240} << false << 52 << 1;
    QTest::newRow("Ctrl: ten") << QList<int>{-120} << true << 60 << 1;
    QTest::newRow("half a notch") << QList<int>{-60} << false << 50 << 0;
    QTest::newRow("halves add up") << QList<int>{-60, -60} << false << 51 << 1;
    QTest::newRow("there and back") << QList<int>{-120, 120} << false << 50 << 2;
  }
  void WheelMovesANotchAnItem() {
    QFETCH(QList<int>, deltas);
    QFETCH(bool, ctrl);
    QComboBox& box = Open("frmDelay", "cmbDelayMix");
    box.setCurrentIndex(50);
    for (int delta : deltas) Wheel(box, delta, ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QTEST(box.currentData().toInt(), "expected");
    QTEST(Clicks(), "clicks");
  }

  void DialDragsCoarseOrFine_data() {
    QTest::addColumn<int>("rise");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("clicks");
    // cmbDelayTime1: 1801 items, the whole list in 200 pixels.
    QTest::newRow("coarse up") << 20 << false << 180 << 1;
    QTest::newRow("coarse beyond the end") << 400 << false << 1800 << 1;
    QTest::newRow("fine up") << 20 << true << 5 << 1;
    QTest::newRow("down from the first") << -20 << false << 0 << 0;
    QTest::newRow("a tremble") << 2 << true << 0 << 0;
  }
  void DialDragsCoarseOrFine() {
    QFETCH(int, rise);
    QFETCH(bool, shift);
    QComboBox& box = Open("frmDelay", "cmbDelayTime1");
    ValueDial& dial = DialOf(box);
    const Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
    Mouse(dial, QEvent::MouseButtonPress, 500, Qt::LeftButton, mods);
    Mouse(dial, QEvent::MouseMove, 500 - rise / 2, Qt::LeftButton, mods);
    Mouse(dial, QEvent::MouseMove, 500 - rise, Qt::LeftButton, mods);
    QCOMPARE(Clicks(), 0);  // shown while dragging, not yet settled
    Mouse(dial, QEvent::MouseButtonRelease, 500 - rise, Qt::NoButton, mods);
    QTEST(box.currentData().toInt(), "expected");
    QTEST(Clicks(), "clicks");
  }

  void DialDoubleClickReturnsToTheLoadedValue() {
    QComboBox& box = Open("frmDelay", "cmbDelayOut");  // loaded at 0 dB
    ValueDial& dial = DialOf(box);
    QTest::keyClick(&box, Qt::Key_PageUp);
    QCOMPARE(box.currentText(), QString("-10 dB"));
    p->host.Clear();
    Mouse(dial, QEvent::MouseButtonPress, 5, Qt::LeftButton, Qt::NoModifier);
    Mouse(dial, QEvent::MouseButtonRelease, 5, Qt::NoButton, Qt::NoModifier);
    Mouse(dial, QEvent::MouseButtonDblClick, 5, Qt::LeftButton, Qt::NoModifier);
    Mouse(dial, QEvent::MouseButtonRelease, 5, Qt::NoButton, Qt::NoModifier);
    QCOMPARE(box.currentText(), QString("0 dB"));
    QCOMPARE(Clicks(), 1);
  }

  // Keyboard alone: Tab walks down each column before the next, past what
  // the type disables; every list is named by its caption for screen readers.
  void TabWalksTheGridByColumns() {
    QComboBox& type = Open("frmDelay", "cmbDelayType");  // Ping Pong
    QVERIFY(QTest::qWaitForWindowActive(&p->Editor()));
    p->Editor().FocusFirstControl();
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("chkDelayOnOff"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &type);
    QStringList walked;
    for (int i = 0; i < 7; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, QStringList({"cmbDelayTime1", "cmbDelayTempo1", "cmbDelayWidth", "cmbDelayFB1",
                                  "cmbDelayFBHiCut", "cmbDelayFBLoCut", "cmbDelayMix"}));
    QCOMPARE(p->List("cmbDelayFBHiCut").accessibleName(), QString("FB Hi Cut"));
    QCOMPARE(Clicks(), 0);
  }

  void DialsBelongToNumericListsAndFollowThem_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("hasDial");
    QTest::newRow("times") << "cmbDelayTime1" << true;
    QTest::newRow("frequencies with Off") << "cmbDelayFBHiCut" << true;
    QTest::newRow("tempo subdivisions") << "cmbDelayTempo1" << false;
    QTest::newRow("the type") << "cmbDelayType" << false;
  }
  void DialsBelongToNumericListsAndFollowThem() {
    QFETCH(QString, list);
    QFETCH(bool, hasDial);
    QComboBox& box = Open("frmDelay", list);
    const QString name = QString(list).replace(0, 3, "dial");
    auto* dial = p->Editor().findChild<ValueDial*>(name);
    QCOMPARE(dial != nullptr, hasDial);
    if (!dial) return;
    box.setEnabled(false);
    QVERIFY(!dial->isEnabled());
    box.hide();
    QVERIFY(dial->isHidden());
    box.show();
    QVERIFY(!dial->isHidden());
  }
};

QTEST_MAIN(FastEntryTest)
#include "FastEntryTest.moc"
