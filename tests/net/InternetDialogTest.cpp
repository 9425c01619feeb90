// The database dialog against a real lindel-db-server on loopback, started
// with a temporary database and stopped at the end; a canned server stands
// in where the reply itself must be wrong.
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "CHTTPConnection.h"
#include "CannedHttpServer.h"
#include "DbServerProcess.h"
#include "ErrorLogCapture.h"
#include "FrameFixture.h"
#include "ISettings.h"
#include "PresetBuilder.h"
#include "PresetLibrary.h"
#include "RunProcess.h"
#include "ScriptedDialogs.h"
#include "SearchQuery.h"
#include "TempDir.h"
#include "dlgInternet.h"

namespace {

struct StoredPreset {
  QString name;
  QString song;
  QString description;
  std::vector<uint8_t> bytes;
};

QListWidget& List(dlgInternet& dialog) { return *dialog.findChild<QListWidget*>("lstPresets"); }

void Click(dlgInternet& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }

// Refreshes the list and loads the preset of row.
void LoadRow(dlgInternet& dialog, int row) {
  Click(dialog, "cmdRefreshList");
  List(dialog).setCurrentRow(row);
  Click(dialog, "cmdLoadPreset");
}

QStringList Rows(dlgInternet& dialog) {
  QStringList rows;
  for (int i = 0; i < List(dialog).count(); ++i) rows << List(dialog).item(i)->text();
  return rows;
}

QString Downloads(dlgInternet& dialog, int row) { return List(dialog).item(row)->text().section('\t', 3); }

QByteArray Bytes(const std::vector<uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray ImageOf(const dlgInternet& dialog) {
  const auto& image = dialog.Preset()->Image();
  return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
}

bool LogHas(const ErrorLogCapture& log, const QString& text) {
  const QStringList lines = log.Lines();
  return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.contains(text); });
}

}  // namespace

class InternetDialogTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    CHTTPConnection::SetReadPause(std::chrono::milliseconds(0));
    ImportPresets({{"Clean Strat", "Crunch Rhythm", "Caf\xC3\xA9 Blues"}}, "Intro", "Warm clean tone");
    ImportPresets({{"Lead Boost"}}, "Solo", "Long delay with a touch of hall reverb, for the last chorus");
    ImportPresets({{"Ambient Swell", "Tight Funk"}}, "Verse", "Compressor and auto-wah");
    server_ = std::make_unique<DbServerProcess>(
        DbServerProcess::Options{LINDEL_DB_SERVER, dir_.File("presets.db"), "/lindel", dir_.File("server.log"),
                                 DbServerProcess::kUnrestrictedUploads});
  }

  void cleanupTestCase() { server_.reset(); }

  void init() {
    log_.reset();  // the old capture uninstalls itself; let it go first
    log_ = std::make_unique<ErrorLogCapture>();
    settings_ = MemorySettings();
    settings_.Set("Internet", "Server", server_->Address());
    settings_.Set("Internet", "BaseURL", "/lindel");
  }

  void startsWithSettingsHeadingsAndNoPreset() {
    MemorySettings empty;
    dlgInternet dialog(empty);
    QCOMPARE(dialog.windowTitle(), QString("Internet Preset Database"));
    QCOMPARE(dialog.findChild<QLineEdit*>("txtServer")->text(), QString("127.0.0.1:8080"));
    QCOMPARE(dialog.findChild<QLineEdit*>("txtBaseURL")->text(), QString("/lindel"));
    QCOMPARE(dialog.findChild<QPlainTextEdit*>("txtLabels")->toPlainText(), QString("Name\tsong\tdescription\tDownloads"));
    QCOMPARE(List(dialog).count(), 0);
    QVERIFY(!dialog.IsPresetLoaded());
  }

  void listShowsEveryPresetWithItsColumnsAndId() {
    dlgInternet dialog(settings_);
    Click(dialog, "cmdRefreshList");
    QCOMPARE(List(dialog).count(), static_cast<int>(stored_.size()));
    for (int i = 0; i < List(dialog).count(); ++i) {
      const StoredPreset& p = stored_[static_cast<std::size_t>(i)];
      QCOMPARE(List(dialog).item(i)->text().section('\t', 0, 2), QStringList({p.name, p.song, p.description}).join('\t'));
      QCOMPARE(List(dialog).item(i)->data(Qt::UserRole).toInt(), i + 1);
    }
    QVERIFY(List(dialog).selectedItems().isEmpty());
    QVERIFY(log_->Lines().isEmpty());
    const QStringList first = Rows(dialog);
    Click(dialog, "cmdRefreshList");
    QCOMPARE(Rows(dialog), first);
    SaveScreenshot(dialog);
  }

  void loadingPutsTheExactBytesInThePresetAndCounts() {
    const int row = 3;
    dlgInternet dialog(settings_);
    dialog.show();
    Click(dialog, "cmdRefreshList");
    const int before = Downloads(dialog, row).toInt();
    LoadRow(dialog, row);
    QVERIFY(dialog.IsPresetLoaded());
    QCOMPARE(ImageOf(dialog), Bytes(stored_[row].bytes));
    QVERIFY2(!dialog.isVisible(), "a loaded preset ends the dialog");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    dlgInternet again(settings_);
    Click(again, "cmdRefreshList");
    QCOMPARE(Downloads(again, row).toInt(), before + 1);
  }

  // A body that is no preset keeps the dialog open and says why in the log;
  // bytes after a whole image are left out.
  void downloadedBodyIsChecked_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("logged");  // empty: the preset loads
    const QByteArray good = Bytes(PresetBuilder().Name("Good").Scramble(3).Bytes());
    QByteArray badEnd = good;
    badEnd.back() = 0x00;
    QTest::newRow("short text") << QByteArray("<html>Not Found</html>") << "22 bytes, shorter than a preset";
    QTest::newRow("one byte short") << good.left(614) << "614 bytes";
    QTest::newRow("zeros") << QByteArray(615, '\0') << "no G-Major preset header";
    QTest::newRow("bad checksum") << Bytes(PresetBuilder().Scramble(4).BadChecksum().Bytes()) << "bad checksum";
    QTest::newRow("bad end byte") << badEnd << "F7";
    QTest::newRow("bytes after the image") << good + "trailing bytes" << "";
  }

  void downloadedBodyIsChecked() {
    QFETCH(QByteArray, body);
    QFETCH(QString, logged);
    ScriptedDialogs messages;
    const auto& canned = Canned({CannedHttpServer::Reply("1|Odd|Song|Text|0|"), CannedHttpServer::Reply(body)});
    dlgInternet dialog(settings_);
    dialog.show();
    LoadRow(dialog, 0);
    QCOMPARE(dialog.IsPresetLoaded(), logged.isEmpty());
    QCOMPARE(dialog.isVisible(), !logged.isEmpty());
    if (logged.isEmpty()) QCOMPARE(ImageOf(dialog), body.left(615));
    QVERIFY2(logged.isEmpty() || LogHas(*log_, logged), qPrintable(log_->Lines().join('\n')));
    QCOMPARE(canned.Requests().size(), 2);
  }

  void brokenListKeepsTheRowsBeforeTheBreak() {
    Canned({CannedHttpServer::Reply("12|Clean|Intro|Warm clean tone|7|13|Lead|Solo|Boost|42|\r\n")});
    dlgInternet dialog(settings_);
    Click(dialog, "cmdRefreshList");
    QCOMPARE(Rows(dialog), QStringList({"Clean\tIntro\tWarm clean tone\t7", "Lead\tSolo\tBoost\t42"}));
    QCOMPARE(List(dialog).item(1)->data(Qt::UserRole).toInt(), 13);
    QVERIFY(LogHas(*log_, "dlgInternet.cmdRefreshList"));
    QVERIFY(LogHas(*log_, "record 3 is incomplete"));
  }

  void loadWithNoRowSelectedLogsAndSendsNothing() {
    const auto& canned = Canned({CannedHttpServer::Reply("1|A|B|C|0|")});
    dlgInternet dialog(settings_);
    dialog.show();
    Click(dialog, "cmdRefreshList");
    Click(dialog, "cmdLoadPreset");
    QCOMPARE(canned.Requests().size(), 1);
    QVERIFY(dialog.isVisible());
    QVERIFY(LogHas(*log_, "No preset selected\tdlgInternet.cmdLoadPreset"));
  }

  // Until then the old server answers; a server that is down leaves the list empty and is logged.
  void serverBoxIsUsedOnlyAfterSavingTheConfiguration() {
    const QString closed = CannedHttpServer::ClosedAddress();
    dlgInternet dialog(settings_);
    dialog.findChild<QLineEdit*>("txtServer")->setText(closed);
    dialog.findChild<QLineEdit*>("txtBaseURL")->setText("/elsewhere");
    Click(dialog, "cmdRefreshList");
    QCOMPARE(List(dialog).count(), static_cast<int>(stored_.size()));
    QCOMPARE(settings_.Get("Internet", "Server", ""), server_->Address());
    Click(dialog, "cmdConfig");
    QCOMPARE(settings_.Get("Internet", "server", ""), closed.toStdString());
    QCOMPARE(settings_.Get("Internet", "baseurl", ""), std::string("/elsewhere"));
    Click(dialog, "cmdRefreshList");
    QCOMPARE(List(dialog).count(), 0);
    QVERIFY(LogHas(*log_, "32003\tUnable to send HTTP Request\tCHTTPConnection"));
  }

  void runReturnsNothingWhenClosedAfterAFailedDownload() {
    QTimer::singleShot(0, this, [] {
      auto* dialog = qobject_cast<dlgInternet*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      Click(*dialog, "cmdRefreshList");
      List(*dialog).item(0)->setData(Qt::UserRole, 4242);
      List(*dialog).setCurrentRow(0);
      Click(*dialog, "cmdLoadPreset");
      QVERIFY(dialog->isVisible());
      QVERIFY(!dialog->IsPresetLoaded());
      Click(*dialog, "cmdClose");
    });
    QVERIFY(!RunInternetDatabase(settings_).has_value());
    QVERIFY2(LogHas(*log_, "no preset with id 4242"), qPrintable(log_->Lines().join('\n')));
  }

  // Through the main window's menu: the preset is on screen and in the library.
  void aPresetOpenedFromTheDatabaseIsKeptInTheLibrary() {
    FrameFixture f;
    f.settings.Set("Internet", "Server", server_->Address());
    f.settings.Set("Internet", "BaseURL", "/lindel");
    QTimer::singleShot(0, this, [] {
      auto* dialog = qobject_cast<dlgInternet*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      LoadRow(*dialog, 1);
    });
    f.Trigger("mnuToolsIPD");
    QCOMPARE(f.Frame().NameOnScreen().trimmed(), stored_[1].name);
    const PresetLibrary kept(qEnvironmentVariable("LINDEL_LIBRARY").toStdString());
    const std::vector<EntryRow> rows = kept.Search(ParseSearch({}));
    QCOMPARE(rows.size(), std::size_t{1});
    const std::optional<LibraryEntry> entry = kept.Entry(rows[0].id);
    QCOMPARE(entry->sources.size(), std::size_t{1});
    QCOMPARE(entry->sources[0].kind, std::string("internet"));
    QCOMPARE(entry->sources[0].detail, std::string("2"));
    QCOMPARE(Bytes({entry->image.begin(), entry->image.end()}), Bytes(stored_[1].bytes));
  }

 private:
  // A canned server answering with replies, in place of the real one.
  const CannedHttpServer& Canned(std::initializer_list<QByteArray> replies) {
    canned_ = std::make_unique<CannedHttpServer>();
    for (const QByteArray& reply : replies) canned_->Queue(reply);
    settings_.Set("Internet", "Server", canned_->Address().toStdString());
    return *canned_;
  }

  // Imports one file of presets named names through the server's own command.
  void ImportPresets(const QStringList& names, const char* song, const char* description) {
    std::vector<uint8_t> file;
    for (const QString& name : names) {
      const auto bytes = PresetBuilder().Name(name.toStdString()).Number(101).Scramble(stored_.size() + 1).Bytes();
      stored_.push_back({name, song, description, bytes});
      file.insert(file.end(), bytes.begin(), bytes.end());
    }
    const std::string path = dir_.File("import" + std::to_string(stored_.size()) + ".syx");
    WriteBytes(path, file);
    const ProcessResult r = RunProcess(
        {LINDEL_DB_SERVER, "import", "--db", dir_.File("presets.db"), "--song", song, "--description", description, path});
    QVERIFY2(r.exitCode == 0, r.err.c_str());
  }

  // For checking the look by eye: LINDEL_SHOT_DIR=/some/folder.
  static void SaveScreenshot(dlgInternet& dialog) {
    const QString folder = qEnvironmentVariable("LINDEL_SHOT_DIR");
    if (folder.isEmpty()) return;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    List(dialog).setCurrentRow(1);
    QVERIFY(dialog.grab().save(folder + "/dlgInternet.png"));
  }

  TempDir dir_;
  std::vector<StoredPreset> stored_;
  std::unique_ptr<DbServerProcess> server_;
  std::unique_ptr<CannedHttpServer> canned_;
  std::unique_ptr<ErrorLogCapture> log_;
  MemorySettings settings_;
};

QTEST_MAIN(InternetDialogTest)
#include "InternetDialogTest.moc"
