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
  // Records the box like Message and the options' captions; each option
  // takes the next queued check state, or keeps its own when none is queued.
  MessageAnswer MessageWithOptions(const std::string& text, const std::string& title, MessageIcon icon,
                                   MessageButtons buttons, std::vector<MessageOption>& options) override;

  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  void QueueCheck(bool checked) { checks_.push_back(checked); }
  // The captions of the options offered, in order.
  const std::vector<std::string>& OptionCaptions() const { return optionCaptions_; }
  const std::vector<ShownMessage>& Shown() const { return shown_; }
  std::vector<std::string> Texts() const;
  void Clear() { shown_.clear(); }

 private:
  std::deque<MessageAnswer> answers_;
  std::deque<bool> checks_;
  std::vector<std::string> optionCaptions_;
  std::vector<ShownMessage> shown_;
};
