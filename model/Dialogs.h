// Message boxes as an interface, so that logic can ask and tell the user
// without knowing the window toolkit. The GUI installs a QMessageBox-backed
// implementation; tests install a scripted fake; the CLI keeps the quiet
// default, which shows nothing and answers every question with its safe
// choice (No / Cancel).
#pragma once

#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kAppTitle = "Lindel editor";

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// A check box of a question: its control name, its caption and its state.
struct MessageOption {
  std::string name;
  std::string caption;
  bool checked = false;
};

// The button Enter presses: the one named, when it is among buttons, else
// the first (OK or Yes). A question that can destroy work names the safe one.
MessageAnswer DefaultAnswer(MessageButtons buttons, std::optional<MessageAnswer> named);
// The button Escape and the close button press: Cancel, else No, else OK.
MessageAnswer EscapeAnswer(MessageButtons buttons);

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  // Shows a message box and returns the button the user pressed;
  // defaultButton is the one Enter presses (see DefaultAnswer).
  virtual MessageAnswer Message(const std::string& text, const std::string& title = kAppTitle,
                                MessageIcon icon = MessageIcon::None, MessageButtons buttons = MessageButtons::Ok,
                                std::optional<MessageAnswer> defaultButton = std::nullopt) = 0;
  // The same box with a check box under the text for each option, which
  // starts as the option's checked and leaves the user's choice there.
  // Without check boxes (the quiet default) the options stay as they were.
  virtual MessageAnswer MessageWithOptions(const std::string& text, const std::string& title, MessageIcon icon,
                                           MessageButtons buttons, std::vector<MessageOption>& /*options*/,
                                           std::optional<MessageAnswer> defaultButton = std::nullopt) {
    return Message(text, title, icon, buttons, defaultButton);
  }
  // A one-line text box under label that starts with text: what the user
  // accepted (Enter or OK), nothing on Escape or Cancel. The quiet default
  // answers nothing.
  virtual std::optional<std::string> AskText(const std::string& /*label*/, const std::string& /*title*/,
                                             const std::string& /*text*/ = "") {
    return std::nullopt;
  }
};

// The program-wide message interface; never null.
IDialogs& Dialogs();
// Installs dialogs (not owned); nullptr restores the quiet default.
void SetDialogs(IDialogs* dialogs);

// Shorthand for the plain OK-only box with the application title.
void ShowMessage(const std::string& text);
