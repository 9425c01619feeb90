// The Qt message boxes, .syx file dialogs and settings store, driven through
// the real widgets while they are open.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "QtDialogs.h"
#include "QtFileUI.h"
#include "QtSettings.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "WhenOpen.h"

namespace {

// Types a name into the dialog and presses its accept button.
void ChooseFile(QFileDialog& dialog, const std::string& typed) {
  dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(typed));
  static_cast<QDialog&>(dialog).accept();
}

// The names the dialog's file list shows, sorted.
QStringList Listed(const QFileDialog& dialog) {
  const auto* view = dialog.findChild<QListView*>("listView");
  QStringList names;
  for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
    names << view->model()->index(row, 0, view->rootIndex()).data().toString();
  }
  names.sort();
  return names;
}

}  // namespace

class UiServicesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void MessageBoxShowsTitleTextIconAndButtons_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("expectedButtons");
    QTest::addColumn<int>("expectedIcon");
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("answer");
    QTest::newRow("plain OK") << int(MessageButtons::Ok) << int(MessageIcon::None) << int(QMessageBox::Ok)
                              << int(QMessageBox::NoIcon) << int(QMessageBox::Ok) << int(MessageAnswer::Ok);
    QTest::newRow("yes/no") << int(MessageButtons::YesNo) << int(MessageIcon::Question)
                            << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::Question)
                            << int(QMessageBox::No) << int(MessageAnswer::No);
    QTest::newRow("yes/no/cancel") << int(MessageButtons::YesNoCancel) << int(MessageIcon::Exclamation)
                                   << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                                   << int(QMessageBox::Warning) << int(QMessageBox::Cancel)
                                   << int(MessageAnswer::Cancel);
    QTest::newRow("ok/cancel") << int(MessageButtons::OkCancel) << int(MessageIcon::Critical)
                               << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Critical)
                               << int(QMessageBox::Ok) << int(MessageAnswer::Ok);
  }
  void MessageBoxShowsTitleTextIconAndButtons() {
    QFETCH(int, buttons);
    QFETCH(int, icon);
    QFETCH(int, press);
    QString title, text;
    int shownButtons = 0, shownIcon = -1;
    WhenOpen<QMessageBox>([&](QMessageBox& box) {
      title = box.windowTitle();
      text = box.text();
      shownButtons = int(box.standardButtons());
      shownIcon = int(box.icon());
      box.button(QMessageBox::StandardButton(press))->click();
    });
    QtDialogs real;
    IDialogs& dialogs = real;
    const MessageAnswer answer = dialogs.Message("Something happened", kAppTitle, MessageIcon(icon),
                                                 MessageButtons(buttons));
    QCOMPARE(title, QString("Lindel editor"));
    QCOMPARE(text, QString("Something happened"));
    QTEST(shownButtons, "expectedButtons");
    QTEST(shownIcon, "expectedIcon");
    QTEST(int(answer), "answer");
  }

  // Enter presses the named default (else the first button), Escape the
  // safe one, on a real QMessageBox, on the box with options, and on the
  // scripted fake the other tests answer with.
  void KeysPressTheDefaultOrTheEscapeButton_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("named");  // -1: none named
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    const auto row = [](const char* name, MessageButtons buttons, int named, Qt::Key key, MessageAnswer answer) {
      QTest::newRow(name) << int(buttons) << named << int(key) << int(answer);
    };
    const int none = -1;
    row("ok: enter", MessageButtons::Ok, none, Qt::Key_Return, MessageAnswer::Ok);
    row("ok: escape", MessageButtons::Ok, none, Qt::Key_Escape, MessageAnswer::Ok);
    row("ok/cancel: enter", MessageButtons::OkCancel, none, Qt::Key_Return, MessageAnswer::Ok);
    row("ok/cancel, cancel named: enter", MessageButtons::OkCancel, int(MessageAnswer::Cancel), Qt::Key_Enter,
        MessageAnswer::Cancel);
    row("ok/cancel: escape", MessageButtons::OkCancel, int(MessageAnswer::Ok), Qt::Key_Escape, MessageAnswer::Cancel);
    row("yes/no: enter", MessageButtons::YesNo, none, Qt::Key_Return, MessageAnswer::Yes);
    row("yes/no, no named: enter", MessageButtons::YesNo, int(MessageAnswer::No), Qt::Key_Return, MessageAnswer::No);
    row("yes/no: escape", MessageButtons::YesNo, none, Qt::Key_Escape, MessageAnswer::No);
    row("yes/no/cancel, no named: enter", MessageButtons::YesNoCancel, int(MessageAnswer::No), Qt::Key_Return,
        MessageAnswer::No);
    row("yes/no/cancel: escape", MessageButtons::YesNoCancel, int(MessageAnswer::No), Qt::Key_Escape,
        MessageAnswer::Cancel);
    row("yes/no, ok named (not shown): enter", MessageButtons::YesNo, int(MessageAnswer::Ok), Qt::Key_Return,
        MessageAnswer::Yes);
  }
  void KeysPressTheDefaultOrTheEscapeButton() {
    QFETCH(int, buttons);
    QFETCH(int, named);
    QFETCH(int, key);
    const std::optional<MessageAnswer> defaultButton =
        named < 0 ? std::nullopt : std::optional<MessageAnswer>(MessageAnswer(named));
    const auto pressKey = [key] {
      QWidget* box = QApplication::activeModalWidget();
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, Qt::Key(key));
    };
    const auto ask = [&](IDialogs& dialogs, bool withOptions) {
      std::vector<MessageOption> options{{"chkA", "A", false}};
      return withOptions ? dialogs.MessageWithOptions("Sure?", "Title", MessageIcon::Question, MessageButtons(buttons),
                                                      options, defaultButton)
                         : dialogs.Message("Sure?", "Title", MessageIcon::Question, MessageButtons(buttons),
                                           defaultButton);
    };
    QtDialogs real;
    for (const bool withOptions : {false, true}) {
      WhenOpen<QDialog>([&](QDialog&) { pressKey(); });
      QTEST(int(ask(real, withOptions)), "answer");
    }
    ScriptedDialogs fake;
    fake.QueueKey(key == Qt::Key_Escape ? DialogKey::Escape : DialogKey::Enter);
    QTEST(int(ask(fake, false)), "answer");
  }

  void SyxDialogsOfferSysExFirstAndAskBeforeReplacing() {
    QFileDialog save;
    ConfigureSyxDialog(save, SyxDialogMode::Save);
    QCOMPARE(save.nameFilters(), (QStringList{"SysEx (*.syx)", "all files (*.*)"}));
    QCOMPARE(save.selectedNameFilter(), QString("SysEx (*.syx)"));
    QCOMPARE(save.defaultSuffix(), QString("syx"));
    QCOMPARE(save.acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!save.testOption(QFileDialog::DontConfirmOverwrite));
    QFileDialog open;
    ConfigureSyxDialog(open, SyxDialogMode::Open);
    QCOMPARE(open.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(open.fileMode(), QFileDialog::AnyFile);  // a missing file is the caller's to report
  }

  // Chosen in the list of file types, as the user does.
  void AllFilesListsNamesWithoutADot_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QStringList>("listed");
    const QStringList all{"README", "bank.syx", "notes.txt"};
    QTest::newRow("open, SysEx") << int(SyxDialogMode::Open) << 0 << QStringList{"bank.syx"};
    QTest::newRow("open, all files") << int(SyxDialogMode::Open) << 1 << all;
    QTest::newRow("save, all files") << int(SyxDialogMode::Save) << 1 << all;
  }
  void AllFilesListsNamesWithoutADot() {
    QFETCH(int, mode);
    QFETCH(int, filter);
    QFETCH(QStringList, listed);
    TempDir dir;
    for (const char* name : {"README", "bank.syx", "notes.txt"}) WriteBytes(dir.File(name), {0xF0});
    QFileDialog dialog;
    ConfigureSyxDialog(dialog, SyxDialogMode(mode));
    dialog.setDirectory(QString::fromStdString(dir.Path().string()));
    dialog.show();
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    QVERIFY(types);
    types->setFocus();
    for (int i = 0; i < filter; ++i) QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(dialog.selectedNameFilter(), dialog.nameFilters()[filter]);
    QTRY_COMPARE(Listed(dialog), listed);
  }

  void SaveDialogAddsTheSuffixAndTrimsTheChoiceAndCancelGivesNothing() {
    TempDir dir;
    WhenOpen<QFileDialog>([&](QFileDialog& d) { ChooseFile(d, dir.File("bank")); });
    QtFileUI files;
    QCOMPARE(QString::fromStdString(files.GetSaveFile(nullptr)), QString::fromStdString(dir.File("bank.syx")));
    QCOMPARE(TrimmedChoice("  /tmp/a b.syx "), QString("/tmp/a b.syx"));
    WhenOpen<QFileDialog>([](QFileDialog& d) { d.reject(); });
    QCOMPARE(files.GetOpenFile(nullptr), std::string());
  }

  void SaveDialogAsksAgainForAMissingFolder() {
    ScriptedDialogs messages;
    TempDir dir;
    WhenOpen<QFileDialog>([&](QFileDialog& d) {
      ChooseFile(d, dir.File("missing/x.syx"));
      WhenOpen<QFileDialog>([](QFileDialog& again) { again.reject(); });
    });
    QtFileUI files;
    QCOMPARE(files.GetSaveFile(nullptr), std::string());
    QCOMPARE(messages.Shown().size(), size_t(1));
    QVERIFY(messages.Texts()[0].find("missing") != std::string::npos);
  }

  // Hand-written files are read and their keys replaced whatever the case.
  void SettingsIgnoreTheCaseOfKeysAndKeepSubSections() {
    TempDir dir;
    const QString file = QString::fromStdString(dir.File("Lindel.ini"));
    const std::string handWritten = "[MIDI]\nMIDI_IN=1\n";
    WriteBytes(file.toStdString(), {handWritten.begin(), handWritten.end()});
    {
      QtSettings settings(file);
      QCOMPARE(settings.Get("midi", "midi_in", "0"), std::string("1"));
      settings.Set("Midi", "Midi_In", "2");
      settings.Set("MIDIController\\xpression", "value", "42");
    }
    QSettings raw(file, QSettings::IniFormat);
    QCOMPARE(raw.allKeys().size(), 2);
    QCOMPARE(raw.value("MIDI/MIDI_IN").toString(), QString("2"));  // replaced in its own spelling
    QtSettings reopened(file);
    QCOMPARE(reopened.Get("midi", "Midi_in", "0"), std::string("2"));
    QCOMPARE(reopened.Get("midicontroller\\XPRESSION", "Value", "0"), std::string("42"));
    QCOMPARE(reopened.Get("MIDI", "OutDevice", "none"), std::string("none"));
    QCOMPARE(reopened.Get("MIDIController", "value", "none"), std::string("none"));  // sub-sections are apart
  }
};

QTEST_MAIN(UiServicesTest)
#include "UiServicesTest.moc"
