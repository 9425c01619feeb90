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
  // Records the box like Message and the check box's caption; the check box
  // takes the next queued state, or keeps its start state when none is queued.
  MessageAnswer MessageWithCheck(const std::string& text, const std::string& title, MessageIcon icon,
                                 MessageButtons buttons, const std::string& checkCaption, bool& checked) override;

  void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
  void QueueCheck(bool checked) { checks_.push_back(checked); }
  const std::vector<std::string>& CheckCaptions() const { return checkCaptions_; }
  const std::vector<ShownMessage>& Shown() const { return shown_; }
  std::vector<std::string> Texts() const;
  void Clear() { shown_.clear(); }

 private:
  std::deque<MessageAnswer> answers_;
  std::deque<bool> checks_;
  std::vector<std::string> checkCaptions_;
  std::vector<ShownMessage> shown_;
};
