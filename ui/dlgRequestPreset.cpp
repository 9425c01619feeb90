#include "dlgRequestPreset.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Dialogs.h"
#include "KeyFilters.h"
#include "PresetLayout.h"

namespace {

constexpr int kUserBank = 1;
constexpr int kHighestNumber = 100;

}  // namespace

dlgRequestPreset::dlgRequestPreset(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgRequestPreset");
  setWindowTitle("Request Preset");
  BuildControls();
  LayOut();
}

void dlgRequestPreset::BuildControls() {
  txtPresetNumber = new QLineEdit(this);
  txtPresetNumber->setObjectName("txtPresetNumber");
  txtPresetNumber->setMaxLength(3);
  txtPresetNumber->setFixedWidth(txtPresetNumber->fontMetrics().horizontalAdvance("0000") + 16);
  txtPresetNumber->installEventFilter(new CharacterFilter(
      txtPresetNumber, IsDigit, [](QChar) { return std::string("Only type a number between 0 and 100"); }));

  optBank0 = new QRadioButton("&Factory", this);
  optBank0->setObjectName("optBank0");
  optBank1 = new QRadioButton("&User", this);
  optBank1->setObjectName("optBank1");
  optBank1->setChecked(true);
  connect(optBank0, &QRadioButton::clicked, this, [this] { bank_ = 0; });
  connect(optBank1, &QRadioButton::clicked, this, [this] { bank_ = kUserBank; });
}

void dlgRequestPreset::LayOut() {
  auto* numberLabel = new QLabel("&Preset", this);
  numberLabel->setBuddy(txtPresetNumber);
  auto* note = new QLabel("Type 0 to Request or Transmit a preset to the edit buffer on the GMajor", this);
  note->setObjectName("lblNote");
  note->setWordWrap(true);
  note->setEnabled(false);

  auto* OKButton = new QPushButton("&OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  auto* CancelButton = new QPushButton("&Cancel", this);
  CancelButton->setObjectName("CancelButton");
  connect(OKButton, &QPushButton::clicked, this, &dlgRequestPreset::OK);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

  auto* entry = new QGridLayout;
  entry->setHorizontalSpacing(10);
  entry->addWidget(numberLabel, 0, 0);
  entry->addWidget(txtPresetNumber, 0, 1);
  entry->addWidget(optBank0, 0, 3);
  entry->addWidget(optBank1, 0, 4);
  entry->setColumnMinimumWidth(2, 12);
  entry->setColumnStretch(5, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addLayout(entry);
  layout->addWidget(note);
  layout->addLayout(buttons);
  setFixedWidth(sizeHint().width() + 40);
}

bool dlgRequestPreset::RequestPreset() {
  result_ = false;
  setWindowTitle("Request Preset");
  exec();
  return result_;
}

int dlgRequestPreset::Preset() const {
  const int number = txtPresetNumber->text().toInt();
  return bank_ == kUserBank && number != 0 ? number + PresetNumber::UserBase : number;
}

// A pasted text that is no whole number gets the range message too.
void dlgRequestPreset::OK() {
  const QString text = txtPresetNumber->text();
  if (text.isEmpty()) {
    ShowMessage("No preset entered");
    return;
  }
  bool isNumber = false;
  const int number = text.toInt(&isNumber);
  if (!isNumber || number < 0 || number > kHighestNumber) {
    ShowMessage("Presets must be between 1 and 100 (or 0 for the temporary buffer)");
    return;
  }
  result_ = true;
  accept();
}
