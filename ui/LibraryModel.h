// The rows a library search found, as a table: name, tags, favourite star,
// lamps for the blocks that are on, last seen. Sorting is done here on the
// rows themselves; dragged rows carry their entry ids (LibraryEntryMime).
#pragma once

#include <QAbstractTableModel>
#include <QPixmap>
#include <map>
#include <vector>

#include "PresetLibrary.h"

class LibraryModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { Name, Tags, Favourite, Blocks, LastSeen, ColumnCount };

  explicit LibraryModel(QObject* parent = nullptr);

  void SetRows(std::vector<EntryRow> rows);
  const EntryRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;

 private:
  // One small picture per set of lamps, drawn when first shown.
  const QPixmap& Lamps(unsigned blocksOn) const;

  std::vector<EntryRow> rows_;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  mutable std::map<unsigned, QPixmap> lamps_;
};
