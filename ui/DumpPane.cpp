#include "DumpPane.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "LibraryEntryMime.h"

DumpPane::DumpPane(QWidget* parent) : QWidget(parent) {
  setObjectName("pictSysExBar");
  lblDumpFile = new QLabel(this);
  lblDumpFile->setObjectName("lblDumpFile");
  lblDumpFile->setTextFormat(Qt::PlainText);
  QFont bold = lblDumpFile->font();
  bold.setBold(true);
  lblDumpFile->setFont(bold);
  lstPresets = new QListWidget(this);
  lstPresets->setObjectName("lstPresets");
  lstPresets->setSelectionMode(QAbstractItemView::SingleSelection);
  lstPresets->setUniformItemSizes(true);
  lstPresets->viewport()->setAcceptDrops(true);
  lstPresets->viewport()->installEventFilter(this);
  // Room for the widest label: "100 - " and a 20-character name.
  const QFontMetrics metrics = lstPresets->fontMetrics();
  setFixedWidth(metrics.horizontalAdvance("100 - ") + 20 * metrics.averageCharWidth() + 48);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 0, 8);
  layout->setSpacing(6);
  layout->addWidget(lblDumpFile);
  layout->addWidget(lstPresets, 1);

  connect(lstPresets, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    choosing_ = true;
    Q_EMIT entryChosen(row);
    choosing_ = false;
  });
}

void DumpPane::Fill(const QString& fileName, const QStringList& labels) {
  const QSignalBlocker quiet(lstPresets);
  lblDumpFile->setText(QFileInfo(fileName).fileName());
  lblDumpFile->setToolTip(fileName);
  lstPresets->clear();
  lstPresets->addItems(labels);
}

void DumpPane::Clear() {
  const QSignalBlocker quiet(lstPresets);
  lblDumpFile->clear();
  lstPresets->clear();
}

bool DumpPane::IsEmpty() const { return lstPresets->count() == 0; }

int DumpPane::Count() const { return lstPresets->count(); }

// The list highlights the row the user clicked or stepped to only after it
// has reported the new current row; a selection made while that report runs
// would be overwritten, so it is made again once the list is done.
void DumpPane::Select(int row) {
  SelectNow(row);
  if (choosing_) QMetaObject::invokeMethod(this, [this, row] { SelectNow(row); }, Qt::QueuedConnection);
}

void DumpPane::SelectNow(int row) {
  const QSignalBlocker quiet(lstPresets);
  lstPresets->setCurrentRow(row);
}

void DumpPane::Relabel(int row, const QString& text) {
  if (QListWidgetItem* item = lstPresets->item(row)) item->setText(text);
}

// Only library entries, and only onto a dump that is open.
bool DumpPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lstPresets->viewport()) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (drag->mimeData()->hasFormat(kLibraryEntriesMime) && !IsEmpty()) drag->acceptProposedAction();
      else drag->ignore();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::vector<int64_t> ids = DecodeLibraryEntries(*drop->mimeData());
      const QListWidgetItem* item = lstPresets->itemAt(drop->position().toPoint());
      const int row = item ? lstPresets->row(item) : Count() - 1;
      if (ids.empty() || row < 0) return true;
      drop->acceptProposedAction();
      Q_EMIT entriesDropped(row, ids);
      return true;
    }
    default:
      return QWidget::eventFilter(watched, event);
  }
}
