// The Bank window offscreen, on an in-process simulator: slots and library
// entries dropped onto slots, and how each slot is marked against the device
// before and after sends, verified or not.
#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

#include "BankWindow.h"
#include "LibraryEntryMime.h"
#include "PresetBuilder.h"
#include "PresetLibrary.h"
#include "ScriptedDialogs.h"
#include "SimulatorBankDevice.h"
#include "TempDir.h"

Q_DECLARE_METATYPE(std::vector<int64_t>)

namespace {

struct Fixture {
  TempDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<PresetLibrary> ownLibrary = std::make_unique<PresetLibrary>(dir.File("library.db"));
  std::unique_ptr<SimulatorBankDevice> ownDevice = std::make_unique<SimulatorBankDevice>();
  PresetLibrary* library;
  SimulatorBankDevice* device;
  std::unique_ptr<BankWindow> window;

  Fixture() : library(ownLibrary.get()), device(ownDevice.get()) {}

  // The window, on what the library holds by now.
  void Open() {
    window = std::make_unique<BankWindow>(std::move(ownLibrary), std::move(ownDevice));
    window->show();
  }

  int64_t Keep(uint32_t seed, const std::string& name) {
    return library->Keep(PresetBuilder().Name(name).Number(101).Scramble(seed).Build().Image(), {"file", "a.syx", -1}).id;
  }

  void Click(const char* button) { window->findChild<QPushButton*>(button)->click(); }

  void Drop(int to, QMimeData* data, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    BankSlotCell& cell = window->Cell(to);
    const QPoint at = cell.rect().center();
    QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(&cell, &enter);
    QDropEvent drop(QPointF(at), Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(&cell, &drop);
    delete data;
  }

  void DropEntries(int to, const QByteArray& lines) {
    auto* data = new QMimeData;
    data->setData(kLibraryEntriesMime, lines);
    Drop(to, data);
  }

  QString Name(int slot) const { return window->Cell(slot).text().section("<br>", 1); }
  QString Mark(int slot) const { return window->Cell(slot).property("mark").toString(); }
};

}  // namespace

class BankWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void EntriesDroppedFromTheLibraryFillSlotsAndAreMarked() {
    Fixture f;
    f.Open();
    f.Click("cmdPull");
    QCOMPARE(f.Mark(1), QString("held"));
    QCOMPARE(f.Name(1), QString("User 1"));
    const int64_t a = f.Keep(1, "Lead"), b = f.Keep(2, "Clean");
    f.DropEntries(99, QByteArray::number(a) + "\n" + QByteArray::number(b) + "\n");
    QCOMPARE(f.Name(99), QString("Lead"));
    QCOMPARE(f.Name(100), QString("Clean"));
    QCOMPARE(f.Mark(99), QString("differs"));
    QCOMPARE(f.Mark(100), QString("differs"));
    QCOMPARE(f.Mark(98), QString("held"));
  }

  void APullOverPlannedChangesAsksAndCancelKeepsThem_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("name");  // slot 3 afterwards
    QTest::newRow("Enter: Cancel") << -1 << "Lead";
    QTest::newRow("OK") << int(MessageAnswer::Ok) << "User 3";
  }

  void APullOverPlannedChangesAsksAndCancelKeepsThem() {
    QFETCH(int, answer);
    QFETCH(QString, name);
    Fixture f;
    f.Open();
    f.Click("cmdPull");
    QVERIFY2(f.dialogs.Shown().empty(), "nothing planned yet: no question");
    f.DropEntries(3, QByteArray::number(f.Keep(1, "Lead")));
    answer < 0 ? f.dialogs.QueueKey(DialogKey::Enter) : f.dialogs.QueueAnswer(static_cast<MessageAnswer>(answer));
    f.Click("cmdPull");
    QCOMPARE(f.dialogs.Shown().size(), std::size_t{1});
    QCOMPARE(f.Name(3), name);
  }

  void SlotDrops_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QStringList>("names");  // slots 1 to 3 afterwards
    QTest::newRow("onto a filled slot: swap") << 1 << 2 << false << QStringList{"User 2", "User 1", ""};
    QTest::newRow("onto an empty slot: move") << 1 << 3 << false << QStringList{"", "User 2", "User 1"};
    QTest::newRow("with Ctrl: copy") << 1 << 2 << true << QStringList{"User 1", "User 1", ""};
    QTest::newRow("an empty slot: nothing") << 3 << 1 << false << QStringList{"User 1", "User 2", ""};
  }

  void SlotDrops() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, ctrl);
    QFETCH(QStringList, names);
    Fixture f;
    PullBank(*f.library, "Live", *f.device);
    BankStore banks(*f.library);
    BankPlan plan = banks.Load("Live");
    plan.Clear(3);
    banks.Save("Live", plan);
    f.Open();
    QCOMPARE(f.window->BankName(), QString("Live"));
    f.DropEntries(4, "");  // a drop that carries no entries changes nothing
    QCOMPARE(f.Name(4), QString("User 4"));
    f.Drop(to, BankSlotCell::SlotData(from), ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE((QStringList{f.Name(1), f.Name(2), f.Name(3)}), names);
    QCOMPARE(f.Mark(3), QString(names[2].isEmpty() ? "empty" : "differs"));
  }

  void SendsMarkWhatMatchedAndWhatDidNot() {
    Fixture f;
    f.Open();
    f.Click("cmdPull");
    f.DropEntries(3, QByteArray::number(f.Keep(1, "Lead")));
    f.DropEntries(50, QByteArray::number(f.Keep(2, "Clean")));
    f.device->sim.SetFault({SimFault::Kind::Corrupt, 2});
    f.Click("cmdSendChanges");
    QCOMPARE(f.device->stored, (std::vector<int>{103, 150}));
    QCOMPARE(f.Mark(3), QString("verified"));
    QCOMPARE(f.Mark(50), QString("mismatch"));
    QCOMPARE(f.Mark(4), QString("held"));
    QVERIFY(!f.dialogs.Shown().empty());
    QVERIFY(f.dialogs.Shown().back().text.find("U50 \"Clean\" differs from what was sent") != std::string::npos);

    f.device->sim.SetFault({});
    f.Click("cmdSendChanges");
    QCOMPARE(f.device->stored, (std::vector<int>{103, 150, 150}));
    QCOMPARE(f.Mark(50), QString("verified"));

    // Unverified, Send All marks every slot held and says nothing.
    const std::size_t said = f.dialogs.Shown().size();
    f.window->findChild<QCheckBox*>("chkVerify")->setChecked(false);
    f.Click("cmdSendAll");
    QCOMPARE(f.device->stored.size(), std::size_t{103});
    for (int slot : {1, 3, 50}) QCOMPARE(f.Mark(slot), QString("held"));
    QCOMPARE(f.dialogs.Shown().size(), said);
  }

  void LibraryEntryIdsAreDecoded_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<std::vector<int64_t>>("ids");
    QTest::newRow("one a line") << QByteArray("5\n7\n") << std::vector<int64_t>{5, 7};
    QTest::newRow("spaces and Windows line ends") << QByteArray(" 12\r\n3") << std::vector<int64_t>{12, 3};
    QTest::newRow("no ids passed over") << QByteArray("x\n-2\n0\n9") << std::vector<int64_t>{9};
    QTest::newRow("empty") << QByteArray() << std::vector<int64_t>{};
  }

  void LibraryEntryIdsAreDecoded() {
    QFETCH(QByteArray, lines);
    QFETCH(std::vector<int64_t>, ids);
    QMimeData data;
    data.setData(kLibraryEntriesMime, lines);
    QCOMPARE(DecodeLibraryEntries(data), ids);
  }
};

QTEST_MAIN(BankWindowTest)
#include "BankWindowTest.moc"
