#include "PresetBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "CPreset.h"
#include "Dialogs.h"
#include "KeyFilters.h"

namespace {

constexpr int kNameLength = Offset::NameLength;

// The user bank shows 1 to 100 like the factory bank.
int NumberWithinBank(int number) { return number > PresetNumber::UserBase ? number - PresetNumber::UserBase : number; }

// The box shows the name without the padding the image stores (blanks, or
// zero bytes in a new preset), so that the user can type at its end;
// gathering the preset pads it again.
QString NameForBox(const std::string& name) {
  QString text = QString::fromStdString(name);
  while (text.endsWith(' ') || text.endsWith(QChar(0))) text.chop(1);
  return text;
}

}  // namespace

PresetBar::PresetBar(QWidget* parent) : QWidget(parent) {
  setObjectName("presetBar");
  BuildBoxes();
  LayOut();
}

void PresetBar::BuildBoxes() {
  txtPresetName = new QLineEdit;
  txtPresetName->setObjectName("txtPresetName");
  txtPresetName->setMaxLength(kNameLength);
  txtPresetName->setMinimumWidth(txtPresetName->fontMetrics().horizontalAdvance(QString(kNameLength, 'W')) / 2 + 60);
  txtPresetName->installEventFilter(new CharacterFilter(
      txtPresetName, [](QChar c) { return c != '~'; },
      [](QChar c) { return "Character " + QString(c).toStdString() + " is not valid in a Preset Name"; },
      [this] { Q_EMIT edited(); }));
  connect(txtPresetName, &QLineEdit::textEdited, this, [this] { Q_EMIT edited(); });

  txtPresetNumber = new QLineEdit("0");
  txtPresetNumber->setObjectName("txtPresetNumber");
  txtPresetNumber->setMaxLength(3);
  txtPresetNumber->setFixedWidth(txtPresetNumber->fontMetrics().horizontalAdvance("0000") + 16);
  txtPresetNumber->setToolTip("The user preset the preset is sent to; 0 is the edit buffer");
  txtPresetNumber->installEventFilter(new CharacterFilter(
      txtPresetNumber, IsDigit,
      [](QChar c) { return QString(c).toStdString() + " is not valid in a Preset Number"; },
      [this] { Q_EMIT edited(); }));

  lblPresetName = new QLabel;
  lblPresetName->setObjectName("lblPresetName");
  lblPresetName->setTextFormat(Qt::PlainText);
  lblPresetNumber = new QLabel;
  lblPresetNumber->setObjectName("lblPresetNumber");
  lblChanged = new QLabel("Edited");
  lblChanged->setObjectName("lblChanged");
  lblChanged->setStyleSheet("QLabel { color: #b3261e; font-weight: bold; }");
  lblChanged->hide();
}

void PresetBar::LayOut() {
  auto* nameLabel = new QLabel("&Name");
  nameLabel->setBuddy(txtPresetName);
  auto* Label1 = new QLabel("Preset #");
  Label1->setObjectName("Label1");
  Label1->setBuddy(txtPresetNumber);
  auto* loadedLabel = new QLabel("Loaded:");
  loadedLabel->setEnabled(false);
  QFont bold = lblPresetName->font();
  bold.setBold(true);
  lblPresetName->setFont(bold);
  lblPresetNumber->setFont(bold);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(10, 8, 10, 4);
  layout->setSpacing(8);
  layout->addWidget(nameLabel);
  layout->addWidget(txtPresetName);
  layout->addSpacing(12);
  layout->addWidget(Label1);
  layout->addWidget(txtPresetNumber);
  layout->addSpacing(24);
  layout->addWidget(loadedLabel);
  layout->addWidget(lblPresetNumber);
  layout->addWidget(lblPresetName);
  layout->addStretch(1);
  layout->addWidget(lblChanged);
}

void PresetBar::ShowPreset(const CPreset* preset) {
  txtPresetNumber->setText("0");
  if (!preset) {
    txtPresetName->clear();
    lblPresetNumber->clear();
    return;
  }
  const QString name = NameForBox(preset->PresetName());
  txtPresetName->setText(name);
  lblPresetName->setText(name);
  lblPresetNumber->setText(QString::number(NumberWithinBank(preset->PresetNumber())));
}

void PresetBar::SetLoaded(bool loaded) {
  for (QWidget* control : {static_cast<QWidget*>(lblPresetName), static_cast<QWidget*>(lblPresetNumber),
                           static_cast<QWidget*>(txtPresetName), static_cast<QWidget*>(txtPresetNumber)}) {
    control->setEnabled(loaded);
  }
  txtPresetName->setReadOnly(!loaded);
}

void PresetBar::SetEdited(bool edited) { lblChanged->setVisible(edited); }

void PresetBar::FocusName() { txtPresetName->setFocus(); }

QString PresetBar::Name() const { return txtPresetName->text(); }

void PresetBar::SetName(const QString& name) { txtPresetName->setText(name); }

QString PresetBar::Number() const { return txtPresetNumber->text(); }

void PresetBar::SetNumber(const QString& number) { txtPresetNumber->setText(number); }

QString PresetBar::LoadedName() const { return lblPresetName->text(); }

void PresetBar::SetLoadedName(const QString& name) { lblPresetName->setText(name); }

bool PresetBar::CheckName() {
  if (!txtPresetName->text().isEmpty()) return true;
  ShowMessage("You must enter a name for the preset");
  txtPresetName->setFocus();
  return false;
}

// Only user presets 1-100 and the edit buffer can be written to.
std::optional<int> PresetBar::TargetNumber() const {
  bool isNumber = false;
  const int number = txtPresetNumber->text().toInt(&isNumber);
  if (!isNumber || number < 0 || number > PresetNumber::UserBase) return std::nullopt;
  return number == 0 ? PresetNumber::EditBuffer : number + PresetNumber::UserBase;
}

void PresetBar::RefuseNumber() {
  txtPresetNumber->setText("0");
  ShowMessage("Invalid preset number, sent 0 to be safe");
}
