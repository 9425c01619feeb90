#include "dlgController.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CLog.h"
#include "ExpressionPedal.h"
#include "FootSwitchIcon.h"
#include "ISettings.h"
#include "LindelError.h"
#include "Selection.h"
#include "TextBoxes.h"

namespace {

// Settings sections and keys.
constexpr const char* kSection = "MIDIController";
constexpr const char* kPedalSection = "MIDIController\\xpression";
constexpr const char* kChannelKey = "Channel";
constexpr const char* kProgramKey = "PC";
constexpr const char* kControllerKey = "CC";
// Written in lower case and read capitalised: the store ignores the case.
constexpr const char* kValueWriteKey = "value";
constexpr const char* kValueReadKey = "Value";
constexpr const char* kMinKey = "Min";
constexpr const char* kMaxKey = "Max";

// The toolkit's number for a stored text that is no number.
constexpr int kTypeMismatch = 13;
constexpr int kChannels = 16;

// n = 1-5, k = 1-5.
std::string SetupSection(int n) { return std::string(kSection) + "\\preset" + std::to_string(n); }
std::string ControllerSection(int n, int k) { return SetupSection(n) + "\\CC" + std::to_string(k); }

int ParseChannel(const std::string& text) {
  bool ok = false;
  const int channel = QString::fromStdString(text).trimmed().toInt(&ok);
  if (!ok) throw LindelError(kTypeMismatch, "dlgController.LoadSettings", "Type mismatch");
  return channel;
}

std::string TextOf(const QLineEdit& txt) { return txt.text().toStdString(); }
std::string NumberOf(const QLineEdit& txt) { return std::to_string(Txt2Byte(txt, 0)); }

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QString ArrayName(const QString& name, int i) { return QString("%1(%2)").arg(name).arg(i); }

QLineEdit* MakeNumberBox(const QString& name, QWidget* parent) {
  auto* txt = new QLineEdit(parent);
  txt->setObjectName(name);
  txt->setAlignment(Qt::AlignCenter);
  txt->setFixedWidth(txt->fontMetrics().horizontalAdvance("00000") + 12);
  SelectAllOnFocus(*txt);
  return txt;
}

QLabel* MakeLabel(const QString& caption, QWidget* parent, QWidget* buddy = nullptr) {
  auto* label = new QLabel(caption, parent);
  if (buddy) label->setBuddy(buddy);
  return label;
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// A read-out in the style of a unit's LED display.
QLabel* MakeDisplay(const char* name, int pointSize, QWidget* parent) {
  auto* display = new QLabel(parent);
  display->setObjectName(name);
  display->setAlignment(Qt::AlignCenter);
  QFont font("monospace", pointSize, QFont::Bold);
  font.setStyleHint(QFont::Monospace);
  display->setFont(font);
  display->setMinimumWidth(QFontMetrics(font).horizontalAdvance("000") + 24);
  display->setStyleSheet("QLabel { background: #1d1f22; color: #ff4a3d; border: 1px solid #0c0d0e;"
                         " border-radius: 4px; padding: 2px 8px; }");
  return display;
}

}  // namespace

dlgController::dlgController(MidiSystem& system, ControllerSender::DevicePosition outputDevice,
                             ISettings& settings, IEventPump& pump, QWidget* parent)
    : QDialog(parent), settings_(settings), sender_(system, std::move(outputDevice), pump) {
  setObjectName("dlgController");
  setWindowTitle("MIDI Controler");

  auto* setupRow = new QHBoxLayout;
  for (int i = 0; i < kSetups; ++i) setupRow->addWidget(BuildSetup(i));
  setupRow->addWidget(BuildPedal());

  auto* page = new QVBoxLayout(this);
  page->addLayout(BuildTopRow());
  page->addLayout(setupRow);
  page->addLayout(BuildButtons());
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  ConnectControls();
  setups_[0].cmdPS->setFocus();
  txtMin->setText("0");
  txtMax->setText("127");
  LoadSettings();
}

dlgController::~dlgController() {
  if (isVisible()) SaveSettings();
}

QLayout* dlgController::BuildTopRow() {
  cmbChannel = new QComboBox(this);
  cmbChannel->setObjectName("cmbChannel");
  for (int channel = 1; channel <= kChannels; ++channel) cmbChannel->addItem(QString::number(channel));
  cmbChannel->setCurrentIndex(-1);
  lblDisplay = MakeDisplay("lblDisplay", 20, this);
  lblDisplay->setText("--");

  auto* row = new QHBoxLayout;
  row->addWidget(MakeLabel("&Channel", this, cmbChannel));
  row->addWidget(cmbChannel);
  row->addStretch();
  row->addWidget(lblDisplay);
  return row;
}

QWidget* dlgController::BuildSetup(int i) {
  SetupControls& s = setups_[i];
  s.framePreset = new QGroupBox(QString(" P %1 ").arg(i + 1), this);
  s.framePreset->setObjectName(ArrayName("framePreset", i));
  QGroupBox* frame = s.framePreset;

  s.txtPC1 = MakeNumberBox(ArrayName("txtPC1", i), frame);
  AcceptDigitsOnly(*s.txtPC1);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(6);
  grid->addWidget(MakeLabel("PC1", frame, s.txtPC1), 0, 0);
  grid->addWidget(s.txtPC1, 0, 1);
  grid->addWidget(MakeLabel("Value", frame), 1, 2, Qt::AlignHCenter | Qt::AlignBottom);
  for (int k = 0; k < kSetupControllers; ++k) {
    s.txtCC[k] = MakeNumberBox(ArrayName(QString("txtCC%1").arg(k + 1), i), frame);
    s.txtCCV[k] = MakeNumberBox(ArrayName(QString("txtCCV%1").arg(k + 1), i), frame);
    grid->addWidget(MakeLabel(QString("CC%1").arg(k + 1), frame, s.txtCC[k]), k + 2, 0);
    grid->addWidget(s.txtCC[k], k + 2, 1);
    grid->addWidget(s.txtCCV[k], k + 2, 2);
  }

  s.cmdPS = new QPushButton(frame);
  s.cmdPS->setObjectName(ArrayName("cmdPS", i));
  s.cmdPS->setAutoDefault(false);
  s.cmdPS->setIcon(FootSwitchIcon());
  s.cmdPS->setIconSize(QSize(40, 40));
  s.cmdPS->setToolTip(QString("Send set-up %1").arg(i + 1));
  s.cmdPS->setMinimumHeight(56);
  grid->setRowMinimumHeight(kSetupControllers + 2, 8);
  grid->addWidget(s.cmdPS, kSetupControllers + 3, 0, 1, 3);
  grid->setRowStretch(kSetupControllers + 2, 1);
  return frame;
}

QWidget* dlgController::BuildPedal() {
  auto* frame = new QGroupBox("Pedal", this);
  frame->setObjectName("framePedal");
  xpressionPedal = new ExpressionPedal(frame);
  xpressionPedal->setObjectName("xpressionPedal");
  xpressionPedal->setMinimumHeight(150);
  txtMax = MakeNumberBox("txtMax", frame);
  txtMin = MakeNumberBox("txtMin", frame);
  txtCCxp = MakeNumberBox("txtCCxp", frame);
  lblXpression = MakeDisplay("lblXpression", 14, frame);
  lblXpression->setText("--");

  auto* grid = new QGridLayout(frame);
  grid->addWidget(MakeLabel("Max", frame, txtMax), 0, 0);
  grid->addWidget(txtMax, 0, 1);
  grid->addWidget(xpressionPedal, 1, 1, Qt::AlignHCenter);
  grid->addWidget(MakeLabel("Min", frame, txtMin), 2, 0);
  grid->addWidget(txtMin, 2, 1);
  grid->addWidget(MakeLabel("CC", frame, txtCCxp), 3, 0);
  grid->addWidget(txtCCxp, 3, 1);
  grid->addWidget(lblXpression, 4, 0, 1, 2);
  grid->setRowStretch(1, 1);
  return frame;
}

QLayout* dlgController::BuildButtons() {
  cmdSave = MakeButton("&Save", "cmdSave", this);
  cmdClose = MakeButton("&Close", "cmdClose", this);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(cmdSave);
  row->addWidget(cmdClose);
  return row;
}

void dlgController::ConnectControls() {
  for (int i = 0; i < kSetups; ++i) {
    connect(setups_[i].cmdPS, &QPushButton::clicked, this, [this, i] { sendValues(i); });
  }
  connect(txtMax, &QLineEdit::textChanged, this, [this] { xpressionPedal->SetTop(Txt2Byte(*txtMax, 0)); });
  connect(txtMin, &QLineEdit::textChanged, this, [this] { xpressionPedal->SetBottom(Txt2Byte(*txtMin, 0)); });
  connect(xpressionPedal, &ExpressionPedal::moved, this, &dlgController::SendPedal);
  connect(cmdSave, &QPushButton::clicked, this, &dlgController::SaveSettings);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
}

void dlgController::done(int result) {
  if (sending_) {
    closePending_ = true;
    return;
  }
  SaveSettings();
  QDialog::done(result);
}

ControllerSetup dlgController::ReadSetup(int i) const {
  const SetupControls& s = setups_[i];
  ControllerSetup setup;
  setup.program = Txt2Byte(*s.txtPC1, 0);
  for (int k = 0; k < kSetupControllers; ++k) setup.controllers[k] = Txt2Byte(*s.txtCC[k], 0);
  for (int k = 0; k < kSetupControllers; ++k) setup.values[k] = Txt2Byte(*s.txtCCV[k], 0);
  return setup;
}

void dlgController::sendValues(int i) {
  if (sending_) return;
  sending_ = true;
  lblDisplay->setText(QString("0%1").arg(i + 1));
  lblDisplay->repaint();
  try {
    const ControllerSetup setup = ReadSetup(i);
    sender_.SendSetup(setup, static_cast<uint8_t>(SelectedIndex(*cmbChannel)));
  } catch (const LindelError& e) {
    LogError(e);
  }
  sending_ = false;
  if (closePending_) {
    closePending_ = false;
    close();
  }
}

void dlgController::SendPedal(int value) {
  lblXpression->setText(QString::number(value));
  const uint8_t controller = Txt2Byte(*txtCCxp, 0);
  if (cmbChannel->currentIndex() < 0) return;
  sender_.SendPedal(static_cast<uint8_t>(cmbChannel->currentIndex()), controller, static_cast<uint8_t>(value));
}

void dlgController::LoadSettings() {
  const WaitCursor wait;
  try {
    SelectListIndex(*cmbChannel, ParseChannel(settings_.Get(kSection, kChannelKey, "0")));
    for (int n = 1; n <= kSetups; ++n) LoadSetup(n);
    txtCCxp->setText(QString::fromStdString(settings_.Get(kPedalSection, kControllerKey, "0")));
    txtMin->setText(QString::fromStdString(settings_.Get(kPedalSection, kMinKey, "0")));
    txtMax->setText(QString::fromStdString(settings_.Get(kPedalSection, kMaxKey, "127")));
  } catch (const LindelError& e) {
    LogError(e);
  }
}

void dlgController::LoadSetup(int n) {
  const SetupControls& s = setups_[n - 1];
  const auto read = [this](const std::string& section, const char* key) {
    return QString::fromStdString(settings_.Get(section, key, "0"));
  };
  s.txtPC1->setText(read(SetupSection(n), kProgramKey));
  for (int k = 1; k <= kSetupControllers; ++k) {
    s.txtCC[k - 1]->setText(read(ControllerSection(n, k), kControllerKey));
    s.txtCCV[k - 1]->setText(read(ControllerSection(n, k), kValueReadKey));
  }
}

void dlgController::SaveSettings() {
  const WaitCursor wait;
  try {
    settings_.Set(kSection, kChannelKey, std::to_string(SelectedIndex(*cmbChannel)));
    for (int n = 1; n <= kSetups; ++n) SaveSetup(n);
    settings_.Set(kPedalSection, kControllerKey, NumberOf(*txtCCxp));
    settings_.Set(kPedalSection, kMinKey, NumberOf(*txtMin));
    settings_.Set(kPedalSection, kMaxKey, NumberOf(*txtMax));
  } catch (const LindelError& e) {
    LogError(e);
  }
}

void dlgController::SaveSetup(int n) {
  const SetupControls& s = setups_[n - 1];
  settings_.Set(SetupSection(n), kProgramKey, TextOf(*s.txtPC1));
  for (int k = 1; k <= kSetupControllers; ++k) {
    settings_.Set(ControllerSection(n, k), kControllerKey, TextOf(*s.txtCC[k - 1]));
    settings_.Set(ControllerSection(n, k), kValueWriteKey, TextOf(*s.txtCCV[k - 1]));
  }
}

dlgController& ShowController(MidiSystem& system, ControllerSender::DevicePosition outputDevice,
                              ISettings& settings, IEventPump& pump, QWidget& frame) {
  auto* dialog = frame.findChild<dlgController*>(QString(), Qt::FindDirectChildrenOnly);
  if (!dialog) {
    dialog = new dlgController(system, std::move(outputDevice), settings, pump, &frame);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
  }
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return *dialog;
}
