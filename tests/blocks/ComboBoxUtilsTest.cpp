// The two selection operations with their fall-backs, the locale's decimal
// point in the lists, and the rule that a value set from code raises the
// user's click signal. The lists' texts and item data are held against the
// parameter catalog (CatalogEditorTest).
#include <QCheckBox>
#include <QComboBox>
#include <QLocale>
#include <QSignalSpy>
#include <QtTest>

#include "CPreset.h"
#include "ErrorLogCapture.h"
#include "LindelError.h"
#include "PresetBuilder.h"
#include "Selection.h"
#include "comboBoxUtils.h"

class ComboBoxUtilsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Only the decimal point turns local: a frequency's "k" and a list's item data stay.
  void LocaleDecimalsReplaceThePointOnly() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const ValueList local = WithLocaleDecimals({{"20.0 sec", std::nullopt}, {"1.25 k", 7}, {"Off", 1}});
    QLocale::setDefault(previous);
    QCOMPARE(local, (ValueList{{"20,0 sec", std::nullopt}, {"1,25 k", 7}, {"Off", 1}}));
    QCOMPARE(WithLocaleDecimals({{"50.0 ms", std::nullopt}}).front().text, "50.0 ms");
  }

  void SelectComboIndexFallsBack_data() {
    QTest::addColumn<bool>("withPreset");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("defaultIndex");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("logged");
    QTest::newRow("stored value") << true << 7 << 2 << 7 << 0;
    QTest::newRow("last item") << true << 15 << 2 << 15 << 0;
    QTest::newRow("no preset") << false << 7 << 2 << 2 << 0;
    QTest::newRow("stored -1") << true << -1 << 2 << 2 << 0;
    QTest::newRow("stored count") << true << 16 << 2 << 2 << 0;
    QTest::newRow("default beyond the list") << true << 99 << 40 << 0 << 1;
  }
  void SelectComboIndexFallsBack() {
    QFETCH(bool, withPreset);
    QFETCH(int, stored);
    QFETCH(int, defaultIndex);
    ErrorLogCapture log;
    const CPreset preset = PresetBuilder().Value(169, stored).Build();
    QComboBox list;
    FillCombo(list, RatioList());
    SelectComboIndex(list, withPreset ? &preset : nullptr, 169, defaultIndex);
    QTEST(list.currentIndex(), "selected");
    QTEST(static_cast<int>(log.Lines().size()), "logged");
  }

  void SelectComboItemDataFallsBack_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("defaultIndex");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("logged");
    QTest::newRow("match") << -3 << 6 << 3 << 0;
    QTest::newRow("no match") << 9 << 6 << 6 << 0;
    QTest::newRow("first of two equal") << 77 << 0 << 1 << 0;
    QTest::newRow("default beyond the list") << 9 << 20 << 0 << 1;
  }
  void SelectComboItemDataFallsBack() {
    QFETCH(int, value);
    QFETCH(int, defaultIndex);
    ErrorLogCapture log;
    QComboBox list;
    FillIntegerCombo(list, -6, 6, "dB");
    list.setItemData(1, 77);
    list.setItemData(2, 77);
    SelectComboItemData(list, value, defaultIndex);
    QTEST(list.currentIndex(), "selected");
    QTEST(static_cast<int>(log.Lines().size()), "logged");
  }

  void FallBackOnAnEmptyListIsIgnored() {
    ErrorLogCapture log;
    QComboBox list;
    SelectComboItemData(list, 1, 0);
    SelectComboIndex(list, nullptr, 169, 0);
    QCOMPARE(list.currentIndex(), -1);
    QCOMPARE(log.Lines().size(), 2);
    QVERIFY2(log.Lines()[0].startsWith("380\t"), qPrintable(log.Lines()[0]));
  }

  void SelectedItemDataIsZeroWithoutDataAndNeedsASelection() {
    QComboBox list;
    FillTextCombo(list, {"a", "b"});
    try {
      SelectedItemData(list);
      QFAIL("no error");
    } catch (const LindelError& err) {
      QCOMPARE(err.Number(), ControlError::NoSelection);
    }
    SelectComboItemData(list, 0, 1);
    QCOMPARE(list.currentIndex(), 0);
    QCOMPARE(SelectedItemData(list), 0);
  }

  void SelectionFromCodeRaisesTheClickEveryTime() {
    QComboBox list;
    FillCombo(list, RatioList());
    QSignalSpy clicks(&list, &QComboBox::activated);
    SelectListIndex(list, 4);
    SelectListIndex(list, 4);
    SelectListIndex(list, -1);
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(clicks.at(1).at(0).toInt(), 4);
    QCOMPARE(list.currentIndex(), -1);
    QVERIFY_THROWS_EXCEPTION(LindelError, SelectListIndex(list, 16));
    QVERIFY_THROWS_EXCEPTION(LindelError, SelectListIndex(list, -2));
    QCOMPARE(clicks.count(), 3);
  }

  void CheckValueFromCodeRaisesTheClickEveryTime() {
    QCheckBox box;
    QSignalSpy clicks(&box, &QCheckBox::clicked);
    SetCheckValue(box, 1);
    SetCheckValue(box, 1);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(CheckValue(box), 1);
    SetCheckValue(box, 2);
    QCOMPARE(box.checkState(), Qt::PartiallyChecked);
    QCOMPARE(CheckValue(box), 2);
    QVERIFY_THROWS_EXCEPTION(LindelError, SetCheckValue(box, 3));
    QVERIFY_THROWS_EXCEPTION(LindelError, SetCheckValue(box, -1));
    QCOMPARE(CheckValue(box), 2);
  }
};

QTEST_MAIN(ComboBoxUtilsTest)
#include "ComboBoxUtilsTest.moc"
