// A message interface for tests: records every message box (with the button
// Enter would press) and answers with queued answers: a button, or a key that
// presses what a real box would (Enter the default, Escape the escape
// button). With the queue empty it answers with the first button. A text
// question is recorded as an OK/Cancel box with its label as text; a queued
// text is typed over the one offered and accepted, Enter (or OK, or an empty
// queue) accepts the offered text, Escape (or Cancel) gives nothing.
// Installed for its lifetime, so no test ever blocks on a dialog.
#pragma once

#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "Dialogs.h"

struct ShownMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
  MessageButtons buttons;
  MessageAnswer defaultButton;
};

enum class DialogKey { Enter, Escape };

class ScriptedDialogs : public IDialogs {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                        MessageButtons buttons, std::optional<MessageAnswer> defaultButton) override;
  // Records the box like Message and the options' captions; each option
  // takes the next queued check state, or keeps its own when none is queued.
  MessageAnswer MessageWithOptions(const std::string& text, const std::string& title, MessageIcon icon,
                                   MessageButtons buttons, std::vector<MessageOption>& options,
                                   std::optional<MessageAnswer> defaultButton) override;
  std::optional<std::string> AskText(const std::string& label, const std::string& title,
                                     const std::string& text) override;

  void QueueText(std::string text);
  // The texts the text questions offered, in order.
  const std::vector<std::string>& OfferedTexts() const { return offered_; }
  // Out of line: GCC 12 sees the variant's string as uninitialized when inlined.
  void QueueAnswer(MessageAnswer answer);
  void QueueKey(DialogKey key);
  void QueueCheck(bool checked) { checks_.push_back(checked); }
  // The captions of the options offered, in order.
  const std::vector<std::string>& OptionCaptions() const { return optionCaptions_; }
  const std::vector<ShownMessage>& Shown() const { return shown_; }
  std::vector<std::string> Texts() const;
  void Clear() { shown_.clear(); }

 private:
  MessageAnswer NextAnswer(MessageButtons buttons, MessageAnswer defaultButton);

  std::deque<std::variant<MessageAnswer, DialogKey, std::string>> answers_;
  std::vector<std::string> offered_;
  std::deque<bool> checks_;
  std::vector<std::string> optionCaptions_;
  std::vector<ShownMessage> shown_;
};
