#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() { SetDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() { SetDialogs(nullptr); }

void ScriptedDialogs::QueueAnswer(MessageAnswer answer) { answers_.emplace_back(answer); }
void ScriptedDialogs::QueueKey(DialogKey key) { answers_.emplace_back(key); }
void ScriptedDialogs::QueueText(std::string text) { answers_.emplace_back(std::move(text)); }

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
  if (const auto* key = std::get_if<DialogKey>(&next)) return *key == DialogKey::Enter ? defaultButton : EscapeAnswer(buttons);
  return defaultButton;  // text typed into a box without a text field, then Enter
}

std::optional<std::string> ScriptedDialogs::AskText(const std::string& label, const std::string& title,
                                                    const std::string& text) {
  shown_.push_back({label, title, MessageIcon::None, MessageButtons::OkCancel, MessageAnswer::Ok});
  offered_.push_back(text);
  if (!answers_.empty()) {
    if (const auto* typed = std::get_if<std::string>(&answers_.front())) {
      std::string answer = *typed;
      answers_.pop_front();
      return answer;
    }
  }
  if (NextAnswer(MessageButtons::OkCancel, MessageAnswer::Ok) != MessageAnswer::Ok) return std::nullopt;
  return text;
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
