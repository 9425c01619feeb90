#include "Dialogs.h"

#include "Refusal.h"

namespace {

bool Offers(MessageButtons buttons, MessageAnswer answer) {
  switch (buttons) {
    case MessageButtons::Ok: return answer == MessageAnswer::Ok;
    case MessageButtons::OkCancel: return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
    case MessageButtons::YesNo: return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    case MessageButtons::YesNoCancel: return answer != MessageAnswer::Ok;
  }
  return false;
}

// Shows nothing and answers as Escape would: the safe choice.
class QuietDialogs final : public IDialogs {
 public:
  MessageAnswer Message(const std::string&, const std::string&, MessageIcon, MessageButtons buttons,
                        std::optional<MessageAnswer>) override {
    return EscapeAnswer(buttons);
  }
};

QuietDialogs quietDialogs;
IDialogs* installed = &quietDialogs;

}  // namespace

MessageAnswer DefaultAnswer(MessageButtons buttons, std::optional<MessageAnswer> named) {
  if (named && Offers(buttons, *named)) return *named;
  return Offers(buttons, MessageAnswer::Ok) ? MessageAnswer::Ok : MessageAnswer::Yes;
}

MessageAnswer EscapeAnswer(MessageButtons buttons) {
  if (Offers(buttons, MessageAnswer::Cancel)) return MessageAnswer::Cancel;
  if (Offers(buttons, MessageAnswer::No)) return MessageAnswer::No;
  return MessageAnswer::Ok;
}

IDialogs& Dialogs() { return *installed; }

void SetDialogs(IDialogs* dialogs) { installed = dialogs ? dialogs : &quietDialogs; }

void ShowMessage(const std::string& text) { Dialogs().Message(text); }

void ShowRefusal(const std::optional<Refusal>& refusal) {
  if (refusal) Dialogs().Message(refusal->text, refusal->title);
}
