// Key filters of the editor's text boxes. Each one looks at the character a
// key would type (keys that type nothing, such as the arrows, pass untouched)
// and either lets it through or refuses it with a message box.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

// Accepts the characters for which accept() is true, and Backspace; any
// other character is refused with the message refusal(character).
class CharacterFilter final : public QObject {
 public:
  using Accept = std::function<bool(QChar)>;
  using Refusal = std::function<std::string(QChar)>;
  // accepted runs after a key was let through (Backspace included).
  CharacterFilter(QObject* parent, Accept accept, Refusal refusal, std::function<void()> accepted = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Accept accept_;
  Refusal refusal_;
  std::function<void()> accepted_;
};

// The character a key event would type; null for keys that type none.
QChar TypedCharacter(const QString& keyText);
bool IsBackspace(QChar c);
bool IsDigit(QChar c);
