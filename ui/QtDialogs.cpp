#include "QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QMessageBox>

#include "OptionsQuestion.h"

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton BoxButton(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok: return QMessageBox::Ok;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton DefaultBoxButton(MessageButtons buttons, std::optional<MessageAnswer> named) {
  return BoxButton(DefaultAnswer(buttons, named));
}

// Escape and the title bar's close button answer with the box's escape
// button, which QMessageBox picks among the buttons shown (Cancel, No or OK).
MessageAnswer Answer(int button) {
  switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
  }
}

}  // namespace

MessageAnswer QtDialogs::Message(const std::string& text, const std::string& title, MessageIcon icon,
                                 MessageButtons buttons, std::optional<MessageAnswer> defaultButton) {
  QMessageBox box(BoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                  BoxButtons(buttons), QApplication::activeWindow());
  box.setDefaultButton(DefaultBoxButton(buttons, defaultButton));
  return Answer(box.exec());
}

MessageAnswer QtDialogs::MessageWithOptions(const std::string& text, const std::string& title, MessageIcon icon,
                                            MessageButtons buttons, std::vector<MessageOption>& options,
                                            std::optional<MessageAnswer> defaultButton) {
  OptionsQuestion box(QString::fromStdString(title), QString::fromStdString(text), BoxIcon(icon), BoxButtons(buttons),
                      DefaultBoxButton(buttons, defaultButton), QApplication::activeWindow());
  std::vector<QCheckBox*> checks;
  for (const MessageOption& option : options) checks.push_back(&box.AddOption(option));
  const MessageAnswer answer = Answer(box.exec());
  for (std::size_t i = 0; i < options.size(); ++i) options[i].checked = checks[i]->isChecked();
  return answer;
}

std::optional<std::string> QtDialogs::AskText(const std::string& label, const std::string& title,
                                              const std::string& text) {
  QInputDialog box(QApplication::activeWindow());
  box.setObjectName("dlgAskText");
  box.setWindowTitle(QString::fromStdString(title));
  box.setLabelText(QString::fromStdString(label));
  box.setTextValue(QString::fromStdString(text));
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  return box.textValue().toStdString();
}
