#include "dlgReadPresets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "SimulatedGMajor.h"

namespace {

QString Label(int number) { return QString::fromStdString(PresetLabel(number)); }

}  // namespace

dlgReadPresets::dlgReadPresets(MidiSystem& system, QWidget* parent) : QDialog(parent), reader_(system, pump_) {
  setObjectName("dlgReadPresets");
  setWindowModality(Qt::ApplicationModal);
  BuildControls();
  reader_.SetListener(this);
}

dlgReadPresets::~dlgReadPresets() { reader_.SetListener(nullptr); }

void dlgReadPresets::BuildControls() {
  lblDisplay = new QLabel(this);
  lblDisplay->setObjectName("lblDisplay");
  lblDisplay->setMinimumWidth(lblDisplay->fontMetrics().horizontalAdvance("Asking for U100 again (retry 2 of 2)") + 20);
  prgRead = new QProgressBar(this);
  prgRead->setObjectName("prgRead");
  prgRead->setFormat("%v of %m");
  CancelButton = new QPushButton("&Cancel", this);
  CancelButton->setObjectName("CancelButton");
  connect(CancelButton, &QPushButton::clicked, this, [this] { reader_.Cancel(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addWidget(lblDisplay);
  layout->addWidget(prgRead);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

PresetReadResult dlgReadPresets::Read(const QString& caption, int input, int output, const std::vector<int>& numbers) {
  setWindowTitle(caption);
  lblDisplay->setText("Opening ports");
  prgRead->setRange(0, std::max(static_cast<int>(numbers.size()), 1));
  prgRead->setValue(0);
  show();
  const PresetReadResult result = reader_.Read(input, output, numbers);
  hide();
  return result;
}

void dlgReadPresets::Refused(const Refusal& refusal) { ShowRefusal(refusal); }

void dlgReadPresets::Requesting(int number, int attempt, int done, int /*total*/) {
  const int retries = reader_.Retries();
  lblDisplay->setText(attempt == 1 ? "Reading " + Label(number)
                                   : QString("Asking for %1 again (retry %2 of %3)").arg(Label(number)).arg(attempt - 1).arg(retries));
  prgRead->setValue(done);
}

void dlgReadPresets::reject() { reader_.Cancel(); }
