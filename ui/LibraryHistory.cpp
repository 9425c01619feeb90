#include "LibraryHistory.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

namespace {

enum Column { Name, Id, Tags, LastSeen, ColumnCount };

}  // namespace

dlgLibraryHistory::dlgLibraryHistory(const std::vector<EntryRow>& lineage, int64_t asked,
                                     std::function<bool(int64_t)> open, QWidget* parent)
    : QDialog(parent), open_(std::move(open)) {
  setObjectName("dlgLibraryHistory");
  setWindowTitle("Library History");
  tvwHistory = new QTreeWidget(this);
  tvwHistory->setObjectName("tvwHistory");
  tvwHistory->setColumnCount(ColumnCount);
  tvwHistory->setHeaderLabels({"Name", "Entry", "Tags", "Last seen"});
  tvwHistory->setRootIsDecorated(true);
  tvwHistory->setUniformRowHeights(true);
  auto* buttons = new QDialogButtonBox(this);
  cmdOpen = buttons->addButton("&Open", QDialogButtonBox::AcceptRole);
  cmdOpen->setObjectName("cmdOpen");
  cmdOpen->setDefault(true);
  buttons->addButton(QDialogButtonBox::Close)->setObjectName("cmdClose");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tvwHistory, 1);
  layout->addWidget(buttons);
  Fill(lineage, asked);
  const int em = fontMetrics().averageCharWidth();
  tvwHistory->setColumnWidth(Name, em * 30);
  tvwHistory->setColumnWidth(Id, em * 8);
  tvwHistory->setColumnWidth(Tags, em * 16);
  resize(em * 84, fontMetrics().height() * 18);

  // Enter reaches the default button; the tree's own activation would open twice.
  connect(cmdOpen, &QPushButton::clicked, this, &dlgLibraryHistory::OpenChosen);
  connect(tvwHistory, &QTreeWidget::itemDoubleClicked, this, &dlgLibraryHistory::OpenChosen);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// The lineage comes parents first, so each version's parent item is there
// before it; a version whose parent was purged starts a tree of its own.
void dlgLibraryHistory::Fill(const std::vector<EntryRow>& lineage, int64_t asked) {
  std::map<int64_t, QTreeWidgetItem*> items;
  for (const EntryRow& row : lineage) {
    const auto parent = row.parent ? items.find(*row.parent) : items.end();
    auto* item = parent == items.end() ? new QTreeWidgetItem(tvwHistory) : new QTreeWidgetItem(parent->second);
    item->setText(Name, QString::fromStdString(row.name) + (row.favourite ? " *" : ""));
    item->setText(Id, QString::number(row.id));
    item->setText(Tags, QString::fromStdString(row.tags));
    item->setText(LastSeen, QDateTime::fromSecsSinceEpoch(row.lastSeen).toString("yyyy-MM-dd hh:mm"));
    item->setData(Name, Qt::UserRole, QVariant::fromValue<qlonglong>(row.id));
    if (row.id == asked) {
      QFont bold = item->font(Name);
      bold.setBold(true);
      for (int column = 0; column < ColumnCount; ++column) item->setFont(column, bold);
      tvwHistory->setCurrentItem(item);
    }
    items[row.id] = item;
  }
  tvwHistory->expandAll();
}

void dlgLibraryHistory::OpenChosen() {
  const QTreeWidgetItem* chosen = tvwHistory->currentItem();
  if (chosen && open_(chosen->data(Name, Qt::UserRole).toLongLong())) accept();
}
