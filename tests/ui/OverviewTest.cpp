// The overview: each card's lamp, type and main values as the block's editor
// would caption and write them, for the types that change the values shown;
// the cards in signal order; clicks asking for the block's window or menu.
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include "PresetBuilder.h"
#include "frmOverview.h"

namespace {

struct Setting {
  int offset;
  int value;
};

}  // namespace

Q_DECLARE_METATYPE(QList<Setting>)

class OverviewTest : public QObject {
  Q_OBJECT

 private:
  static QString Text(const frmOverview& overview, const QString& name) {
    auto* label = overview.findChild<QLabel*>(name);
    return label && !label->isHidden() ? label->text() : QStringLiteral("(none)");
  }
  static bool Shown(const frmOverview& overview, const QString& name) {
    auto* widget = overview.findChild<QWidget*>(name);
    return widget && !widget->isHidden();
  }

 private Q_SLOTS:
  void CardsShowWhatTheEditorsShow_data() {
    QTest::addColumn<QList<Setting>>("settings");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::newRow("delay type") << QList<Setting>{{421, 2}} << "cardDelayType" << "Dual";
    QTest::newRow("dual delay captions its first time") << QList<Setting>{{421, 2}, {425, 350}} << "cardDelayValue1"
                                                        << "Time 1: 350 ms";
    QTest::newRow("ping pong time") << QList<Setting>{{425, 350}} << "cardDelayValue1" << "Time: 350 ms";
    QTest::newRow("feedback by position") << QList<Setting>{{441, 40}} << "cardDelayValue2" << "Feedback: 40 %";
    QTest::newRow("threshold by item data") << QList<Setting>{{165, -20}} << "cardCompressorValue1"
                                            << "Threshold: -20 db";
    QTest::newRow("ratio") << QList<Setting>{{169, 8}} << "cardCompressorValue2" << "Ratio: 3.2:1";
    QTest::newRow("decimal decay") << QList<Setting>{{489, 25}} << "cardReverbValue1" << "Decay: 2.5 sec";
    QTest::newRow("a value no item holds") << QList<Setting>{{561, 0}} << "cardNoiseGateValue3" << "Release: \u2014";
    QTest::newRow("shifter voices") << QList<Setting>{{293, 3}, {297, 1200}} << "cardPitchValue1" << "Voice 1: 1200";
    QTest::newRow("detune has no voice 1") << QList<Setting>{{293, 0}, {297, 12}} << "cardPitchValue1"
                                           << "Voice L: 12";
    QTest::newRow("whammy range") << QList<Setting>{{293, 1}, {329, 40}} << "cardPitchValue1" << "Range: 40 %";
    QTest::newRow("fourth value of four") << QList<Setting>{{533, 30}} << "cardReverbValue3" << "Mix: 30 %";
    QTest::newRow("tap tempo") << QList<Setting>{{161, 500}} << "cardTapValue1" << "Tap Tempo: 500";
  }
  void CardsShowWhatTheEditorsShow() {
    QFETCH(QList<Setting>, settings);
    QFETCH(QString, label);
    PresetBuilder builder;
    for (const Setting& s : settings) builder.Value(s.offset, s.value);
    frmOverview overview;
    overview.Show(builder.Build().Image());
    QTEST(Text(overview, label), "text");
  }

  void LampsAndRoutingPicture_data() {
    QTest::addColumn<int>("delayOff");
    QTest::addColumn<int>("routing");
    QTest::newRow("delay on, serial") << 0 << 0;
    QTest::newRow("delay off, parallel") << 1 << 2;
  }
  void LampsAndRoutingPicture() {
    QFETCH(int, delayOff);
    QFETCH(int, routing);
    CPreset preset = PresetBuilder().Value(481, delayOff).Build();
    preset.SetRouting(routing);
    frmOverview overview;
    overview.Show(preset.Image());
    QCOMPARE(Shown(overview, "cardDelayLampOn"), delayOff == 0);
    QCOMPARE(Shown(overview, "cardDelayLampOff"), delayOff == 1);
    for (int i = 0; i < 3; ++i) QCOMPARE(Shown(overview, QString("cardRoutingPicture%1").arg(i)), i == routing);
  }

  void CardsStandInSignalOrder() {
    frmOverview overview;
    QStringList names;
    for (const OverviewCard* card : overview.Cards()) names << card->objectName();
    QCOMPARE(names, QStringList({"cardNoiseGate", "cardLevels", "cardCompressor", "cardFilterMod", "cardPitch",
                                 "cardChorus", "cardDelay", "cardReverb", "cardRouting", "cardTap"}));
  }

  void ClicksAskForTheBlock_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("menus");
    QTest::newRow("left: the window") << int(Qt::LeftButton) << 1 << 0;
    QTest::newRow("right: the menu") << int(Qt::RightButton) << 0 << 1;
    QTest::newRow("middle: nothing") << int(Qt::MiddleButton) << 0 << 0;
  }
  void ClicksAskForTheBlock() {
    QFETCH(int, button);
    frmOverview overview;
    overview.show();
    QSignalSpy chosen(&overview, &frmOverview::blockChosen);
    QSignalSpy menus(&overview, &frmOverview::blockMenuAsked);
    OverviewCard& card = *overview.findChild<OverviewCard*>("cardReverb");
    QTest::mouseClick(&card, static_cast<Qt::MouseButton>(button), {}, QPoint(5, 5));
    QTEST(int(chosen.count()), "chosen");
    QTEST(int(menus.count()), "menus");
    if (!chosen.isEmpty()) QCOMPARE(chosen.first().first().value<BlockNumber>(), BlockNumber::Reverb);
    if (!menus.isEmpty()) QCOMPARE(menus.first().first().value<BlockNumber>(), BlockNumber::Reverb);
  }
};

QTEST_MAIN(OverviewTest)
#include "OverviewTest.moc"
