// A list box whose rows are tab-separated columns at fixed tab stops, with a
// number (item data, Qt::UserRole) behind every row. The list is used with
// single selection; its position is the selected row.
#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <initializer_list>

class QListWidget;
class QListWidgetItem;

class CListbox {
 public:
  void Attach(QListWidget& lst);
  // Columns start at the given stops, in dialog units (a quarter of the
  // font's average character width each). Returns the stops in pixels, for
  // a heading that has to line up with the rows.
  QList<int> SetTabStops(std::initializer_list<int> dialogUnits);
  void AddItem(const QString& text, int32_t itemData);

  // The selected row; -1 when none is.
  int ListIndex() const;
  // -1 clears the selection; throws LindelError InvalidValue for a row the
  // list does not have.
  void SetListIndex(int lIndex);
  // The text of the selected row; "" when none is selected.
  QString Value() const;
  // Replaces the text of the selected row; nothing when none is selected.
  void SetValue(const QString& text);
  // Throws LindelError NoSelection when no row is selected.
  int32_t ItemData() const;

 private:
  QListWidget& List() const;
  QListWidgetItem* SelectedItem() const;

  QListWidget* list_ = nullptr;
};
