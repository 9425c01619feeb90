#include "QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>

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

// With checked, the box shows a check box (chkMessage) that starts there and
// leaves the user's choice there.
MessageAnswer ShowBox(const std::string& text, const std::string& title, MessageIcon icon, MessageButtons buttons,
                      const std::string& checkCaption = {}, bool* checked = nullptr) {
  QMessageBox box(BoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                  BoxButtons(buttons), QApplication::activeWindow());
  QCheckBox* check = nullptr;
  if (checked) {
    check = new QCheckBox(QString::fromStdString(checkCaption));
    check->setObjectName("chkMessage");
    check->setChecked(*checked);
    box.setCheckBox(check);
  }
  const MessageAnswer answer = Answer(box.exec());
  if (check) *checked = check->isChecked();
  return answer;
}

}  // namespace

MessageAnswer QtDialogs::Message(const std::string& text, const std::string& title, MessageIcon icon,
                                 MessageButtons buttons) {
  return ShowBox(text, title, icon, buttons);
}

MessageAnswer QtDialogs::MessageWithCheck(const std::string& text, const std::string& title, MessageIcon icon,
                                          MessageButtons buttons, const std::string& checkCaption, bool& checked) {
  return ShowBox(text, title, icon, buttons, checkCaption, &checked);
}
