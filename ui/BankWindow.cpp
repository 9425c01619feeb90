#include "BankWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "BankSync.h"
#include "DeviceBackup.h"
#include "DeviceState.h"
#include "Dialogs.h"
#include "LibraryError.h"
#include "PresetLibrary.h"
#include "Sqlite.h"

namespace {

constexpr const char* kTitle = "Bank";
constexpr int kColumns = 10;
constexpr const char* kFirstBank = "My Bank";

}  // namespace

BankWindow::BankWindow(std::unique_ptr<PresetLibrary> library, std::unique_ptr<BankDevice> device, QWidget* parent)
    : QDialog(parent), library_(std::move(library)), device_(std::move(device)), banks_(*library_) {
  setObjectName("frmBank");
  setWindowTitle(kTitle);
  BuildControls();
  FillBanks();
  Refresh();
}

BankWindow::~BankWindow() = default;

void BankWindow::BuildControls() {
  auto* top = new QHBoxLayout;
  cmbBank = new QComboBox(this);
  cmbBank->setObjectName("cmbBank");
  cmbBank->setEditable(true);
  cmbBank->setInsertPolicy(QComboBox::NoInsert);
  cmbBank->setMinimumContentsLength(24);
  auto* caption = new QLabel("&Bank:", this);
  caption->setBuddy(cmbBank);
  top->addWidget(caption);
  top->addWidget(cmbBank);
  top->addStretch();
  connect(cmbBank, &QComboBox::currentTextChanged, this, [this] { Refresh(); });

  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  for (int slot = 1; slot <= kBankSlots; ++slot) {
    auto* cell = new BankSlotCell(slot, this);
    cells_[static_cast<std::size_t>(slot - 1)] = cell;
    grid->addWidget(cell, (slot - 1) / kColumns, (slot - 1) % kColumns);
    connect(cell, &BankSlotCell::slotDropped, this, [this](int from, int to, bool copy) {
      Change([&](BankPlan& plan) { plan.Drop(from, to, copy); }, {from, to});
    });
    connect(cell, &BankSlotCell::entriesDropped, this, [this](int to, const std::vector<int64_t>& entries) {
      Change([&](BankPlan& plan) { plan.Place(to, entries); }, {});
    });
  }

  auto* buttons = new QHBoxLayout;
  chkVerify = new QCheckBox("&Verify: read every sent preset back and compare", this);
  chkVerify->setObjectName("chkVerify");
  chkVerify->setChecked(true);
  cmdPull = new QPushButton("&Pull from Device", this);
  cmdPull->setObjectName("cmdPull");
  cmdSendChanges = new QPushButton("Send &Changes", this);
  cmdSendChanges->setObjectName("cmdSendChanges");
  cmdSendAll = new QPushButton("Send &All", this);
  cmdSendAll->setObjectName("cmdSendAll");
  for (QPushButton* button : {cmdPull, cmdSendChanges, cmdSendAll}) button->setAutoDefault(false);
  buttons->addWidget(chkVerify);
  buttons->addStretch();
  buttons->addWidget(cmdPull);
  buttons->addWidget(cmdSendChanges);
  buttons->addWidget(cmdSendAll);
  connect(cmdPull, &QPushButton::clicked, this, [this] { Pull(); });
  connect(cmdSendChanges, &QPushButton::clicked, this, [this] { Send(false); });
  connect(cmdSendAll, &QPushButton::clicked, this, [this] { Send(true); });

  lblStatus = new QLabel(this);
  lblStatus->setObjectName("lblStatus");

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->addWidget(lblStatus);
}

void BankWindow::FillBanks() {
  const QSignalBlocker quiet(cmbBank);
  cmbBank->clear();
  for (const BankSummary& bank : banks_.List()) cmbBank->addItem(QString::fromStdString(bank.name));
  if (cmbBank->count() == 0) cmbBank->setEditText(kFirstBank);
}

QString BankWindow::BankName() const { return cmbBank->currentText().trimmed(); }

std::string BankWindow::EnsureBank() {
  const std::string name = BankName().toStdString();
  if (!banks_.Exists(name)) {
    banks_.Create(name);
    FillBanks();
    cmbBank->setCurrentText(QString::fromStdString(name));
  }
  return name;
}

QString BankWindow::EntryName(const BankPlan::Slot& entry) const {
  if (!entry) return {};
  const std::optional<LibraryEntry> found = library_->Entry(*entry);
  return found ? QString::fromStdString(found->row.name) : QString();
}

SlotMark BankWindow::MarkOf(const BankPlan& plan, const BankPlan& held, int slot) const {
  if (!plan.At(slot)) return SlotMark::Empty;
  if (mismatched_.count(slot)) return SlotMark::Mismatch;
  if (held.At(slot) != plan.At(slot)) return SlotMark::Differs;  // also while unknown
  return verified_.count(slot) ? SlotMark::Verified : SlotMark::Held;
}

void BankWindow::Refresh() {
  Guard([&] {
    const std::string name = BankName().toStdString();
    const BankPlan plan = banks_.Exists(name) ? banks_.Load(name) : BankPlan{};
    const BankPlan held = DeviceState(*library_).Held(device_->Name());
    for (int slot = 1; slot <= kBankSlots; ++slot) Cell(slot).Show(EntryName(plan.At(slot)), MarkOf(plan, held, slot));
  });
}

void BankWindow::Change(const std::function<void(BankPlan&)>& change, std::initializer_list<int> touched) {
  Guard([&] {
    const std::string name = EnsureBank();
    BankPlan plan = banks_.Load(name);
    change(plan);
    banks_.Save(name, plan);
    for (int slot : touched) ForgetVerification(slot);
  });
  Refresh();
}

bool BankWindow::DeviceReady() const {
  if (!device_->Name().empty()) return true;
  Dialogs().Message("Choose the G-Major's MIDI devices first (Tools, MIDI Setup).", kTitle, MessageIcon::Exclamation);
  return false;
}

// A pull replaces the plan; planned slots the device does not hold would be
// lost from it (their entries stay in the library).
bool BankWindow::ConfirmPull() {
  const std::string name = BankName().toStdString();
  if (!banks_.Exists(name)) return true;
  const BankPlan plan = banks_.Load(name);
  if (SlotsToSend(plan, DeviceState(*library_).Held(device_->Name()), false).empty()) return true;
  return Dialogs().Message("Pull from Device replaces the slots of bank '" + name +
                               "' that differ from the device with what it holds.\nPull anyway?",
                           kTitle, MessageIcon::Question, MessageButtons::OkCancel,
                           MessageAnswer::Cancel) == MessageAnswer::Ok;
}

void BankWindow::Pull() {
  if (!DeviceReady()) return;
  Guard([&] {
    if (!ConfirmPull()) return;
    const PresetReadResult read = PullBank(*library_, EnsureBank(), *device_);
    for (int slot = 1; slot <= kBankSlots; ++slot) ForgetVerification(slot);
    lblStatus->setText(QString("Pulled %1 of 100 presets.").arg(read.presets.size()));
    if (!read.Complete() && !read.cancelled) {
      const std::string why = read.error ? read.error->Description() + ". " : "";
      Dialogs().Message(why + "Could not read " + PresetList(read.unread) + ".", kTitle, MessageIcon::Exclamation);
    }
  });
  Refresh();
}

void BankWindow::Send(bool all) {
  if (!DeviceReady()) return;
  Guard([&] {
    const BankSendOutcome outcome = SendBank(*library_, EnsureBank(), *device_, all, chkVerify->isChecked());
    Remember(outcome);
    const std::string summary = SendSummary(outcome);
    lblStatus->setText(QString::fromStdString(summary).section('\n', 0, 0));
    if (!outcome.Ok()) Dialogs().Message(summary, kTitle, MessageIcon::Exclamation);
  });
  Refresh();
}

// A slot counts as verified only while the device is known to hold it,
// so a read-back cancelled before it leaves the slot marked as differing.
void BankWindow::Remember(const BankSendOutcome& outcome) {
  for (int slot : outcome.sent) {
    ForgetVerification(slot);
    if (outcome.verified) verified_.insert(slot);
  }
  for (const Mismatch& m : outcome.mismatches) {
    const int slot = m.number - PresetNumber::UserBase;
    ForgetVerification(slot);
    mismatched_.insert(slot);
  }
}

void BankWindow::ForgetVerification(int slot) {
  verified_.erase(slot);
  mismatched_.erase(slot);
}

void BankWindow::Guard(const std::function<void()>& work) {
  try {
    work();
  } catch (const LibraryError& e) {
    Dialogs().Message(e.what(), kTitle, MessageIcon::Exclamation);
  } catch (const SqliteError& e) {
    Dialogs().Message(e.what(), kTitle, MessageIcon::Exclamation);
  }
}
