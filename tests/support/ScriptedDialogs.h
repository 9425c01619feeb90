// A message interface for tests: records every message box and answers with
// queued answers (or the first button when the queue is empty). Installed for
// its lifetime, so no test ever blocks on a dialog.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "Dialogs.h"

struct ShownMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
  MessageButtons buttons;
};

class ScriptedDialogs : public IDialogs {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                        MessageButtons buttons) override;

  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  const std::vector<ShownMessage>& Shown() const { return shown_; }
  std::vector<std::string> Texts() const;
  void Clear() { shown_.clear(); }

 private:
  std::deque<MessageAnswer> answers_;
  std::vector<ShownMessage> shown_;
};
