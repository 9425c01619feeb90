#include "dlgMidiSetup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>

#include "CFile.h"
#include "PresetLayout.h"

namespace {

// A bulk dump from the G-Major holds its 100 user presets.
constexpr int kPresetsInBulkDump = 100;

void FillDeviceList(QComboBox& list, const std::vector<std::string>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    list.addItem(QString::fromStdString(names[i]), static_cast<int>(i));
  }
}

int PresetsInFile(const CFile& file) {
  return static_cast<int>((file.Size() + static_cast<int64_t>(kPresetSize) - 1) / static_cast<int64_t>(kPresetSize));
}

}  // namespace

dlgMidiSetup::dlgMidiSetup(MidiSystem& system, ISettings& settings, QWidget* parent)
    : QDialog(parent), transfer_(system, pump_, settings) {
  setObjectName("dlgMidiSetup");
  setWindowTitle("MIDI Setup");
  BuildControls();
  LayOut();
  FillDeviceLists();
  ShowSelection();
  transfer_.SetListener(this);
}

dlgMidiSetup::~dlgMidiSetup() { transfer_.SetListener(nullptr); }

void dlgMidiSetup::BuildControls() {
  cmbInput = new QComboBox(this);
  cmbInput->setObjectName("cmbInput");
  cmbOutput = new QComboBox(this);
  cmbOutput->setObjectName("cmbOutput");
  for (QComboBox* list : {cmbInput, cmbOutput}) {
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setMinimumContentsLength(28);
  }
  lblDisplay = new QLabel(this);
  lblDisplay->setObjectName("lblDisplay");
  lblDisplay->setMinimumWidth(lblDisplay->fontMetrics().horizontalAdvance("Waiting... Press Bulk Dump on the G-Major"));
  prgDump = new QProgressBar(this);
  prgDump->setObjectName("prgDump");
  prgDump->setFormat("%v of %m");
  prgDump->setMaximumWidth(140);
  prgDump->hide();
  OKButton = new QPushButton("&OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setDefault(true);
  CancelButton = new QPushButton("&Cancel", this);
  CancelButton->setObjectName("CancelButton");

  connect(cmbInput, &QComboBox::activated, this, [this](int position) { transfer_.SelectInput(position); });
  connect(cmbOutput, &QComboBox::activated, this, [this](int position) { transfer_.SelectOutput(position); });
  connect(OKButton, &QPushButton::clicked, this, [this] { transfer_.OK(); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { transfer_.Cancel(); });
}

void dlgMidiSetup::LayOut() {
  auto* inputLabel = new QLabel("&Input device", this);
  inputLabel->setBuddy(cmbInput);
  auto* outputLabel = new QLabel("&Output Device", this);
  outputLabel->setBuddy(cmbOutput);

  auto* devices = new QGridLayout;
  devices->setHorizontalSpacing(10);
  devices->setVerticalSpacing(8);
  devices->addWidget(inputLabel, 0, 0);
  devices->addWidget(cmbInput, 0, 1);
  devices->addWidget(outputLabel, 1, 0);
  devices->addWidget(cmbOutput, 1, 1);
  devices->setColumnStretch(1, 1);

  auto* status = new QHBoxLayout;
  status->addWidget(lblDisplay, 1);
  status->addWidget(prgDump);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKButton);
  buttons->addWidget(CancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addLayout(devices);
  layout->addLayout(status);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The lists are never refreshed while the program runs.
void dlgMidiSetup::FillDeviceLists() {
  FillDeviceList(*cmbInput, transfer_.Devices().Inputs());
  FillDeviceList(*cmbOutput, transfer_.Devices().Outputs());
}

// Positions without a device (a stored one that no longer exists) show no
// selection, as the engine holds them.
void dlgMidiSetup::ShowSelection() {
  const MidiDeviceChoice& devices = transfer_.Devices();
  cmbInput->setCurrentIndex(devices.InputPosition());
  cmbOutput->setCurrentIndex(devices.OutputPosition());
}

bool dlgMidiSetup::SetupMidi() {
  transfer_.BeginSetup();
  ShowSelection();
  prgDump->hide();
  exec();
  return transfer_.Result();
}

// A second transfer leaves the window to the running one: the engine
// refuses it and says so.
template <class Run>
bool dlgMidiSetup::RunTransfer(int expectedPresets, Run run) {
  if (busy_) return run();
  ShowProgress(expectedPresets);
  const QScopedValueRollback running(busy_, true);
  show();
  return run();
}

bool dlgMidiSetup::RequestPreset(CPreset& Preset, int iPreset) {
  return RunTransfer(0, [&] { return transfer_.RequestPreset(Preset, iPreset); });
}

bool dlgMidiSetup::TransmitPreset(CPreset& Preset) {
  return RunTransfer(0, [&] { return transfer_.TransmitPreset(Preset); });
}

bool dlgMidiSetup::ReceiveSysEx(CFile& File) {
  return RunTransfer(kPresetsInBulkDump, [&] { return transfer_.ReceiveSysEx(File); });
}

bool dlgMidiSetup::SendSysEx(CFile& File) {
  return RunTransfer(PresetsInFile(File), [&] { return transfer_.SendSysEx(File); });
}

// expectedPresets 0: no dump, no bar.
void dlgMidiSetup::ShowProgress(int expectedPresets) {
  prgDump->setVisible(expectedPresets > 0);
  prgDump->setRange(0, std::max(expectedPresets, 1));
  prgDump->setValue(0);
}

void dlgMidiSetup::reject() { transfer_.Cancel(); }

void dlgMidiSetup::StatusChanged(const std::string& text) { lblDisplay->setText(QString::fromStdString(text)); }

void dlgMidiSetup::CancelCaptionChanged(const std::string& caption) {
  CancelButton->setText(QString::fromStdString(caption));
}

void dlgMidiSetup::ControlsEnabledChanged(bool enabled) {
  cmbInput->setEnabled(enabled);
  cmbOutput->setEnabled(enabled);
  OKButton->setEnabled(enabled);
}

// A dump larger than expected stretches the bar rather than overflowing it.
void dlgMidiSetup::DumpProgress(int presets) {
  if (presets > prgDump->maximum()) prgDump->setMaximum(presets);
  prgDump->setValue(presets);
}

void dlgMidiSetup::Refused(const Refusal& refusal) { ShowRefusal(refusal); }

void dlgMidiSetup::RunEnded() { done(transfer_.Result() ? QDialog::Accepted : QDialog::Rejected); }
