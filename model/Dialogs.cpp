#include "Dialogs.h"

namespace {

class QuietDialogs final : public IDialogs {
 public:
  MessageAnswer Message(const std::string&, const std::string&, MessageIcon,
                        MessageButtons buttons) override {
    switch (buttons) {
      case MessageButtons::Ok: return MessageAnswer::Ok;
      case MessageButtons::OkCancel: return MessageAnswer::Cancel;
      case MessageButtons::YesNo: return MessageAnswer::No;
      case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
  }
};

QuietDialogs quietDialogs;
IDialogs* installed = &quietDialogs;

}  // namespace

IDialogs& Dialogs() { return *installed; }

void SetDialogs(IDialogs* dialogs) { installed = dialogs ? dialogs : &quietDialogs; }

void ShowMessage(const std::string& text) { Dialogs().Message(text); }
