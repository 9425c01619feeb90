#include "CListbox.h"

#include <QListWidget>
#include <stdexcept>
#include <string>

#include "LindelError.h"
#include "Selection.h"
#include "TabStopColumns.h"

void CListbox::Attach(QListWidget& lst) { list_ = &lst; }

QList<int> CListbox::SetTabStops(std::initializer_list<int> dialogUnits) {
  const QList<int> stops = TabStopsInPixels(List().fontMetrics(), dialogUnits);
  List().setItemDelegate(new TabStopDelegate(stops, &List()));
  return stops;
}

void CListbox::AddItem(const QString& text, int32_t itemData) {
  auto* item = new QListWidgetItem(text, &List());
  item->setData(Qt::UserRole, itemData);
}

int CListbox::ListIndex() const { return List().currentRow(); }

void CListbox::SetListIndex(int lIndex) {
  if (lIndex < -1 || lIndex >= List().count()) {
    throw LindelError(ControlError::InvalidValue, ControlPath(List()), "Invalid property value " + std::to_string(lIndex));
  }
  List().setCurrentRow(lIndex);
}

QString CListbox::Value() const {
  const QListWidgetItem* item = List().currentItem();
  return item ? item->text() : QString();
}

void CListbox::SetValue(const QString& text) {
  if (QListWidgetItem* item = List().currentItem()) item->setText(text);
}

int32_t CListbox::ItemData() const {
  const QListWidgetItem* item = List().currentItem();
  if (!item) throw LindelError(ControlError::NoSelection, ControlPath(List()), "Invalid property array index -1");
  return item->data(Qt::UserRole).toInt();
}

QListWidget& CListbox::List() const {
  if (!list_) throw std::logic_error("CListbox used before Attach");
  return *list_;
}
