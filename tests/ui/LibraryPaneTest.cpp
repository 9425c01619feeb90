// The Library pane and the library commands on the real frame, offscreen:
// searching, opening an entry, dropping entries on dump slots, keeping an
// edit as a version, the right button's menu (with its text questions,
// export and history window), and the presets kept (or not) as they arrive.
#include <QDropEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "CSysEx.h"
#include "DumpPane.h"
#include "FrameFixture.h"
#include "LibraryCommands.h"
#include "LibraryEntryMime.h"
#include "LibraryImport.h"
#include "LibraryKeeper.h"
#include "LibraryModel.h"
#include "LibraryPane.h"
#include "PresetBuilder.h"
#include "QtDialogs.h"

namespace {

struct Rig {
  FrameFixture f;
  LibraryCommands& commands = f.Frame().Library();
  LibraryPane& pane = commands.Pane();

  PresetLibrary& Library() { return *commands.Keeper().Library(); }
  int64_t Keep(uint32_t seed, const std::string& name) {
    return Library().Keep(PresetBuilder().Name(name).Number(101).Scramble(seed).Build().Image(), {"file", "x.syx", -1}).id;
  }
  size_t Count() { return Library().Search(ParseSearch({})).size(); }
  template <typename T>
  T& Child(const char* name) { return *pane.findChild<T*>(name); }
  QStringList Names() {
    QStringList names;
    for (int row = 0; row < pane.Model().rowCount(); ++row) names << QString::fromStdString(pane.Model().Row(row).name);
    return names;
  }
  void ShowPane() {
    f.Trigger("mnuViewLibrary");
    QTRY_VERIFY(pane.isVisible());
  }
  // The table's row of entry id made current, as the arrow keys would.
  void MakeCurrent(int64_t id) {
    for (int row = 0; row < pane.Model().rowCount(); ++row) {
      if (pane.Model().Row(row).id == id) Child<QTableView>("tblLibrary").selectRow(row);
    }
  }
  // The right button's action on the row of entry id, the rows of ids selected.
  void Menu(const char* action, int64_t id, const std::vector<int64_t>& ids) {
    auto& table = Child<QTableView>("tblLibrary");
    table.clearSelection();
    int clicked = -1;
    for (int row = 0; row < pane.Model().rowCount(); ++row) {
      const int64_t at = pane.Model().Row(row).id;
      if (std::ranges::find(ids, at) != ids.end())
        table.selectionModel()->select(pane.Model().index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
      if (at == id) clicked = row;
    }
    pane.MenuFor(clicked)->findChild<QAction*>(action)->trigger();
  }
  // name|tags|favourite|hidden|comment
  QString Summary(int64_t id) {
    const LibraryEntry e = *Library().Entry(id);
    return QString::fromStdString(e.row.name + "|" + e.row.tags + "|" + std::to_string(e.row.favourite) + "|" +
                                  std::to_string(e.row.hidden) + "|" + e.comment);
  }
  void DropOnSlot(int slot, const QByteArray& lines) {
    QListWidget& list = f.PresetList();
    const QPoint at = list.visualItemRect(list.item(slot)).center();
    QMimeData data;
    data.setData(kLibraryEntriesMime, lines);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &drop);
  }
};

// Bytes 29 to 612: the sound, whatever its name, number and checksum.
std::vector<uint8_t> Sound(std::span<const uint8_t> image) { return {image.begin() + 29, image.begin() + 613}; }

}  // namespace

class LibraryPaneTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void SearchBoxFindsEntries_data() {
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("every visible entry") << "" << QStringList{"Ambient", "Clean", "Lead solo"};
    QTest::newRow("part of a name, any case") << "SOL" << QStringList{"Lead solo"};
    QTest::newRow("tag") << "tag:live" << QStringList{"Clean", "Lead solo"};
    QTest::newRow("terms are anded") << "tag:live fav" << QStringList{"Clean"};
    QTest::newRow("hidden ones too when asked") << "hidden" << QStringList{"Ambient", "Clean", "Hidden one", "Lead solo"};
    QTest::newRow("nothing") << "nomatch" << QStringList{};
  }
  void SearchBoxFindsEntries() {
    QFETCH(QString, search);
    QFETCH(QStringList, found);
    Rig rig;
    const int64_t lead = rig.Keep(1, "Lead solo"), clean = rig.Keep(2, "Clean");
    rig.Keep(3, "Ambient");
    rig.Library().SetHidden(rig.Keep(4, "Hidden one"), true);
    rig.Library().AddTags(lead, {"live"});
    rig.Library().AddTags(clean, {"live"});
    rig.Library().SetFavourite(clean, true);
    rig.ShowPane();
    QTest::keyClicks(&rig.Child<QLineEdit>("txtLibrarySearch"), search);
    QStringList names = rig.Names();
    names.sort();
    QCOMPARE(names, found);
    QCOMPARE(rig.Child<QLabel>("lblLibraryFound").text(), QString("%1 found").arg(found.size()));
  }

  void AMeaninglessTermIsNamedAndTheListStays() {
    Rig rig;
    rig.Keep(1, "Lead");
    rig.ShowPane();
    rig.Child<QLineEdit>("txtLibrarySearch").setText("delay=nonsense");
    QVERIFY(rig.Child<QLabel>("lblLibraryFound").text().contains("delay=nonsense"));
    QCOMPARE(rig.Names(), QStringList{"Lead"});
  }

  void EnterOpensTheEntryAfterTheQuestion_data() {
    QTest::addColumn<bool>("edited");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("nothing to lose") << false << -1 << true;
    QTest::newRow("edits given up") << true << static_cast<int>(MessageAnswer::Ok) << true;
    QTest::newRow("edits kept") << true << static_cast<int>(MessageAnswer::Cancel) << false;
  }
  void EnterOpensTheEntryAfterTheQuestion() {
    QFETCH(bool, edited);
    QFETCH(int, answer);
    QFETCH(bool, opened);
    Rig rig;
    rig.f.TriggerOpening("mnuPresetLoad", rig.f.WritePreset("on.syx", "On screen", 120));
    if (edited) rig.f.TypeName("Edited");
    if (answer >= 0) rig.f.dialogs.QueueAnswer(static_cast<MessageAnswer>(answer));
    const int64_t id = rig.Keep(7, "Kept as");
    rig.Library().Rename(id, "From library");
    rig.ShowPane();
    rig.MakeCurrent(id);
    QTest::keyClick(&rig.Child<QTableView>("tblLibrary"), Qt::Key_Return);
    QCOMPARE(rig.f.Frame().NameOnScreen().trimmed(), opened ? QString("From library") : QString("Edited"));
    QCOMPARE(rig.commands.Keeper().EntryOnScreen() == std::optional<int64_t>(id), opened);
  }

  void EntriesDroppedOnADumpSlotFillItAndTheNextKeepingTheirNumbers() {
    Rig rig;
    const std::string dump = rig.f.WriteDump("bank.syx", 5);
    rig.f.TriggerOpening("mnuFileOpen", dump);
    const int64_t a = rig.Keep(11, "Dropped A"), b = rig.Keep(12, "Dropped B");
    const std::vector<uint8_t> before = ReadBytes(dump);
    rig.DropOnSlot(2, QByteArray::number(a) + "\n" + QByteArray::number(b) + "\n");
    const std::vector<uint8_t> after = ReadBytes(dump);
    QCOMPARE(after.size(), before.size());
    QVERIFY(Sound(Slots(after, 2)) == Sound(rig.Library().Entry(a)->image));
    QVERIFY(Sound(Slots(after, 3)) == Sound(rig.Library().Entry(b)->image));
    for (int i : {0, 1, 4}) QVERIFY(Slots(after, i) == Slots(before, i));
    CPreset written;
    QVERIFY(written.Read(dump, 3));
    CPreset original;
    original.LoadFromByteArray(Slots(before, 3));
    QCOMPARE(written.PresetNumber(), original.PresetNumber());
    QCOMPARE(rig.f.Frame().DumpSlot(), 2);
  }

  // "<enter>" and "<escape>" press the key in the text box, other text is typed.
  void TheRightButtonChangesEverySelectedEntry_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("both");
    QTest::newRow("tag") << "mnuLibraryTag" << "live  rock" << "A|live, rock|0|0|";
    QTest::newRow("tag escaped") << "mnuLibraryTag" << "<escape>" << "A||0|0|";
    QTest::newRow("rename") << "mnuLibraryRename" << "Renamed" << "Renamed||0|0|";
    QTest::newRow("rename, Enter takes the name offered") << "mnuLibraryRename" << "<enter>" << "A||0|0|";
    QTest::newRow("comment") << "mnuLibraryComment" << "warm" << "A||0|0|warm";
    QTest::newRow("favourite") << "mnuLibraryFavourite" << "" << "A||1|0|";
    QTest::newRow("hide") << "mnuLibraryHide" << "" << "A||0|1|";
  }
  void TheRightButtonChangesEverySelectedEntry() {
    QFETCH(QString, action);
    QFETCH(QString, answer);
    QFETCH(QString, both);
    Rig rig;
    const int64_t a = rig.Keep(1, "A"), b = rig.Keep(2, "A"), other = rig.Keep(3, "Other");
    rig.ShowPane();
    if (answer == "<enter>") rig.f.dialogs.QueueKey(DialogKey::Enter);
    else if (answer == "<escape>") rig.f.dialogs.QueueKey(DialogKey::Escape);
    else if (!answer.isEmpty()) rig.f.dialogs.QueueText(answer.toStdString());
    rig.Menu(qPrintable(action), a, {a, b});
    QCOMPARE(rig.Summary(a), both);
    QCOMPARE(rig.Summary(b), both);
    QCOMPARE(rig.Summary(other), QString("Other||0|0|"));
    if (action == "mnuLibraryRename") QCOMPARE(rig.f.dialogs.OfferedTexts(), std::vector<std::string>{"A"});
  }

  // The fake's answers are the real box's: typing replaces the text offered,
  // Enter accepts, Escape gives nothing.
  void TextQuestionsAnswerAsTheRealBoxDoes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("answer");
    QTest::newRow("Enter") << "" << int(Qt::Key_Return) << "offered";
    QTest::newRow("typed, Enter") << "new" << int(Qt::Key_Return) << "new";
    QTest::newRow("Escape") << "" << int(Qt::Key_Escape) << "<none>";
    QTest::newRow("typed, Escape") << "new" << int(Qt::Key_Escape) << "<none>";
  }
  void TextQuestionsAnswerAsTheRealBoxDoes() {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, answer);
    const auto shown = [](const std::optional<std::string>& text) {
      return text ? QString::fromStdString(*text) : QString("<none>");
    };
    QtDialogs real;
    SetDialogs(&real);
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      QVERIFY(box);
      QTest::keyClicks(box->focusWidget(), typed);
      QTest::keyClick(box->focusWidget(), static_cast<Qt::Key>(key));
    });
    QCOMPARE(shown(Dialogs().AskText("Name:", "Rename", "offered")), answer);
    SetDialogs(nullptr);

    ScriptedDialogs fake;
    if (!typed.isEmpty() && key == Qt::Key_Return) fake.QueueText(typed.toStdString());
    else fake.QueueKey(key == Qt::Key_Return ? DialogKey::Enter : DialogKey::Escape);
    QCOMPARE(shown(fake.AskText("Name:", "Rename", "offered")), answer);
  }

  void ExportWritesTheSelectedEntriesInTableOrder_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("presets");
    QTest::addColumn<bool>("said");
    QTest::newRow("two as a dump") << "out.syx" << 2 << false;
    QTest::newRow("save dialog cancelled") << "" << 0 << false;
    QTest::newRow("folder missing") << "no/such/out.syx" << 0 << true;
  }
  void ExportWritesTheSelectedEntriesInTableOrder() {
    QFETCH(QString, file);
    QFETCH(int, presets);
    QFETCH(bool, said);
    Rig rig;
    const int64_t b = rig.Keep(1, "B"), a = rig.Keep(2, "A");
    rig.Library().Rename(b, "B renamed");
    rig.ShowPane();
    const std::string path = rig.f.dir.File(file.isEmpty() ? "out.syx" : file.toStdString());
    if (!file.isEmpty()) rig.f.files.saves.push_back(path);
    rig.Menu("mnuLibraryExport", b, {b, a});
    QCOMPARE(rig.f.Messages().size(), size_t{said});
    QCOMPARE(std::filesystem::exists(path), presets > 0);
    if (!presets) return;
    const std::vector<uint8_t> bytes = ReadBytes(path);
    QCOMPARE(bytes.size(), static_cast<size_t>(presets) * kPresetSize);
    CPreset first, second;
    QVERIFY(first.Read(path, 0) && second.Read(path, 1));
    QCOMPARE(first.PresetName().substr(0, 1), std::string("A"));  // sorted by name, as the table shows them
    QCOMPARE(second.PresetName().substr(0, 9), std::string("B renamed"));
    QVERIFY(Sound(second.Image()) == Sound(rig.Library().Entry(b)->image));
  }

  // Keep in Library makes a new version of the entry on screen; Enter in the
  // history window opens the chosen version, Escape closes it.
  void TheHistoryWindowOpensAKeptVersion_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("onScreen");
    QTest::newRow("Enter") << int(Qt::Key_Return) << "First";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << "Second";
  }
  void TheHistoryWindowOpensAKeptVersion() {
    QFETCH(int, key);
    QFETCH(QString, onScreen);
    Rig rig;
    const int64_t first = rig.Keep(5, "First");
    QVERIFY(rig.commands.OpenEntry(first));
    rig.f.TypeName("Second");
    rig.f.Frame().SetBlockOnOff(BlockNumber::Delay, !rig.f.Frame().Blocks().IsOn("frmDelay"));
    rig.f.Trigger("mnuPresetKeep");
    const std::vector<EntryRow> history = rig.Library().History(first);
    QCOMPARE(history.size(), size_t{2});
    QCOMPARE(history[1].parent, std::optional<int64_t>(first));
    const int64_t second = history[1].id;
    QCOMPARE(rig.commands.Keeper().EntryOnScreen(), std::optional<int64_t>(second));
    rig.ShowPane();
    QStringList listed;
    rig.f.steps.Then("choose the first version", [&] {
      auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!window || window->objectName() != "dlgLibraryHistory") return false;
      auto* tree = window->findChild<QTreeWidget*>("tvwHistory");
      listed << tree->currentItem()->text(0) << tree->topLevelItem(0)->text(0) << tree->topLevelItem(0)->child(0)->text(0);
      tree->setCurrentItem(tree->topLevelItem(0));
      QTest::keyClick(tree, static_cast<Qt::Key>(key));
      return true;
    });
    rig.Menu("mnuLibraryHistory", second, {second});
    QVERIFY2(rig.f.steps.Stuck().isEmpty(), qPrintable(rig.f.steps.Stuck()));
    QCOMPARE(listed, (QStringList{"Second", "First", "Second"}));
    QCOMPARE(rig.f.Frame().NameOnScreen().trimmed(), onScreen);
    QVERIFY(!QApplication::activeModalWidget());
  }

  // On by default.
  void ArrivingPresetsAreKeptUnlessTurnedOff() {
    for (const auto& [setting, kept] : {std::pair{"", 4}, {"1", 4}, {"0", 0}}) {
      Rig rig;
      if (*setting) rig.f.settings.Set(kLibrarySection, kKeepAutomaticallyKey, setting);
      rig.f.files.opens = {rig.f.WritePreset("one.syx", "Loaded", 150), rig.f.WriteDump("three.syx", 3)};
      rig.f.Trigger("mnuPresetLoad");
      rig.f.Trigger("mnuFileOpen");
      QVERIFY2(rig.Count() == static_cast<size_t>(kept), setting);
    }
  }

  void ALibraryThatCannotBeWrittenIsSaidOnceAndLoadingGoesOn() {
    Rig rig;
    WriteBytes(rig.f.dir.File("not-a-folder"), {1});
    qputenv("LINDEL_LIBRARY", QByteArray::fromStdString(rig.f.dir.File("not-a-folder") + "/library.db"));
    for (const char* name : {"First", "Second"}) {
      rig.f.TriggerOpening("mnuPresetLoad", rig.f.WritePreset(std::string(name) + ".syx", name, 101 + name[0]));
      QCOMPARE(rig.f.Frame().NameOnScreen().trimmed(), QString(name));
    }
    const std::vector<std::string> shown = rig.f.Messages();
    QCOMPARE(std::ranges::count_if(shown, [](const std::string& m) { return m.find("library") != std::string::npos; }), 1);
  }

  void ImportIntoLibraryCountsWhatItFound() {
    Rig rig;
    std::filesystem::create_directories(rig.f.dir.File("in"));
    rig.f.WritePreset("in/a.syx", "A", 110);
    rig.f.WritePreset("in/again.syx", "Again", 110);
    WriteBytes(rig.f.dir.File("in/broken.syx"), {0xF0, 1, 2});
    const ImportCounts counts = rig.commands.ImportPaths({rig.f.dir.File("in")});
    QCOMPARE(counts.Line(), std::string("1 added, 1 already there, 1 refused"));
    QVERIFY(rig.f.Messages().back().starts_with("1 added, 1 already there, 1 refused\n"));
  }
};

QTEST_MAIN(LibraryPaneTest)
#include "LibraryPaneTest.moc"
