#include "comboBoxUtils.h"

#include <QComboBox>
#include <QLocale>
#include <QStandardItemModel>

#include "CLog.h"
#include "CPreset.h"
#include "LindelError.h"
#include "Selection.h"

namespace {

// The fall-back of both selection operations: log, then try index 0.
void FallBackToFirst(QComboBox& list, const LindelError& err) {
  LogError(err);
  try {
    SelectListIndex(list, 0);
  } catch (const LindelError&) {
  }
}

}  // namespace

void FillCombo(QComboBox& list, const ValueList& items) {
  list.clear();
  // One insertion of ready-made items: no per-item signals on long lists.
  QList<QStandardItem*> rows;
  rows.reserve(static_cast<qsizetype>(items.size()));
  for (const ValueItem& item : items) {
    auto* row = new QStandardItem(QString::fromStdString(item.text));
    if (item.data) row->setData(*item.data, Qt::UserRole);
    rows.append(row);
  }
  static_cast<QStandardItemModel*>(list.model())->invisibleRootItem()->appendRows(rows);  // the default model
  // Qt selects the first item put into an empty list; ours start unselected.
  list.setCurrentIndex(-1);
}

void FillTextCombo(QComboBox& list, std::initializer_list<const char*> texts) {
  ValueList items;
  for (const char* text : texts) items.push_back({text, std::nullopt});
  FillCombo(list, items);
}

void FillIntegerCombo(QComboBox& list, int first, int last, const char* unit) {
  FillCombo(list, IntegerList(first, last, unit));
}

ValueList WithLocaleDecimals(ValueList items) {
  const std::string symbol = QLocale().decimalPoint().toStdString();
  for (ValueItem& item : items) {
    if (const auto point = item.text.find('.'); point != std::string::npos) item.text.replace(point, 1, symbol);
  }
  return items;
}

void SelectComboIndex(QComboBox& list, const CPreset* preset, int32_t iField, int defaultIndex) {
  try {
    int index = defaultIndex;
    if (preset) {
      const int32_t stored = preset->Value(iField);
      if (stored >= 0 && stored <= list.count() - 1) index = stored;
    }
    SelectListIndex(list, index);
  } catch (const LindelError& err) {
    FallBackToFirst(list, err);
  }
}

void SelectComboItemData(QComboBox& list, int32_t value, int defaultIndex) {
  try {
    for (int i = 0; i < list.count(); ++i) {
      if (ComboItemData(list, i) == value) {
        SelectListIndex(list, i);
        return;
      }
    }
    SelectListIndex(list, defaultIndex);
  } catch (const LindelError& err) {
    FallBackToFirst(list, err);
  }
}

int32_t ComboItemData(const QComboBox& list, int index) { return list.itemData(index).toInt(); }

int32_t SelectedItemData(const QComboBox& list) { return ComboItemData(list, SelectedIndex(list)); }
