#include "BankSlotCell.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

#include "LibraryEntryMime.h"

namespace {

struct MarkLook {
  const char* name;
  const char* background;
  const char* tip;
};

// Differences in amber, failed verifications in red, verified slots green.
constexpr MarkLook kLooks[] = {
    {"empty", "palette(window)", "Empty: the device keeps what it holds"},
    {"held", "palette(base)", "The device holds this preset"},
    {"differs", "#f6d58e", "Not on the device (or not known to be): Send Changes sends it"},
    {"verified", "#b9e3b0", "Sent and read back as sent"},
    {"mismatch", "#f0a0a0", "Sent, but the device does not hold it as sent"},
};

const MarkLook& Look(SlotMark mark) { return kLooks[static_cast<int>(mark)]; }

bool Takes(const QMimeData& data) { return data.hasFormat(kBankSlotMime) || data.hasFormat(kLibraryEntriesMime); }

}  // namespace

const char* MarkName(SlotMark mark) { return Look(mark).name; }

BankSlotCell::BankSlotCell(int slot, QWidget* parent) : QLabel(parent), slot_(slot) {
  setObjectName(QString("slot%1").arg(slot));
  setAcceptDrops(true);
  setFrameShape(QFrame::Box);
  setMargin(3);
  setMinimumSize(96, 38);
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Show({}, SlotMark::Empty);
}

void BankSlotCell::Show(const QString& name, SlotMark mark) {
  filled_ = mark != SlotMark::Empty;
  setText(QString("<b>U%1</b><br>%2").arg(slot_).arg(name.toHtmlEscaped()));
  setProperty("mark", MarkName(mark));
  setToolTip(Look(mark).tip);
  setStyleSheet(QString("BankSlotCell { background: %1; }").arg(Look(mark).background));
}

QMimeData* BankSlotCell::SlotData(int slot) {
  auto* data = new QMimeData;
  data->setData(kBankSlotMime, QByteArray::number(slot));
  return data;
}

void BankSlotCell::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressedAt_ = event->position().toPoint();
  QLabel::mousePressEvent(event);
}

void BankSlotCell::mouseMoveEvent(QMouseEvent* event) {
  const bool dragging = (event->buttons() & Qt::LeftButton) &&
                        (event->position().toPoint() - pressedAt_).manhattanLength() >= QApplication::startDragDistance();
  if (!dragging || !filled_) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(SlotData(slot_));
  drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void BankSlotCell::dragEnterEvent(QDragEnterEvent* event) {
  if (Takes(*event->mimeData())) event->acceptProposedAction();
}

void BankSlotCell::dragMoveEvent(QDragMoveEvent* event) {
  if (Takes(*event->mimeData())) event->acceptProposedAction();
}

void BankSlotCell::dropEvent(QDropEvent* event) {
  const QMimeData& data = *event->mimeData();
  if (data.hasFormat(kBankSlotMime)) {
    const bool copy = event->modifiers() & Qt::ControlModifier;
    Q_EMIT slotDropped(data.data(kBankSlotMime).toInt(), slot_, copy);
  } else if (const std::vector<int64_t> entries = DecodeLibraryEntries(data); !entries.empty()) {
    Q_EMIT entriesDropped(slot_, entries);
  } else {
    return;
  }
  event->acceptProposedAction();
}
