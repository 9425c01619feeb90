#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() { SetDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() { SetDialogs(nullptr); }

MessageAnswer ScriptedDialogs::Message(const std::string& text, const std::string& title, MessageIcon icon,
                                       MessageButtons buttons, std::optional<MessageAnswer> defaultButton) {
  const MessageAnswer enter = DefaultAnswer(buttons, defaultButton);
  shown_.push_back({text, title, icon, buttons, enter});
  return NextAnswer(buttons, enter);
}

MessageAnswer ScriptedDialogs::NextAnswer(MessageButtons buttons, MessageAnswer defaultButton) {
  if (answers_.empty()) return DefaultAnswer(buttons, std::nullopt);
  const auto next = answers_.front();
  answers_.pop_front();
  if (const auto* answer = std::get_if<MessageAnswer>(&next)) return *answer;
  return std::get<DialogKey>(next) == DialogKey::Enter ? defaultButton : EscapeAnswer(buttons);
}

MessageAnswer ScriptedDialogs::MessageWithOptions(const std::string& text, const std::string& title, MessageIcon icon,
                                                  MessageButtons buttons, std::vector<MessageOption>& options,
                                                  std::optional<MessageAnswer> defaultButton) {
  for (MessageOption& option : options) {
    optionCaptions_.push_back(option.caption);
    if (checks_.empty()) continue;
    option.checked = checks_.front();
    checks_.pop_front();
  }
  return Message(text, title, icon, buttons, defaultButton);
}

std::vector<std::string> ScriptedDialogs::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : shown_) texts.push_back(m.text);
  return texts;
}
