#include "OptionsQuestion.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QMessageBox::StandardButton EscapeButton(QMessageBox::StandardButtons buttons) {
  if (buttons.testFlag(QMessageBox::Cancel)) return QMessageBox::Cancel;
  if (buttons.testFlag(QMessageBox::No)) return QMessageBox::No;
  return QMessageBox::Ok;
}

// The picture QMessageBox shows for icon; null for none.
QPixmap IconPicture(QMessageBox::Icon icon, const QStyle& style) {
  QStyle::StandardPixmap picture;
  switch (icon) {
    case QMessageBox::Information: picture = QStyle::SP_MessageBoxInformation; break;
    case QMessageBox::Warning: picture = QStyle::SP_MessageBoxWarning; break;
    case QMessageBox::Critical: picture = QStyle::SP_MessageBoxCritical; break;
    case QMessageBox::Question: picture = QStyle::SP_MessageBoxQuestion; break;
    default: return {};
  }
  const int size = style.pixelMetric(QStyle::PM_MessageBoxIconSize);
  return style.standardIcon(picture).pixmap(size, size);
}

}  // namespace

OptionsQuestion::OptionsQuestion(const QString& title, const QString& text, QMessageBox::Icon icon,
                                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                                 QWidget* parent)
    : QDialog(parent), escape_(EscapeButton(buttons)) {
  setObjectName("OptionsQuestion");
  setWindowTitle(title);
  auto* picture = new QLabel(this);
  picture->setPixmap(IconPicture(icon, *style()));
  picture->setAlignment(Qt::AlignTop);
  auto* message = new QLabel(text, this);
  message->setObjectName("lblMessage");
  message->setWordWrap(false);
  options_ = new QVBoxLayout;
  options_->setSpacing(6);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::StandardButtons(int(buttons)), this);
  connect(buttons_, &QDialogButtonBox::clicked, this,
          [this](QAbstractButton* button) { done(buttons_->standardButton(button)); });
  SetDefault(defaultButton);

  auto* column = new QVBoxLayout;
  column->setSpacing(14);
  column->addWidget(message);
  column->addLayout(options_);
  auto* top = new QHBoxLayout;
  top->setSpacing(14);
  top->addWidget(picture);
  top->addLayout(column, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 12);
  layout->setSpacing(18);
  layout->addLayout(top);
  layout->addWidget(buttons_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QCheckBox& OptionsQuestion::AddOption(const MessageOption& option) {
  auto* check = new QCheckBox(QString::fromStdString(option.caption), this);
  check->setObjectName(QString::fromStdString(option.name));
  check->setChecked(option.checked);
  options_->addWidget(check);
  return *check;
}

// As QMessageBox does: the default button also starts with the focus, so
// Enter presses it until the user moves the focus to another button.
void OptionsQuestion::SetDefault(QMessageBox::StandardButton defaultButton) {
  auto* push = qobject_cast<QPushButton*>(buttons_->button(QDialogButtonBox::StandardButton(defaultButton)));
  if (!push) return;
  push->setDefault(true);
  push->setFocus();
}

void OptionsQuestion::reject() { done(escape_); }
