// Opening .syx files, through the real frame: chosen in the menu, named
// on the command line (the function the editor's main calls), dropped on the
// window, chosen from the recent files list; one-slot files as a preset,
// longer ones as a dump, bad files refused with the menus' messages, the
// unsaved-changes question first. And the recent files list itself: order,
// limit, what enters it, what survives a restart, what leaves it.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

#include <filesystem>

#include "DumpPane.h"
#include "FileOpener.h"
#include "FrameFixture.h"
#include "MainMenu.h"
#include "PresetBuilder.h"
#include "QtSettings.h"
#include "RecentFiles.h"

namespace {

enum class Way { Menu, CommandLine, Drop, Recent };

QList<QUrl> Urls(const std::vector<std::string>& paths) {
  QList<QUrl> urls;
  for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
  return urls;
}

// As a file manager does it: enter, then drop; the file opens from the
// event loop. False when the frame refused the drag.
bool Drop(frmMDIMain& frame, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  const QPoint at(frame.width() / 2, frame.height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&frame, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&frame, &drop);
  QCoreApplication::processEvents();
  return drop.isAccepted();
}

QMenu& RecentMenu(FrameFixture& f) {
  QMenu& menu = f.Frame().Menu().Menu("mnuFileRecent");
  Q_EMIT f.Frame().Menu().Menu("mnuFile").aboutToShow();  // as when the user opens the File menu
  return menu;
}

QStringList Captions(QMenu& menu) {
  QStringList captions;
  for (const QAction* item : menu.actions()) captions << item->text();
  return captions;
}

void ChooseRecent(FrameFixture& f, int position) {
  QList<QAction*> items = RecentMenu(f).actions();
  QVERIFY(position < items.size());
  items[position]->trigger();
}

void OpenBy(Way way, FrameFixture& f, const std::string& path) {
  switch (way) {
    case Way::Menu:
      f.TriggerOpening("mnuPresetLoad", path);
      break;
    case Way::CommandLine:
      FileOpener(f.Frame()).OpenArguments({"lindel", QString::fromStdString(path)});
      break;
    case Way::Drop:
      QVERIFY(Drop(f.Frame(), Urls({path})));
      break;
    case Way::Recent:
      RecentFiles(f.settings).Add(path);
      ChooseRecent(f, 0);
      break;
  }
}

std::vector<std::string> Recent(FrameFixture& f) { return RecentFiles(f.settings).Entries(); }

}  // namespace

class FileOpeningTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // One slot opens as "Load from file" does, several as "Open SysEx dump".
  void OneSlotOpensAsAPresetSeveralAsADump_data() {
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("slots");
    for (const auto& [name, way] : {std::pair{"command line", Way::CommandLine}, {"drop", Way::Drop},
                                    {"recent", Way::Recent}}) {
      QTest::newRow(QByteArray(name) + ", preset") << int(way) << 1;
      QTest::newRow(QByteArray(name) + ", dump") << int(way) << 3;
    }
  }
  void OneSlotOpensAsAPresetSeveralAsADump() {
    QFETCH(int, way);
    QFETCH(int, slots);
    FrameFixture f;
    const std::string path = slots == 1 ? f.WritePreset("tone.syx", "Dropped Tone", 107) : f.WriteDump("bank.syx", slots);
    OpenBy(Way(way), f, path);
    QVERIFY(f.Messages().empty());
    QVERIFY(!f.EditedShown());
    if (slots == 1) {
      QCOMPARE(f.Frame().State(), DisplayState::SinglePreset);
      QCOMPARE(f.Label("lblPresetName").text(), QString("Dropped Tone"));
      QVERIFY(f.Frame().Pane().isHidden());
    } else {
      QCOMPARE(f.Frame().State(), DisplayState::DumpSlot);
      QCOMPARE(f.Frame().Dump()->FileName(), path);
      QCOMPARE(f.Frame().Pane().Count(), slots);
      QVERIFY(f.Enabled("mnuFileSplitSysEx"));
    }
    QCOMPARE(Recent(f), std::vector<std::string>{path});
  }

  // The first file opens; the user is told which were left.
  void SeveralFilesOpenTheFirstAndNameTheOthers() {
    FrameFixture f;
    const std::string first = f.WritePreset("first.syx", "First");
    const std::string second = f.WritePreset("second.syx", "Second");
    QVERIFY(Drop(f.Frame(), Urls({first, second})));
    QCOMPARE(f.Label("lblPresetName").text(), QString("First"));
    QCOMPARE(f.Messages(), std::vector<std::string>{"One file is opened at a time: " + first + "\nNot opened:\n" + second});
  }

  // Only local files are taken; a refused drag, like no file on the command line, opens nothing.
  void NoFileToOpenOpensNothing() {
    FrameFixture f;
    QVERIFY(!FileOpener(f.Frame()).OpenArguments({"lindel"}));
    QVERIFY(!Drop(f.Frame(), {QUrl("https://example.org/tone.syx")}));
    QVERIFY(!Drop(f.Frame(), Urls({f.dir.Path().string()})));
    QVERIFY(!Drop(f.Frame(), {}));
    QCOMPARE(f.Frame().State(), DisplayState::Empty);
    QVERIFY(f.Messages().empty());
  }

  // The same messages every way; the edited preset on screen stays.
  void BadFilesAreRefusedWithTheMenusMessages_data() {
    QTest::addColumn<int>("way");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const std::vector<uint8_t> bad = PresetBuilder().BadChecksum().Bytes();
    const QByteArray badChecksum(reinterpret_cast<const char*>(bad.data()), qsizetype(bad.size()));
    for (const auto& [name, way] :
         {std::pair{"load from file", Way::Menu}, {"command line", Way::CommandLine}, {"drop", Way::Drop}}) {
      QTest::newRow(QByteArray(name) + ", short") << int(way) << QByteArray(100, 'x') << "%1 is not a G-Major preset file";
      QTest::newRow(QByteArray(name) + ", zeros") << int(way) << QByteArray(615, 0) << "%1 is not a G-Major preset file";
      QTest::newRow(QByteArray(name) + ", bad checksum") << int(way) << badChecksum << "Invalid Patch file -- bad checksum";
      QTest::newRow(QByteArray(name) + ", missing") << int(way) << QByteArray() << "Unable to open file: %1";
    }
  }
  void BadFilesAreRefusedWithTheMenusMessages() {
    QFETCH(int, way);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    FrameFixture f;
    f.Trigger("mnuPresetNew");
    f.TypeName("Kept");
    const std::shared_ptr<CPreset> before = f.Frame().Preset();
    const std::string path = f.dir.File("input.syx");
    if (!bytes.isEmpty()) WriteBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    f.dialogs.QueueAnswer(MessageAnswer::Ok);  // lose "Kept"
    OpenBy(Way(way), f, path);
    QCOMPARE(f.Messages().size(), std::size_t(2));
    QCOMPARE(f.Messages().front(), std::string(kLoseChanges));
    QCOMPARE(QString::fromStdString(f.Messages().back()), QString(message).replace("%1", QString::fromStdString(path)));
    QVERIFY(f.Frame().Preset() == before);
    QCOMPARE(f.Box("txtPresetName").text(), QString("Kept"));
    QVERIFY(Recent(f).empty());
  }

  // Cancel keeps the edits, opens nothing and leaves the list as it was.
  void UnsavedChangesAreAskedAboutFirst_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("command line") << int(Way::CommandLine);
    QTest::newRow("drop") << int(Way::Drop);
    QTest::newRow("recent") << int(Way::Recent);
  }
  void UnsavedChangesAreAskedAboutFirst() {
    QFETCH(int, way);
    FrameFixture f;
    const std::string dump = f.WriteDump("bank.syx", 2);
    f.Trigger("mnuPresetNew");
    f.TypeName("Unsaved");
    const std::shared_ptr<CPreset> before = f.Frame().Preset();
    f.dialogs.QueueAnswer(MessageAnswer::Cancel);
    OpenBy(Way(way), f, dump);
    QCOMPARE(f.Messages(), std::vector<std::string>{kLoseChanges});
    QVERIFY(f.Frame().Preset() == before);
    QVERIFY(f.EditedShown());
    QCOMPARE(Recent(f).size(), std::size_t(Way(way) == Way::Recent ? 1 : 0));
  }

  // Loaded, opened and saved files enter the list, newest first, once each;
  // the submenu shows them numbered and opens the one chosen, if it is still there.
  void LoadedOpenedAndSavedFilesEnterTheList() {
    FrameFixture f;
    QVERIFY(!f.Enabled("mnuFileRecent"));
    const std::string loaded = f.WritePreset("loaded.syx", "Loaded");
    const std::string dump = f.WriteDump("dump.syx", 2);
    const std::string saved = f.dir.File("saved & kept.syx");
    f.files.opens = {loaded, dump};
    f.Trigger("mnuPresetLoad");
    f.Trigger("mnuFileOpen");
    f.Trigger("mnuPresetNew");
    f.TypeName("Saved");
    f.TriggerSaving("mnuPresetSave", saved);
    QCOMPARE(Recent(f), (std::vector<std::string>{saved, dump, loaded}));
    QCOMPARE(Captions(RecentMenu(f)), (QStringList{"&1 " + QString::fromStdString(f.dir.File("saved && kept.syx")),
                                                    "&2 " + QString::fromStdString(dump),
                                                    "&3 " + QString::fromStdString(loaded)}));
    QVERIFY(f.Enabled("mnuFileRecent"));

    ChooseRecent(f, 2);
    QCOMPARE(f.Label("lblPresetName").text(), QString("Loaded"));
    QCOMPARE(Recent(f), (std::vector<std::string>{loaded, saved, dump}));
    QVERIFY(f.Messages().empty());

    // A file that went away leaves the list with a message; the screen and
    // its edits stay and nothing is asked.
    std::filesystem::remove(dump);
    f.TypeName("Unsaved");
    ChooseRecent(f, 2);
    QCOMPARE(f.Messages(),
             std::vector<std::string>{dump + " no longer exists; it has been removed from the recent files list"});
    QCOMPARE(Recent(f), (std::vector<std::string>{loaded, saved}));
    QCOMPARE(Captions(RecentMenu(f)).size(), 2);
    QCOMPARE(f.Box("txtPresetName").text(), QString("Unsaved"));
    QVERIFY(f.EditedShown());
  }

  // Kept in the settings file, so a later run (a new store on the same
  // file) sees the same list; eight at most, a relative name made absolute.
  void TheListHoldsEightAndSurvivesARestart() {
    TempDir dir;
    const QString ini = QString::fromStdString(dir.File("lindel.ini"));
    std::vector<std::string> added;
    {
      QtSettings settings(ini);
      RecentFiles recent(settings);
      for (int i = 1; i <= 10; ++i) {
        added.push_back(dir.File("file" + std::to_string(i) + ".syx"));
        recent.Add(added.back());
      }
      recent.Add(added[5]);
      const std::filesystem::path here = std::filesystem::current_path();
      std::filesystem::current_path(dir.Path());
      recent.Add("file9.syx");
      std::filesystem::current_path(here);
    }
    QtSettings restarted(ini);
    const std::vector<std::string> expected = {added[8], added[5], added[9], added[7], added[6], added[4], added[3], added[2]};
    QCOMPARE(RecentFiles(restarted).Entries(), expected);
    RecentFiles(restarted).Remove(added[9]);
    QCOMPARE(RecentFiles(restarted).Entries().size(), std::size_t(7));
    QtSettings again(ini);
    QCOMPARE(RecentFiles(again).Entries()[2], added[7]);
  }
};

QTEST_MAIN(FileOpeningTest)
#include "FileOpeningTest.moc"
