// The list fillers, the two selection operations with their fall-backs, and
// the rule that a value set from code raises the user's click signal.
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

 private:
  static QStringList Texts(const QComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
    return texts;
  }

 private Q_SLOTS:
  // The texts themselves are the value lists' (tested with them); here: the
  // item data, the clearing and the lack of a selection after filling.
  void FillersGiveTheTablesTextsAndData_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QVariant>("lastData");
    QTest::newRow("frequency 0..60") << 0 << 61 << "19.95 Hz" << "Off" << QVariant(60);
    QTest::newRow("frequency 34..54") << 1 << 21 << "1.00 k" << "10.0 k" << QVariant(54);
    QTest::newRow("time 13..23") << 2 << 11 << "50 ms" << "2.0 s" << QVariant(23);
    QTest::newRow("width") << 3 << 14 << "0.2" << "4.0" << QVariant(16);
    QTest::newRow("ratio") << 4 << 16 << "Off" << "inf:1" << QVariant();
    QTest::newRow("integer, no unit") << 5 << 201 << "-100 " << "100 " << QVariant(100);
    QTest::newRow("text") << 6 << 3 << "Slow" << "Fast" << QVariant();
  }
  void FillersGiveTheTablesTextsAndData() {
    QFETCH(int, which);
    QComboBox list;
    list.addItem("left over");
    switch (which) {
      case 0: FillFrequencyCombo(list, 0, 60); break;
      case 1: FillFrequencyCombo(list, 34, 54); break;
      case 2: FillTimeCombo(list, 13, 23); break;
      case 3: FillWidthCombo(list); break;
      case 4: FillRatioCombo(list); break;
      case 5: FillIntegerCombo(list, -100, 100, ""); break;
      case 6: FillTextCombo(list, {"Slow", "Medium", "Fast"}); break;
    }
    QTEST(list.count(), "count");
    QTEST(list.itemText(0), "first");
    QTEST(list.itemText(list.count() - 1), "last");
    QTEST(list.itemData(list.count() - 1), "lastData");
    QCOMPARE(list.currentIndex(), -1);
  }

  void AppendingFillersKeepWhatIsThere() {
    QComboBox list;
    FillFineFrequencyCombo(list, 25, 240);
    FillFineFrequencyCombo(list, 25, 241);
    QCOMPARE(list.count(), 2 * 217);
    QCOMPARE(list.currentIndex(), -1);

    QComboBox selected;
    FillTextCombo(selected, {"a", "b"});
    SelectListIndex(selected, 1);
    FillDecimalCombo(selected, 0, 1, 0.5f, "s");
    QCOMPARE(Texts(selected), (QStringList{"a", "b", "0.0 s", "0.5 s", "1.0 s"}));
    QCOMPARE(selected.currentIndex(), 1);
  }

  void DecimalListUsesTheLocalesDecimalSymbol() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QComboBox list;
    FillDecimalCombo(list, 0, 20, 0.1f, "sec");
    QLocale::setDefault(previous);
    QCOMPARE(list.count(), 201);
    QCOMPARE(list.itemText(200), QString("20,0 sec"));
    QCOMPARE(list.itemText(1), QString("0,1 sec"));
    QVERIFY(!list.itemData(5).isValid());

    QComboBox english;
    FillDecimalCombo(english, 0, 50, 0.1f, "ms");
    QCOMPARE(english.count(), 501);
    QCOMPARE(english.itemText(500), QString("50.0 ms"));
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
    FillRatioCombo(list);
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

  void ItemWithoutDataCountsAsZero() {
    QComboBox list;
    FillTextCombo(list, {"a", "b"});
    SelectComboItemData(list, 0, 1);
    QCOMPARE(list.currentIndex(), 0);
    QCOMPARE(SelectedItemData(list), 0);
  }

  void SelectedItemDataNeedsASelection() {
    QComboBox list;
    FillIntegerCombo(list, 0, 3, "%");
    try {
      SelectedItemData(list);
      QFAIL("no error");
    } catch (const LindelError& err) {
      QCOMPARE(err.Number(), ControlError::NoSelection);
    }
  }

  void SelectionFromCodeRaisesTheClickEveryTime() {
    QComboBox list;
    FillRatioCombo(list);
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
