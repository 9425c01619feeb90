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

// The selected row, not the current one: a list that gets the keyboard
// focus makes its first row current without selecting it.
int CListbox::ListIndex() const {
  const QListWidgetItem* item = SelectedItem();
  return item ? List().row(item) : -1;
}

void CListbox::SetListIndex(int lIndex) {
  if (lIndex < -1 || lIndex >= List().count()) {
    throw LindelError(ControlError::InvalidValue, ControlPath(List()),
                      "Invalid property value " + std::to_string(lIndex));
  }
  if (lIndex < 0) {
    List().clearSelection();
  } else {
    List().setCurrentRow(lIndex, QItemSelectionModel::ClearAndSelect);
  }
}

QString CListbox::Value() const {
  const QListWidgetItem* item = SelectedItem();
  return item ? item->text() : QString();
}

void CListbox::SetValue(const QString& text) {
  if (QListWidgetItem* item = SelectedItem()) item->setText(text);
}

int32_t CListbox::ItemData() const {
  const QListWidgetItem* item = SelectedItem();
  if (!item) throw LindelError(ControlError::NoSelection, ControlPath(List()), "Invalid property array index -1");
  return item->data(Qt::UserRole).toInt();
}

QListWidgetItem* CListbox::SelectedItem() const {
  const QList<QListWidgetItem*> selected = List().selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

QListWidget& CListbox::List() const {
  if (!list_) throw std::logic_error("CListbox used before Attach");
  return *list_;
}
