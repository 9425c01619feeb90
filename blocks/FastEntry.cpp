#include "FastEntry.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "ListNumbers.h"
#include "Selection.h"

namespace {

constexpr int kPageItems = 10;
constexpr int kWheelNotch = 120;  // angle delta of one notch, in eighths of a degree

bool StartsNumber(QChar c) { return c.isDigit() || c == '-' || c == '+' || c == '.' || c == ','; }
bool ContinuesNumber(QChar c) { return StartsNumber(c) || c.isLetter() || c == ' ' || c == '%' || c == ':'; }

}  // namespace

void SettleListIndex(QComboBox& list, int index) {
  if (list.count() == 0) return;
  index = std::clamp(index, 0, list.count() - 1);
  if (index != list.currentIndex()) SelectListIndex(list, index);
}

void FastEntry::Install(QComboBox& list) { list.installEventFilter(this); }

QString FastEntry::Typed(const QComboBox& list) const { return typingList_ == &list ? typed_ : QString(); }

bool FastEntry::eventFilter(QObject* watched, QEvent* event) {
  auto* list = qobject_cast<QComboBox*>(watched);
  if (!list || !list->isEnabled()) return false;
  switch (event->type()) {
    case QEvent::KeyPress: return Key(*list, static_cast<const QKeyEvent&>(*event));
    case QEvent::Wheel: return Wheel(*list, static_cast<const QWheelEvent&>(*event));
    case QEvent::FocusOut:
      if (typingList_ == list) DropTyped();
      return false;
    default: return false;
  }
}

bool FastEntry::Key(QComboBox& list, const QKeyEvent& key) {
  if (key.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) return false;
  return TypedKey(list, key) || MoveKey(list, key);
}

bool FastEntry::TypedKey(QComboBox& list, const QKeyEvent& key) {
  const bool typing = typingList_ == &list && !typed_.isEmpty();
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!typing) return false;
      if (const int nearest = NearestItem(list, typed_); nearest >= 0) SettleListIndex(list, nearest);
      DropTyped();
      return true;
    case Qt::Key_Escape:
      if (!typing) return false;
      DropTyped();
      return true;
    case Qt::Key_Backspace:
      if (!typing) return false;
      typed_.chop(1);
      typed_.isEmpty() ? DropTyped() : ShowTyped(list);
      return true;
    default: break;
  }
  const QString text = key.text();
  if (text.size() != 1) return false;
  // Letters alone keep the list's own search by first letter ("D" for Dual).
  if (!(typing ? ContinuesNumber(text[0]) : StartsNumber(text[0]))) return false;
  if (!typing) typingList_ = &list;
  typed_ += text;
  ShowTyped(list);
  return true;
}

bool FastEntry::MoveKey(QComboBox& list, const QKeyEvent& key) {
  const int at = list.currentIndex();
  switch (key.key()) {
    case Qt::Key_Up: SettleListIndex(list, at - 1); return true;
    case Qt::Key_Down: SettleListIndex(list, at + 1); return true;
    case Qt::Key_PageUp: SettleListIndex(list, at - kPageItems); return true;
    case Qt::Key_PageDown: SettleListIndex(list, at + kPageItems); return true;
    case Qt::Key_Home: SettleListIndex(list, 0); return true;
    case Qt::Key_End: SettleListIndex(list, list.count() - 1); return true;
    default: return false;
  }
}

// Turning away from the user moves down the list, as in the drop-down; a
// touchpad's small deltas add up to whole notches.
bool FastEntry::Wheel(QComboBox& list, const QWheelEvent& wheel) {
  wheelRemainder_ += wheel.angleDelta().y();
  const int notches = wheelRemainder_ / kWheelNotch;
  wheelRemainder_ -= notches * kWheelNotch;
  const int step = (wheel.modifiers() & Qt::ControlModifier) ? kPageItems : 1;
  if (notches != 0) SettleListIndex(list, list.currentIndex() - notches * step);
  return true;
}

void FastEntry::ShowTyped(QComboBox& list) {
  QToolTip::showText(list.mapToGlobal(QPoint(0, list.height())), typed_ + QStringLiteral(" \u21b5"), &list);
}

void FastEntry::DropTyped() {
  if (typingList_) QToolTip::hideText();
  typingList_ = nullptr;
  typed_.clear();
}
