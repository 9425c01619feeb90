#include "LibraryPane.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "Dialogs.h"
#include "LibraryError.h"
#include "LibraryKeeper.h"
#include "LibraryModel.h"

LibraryPane::LibraryPane(LibraryKeeper& keeper, QWidget* parent)
    : QDockWidget("Library", parent), keeper_(keeper), model_(new LibraryModel(this)) {
  setObjectName("dockLibrary");
  auto* body = new QWidget(this);
  txtLibrarySearch = new QLineEdit(body);
  txtLibrarySearch->setObjectName("txtLibrarySearch");
  txtLibrarySearch->setPlaceholderText("Search: words, tag:NAME, fav, delay=dual, reverb:on ...");
  txtLibrarySearch->setClearButtonEnabled(true);
  lblLibraryFound = new QLabel(body);
  lblLibraryFound->setObjectName("lblLibraryFound");
  lblLibraryFound->setTextFormat(Qt::PlainText);
  tblLibrary = new QTableView(body);
  tblLibrary->setObjectName("tblLibrary");
  tblLibrary->setModel(model_);
  tblLibrary->setSortingEnabled(true);
  tblLibrary->sortByColumn(LibraryModel::Name, Qt::AscendingOrder);
  tblLibrary->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblLibrary->setSelectionMode(QAbstractItemView::ExtendedSelection);
  tblLibrary->setDragEnabled(true);
  tblLibrary->setDragDropMode(QAbstractItemView::DragOnly);
  tblLibrary->setContextMenuPolicy(Qt::CustomContextMenu);
  tblLibrary->verticalHeader()->hide();
  tblLibrary->verticalHeader()->setDefaultSectionSize(tblLibrary->fontMetrics().height() + 6);
  tblLibrary->horizontalHeader()->setStretchLastSection(true);
  tblLibrary->setColumnWidth(LibraryModel::Name, tblLibrary->fontMetrics().averageCharWidth() * 22);
  tblLibrary->setColumnWidth(LibraryModel::Favourite, tblLibrary->fontMetrics().averageCharWidth() * 5);
  tblLibrary->installEventFilter(this);

  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(txtLibrarySearch);
  layout->addWidget(tblLibrary, 1);
  layout->addWidget(lblLibraryFound);
  setWidget(body);
  // Room for a name, a few tags, the star, seven lamps and a date.
  body->setMinimumWidth(tblLibrary->fontMetrics().averageCharWidth() * 70);

  connect(txtLibrarySearch, &QLineEdit::textChanged, this, &LibraryPane::Refresh);
  connect(tblLibrary, &QTableView::doubleClicked, this, &LibraryPane::OpenCurrent);
  connect(tblLibrary, &QTableView::customContextMenuRequested, this, &LibraryPane::ShowMenu);
  connect(&keeper_, &LibraryKeeper::changed, this, [this] {
    if (isVisible()) Refresh();
  });
}

// A term that means nothing leaves the list as it was and says why.
void LibraryPane::Refresh() {
  PresetLibrary* library = keeper_.Library();
  if (!library) return;
  try {
    const SearchQuery query = ParseSearch(SplitTerms(txtLibrarySearch->text().toStdString()));
    model_->SetRows(library->Search(query));
    lblLibraryFound->setText(QString("%1 found").arg(model_->rowCount()));
  } catch (const LibraryError& e) {
    lblLibraryFound->setText(QString::fromStdString(e.what()));
  }
}

void LibraryPane::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  Refresh();
  txtLibrarySearch->setFocus();
}

bool LibraryPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tblLibrary && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OpenCurrent();
      return true;
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

void LibraryPane::OpenCurrent() {
  const QModelIndex current = tblLibrary->currentIndex();
  if (current.isValid()) Q_EMIT openRequested(model_->Row(current.row()).id);
}

std::vector<int64_t> LibraryPane::SelectedIds() const {
  QModelIndexList rows = tblLibrary->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  std::vector<int64_t> ids;
  for (const QModelIndex& index : rows) ids.push_back(model_->Row(index.row()).id);
  return ids;
}

template <typename Change>
void LibraryPane::ChangeSelected(Change change) {
  PresetLibrary* library = keeper_.Library();
  if (!library) return;
  try {
    for (const int64_t id : SelectedIds()) change(*library, id);
  } catch (const std::exception& e) {
    keeper_.Failed(e.what());
  }
  Refresh();
}

void LibraryPane::TagSelected(const QString& tag) {
  const std::vector<std::string> tags = SplitTerms(tag.toStdString());
  if (!tags.empty()) ChangeSelected([&](PresetLibrary& library, int64_t id) { library.AddTags(id, tags); });
}

void LibraryPane::FavouriteSelected(bool favourite) {
  ChangeSelected([&](PresetLibrary& library, int64_t id) { library.SetFavourite(id, favourite); });
}

void LibraryPane::RenameSelected(const QString& name) {
  if (!name.trimmed().isEmpty())
    ChangeSelected([&](PresetLibrary& library, int64_t id) { library.Rename(id, name.trimmed().toStdString()); });
}

void LibraryPane::CommentSelected(const QString& comment) {
  ChangeSelected([&](PresetLibrary& library, int64_t id) { library.SetComment(id, comment.trimmed().toStdString()); });
}

void LibraryPane::HideSelected(bool hidden) {
  ChangeSelected([&](PresetLibrary& library, int64_t id) { library.SetHidden(id, hidden); });
}

// The row under the pointer joins the selection, as in a file manager.
void LibraryPane::ShowMenu(const QPoint& at) {
  const QModelIndex index = tblLibrary->indexAt(at);
  if (!index.isValid()) return;
  if (!tblLibrary->selectionModel()->isRowSelected(index.row(), {})) tblLibrary->selectRow(index.row());
  if (const std::unique_ptr<QMenu> menu = MenuFor(index.row())) menu->exec(tblLibrary->viewport()->mapToGlobal(at));
}

std::unique_ptr<QMenu> LibraryPane::MenuFor(int row) {
  if (row < 0 || row >= model_->rowCount()) return nullptr;
  const EntryRow entry = model_->Row(row);
  auto menu = std::make_unique<QMenu>(this);
  const auto add = [&](const char* name, const QString& caption, auto work) {
    menu->addAction(caption, this, work)->setObjectName(name);
  };
  add("mnuLibraryTag", "&Tag...", [this] {
    if (const auto tags = Dialogs().AskText("Tags (separated by blanks):", "Tag")) TagSelected(QString::fromStdString(*tags));
  });
  add("mnuLibraryFavourite", entry.favourite ? "Not a &favourite" : "&Favourite",
      [this, entry] { FavouriteSelected(!entry.favourite); });
  add("mnuLibraryRename", "&Rename...", [this, entry] {
    if (const auto name = Dialogs().AskText("Name:", "Rename", entry.name)) RenameSelected(QString::fromStdString(*name));
  });
  add("mnuLibraryComment", "&Comment...", [this, entry] {
    const std::optional<LibraryEntry> full = keeper_.Library() ? keeper_.Library()->Entry(entry.id) : std::nullopt;
    if (const auto text = Dialogs().AskText("Comment:", "Comment", full ? full->comment : ""))
      CommentSelected(QString::fromStdString(*text));
  });
  // "H&ide": the H belongs to Show History.
  add("mnuLibraryHide", entry.hidden ? "&Show again" : "H&ide", [this, entry] { HideSelected(!entry.hidden); });
  menu->addSeparator();
  add("mnuLibraryExport", "&Export...", [this] { Q_EMIT exportRequested(SelectedIds()); });
  add("mnuLibraryHistory", "Show &History...", [this, entry] { Q_EMIT historyRequested(entry.id); });
  return menu;
}
