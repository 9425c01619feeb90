// The program's message boxes shown with QMessageBox, and its text
// questions with QInputDialog, over the active window.
#pragma once

#include "Dialogs.h"

class QtDialogs final : public IDialogs {
 public:
  MessageAnswer Message(const std::string& text, const std::string& title, MessageIcon icon,
                        MessageButtons buttons, std::optional<MessageAnswer> defaultButton) override;
  // Shown by OptionsQuestion, since QMessageBox holds one check box only.
  MessageAnswer MessageWithOptions(const std::string& text, const std::string& title, MessageIcon icon,
                                   MessageButtons buttons, std::vector<MessageOption>& options,
                                   std::optional<MessageAnswer> defaultButton) override;
  std::optional<std::string> AskText(const std::string& label, const std::string& title,
                                     const std::string& text) override;
};
