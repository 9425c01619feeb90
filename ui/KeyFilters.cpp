#include "KeyFilters.h"

#include <QKeyEvent>

#include "Dialogs.h"

QChar TypedCharacter(const QString& keyText) { return keyText.size() == 1 ? keyText.front() : QChar(); }

bool IsBackspace(QChar c) { return c == QChar(8); }

bool IsDigit(QChar c) { return c >= QChar('0') && c <= QChar('9'); }

CharacterFilter::CharacterFilter(QObject* parent, Accept accept, Refusal refusal, std::function<void()> accepted)
    : QObject(parent), accept_(std::move(accept)), refusal_(std::move(refusal)), accepted_(std::move(accepted)) {}

bool CharacterFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  // Shortcuts (Ctrl+C, Ctrl+V ...) are the box's own business.
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QChar c = TypedCharacter(key->text());
  if (c.isNull() || (c.category() == QChar::Other_Control && !IsBackspace(c))) return false;
  if (IsBackspace(c) || accept_(c)) {
    if (accepted_) accepted_();
    return false;
  }
  ShowMessage(refusal_(c));
  return true;
}
