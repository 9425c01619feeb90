// Tab-separated columns at fixed tab stops, given in dialog units as the
// database list's layout is: a quarter of the font's average character
// width each, so the columns grow with the font and the screen's scale.
#pragma once

#include <QList>
#include <QStyledItemDelegate>

#include <initializer_list>

class QFontMetrics;
class QPlainTextEdit;

// Space kept free before the text of a row and of the heading, in pixels.
inline constexpr int kColumnTextMargin = 6;
// Extra height of a row over its text, so the rows read as a table.
inline constexpr int kRowPadding = 6;

QList<int> TabStopsInPixels(const QFontMetrics& metrics, std::initializer_list<int> dialogUnits);

// Shows a text box's tab-separated text with its tabs at the given stops.
void SetTextTabStops(QPlainTextEdit& edit, const QList<int>& stopsPx);

// Paints each tab-separated column of an item at its stop, eliding the text
// that would run into the next column.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  TabStopDelegate(QList<int> stopsPx, QObject* parent);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QList<int> stops_;
};
