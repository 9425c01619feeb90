// The modifiers dialog (rows per block type, row texts, the Update rules,
// Changed, outputs beyond the lists), its tab-stopped list, and the About
// and splash windows.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "CListbox.h"
#include "CModifier.h"
#include "CPreset.h"
#include "ErrorLogCapture.h"
#include "LindelError.h"
#include "PresetBuilder.h"
#include "Selection.h"
#include "WhenOpen.h"
#include "dlgModifiers.h"
#include "frmAbout.h"
#include "frmSplash.h"

namespace {

constexpr int kFilterType = 229, kPitchType = 293, kChorusType = 357, kDelayType = 421, kReverbType = 485;

int32_t Packed(int modifier, int minOut, int midOut, int maxOut) {
  return modifier + minOut * 8 + midOut * 1024 + maxOut * 131072;
}

}  // namespace

class FrameDialogsTest : public QObject {
  Q_OBJECT

 private:
  CPreset preset;
  std::unique_ptr<dlgModifiers> dlg;
  std::unique_ptr<ErrorLogCapture> log;

  template <class T = QWidget>
  T& Control(const char* name) const {
    auto* widget = dlg->findChild<T*>(name);
    if (!widget) qFatal("no control %s", name);
    return *widget;
  }
  QListWidget& Rows() const { return Control<QListWidget>("lstModifiers"); }
  QStringList FirstColumn() const {
    QStringList prompts;
    for (int i = 0; i < Rows().count(); ++i) prompts << Rows().item(i)->text().section('\t', 0, 0);
    return prompts;
  }
  QList<int> ItemData() const {
    QList<int> data;
    for (int i = 0; i < Rows().count(); ++i) data << Rows().item(i)->data(Qt::UserRole).toInt();
    return data;
  }
  void Open(const CPreset& shown) {
    preset = shown;
    dlg = std::make_unique<dlgModifiers>();
    dlg->Init(preset, true, true, true, true, true);
  }
  bool UpdateEnabled() const { return Control<QPushButton>("cmdUpdate").isEnabled(); }
  int Shown(const char* list) const { return Control<QComboBox>(list).currentIndex(); }
  void Choose(const char* list, int index) { SelectListIndex(Control<QComboBox>(list), index); }

 private Q_SLOTS:
  void init() { log = std::make_unique<ErrorLogCapture>(); }
  void cleanup() {
    dlg.reset();
    log.reset();
  }

  // ---- Rows ------------------------------------------------------------------

  // The rows are the slots with a prompt for the blocks' types (the prompts
  // themselves are the model's, checked there), in slot order.
  void RowsFollowTheBlocksTypesInSlotOrder_data() {
    QTest::addColumn<QList<int>>("types");  // filter, pitch, chorus, delay, reverb
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("first types") << QList<int>{0, 0, 0, 0, 0}
                                 << QList<int>{1, 2, 6, 7, 14, 15, 16, 17, 18, 21, 22, 23, 24, 25, 26, 31, 32};
    QTest::newRow("richest types") << QList<int>{1, 3, 4, 2, 3}
                                   << QList<int>{1,  2,  3,  4,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                                 16, 17, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
    QTest::newRow("types beyond the table") << QList<int>{9, 5, 6, 3, 1} << QList<int>{31, 32};
  }
  void RowsFollowTheBlocksTypesInSlotOrder() {
    QFETCH(QList<int>, types);
    QFETCH(QList<int>, positions);
    const int typeFields[] = {kFilterType, kPitchType, kChorusType, kDelayType, kReverbType};
    PresetBuilder builder;
    for (int i = 0; i < 5; ++i) builder.Value(typeFields[i], types[i]);
    Open(builder.Build());
    QCOMPARE(ItemData(), positions);
    QStringList prompts;
    for (int position : positions) prompts << QString::fromStdString(preset.Modifiers(position)->Prompt());
    QCOMPARE(FirstColumn(), prompts);
    QCOMPARE(Rows().currentRow(), -1);
    QVERIFY(!UpdateEnabled());
  }

  void RowTextsShowModifierAndOutputsInPercent() {
    CModifier m;
    m.Create(29, kDefaultModifierValue, "FIL Mix");
    QCOMPARE(ModifierRowText(m), "FIL Mix\toff\t0%\t50%\t100%");
    m.Create(29, Packed(4, 100, 7, 0), "FIL OutLev");
    QCOMPARE(ModifierRowText(m), "FIL OutLev\tM4\t100%\t7%\t0%");

    Open(PresetBuilder().Value(29, kDefaultModifierValue).Value(33, Packed(2, 5, 60, 127)).Build());
    QCOMPARE(Rows().item(0)->text(), "FIL Mix\toff\t0%\t50%\t100%");
    QCOMPARE(Rows().item(1)->text(), "FIL OutLev\tM2\t5%\t60%\t127%");
    QCOMPARE(Control<QPlainTextEdit>("txtLabels").toPlainText(), "Parameter\tModifier\tMin Out\tMid Out\tMax Out");
    QCOMPARE(dlg->windowTitle(), "Modifier editor");

    // The captions are bold, the prompt is not.
    Rows().setCurrentRow(0);
    const std::pair<const char*, const char*> captions[] = {{"lblParam", "Parameter"}, {"Label1", "Modifier"},
                                                            {"Label2", "Min Out"},     {"Label3", "Mid Out"},
                                                            {"Label4", "Max Out"},     {"lblPrompt", "FIL Mix"}};
    for (const auto& [name, text] : captions) {
      QCOMPARE(Control<QLabel>(name).text(), QString(text));
      QCOMPARE(Control<QLabel>(name).font().bold(), std::string_view(name) != "lblPrompt");
    }
  }

  // ---- Selecting and updating ------------------------------------------------

  // A list changed before any row is chosen leaves Update off too.
  void SelectingARowShowsItsValuesAndUpdateWritesThem() {
    Open(PresetBuilder().Value(33, Packed(3, 10, 20, 30)).Build());
    Choose("cmbModifier", 1);
    QVERIFY(!UpdateEnabled());
    Rows().setCurrentRow(1);
    QCOMPARE(Control<QLabel>("lblPrompt").text(), "FIL OutLev");
    QCOMPARE(Shown("cmbModifier"), 3);
    QCOMPARE(Control<QComboBox>("cmbModifier").currentText(), "M3");
    QCOMPARE(Shown("cmbMinOut"), 10);
    QCOMPARE(Control<QComboBox>("cmbMinOut").currentText(), "10 %");
    QCOMPARE(Shown("cmbMidOut"), 20);
    QCOMPARE(Shown("cmbMaxOut"), 30);
    QVERIFY(!UpdateEnabled());
    QVERIFY(!dlg->Changed());

    // Update writes the assignment and the row.
    Rows().setCurrentRow(0);
    Choose("cmbMinOut", 25);
    QVERIFY(UpdateEnabled());
    Choose("cmbModifier", 2);
    Choose("cmbMaxOut", 90);
    Control<QPushButton>("cmdUpdate").click();
    QVERIFY(dlg->Changed());
    QVERIFY(!UpdateEnabled());
    QCOMPARE(Rows().item(0)->text(), "FIL Mix\tM2\t25%\t0%\t90%");

    Rows().setCurrentRow(1);  // away and back
    Rows().setCurrentRow(0);
    QCOMPARE(Shown("cmbModifier"), 2);
    QCOMPARE(Shown("cmbMinOut"), 25);
    QCOMPARE(Shown("cmbMaxOut"), 90);
    QVERIFY(!UpdateEnabled());

    preset.SaveModifiers();
    QCOMPARE(preset.ValueUnsigned(29), Packed(2, 25, 0, 90));
  }

  // Modifier 6 has no name: its column stays empty.
  void OutputsBeyondTheListsAreShownAndKept() {
    Open(PresetBuilder().Value(29, Packed(6, 101, 50, 127)).Build());
    QCOMPARE(Rows().item(0)->text(), "FIL Mix\t\t101%\t50%\t127%");
    Rows().setCurrentRow(0);
    QCOMPARE(Shown("cmbModifier"), -1);
    QCOMPARE(Shown("cmbMinOut"), -1);
    QCOMPARE(Shown("cmbMidOut"), 50);
    QCOMPARE(Shown("cmbMaxOut"), -1);
    QVERIFY(!UpdateEnabled());
    Choose("cmbMidOut", 60);
    Control<QPushButton>("cmdUpdate").click();
    QCOMPARE(Rows().item(0)->text(), "FIL Mix\t\t101%\t60%\t127%");
    preset.SaveModifiers();
    QCOMPARE(preset.ValueUnsigned(29), Packed(6, 101, 60, 127));
    QCOMPARE(log->Lines(), QStringList{});
  }

  void RunModifiersReportsWhetherAnythingWasUpdated() {
    for (const bool update : {false, true}) {
      CPreset edited = PresetBuilder().Build();
      WhenOpen<dlgModifiers>([update](dlgModifiers& d) {
        auto* rows = d.findChild<QListWidget*>("lstModifiers");
        rows->setCurrentRow(1);
        rows->setCurrentRow(0);
        if (update) {
          SelectListIndex(*d.findChild<QComboBox*>("cmbModifier"), 4);
          d.findChild<QPushButton*>("cmdUpdate")->click();
        }
        d.findChild<QPushButton*>("OKButton")->click();
      });
      QCOMPARE(RunModifiers(edited, true, true, true, true, true), update);
      QCOMPARE(edited.Modifiers(1)->Modifier(), update ? 4 : 0);
    }
  }

  // ---- The tab-stopped list --------------------------------------------------

  void ListboxReportsTheSelectionAndRefusesBadPositions() {
    QListWidget widget;
    CListbox list;
    list.Attach(widget);
    const QList<int> stops = list.SetTabStops({75, 115, 165, 215});
    QCOMPARE(stops.size(), 4);
    QVERIFY(stops[0] > 0 && stops[0] < stops[1] && stops[2] < stops[3]);
    list.AddItem("a\tb", 7);
    list.AddItem("c\td", 9);
    QCOMPARE(list.ListIndex(), -1);
    QCOMPARE(list.Value(), "");
    try {
      list.ItemData();
      QFAIL("item data without a selection");
    } catch (const LindelError& err) {
      QCOMPARE(err.Number(), ControlError::NoSelection);
    }
    list.SetListIndex(1);
    QCOMPARE(list.Value(), "c\td");
    QCOMPARE(list.ItemData(), 9);
    list.SetValue("e\tf");
    QCOMPARE(widget.item(1)->text(), "e\tf");
    for (int bad : {2, -2}) {
      try {
        list.SetListIndex(bad);
        QFAIL("a row the list does not have");
      } catch (const LindelError& err) {
        QCOMPARE(err.Number(), ControlError::InvalidValue);
      }
    }
    QCOMPARE(list.ListIndex(), 1);
    list.SetListIndex(-1);
    QCOMPARE(list.ListIndex(), -1);
  }

  // ---- About and splash ------------------------------------------------------

  void VersionTextsTakeTheirPartsFromTheVersion() {
    QCOMPARE(AboutVersionText({2, 10, 3, 7}), "Version 2.10  build 7");
    QCOMPARE(SplashVersionText({2, 10, 3, 7}), "Version 2.10");
  }

  void AboutShowsTheProgramsVersionAndCredits() {
    frmAbout about;
    auto text = [&](const char* name) { return about.findChild<QLabel*>(name)->text(); };
    QCOMPARE(about.windowTitle(), "About Lindel editor");
    QCOMPARE(text("lblTitle"), "Lindel editor");
    QCOMPARE(text("lblVersion"), "Version 1.5  build 66");  // the project's version in CMake
    QCOMPARE(text("lblDisclaimer"), "This software is not supported by T.C. Electronics! Use at your own risk.");
    const QStringList entries = text("lblThanks").split("\n\n");
    QCOMPARE(entries.size(), 4);
    const QStringList contributions = {
        "SysEx mapper guru, whithout which there would be no editor.",
        "testing, suggestions and logistical support, thanks for the slick BBS",
        "testing, support and suggestions", "supplied great graphics and icons"};
    for (int i = 0; i < 4; ++i) {
      const QStringList lines = entries[i].split('\n');
      QCOMPARE(lines.size(), i == 0 ? 3 : 2);
      if (i == 0) QCOMPARE(lines[0], "Thanks to");
      QVERIFY(!lines[lines.size() - 2].isEmpty());
      QCOMPARE(lines.back(), contributions[i]);
    }
    about.show();
    about.findChild<QPushButton*>("cmdOK")->click();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
  }

  void SplashShowsTheShortVersionAndGoesAtAKeyOrAClick() {
    for (bool byKey : {true, false}) {
      frmSplash splash;
      QCOMPARE(splash.findChild<QLabel*>("lblVersion")->text(), "Version 1.5");
      QCOMPARE(splash.findChild<QLabel*>("lblWarning")->text(),
               "Warning: This software is not supported by T.C. Electronics!  Use at your own risk!");
      QCOMPARE(splash.findChild<QLabel*>("lblPlatform")->text(), "Platform");
      splash.show();
      QVERIFY(QTest::qWaitForWindowExposed(&splash));
      if (byKey) {
        QTest::keyClick(&splash, Qt::Key_Space);
      } else {
        QTest::mouseClick(splash.findChild<QLabel*>("lblVersion"), Qt::LeftButton);
      }
      QVERIFY(!splash.isVisible());
    }
  }
};

QTEST_MAIN(FrameDialogsTest)
#include "FrameDialogsTest.moc"
