#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() { SetDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() { SetDialogs(nullptr); }

MessageAnswer ScriptedDialogs::Message(const std::string& text, const std::string& title, MessageIcon icon,
                                       MessageButtons buttons) {
  shown_.push_back({text, title, icon, buttons});
  if (!answers_.empty()) {
    const MessageAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel: return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
  }
  return MessageAnswer::Ok;
}

MessageAnswer ScriptedDialogs::MessageWithOptions(const std::string& text, const std::string& title, MessageIcon icon,
                                                  MessageButtons buttons, std::vector<MessageOption>& options) {
  for (MessageOption& option : options) {
    optionCaptions_.push_back(option.caption);
    if (checks_.empty()) continue;
    option.checked = checks_.front();
    checks_.pop_front();
  }
  return Message(text, title, icon, buttons);
}

std::vector<std::string> ScriptedDialogs::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : shown_) texts.push_back(m.text);
  return texts;
}
