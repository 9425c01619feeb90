// The editors' curves: each sits in its editor, redraws when a list it reads
// shows another item (a dial's preview too), and never clicks a list itself.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QtTest>
#include <memory>

#include "RecordingHost.h"
#include "frmCompressor.h"
#include "frmDelay.h"
#include "frmNoiseGateEQ.h"

namespace {

enum Editor { kGate, kCompressor, kDelay };

std::unique_ptr<BlockEditor> Make(int editor) {
  switch (editor) {
    case kGate: return std::make_unique<frmNoiseGateEQ>();
    case kCompressor: return std::make_unique<frmCompressor>();
    default: return std::make_unique<frmDelay>();
  }
}

}  // namespace

class CurvePicturesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void CurvesFollowTheirLists_data() {
    QTest::addColumn<int>("editor");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("changes");
    QTest::newRow("EQ gain") << int(kGate) << "pictEQCurve" << "cmbEQGain2" << 20 << true;
    QTest::newRow("EQ frequency") << int(kGate) << "pictEQCurve" << "cmbEQFreq3" << 150 << true;
    QTest::newRow("gate threshold is no EQ") << int(kGate) << "pictEQCurve" << "cmbNGThreshold" << 10 << false;
    QTest::newRow("compressor ratio") << int(kCompressor) << "pictCompCurve" << "cmbRatio" << 9 << true;
    QTest::newRow("compressor gain") << int(kCompressor) << "pictCompCurve" << "cmbGain" << 12 << true;
    QTest::newRow("compressor attack is no level") << int(kCompressor) << "pictCompCurve" << "cmbAttack" << 5 << false;
    QTest::newRow("delay time") << int(kDelay) << "pictDelayTaps" << "cmbDelayTime1" << 900 << true;
    QTest::newRow("delay feedback") << int(kDelay) << "pictDelayTaps" << "cmbDelayFB1" << 80 << true;
    QTest::newRow("second time unused by ping pong") << int(kDelay) << "pictDelayTaps" << "cmbDelayTime2" << 700
                                                     << false;
  }
  void CurvesFollowTheirLists() {
    QFETCH(int, editor);
    QFETCH(QString, picture);
    QFETCH(QString, list);
    QFETCH(int, index);
    RecordingHost host;
    std::unique_ptr<BlockEditor> frm = Make(editor);
    frm->Setup(host);
    frm->resize(900, 500);
    frm->show();
    QVERIFY(frm->Scatter(nullptr, true, true));
    // The EQ drawn as switched on, and a delay with repeats to show.
    if (editor == kGate) frm->findChild<QCheckBox*>("chkEqOnOff")->setChecked(true);
    if (editor == kDelay) frm->findChild<QComboBox*>("cmbDelayTime1")->setCurrentIndex(300);
    auto* curve = frm->findChild<QWidget*>(picture);
    QVERIFY(curve);
    QVERIFY(curve->isVisibleTo(frm.get()));
    QCOMPARE(curve->focusPolicy(), Qt::NoFocus);
    auto* box = frm->findChild<QComboBox*>(list);
    box->setCurrentIndex(10);  // away from the neutral value, so that every row can change it
    const QImage before = curve->grab().toImage();
    host.Clear();
    box->setCurrentIndex(index);  // as a dial's preview: shown, not clicked
    QTEST(curve->grab().toImage() != before, "changes");
    QCOMPARE(host.Calls(), QStringList());
  }
};

QTEST_MAIN(CurvePicturesTest)
#include "CurvePicturesTest.moc"
