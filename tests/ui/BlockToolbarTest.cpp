// The block toolbar and the block right-button menu: lamps, raised element,
// routing pictures, the tap light's interval (also driven by the routing and
// tap tempo editors), the mouse signals, which menu items each block offers
// in each state, and the block switch written into the preset.
#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <map>

#include "BlockMenu.h"
#include "BlockTable.h"
#include "BlockToolbar.h"
#include "CPreset.h"
#include "EditorProbe.h"
#include "PresetBuilder.h"
#include "SvgPicture.h"
#include "ToolbarTile.h"

namespace {

// Written out here rather than taken from the program's table, so a wrong
// table shows.
const std::map<int, int> kCopyOffsets = {{1, 549}, {3, 165}, {4, 229}, {5, 293}, {6, 357},
                                         {7, 421}, {8, 485}, {9, 157}, {11, 161}};
const std::map<int, int> kSwitchFields = {{1, 609}, {3, 225}, {4, 289}, {5, 353}, {6, 417}, {7, 481}, {8, 545}};
const std::map<int, const char*> kLamps = {{1, "btnNoiseGate"}, {3, "btnComp"},   {4, "btnFilt"},  {5, "btnPitch"},
                                           {6, "btnChorus"},    {7, "btnDelay"}, {8, "btnReverb"}};

BlockMenuContext Context(bool isOn, int copiedOffset) { return {true, isOn, copiedOffset}; }

}  // namespace

class BlockToolbarTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<BlockToolbar> toolbar;

  QWidget& Named(const QString& name) const {
    auto* widget = toolbar->findChild<QWidget*>(name);
    if (!widget) qFatal("no control %s", qPrintable(name));
    return *widget;
  }
  bool Shown(const QString& name) const { return !Named(name).isHidden(); }
  int ShownRouting() const {
    int shown = -1;
    for (int i = 0; i < 4; ++i) {
      if (Shown(QString("pictRouting%1").arg(i))) {
        if (shown >= 0) return -2;  // more than one
        shown = i;
      }
    }
    return shown;
  }
  void Tick() const { QMetaObject::invokeMethod(toolbar->findChild<QTimer*>("tmrTap"), "timeout"); }

 private Q_SLOTS:
  void init() {
    toolbar = std::make_unique<BlockToolbar>();
    toolbar->resize(1300, toolbar->sizeHint().height());
    toolbar->show();
    QVERIFY(QTest::qWaitForWindowExposed(toolbar.get()));
  }

  void EveryPictureIsFoundAndEveryLabelReadsAsOnTheDevice() {
    for (SvgPicture* picture : toolbar->findChildren<SvgPicture*>()) {
      QVERIFY2(picture->IsLoaded(), qPrintable(picture->objectName()));
    }
    const std::map<QString, QString> labels = {
        {"lblNoiseGate", "NOISE GATE"}, {"lblLevelRelay1", "LEVELS ALL"}, {"lblLevelRelay2", "RELAY 1+2"},
        {"lblComp", "COMP"},            {"lblFilt", "FILT/MOD"},          {"lblPitch", "PITCH"},
        {"lblChorus", "CHO/FLA"},       {"lblDelay", "DELAY"},            {"lblReverb", "REVERB"},
        {"lblRouting", "ROUTING"},      {"lblMod", "MOD"},                {"lblTap", "TAP"},
        {"lblReceive", "REQUEST"},      {"lblSend", "SEND"}};
    for (const auto& [name, text] : labels) QCOMPARE(static_cast<QLabel&>(Named(name)).text(), text);
  }

  void ExactlyOneLampOfEachBlockFollowsItsSwitch() {
    for (const auto& [block, lamp] : kLamps) {
      const QString on = QString(lamp) + "On", off = QString(lamp) + "Off";
      QVERIFY2(!Shown(on) && Shown(off), lamp);  // no preset yet: off
      toolbar->SetBlockOn(static_cast<BlockNumber>(block), true);
      QVERIFY2(Shown(on) && !Shown(off), lamp);
      toolbar->SetBlockOn(static_cast<BlockNumber>(block), false);
      QVERIFY2(!Shown(on) && Shown(off), lamp);
    }
    toolbar->SetBlockOn(BlockNumber::Compressor, true);
    toolbar->SetBlockOn(BlockNumber::Routing, true);  // no lamp: nothing happens
    QVERIFY(Shown("btnCompOn"));
    QVERIFY(!Shown("btnReverbOn"));
  }

  void OnlyTheBlockOnShowIsRaised() {
    QCOMPARE(toolbar->MarkedBlock(), 0);
    for (int block = 1; block <= 11; ++block) {
      toolbar->MarkBlock(block);
      QCOMPARE(toolbar->MarkedBlock(), block);
    }
    toolbar->MarkBlock(0);
    QCOMPARE(toolbar->MarkedBlock(), 0);
    toolbar->MarkBlock(12);
    QCOMPARE(toolbar->MarkedBlock(), 0);
  }

  void RoutingPictureShowsOneOfFourStates() {
    QCOMPARE(ShownRouting(), 3);  // no preset
    for (int routing : {0, 1, 2, 3}) {
      toolbar->UpdateRoutingDisplay(routing);
      QCOMPARE(ShownRouting(), routing);
    }
    toolbar->UpdateRoutingDisplay(1);
    toolbar->UpdateRoutingDisplay(7);
    QCOMPARE(ShownRouting(), 3);
  }

  // The routing and tap tempo editors drive the pictures through their host,
  // which passes them on as the main window does.
  void PicturesFollowTheRoutingAndTapTempoEditors() {
    EditorProbe routing("frmRouting"), tap("frmTapTempo");
    routing.host.routing = [this](int r) { toolbar->UpdateRoutingDisplay(r); };
    tap.host.tapTempo = [this](const QString& speed) { toolbar->SetTapTempoSpeed(speed); };
    for (int r : {2, 0, 1}) {
      CPreset preset = PresetBuilder().Value(161, 1000 + r).Build();
      preset.SetRouting(r);
      QVERIFY(routing.Show(&preset) && tap.Show(&preset));
      QCOMPARE(ShownRouting(), r);
      QCOMPARE(toolbar->TapInterval(), 1000 + r);
    }
    QVERIFY(tap.Blank());  // the neutral entry, 100 ms
    QCOMPARE(toolbar->TapInterval(), 100);
  }

  void TapLightStartsAt600msAndKeepsItsRateOnABadEntry_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("interval");
    QTest::newRow("none yet") << QStringList{} << 600;
    QTest::newRow("list entry") << QStringList{"1234 "} << 1234;
    QTest::newRow("latest wins") << QStringList{"100 ", "3000 "} << 3000;
    QTest::newRow("not a number") << QStringList{"750 ", "fast"} << 750;
    QTest::newRow("empty") << QStringList{"750 ", ""} << 750;
    QTest::newRow("fraction") << QStringList{"750 ", "12.5"} << 750;
    QTest::newRow("zero") << QStringList{"750 ", "0"} << 750;
    QTest::newRow("negative") << QStringList{"-20"} << 600;
  }
  void TapLightStartsAt600msAndKeepsItsRateOnABadEntry() {
    QFETCH(QStringList, entries);
    QFETCH(int, interval);
    for (const QString& entry : entries) toolbar->SetTapTempoSpeed(entry);
    QCOMPARE(toolbar->TapInterval(), interval);
    QVERIFY(toolbar->findChild<QTimer*>("tmrTap")->isActive());
  }

  void TapLightBlinksOnEveryTick() {
    QVERIFY(Shown("btnTapOn") != Shown("btnTapOff"));
    const bool lit = Shown("btnTapOn");
    Tick();
    QCOMPARE(Shown("btnTapOn"), !lit);
    QCOMPARE(Shown("btnTapOff"), lit);
    Tick();
    QCOMPARE(Shown("btnTapOn"), lit);
  }

  void PressOpensABlockAndReleaseAsksForItsMenu() {
    QList<int> clicked;
    QList<std::pair<int, Qt::MouseButton>> released;
    connect(toolbar.get(), &BlockToolbar::blockClicked, this, [&](BlockNumber b) { clicked << int(b); });
    connect(toolbar.get(), &BlockToolbar::blockMenuRequested, this,
            [&](BlockNumber b, Qt::MouseButton button, QPoint) { released << std::pair{int(b), button}; });
    QTest::mouseClick(&Named("lblComp"), Qt::LeftButton);
    QTest::mouseClick(&Named("btnDelayOff"), Qt::RightButton);
    QTest::mouseClick(&Named("lblLevelRelay2"), Qt::RightButton);
    QTest::mouseClick(&Named("pictRouting3"), Qt::LeftButton);
    QTest::mouseClick(&Named("btnMod"), Qt::LeftButton);
    QTest::mouseClick(&Named("lblMod"), Qt::RightButton);  // MOD has no menu
    QCOMPARE(clicked, (QList<int>{3, 9, 10}));
    QCOMPARE(released, (QList<std::pair<int, Qt::MouseButton>>{
                           {3, Qt::LeftButton}, {7, Qt::RightButton}, {2, Qt::RightButton}, {9, Qt::LeftButton}}));
  }

  void RequestAndSendRunWhileTheirButtonIsRaised() {
    auto tileOf = [&](const char* label) { return qobject_cast<ToolbarTile*>(Named(label).parentWidget()); };
    QList<bool> raisedWhileRunning;
    int sends = 0;
    connect(toolbar.get(), &BlockToolbar::requestClicked, this,
            [&] { raisedWhileRunning << tileOf("lblReceive")->IsRaised(); });
    connect(toolbar.get(), &BlockToolbar::sendClicked, this, [&] {
      ++sends;
      raisedWhileRunning << tileOf("lblSend")->IsRaised();
    });
    QTest::mouseClick(&Named("lblReceive"), Qt::LeftButton);
    QTest::mouseClick(&Named("btnReceive"), Qt::RightButton);
    QCOMPARE(raisedWhileRunning, QList<bool>{true});
    QVERIFY(!tileOf("lblReceive")->IsRaised());

    toolbar->SetSendEnabled(false);
    QVERIFY(!Named("btnSend").isEnabled() && !Named("lblSend").isEnabled());
    QTest::mouseClick(&Named("btnSend"), Qt::LeftButton);
    QCOMPARE(sends, 0);
    toolbar->SetSendEnabled(true);
    QTest::mouseClick(&Named("lblSend"), Qt::LeftButton);
    QCOMPARE(sends, 1);
    QVERIFY(!tileOf("lblSend")->IsRaised());
  }

  void ReleaseOnTheBareToolbarIsReportedApart() {
    QList<Qt::MouseButton> buttons;
    connect(toolbar.get(), &BlockToolbar::backgroundReleased, this,
            [&](Qt::MouseButton button, QPoint) { buttons << button; });
    const int tapRight = Named("lblTap").mapTo(toolbar.get(), QPoint(Named("lblTap").width(), 0)).x();
    const int receiveLeft = Named("lblReceive").mapTo(toolbar.get(), QPoint(0, 0)).x();
    QVERIFY(receiveLeft - tapRight > 60);
    QTest::mouseClick(toolbar.get(), Qt::RightButton, {}, QPoint((tapRight + receiveLeft) / 2, 10));
    QCOMPARE(buttons, QList<Qt::MouseButton>{Qt::RightButton});
  }

  // ---- The right-button menu ------------------------------------------------

  void ToolbarMenuOffersTheSwitchThatChangesTheBlock() {
    for (int block = 0; block <= 12; ++block) {
      for (bool isOn : {false, true}) {
        const auto offer = OfferBlockMenu(BlockMenuForm::Toolbar, BlockNumber(block), Qt::RightButton,
                                          Context(isOn, -1));
        QVERIFY(offer);
        const bool hasSwitch = kSwitchFields.count(block) > 0;
        const QByteArray where = QByteArray::number(block) + (isOn ? " on" : " off");
        QVERIFY2(offer->onOffShown, where);
        QVERIFY2(offer->blockOnEnabled == (hasSwitch && !isOn), where);
        QVERIFY2(offer->blockOffEnabled == (hasSwitch && isOn), where);
        QVERIFY2(offer->copyEnabled, where);
        QVERIFY2(!offer->presetItemsShown, where);
      }
    }
  }

  void PasteIsOfferedOnlyForTheBlockTheCopyCameFrom() {
    QList<int> copies = {-1};
    for (const auto& [block, offset] : kCopyOffsets) copies << offset;
    for (int copied : copies) {
      for (int block = 0; block <= 12; ++block) {
        const bool expected = copied >= 0 && kCopyOffsets.count(block) && kCopyOffsets.at(block) == copied;
        for (BlockMenuForm form : {BlockMenuForm::Toolbar, BlockMenuForm::Editor}) {
          const auto offer = OfferBlockMenu(form, BlockNumber(block), Qt::RightButton, Context(false, copied));
          QVERIFY2(offer->pasteEnabled == expected,
                   qPrintable(QString("block %1, copied from %2").arg(block).arg(copied)));
        }
      }
    }
  }

  void MenuStaysShutForOtherButtonsOrWithoutAPreset() {
    for (BlockMenuForm form : {BlockMenuForm::Toolbar, BlockMenuForm::Editor}) {
      QVERIFY(!OfferBlockMenu(form, BlockNumber::Compressor, Qt::LeftButton, Context(true, -1)));
      QVERIFY(!OfferBlockMenu(form, BlockNumber::Compressor, Qt::MiddleButton, Context(true, -1)));
      QVERIFY(!OfferBlockMenu(form, BlockNumber::Compressor, Qt::RightButton, BlockMenuContext{}));
    }
    BlockMenu menu;
    QVERIFY(!menu.Open(BlockMenuForm::Toolbar, BlockNumber::Compressor, Qt::RightButton, {}, QPoint(10, 10)));
    QVERIFY(!menu.isVisible());
  }

  void MenuShowsTheOfferAndActsOnTheBlockItWasOpenedFor() {
    BlockMenu menu;
    QList<std::pair<int, bool>> switched;
    QList<int> copied;
    int pasted = 0, requested = 0, transmitted = 0;
    connect(&menu, &BlockMenu::blockOnOffChosen, this, [&](BlockNumber b, bool on) { switched << std::pair{int(b), on}; });
    connect(&menu, &BlockMenu::copyBlockChosen, this, [&](BlockNumber b) { copied << int(b); });
    connect(&menu, &BlockMenu::pasteBlockChosen, this, [&] { ++pasted; });
    connect(&menu, &BlockMenu::requestPresetChosen, this, [&] { ++requested; });
    connect(&menu, &BlockMenu::transmitPresetChosen, this, [&] { ++transmitted; });
    auto item = [&](const char* name) { return menu.findChild<QAction*>(name); };

    QVERIFY(menu.Open(BlockMenuForm::Toolbar, BlockNumber::Compressor, Qt::RightButton, Context(false, 165), {}));
    QCOMPARE(menu.RightClickBlock(), BlockNumber::Compressor);
    QCOMPARE(item("mnuRMMBlockOn")->text(), "Block On");
    QCOMPARE(item("mnuRMMBlockOff")->text(), "BlockOff");
    QVERIFY(item("mnuRMMBlockOn")->isVisible() && item("mnuRMMBlockOn")->isEnabled());
    QVERIFY(item("mnuRMMBlockOff")->isVisible() && !item("mnuRMMBlockOff")->isEnabled());
    QVERIFY(item("mnuRMMSep1")->isVisible() && !item("mnuRMMSep2")->isVisible());
    QVERIFY(!item("mnuRMMRequest")->isVisible() && !item("mnuRMMTransmit")->isVisible());
    QVERIFY(item("mnuRMMPasteBlock")->isEnabled());
    item("mnuRMMBlockOn")->trigger();
    item("mnuRMMCopyBlock")->trigger();
    menu.hide();

    QVERIFY(menu.Open(BlockMenuForm::Editor, BlockNumber::Reverb, Qt::RightButton, Context(true, 485), {}));
    QVERIFY(!item("mnuRMMBlockOn")->isVisible() && !item("mnuRMMBlockOff")->isVisible());
    QVERIFY(!item("mnuRMMSep1")->isVisible() && item("mnuRMMSep2")->isVisible());
    QVERIFY(item("mnuRMMRequest")->isVisible() && item("mnuRMMTransmit")->isVisible());
    QVERIFY(item("mnuRMMPasteBlock")->isEnabled());
    item("mnuRMMCopyBlock")->trigger();
    item("mnuRMMPasteBlock")->trigger();
    item("mnuRMMRequest")->trigger();
    item("mnuRMMTransmit")->trigger();
    menu.hide();

    QCOMPARE(switched, (QList<std::pair<int, bool>>{{3, true}}));
    QCOMPARE(copied, (QList<int>{3, 8}));
    QCOMPARE(pasted + requested + transmitted, 3);
  }

  // ---- The block switch in the preset ---------------------------------------

  // And a block's copy covers its area.
  void SwitchingABlockWritesOnlyItsField() {
    for (int block = 0; block <= 12; ++block) {
      QCOMPARE(BlockCopyOffset(BlockNumber(block)), kCopyOffsets.count(block) ? kCopyOffsets.at(block) : kNoOffset);
      for (bool on : {true, false}) {
        const CPreset before = PresetBuilder().Scramble(7).Build();
        CPreset after = before;
        const bool hasSwitch = kSwitchFields.count(block) > 0;
        QCOMPARE(StoreBlockOnOff(after, BlockNumber(block), on), hasSwitch);
        for (int offset = 29; offset <= 609; offset += 4) {
          const int expected = hasSwitch && offset == kSwitchFields.at(block) ? (on ? 0 : 1) : before.Value(offset);
          QVERIFY2(after.Value(offset) == expected, qPrintable(QString("block %1, offset %2").arg(block).arg(offset)));
        }
      }
    }
  }
};

QTEST_MAIN(BlockToolbarTest)
#include "BlockToolbarTest.moc"
