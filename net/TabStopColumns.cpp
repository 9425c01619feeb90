#include "TabStopColumns.h"

#include <QApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextOption>

namespace {

// Gap left between a column's text and the next stop.
constexpr int kColumnGap = 8;

// At most count columns: tabs after the last stop stay in the last column.
QStringList SplitColumns(const QString& text, qsizetype count) {
  QStringList columns = text.split('\t');
  while (columns.size() > count) columns[count - 1] += ' ' + columns.takeAt(count);
  return columns;
}

}  // namespace

QList<int> TabStopsInPixels(const QFontMetrics& metrics, std::initializer_list<int> dialogUnits) {
  QList<int> pixels;
  for (int units : dialogUnits) pixels.append(units * metrics.averageCharWidth() / 4);
  return pixels;
}

void SetTextTabStops(QPlainTextEdit& edit, const QList<int>& stopsPx) {
  QTextOption option = edit.document()->defaultTextOption();
  option.setWrapMode(QTextOption::NoWrap);
  option.setTabArray(QList<qreal>(stopsPx.begin(), stopsPx.end()));
  edit.document()->setDefaultTextOption(option);
  edit.document()->setDocumentMargin(kColumnTextMargin);
}

TabStopDelegate::TabStopDelegate(QList<int> stopsPx, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(stopsPx)) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  const QWidget* widget = item.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

  const bool selected = item.state & QStyle::State_Selected;
  const QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  painter->save();
  painter->setFont(item.font);
  painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  const QRect area = item.rect.adjusted(kColumnTextMargin, 0, -kColumnTextMargin, 0);
  const QStringList columns = SplitColumns(text, stops_.size() + 1);
  for (qsizetype i = 0; i < columns.size(); ++i) {
    const int left = area.left() + (i == 0 ? 0 : stops_[i - 1]);
    const int right = i < stops_.size() ? area.left() + stops_[i] - kColumnGap : area.right();
    if (left >= area.right() || right <= left) break;
    const QRect cell(left, area.top(), right - left, area.height());
    painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                      item.fontMetrics.elidedText(columns[i], Qt::ElideRight, cell.width()));
  }
  painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QSize size = QStyledItemDelegate::sizeHint(option, index);
  return {size.width(), size.height() + kRowPadding};
}
