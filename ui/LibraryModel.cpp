#include "LibraryModel.h"

#include <QDateTime>
#include <QMimeData>
#include <QPainter>
#include <algorithm>
#include <cctype>
#include <set>

#include "LibraryEntryMime.h"
#include "SoundSummary.h"

namespace {

constexpr int kLamp = 8;  // pixels across one lamp
constexpr int kLampGap = 3;

// Names hold the device's characters, ASCII for the letters that have a
// case, so they compare without a text conversion per comparison.
bool NameBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) < std::tolower(y);
  });
}

// The column's order of two rows; names compare without regard to case.
bool Before(const EntryRow& a, const EntryRow& b, int column) {
  switch (column) {
    case LibraryModel::Name:
      return NameBefore(a.name, b.name);
    case LibraryModel::Tags:
      return a.tags < b.tags;
    case LibraryModel::Favourite:
      return a.favourite < b.favourite;
    case LibraryModel::Blocks:
      return a.blocksOn < b.blocksOn;
    default:
      return a.lastSeen < b.lastSeen;
  }
}

QString Names(unsigned blocksOn) {
  QStringList names;
  const auto blocks = LibraryBlocks();
  for (size_t i = 0; i < blocks.size(); ++i) {
    if (blocksOn & (1u << i)) names << QString::fromUtf8(blocks[i].name.data(), static_cast<int>(blocks[i].name.size()));
  }
  return names.isEmpty() ? QString("no block on") : names.join(", ");
}

}  // namespace

LibraryModel::LibraryModel(QObject* parent) : QAbstractTableModel(parent) {}

void LibraryModel::SetRows(std::vector<EntryRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  if (sortColumn_ >= 0) sort(sortColumn_, sortOrder_);
  endResetModel();
}

int LibraryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LibraryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant LibraryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const EntryRow& row = Row(index.row());
  if (role == Qt::UserRole) return QVariant::fromValue<qlonglong>(row.id);
  const int column = index.column();
  if (role == Qt::DisplayRole) {
    switch (column) {
      case Name: return QString::fromStdString(row.name).trimmed();
      case Tags: return QString::fromStdString(row.tags);
      case Favourite: return row.favourite ? QString::fromUtf8("\u2605") : QString();
      case LastSeen: return QDateTime::fromSecsSinceEpoch(row.lastSeen).toString("yyyy-MM-dd hh:mm");
      default: return {};
    }
  }
  if (column == Blocks && role == Qt::DecorationRole) return Lamps(row.blocksOn);
  if (column == Blocks && role == Qt::ToolTipRole) return Names(row.blocksOn);
  if (column == Favourite && role == Qt::TextAlignmentRole) return Qt::AlignCenter;
  return {};
}

QVariant LibraryModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kHeaders[] = {"Name", "Tags", "Fav", "Blocks on", "Last seen"};
  return section >= 0 && section < ColumnCount ? QString(kHeaders[section]) : QVariant();
}

void LibraryModel::sort(int column, Qt::SortOrder order) {
  sortColumn_ = column;
  sortOrder_ = order;
  Q_EMIT layoutAboutToBeChanged();
  std::stable_sort(rows_.begin(), rows_.end(), [column, order](const EntryRow& a, const EntryRow& b) {
    return order == Qt::AscendingOrder ? Before(a, b, column) : Before(b, a, column);
  });
  Q_EMIT layoutChanged();
}

Qt::ItemFlags LibraryModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | (index.isValid() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
}

QStringList LibraryModel::mimeTypes() const { return {kLibraryEntriesMime}; }

// One id per row, in the rows' order, however many cells are selected.
QMimeData* LibraryModel::mimeData(const QModelIndexList& indexes) const {
  std::set<int> rows;
  for (const QModelIndex& index : indexes) rows.insert(index.row());
  QByteArray lines;
  for (int row : rows) lines += QByteArray::number(static_cast<qlonglong>(Row(row).id)) + '\n';
  auto* data = new QMimeData;
  data->setData(kLibraryEntriesMime, lines);
  return data;
}

const QPixmap& LibraryModel::Lamps(unsigned blocksOn) const {
  auto it = lamps_.find(blocksOn);
  if (it != lamps_.end()) return it->second;
  const int count = static_cast<int>(LibraryBlocks().size());
  QPixmap picture(count * (kLamp + kLampGap), kLamp + 2);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < count; ++i) {
    const bool on = blocksOn & (1u << i);
    painter.setPen(QColor(on ? "#1f6e1f" : "#9a9a9a"));
    painter.setBrush(QColor(on ? "#3fd13f" : "#e4e4e4"));
    painter.drawEllipse(QRectF(i * (kLamp + kLampGap) + 0.5, 1.5, kLamp - 1, kLamp - 1));
  }
  return lamps_.emplace(blocksOn, picture).first->second;
}
