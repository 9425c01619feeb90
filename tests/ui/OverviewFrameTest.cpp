// The overview in the frame: shown while a preset is on screen and no block
// window is chosen, following every edit (and undo), its cards opening their block's
// window or menu, and Edit > "Overview" bringing it back.
#include <QLabel>
#include <QtTest>

#include "FrameFixture.h"
#include "MainMenu.h"
#include "frmOverview.h"

class OverviewFrameTest : public QObject {
  Q_OBJECT

 private:
  static bool Shows(FrameFixture& f, const char* name) {
    auto* widget = f.Frame().findChild<QWidget*>(name);
    return widget && widget->isVisibleTo(&f.Frame());
  }
  static QString CardText(FrameFixture& f, const char* name) { return f.Label(name).text(); }

 private Q_SLOTS:
  void FollowsEveryEdit_data() {
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("text");
    QTest::newRow("delay time") << "frmDelay" << "cmbDelayTime1" << 420 << "cardDelayValue1" << "Time: 420 ms";
    QTest::newRow("delay type") << "frmDelay" << "cmbDelayType" << 1 << "cardDelayType" << "Dynamic";
    QTest::newRow("reverb mix") << "frmReverb" << "cmbRevMix" << 35 << "cardReverbValue3" << "Mix: 35 %";
    QTest::newRow("routing") << "frmRouting" << "cmbRouting" << 2 << "cardRoutingValue1" << "Routing: Parallel";
  }
  void FollowsEveryEdit() {
    QFETCH(QString, editor);
    QFETCH(QString, list);
    QFETCH(int, index);
    QFETCH(QString, card);
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    const QString before = CardText(f, qPrintable(card));
    f.Choose(qPrintable(editor), qPrintable(list), index);
    QTEST(CardText(f, qPrintable(card)), "text");
    QTest::qWait(1);  // the edit becomes an undo step on the next turn of the event loop
    f.Trigger("mnuEditUndo");
    QCOMPARE(CardText(f, qPrintable(card)), before);
  }

  // Shown with a preset and no block window; a card opens its block's window
  // or, with the right button, its menu; the menu item brings the overview back.
  void ACardOpensItsBlockAndTheMenuItemBringsTheOverviewBack() {
    FrameFixture f;
    f.Trigger("mnuEditOverview");
    QVERIFY(Shows(f, "lblNoBlock"));
    QVERIFY(!Shows(f, "frmOverview"));
    f.Trigger("mnuPresetNew");
    QVERIFY(Shows(f, "frmOverview"));
    QVERIFY(!Shows(f, "lblNoBlock"));
    QTest::mouseClick(f.Frame().findChild<OverviewCard*>("cardDelay"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(Shows(f, "frmDelay"));
    QVERIFY(!Shows(f, "frmOverview"));
    QCOMPARE(f.Frame().CurrentBlock(), int(BlockNumber::Delay));
    f.Trigger("mnuEditOverview");
    QVERIFY(Shows(f, "frmOverview"));
    QVERIFY(!Shows(f, "frmDelay"));

    QTest::mouseClick(f.Frame().findChild<OverviewCard*>("cardCompressor"), Qt::RightButton, {}, QPoint(5, 5));
    BlockMenu& menu = f.Frame().RightButtonMenu();
    QTRY_VERIFY(menu.isVisible());
    QCOMPARE(menu.RightClickBlock(), BlockNumber::Compressor);
    menu.hide();
  }
};

QTEST_MAIN(OverviewFrameTest)
#include "OverviewFrameTest.moc"
