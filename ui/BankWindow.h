// The Bank window (Tools menu): the 100 user slots of a bank as a 10 x 10
// grid. Slots are dragged onto each other (move, with Ctrl copy, onto a
// filled slot swap) and library entries dropped on them; each slot is
// marked by how it stands against the device, and "Pull from Device",
// "Send Changes" and "Send All" move the bank between library and device
// (the transfer windows show the progress and take Cancel).
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <set>

#include "Bank.h"
#include "BankSlotCell.h"

class BankDevice;
class PresetLibrary;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
struct BankSendOutcome;

class BankWindow final : public QDialog {
  Q_OBJECT

 public:
  BankWindow(std::unique_ptr<PresetLibrary> library, std::unique_ptr<BankDevice> device, QWidget* parent = nullptr);
  ~BankWindow() override;

  BankSlotCell& Cell(int slot) const { return *cells_[static_cast<std::size_t>(slot - 1)]; }
  // The bank shown (typed in cmbBank; made when first changed).
  QString BankName() const;

 private:
  void BuildControls();
  void FillBanks();
  void Refresh();
  SlotMark MarkOf(const BankPlan& plan, const BankPlan& held, int slot) const;
  QString EntryName(const BankPlan::Slot& entry) const;
  // Loads the bank (made when new), lets change rearrange it, stores it.
  void Change(const std::function<void(BankPlan&)>& change, std::initializer_list<int> touched);
  bool ConfirmPull();
  void Pull();
  void Send(bool all);
  void Remember(const BankSendOutcome& outcome);
  void ForgetVerification(int slot);
  bool DeviceReady() const;
  // Runs work, showing a library failure in a message box.
  void Guard(const std::function<void()>& work);
  std::string EnsureBank();

  std::unique_ptr<PresetLibrary> library_;
  std::unique_ptr<BankDevice> device_;
  BankStore banks_;
  std::set<int> verified_, mismatched_;  // of the last verified send, until the slot changes

  QComboBox* cmbBank = nullptr;
  std::array<BankSlotCell*, kBankSlots> cells_{};
  QCheckBox* chkVerify = nullptr;
  QPushButton* cmdPull = nullptr;
  QPushButton* cmdSendChanges = nullptr;
  QPushButton* cmdSendAll = nullptr;
  QLabel* lblStatus = nullptr;
};
