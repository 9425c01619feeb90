// Quicker ways to reach a value list's items than scrolling its drop-down:
// typing a value ("350", "350 ms", "-12", "1.5k") and Enter picks the nearest
// item, Escape drops what was typed; the wheel moves one item a notch (ten
// with Ctrl); Up/Down one item, PgUp/PgDn ten, Home/End the ends. Every
// settled value goes through SelectListIndex, so it raises the list's click
// handling once, exactly as a pick from the drop-down does. One filter serves
// all lists of a window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QKeyEvent;
class QWheelEvent;

// Moves the selection to index clamped to the list; raises the click
// handling once when the selection changes, not at all when it stays.
void SettleListIndex(QComboBox& list, int index);

class FastEntry final : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  void Install(QComboBox& list);
  // What has been typed into list and not yet entered ("" for none).
  QString Typed(const QComboBox& list) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Key(QComboBox& list, const QKeyEvent& key);
  bool TypedKey(QComboBox& list, const QKeyEvent& key);
  bool MoveKey(QComboBox& list, const QKeyEvent& key);
  bool Wheel(QComboBox& list, const QWheelEvent& wheel);
  void ShowTyped(QComboBox& list);
  void DropTyped();

  QPointer<QComboBox> typingList_;
  QString typed_;
  int wheelRemainder_ = 0;
};
