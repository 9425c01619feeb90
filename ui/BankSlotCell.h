// One slot of the Bank window's grid: its number and the name of the entry
// planned into it, coloured by how it stands against the device. It starts
// a drag of its slot and takes drops of slots and of library entries; what
// a drop does is the window's business.
#pragma once

#include <QLabel>
#include <QPoint>
#include <cstdint>
#include <vector>

class QMimeData;

// How a slot stands; the cell's "mark" property holds its name for tests.
enum class SlotMark { Empty, Held, Differs, Verified, Mismatch };
const char* MarkName(SlotMark mark);

inline constexpr const char* kBankSlotMime = "application/x-lindel-bank-slot";

class BankSlotCell final : public QLabel {
  Q_OBJECT

 public:
  BankSlotCell(int slot, QWidget* parent = nullptr);

  int Slot() const { return slot_; }
  void Show(const QString& name, SlotMark mark);
  // The data of a drag that starts at this slot.
  static QMimeData* SlotData(int slot);

 Q_SIGNALS:
  void slotDropped(int from, int to, bool copy);
  void entriesDropped(int to, std::vector<int64_t> entries);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int slot_;
  bool filled_ = false;
  QPoint pressedAt_;
};
