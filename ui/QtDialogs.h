// The program's message boxes shown with QMessageBox, over the active window.
#pragma once

#include "Dialogs.h"

class QtDialogs final : public IDialogs {
 public:
  MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                        MessageButtons buttons) override;
  MessageAnswer MessageWithCheck(const std::string& text, const std::string& title, MessageIcon icon,
                                 MessageButtons buttons, const std::string& checkCaption, bool& checked) override;
};
