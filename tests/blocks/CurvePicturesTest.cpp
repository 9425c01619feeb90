// The editors' curves: each sits in its editor, redraws when a list it reads
// shows another item (a dial's preview too), and never clicks a list itself.
#include <QImage>
#include <QtTest>

#include "EditorProbe.h"

class CurvePicturesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void CurvesFollowTheirLists_data() {
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("changes");
    QTest::newRow("EQ gain") << "frmNoiseGateEQ" << "pictEQCurve" << "cmbEQGain2" << 20 << true;
    QTest::newRow("EQ frequency") << "frmNoiseGateEQ" << "pictEQCurve" << "cmbEQFreq3" << 150 << true;
    QTest::newRow("gate threshold is no EQ") << "frmNoiseGateEQ" << "pictEQCurve" << "cmbNGThreshold" << 10 << false;
    QTest::newRow("compressor ratio") << "frmCompressor" << "pictCompCurve" << "cmbRatio" << 9 << true;
    QTest::newRow("compressor gain") << "frmCompressor" << "pictCompCurve" << "cmbGain" << 12 << true;
    QTest::newRow("compressor attack is no level") << "frmCompressor" << "pictCompCurve" << "cmbAttack" << 5 << false;
    QTest::newRow("delay time") << "frmDelay" << "pictDelayTaps" << "cmbDelayTime1" << 900 << true;
    QTest::newRow("delay feedback") << "frmDelay" << "pictDelayTaps" << "cmbDelayFB1" << 80 << true;
    QTest::newRow("second time unused by ping pong") << "frmDelay" << "pictDelayTaps" << "cmbDelayTime2" << 700
                                                     << false;
  }
  void CurvesFollowTheirLists() {
    QFETCH(QString, editor);
    QFETCH(QString, picture);
    QFETCH(QString, list);
    QFETCH(int, index);
    EditorProbe p(editor);
    p.Editor().resize(900, 500);
    QVERIFY(p.Show(nullptr));
    // The EQ drawn as switched on, and a delay with repeats to show.
    if (editor == "frmNoiseGateEQ") p.Check("chkEqOnOff").setChecked(true);
    if (editor == "frmDelay") p.List("cmbDelayTime1").setCurrentIndex(300);
    auto* curve = p.Editor().findChild<QWidget*>(picture);
    QVERIFY(curve);
    QVERIFY(curve->isVisibleTo(&p.Editor()));
    QCOMPARE(curve->focusPolicy(), Qt::NoFocus);
    QComboBox& box = p.List(list);
    box.setCurrentIndex(10);  // away from the neutral value, so that every row can change it
    const QImage before = curve->grab().toImage();
    p.host.Clear();
    box.setCurrentIndex(index);  // as a dial's preview: shown, not clicked
    QTEST(curve->grab().toImage() != before, "changes");
    QCOMPARE(p.host.Calls(), QStringList());
  }
};

QTEST_MAIN(CurvePicturesTest)
#include "CurvePicturesTest.moc"
