#include "BankCommands.h"

#include <functional>
#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>

#include "Bank.h"
#include "BankSync.h"
#include "CFile.h"
#include "CommandLine.h"
#include "DeviceBackup.h"
#include "DeviceState.h"
#include "LibraryError.h"
#include "LibraryPath.h"
#include "MidiSession.h"
#include "PresetLibrary.h"
#include "SessionReader.h"
#include "Sqlite.h"
#include "StagedFiles.h"

namespace {

using Json = nlohmann::json;

PresetLibrary Open(const std::string& libraryPath) { return PresetLibrary(LibraryPath(libraryPath)); }

// Loads the bank, lets change rearrange it and stores it again.
int Change(const std::string& libraryPath, const std::string& name, const std::function<void(BankPlan&)>& change) {
  PresetLibrary library = Open(libraryPath);
  BankStore banks(library);
  BankPlan plan = banks.Load(name);
  change(plan);
  banks.Save(name, plan);
  return ExitCode::Ok;
}

std::string EntryName(const PresetLibrary& library, int64_t entry) {
  const std::optional<LibraryEntry> found = library.Entry(entry);
  return found ? found->row.name : "";
}

// Whether the bank's device is known to hold the slot's entry; null when
// the slot is empty or the device's slot unknown.
Json Held(const BankPlan& plan, const BankPlan& held, int slot) {
  if (!plan.At(slot) || !held.At(slot)) return nullptr;
  return held.At(slot) == plan.At(slot);
}

std::string HeldText(const Json& held) {
  if (held.is_null()) return "unknown";
  return held.get<bool>() ? "held" : "differs";
}

void PrintSlot(const PresetLibrary& library, const BankPlan& plan, const BankPlan& held, int slot) {
  std::cout << std::left << std::setw(5) << ("U" + std::to_string(slot));
  if (!plan.At(slot)) {
    std::cout << std::right << std::setw(6) << "-" << "\n";
    return;
  }
  std::cout << std::right << std::setw(6) << *plan.At(slot) << "  " << std::left << std::setw(20)
            << EntryName(library, *plan.At(slot)) << "  " << HeldText(Held(plan, held, slot)) << "\n";
}

Json SlotJson(const PresetLibrary& library, const BankPlan& plan, const BankPlan& held, int slot) {
  const BankPlan::Slot& entry = plan.At(slot);
  return {{"slot", slot},
          {"entry", entry ? Json(*entry) : Json(nullptr)},
          {"name", entry ? Json(EntryName(library, *entry)) : Json(nullptr)},
          {"held", Held(plan, held, slot)}};
}

void WriteWhole(const std::string& out, const std::vector<uint8_t>& bytes) {
  StagedFiles files(StagedFiles::Report::LogOnly);
  if (!files.Stage(out, bytes, 0) || !files.Commit().front()) {
    throw LibraryError("cannot write '" + out + "' (the error log tells why); nothing written");
  }
}

// The device as lindel-cli reaches it: reads with the backup's requests,
// retries and progress line; sends through the dump send.
class SessionDevice final : public BankDevice {
 public:
  SessionDevice(MidiSession& session, std::chrono::milliseconds timeout) : session_(session), timeout_(timeout) {}

  std::string Name() const override { return session_.OutputName(); }

  PresetReadResult Read(const std::vector<int>& numbers) override {
    SessionReader reading(session_, timeout_);
    PresetReadResult read = reading.Reader().Read(reading.Input(), reading.Output(), numbers);
    reading.EndProgress(read);
    return read;
  }

  std::string Send(const std::vector<uint8_t>& dump) override {
    session_.ShowProgress("preset(s) sent");
    return SendAsFile(dump, [this](CFile& file) {
      return session_.Transfer().SendSysEx(file) ? "" : session_.Transfer().FailureReason();
    });
  }

 private:
  MidiSession& session_;
  std::chrono::milliseconds timeout_;
};

int Failed(MidiSession& session, const std::string& reason) { return session.Failed("bank", reason); }

void PrintSent(const PresetLibrary& library, const BankPlan& plan, const std::vector<int>& sent) {
  for (int slot : sent) std::cout << "sent U" << slot << " \"" << EntryName(library, *plan.At(slot)) << "\"\n";
}

int SendReport(MidiSession& session, const BankSendOutcome& outcome, bool verify) {
  for (const Mismatch& m : outcome.mismatches) std::cerr << "lindel-cli bank send: " << Describe(m) << "\n";
  if (!outcome.unreadFirst.empty()) {
    return Failed(session, "could not read " + SlotNames(outcome.unreadFirst) +
                               " to keep them before overwriting; not sent");
  }
  if (outcome.cancelled) return Failed(session, "cancelled");
  if (!outcome.failure.empty()) return Failed(session, outcome.failure);
  if (!outcome.mismatches.empty()) {
    return Failed(session, "verify: " + std::to_string(outcome.mismatches.size()) + " of " +
                               std::to_string(outcome.sent.size()) + " presets are not held as sent");
  }
  if (outcome.sent.empty()) {
    std::cout << "nothing to send: the device holds the bank\n";
  } else {
    std::cout << "sent " << outcome.sent.size() << " presets"
              << (verify ? "; the device holds them as sent" : "") << "\n";
  }
  return ExitCode::Ok;
}

}  // namespace

int BankNew(const std::string& libraryPath, const std::string& name) {
  PresetLibrary library = Open(libraryPath);
  BankStore(library).Create(name);
  return ExitCode::Ok;
}

int BankList(const std::string& libraryPath) {
  PresetLibrary library = Open(libraryPath);
  for (const BankSummary& bank : BankStore(library).List()) {
    std::cout << std::left << std::setw(24) << bank.name << std::right << std::setw(4) << bank.filled << " slots"
              << (bank.device.empty() ? "" : "  " + bank.device) << "\n";
  }
  return ExitCode::Ok;
}

int BankShow(const std::string& libraryPath, const std::string& name, bool json) {
  PresetLibrary library = Open(libraryPath);
  BankStore banks(library);
  const BankPlan plan = banks.Load(name);
  const BankPlan held = DeviceState(library).Held(banks.Device(name));
  if (!json) {
    for (int slot = 1; slot <= kBankSlots; ++slot) PrintSlot(library, plan, held, slot);
    return ExitCode::Ok;
  }
  Json slots = Json::array();
  for (int slot = 1; slot <= kBankSlots; ++slot) slots.push_back(SlotJson(library, plan, held, slot));
  std::cout << Json{{"name", name}, {"device", banks.Device(name)}, {"slots", slots}}.dump(2) << "\n";
  return ExitCode::Ok;
}

int BankSet(const std::string& libraryPath, const std::string& name, int slot, int64_t entry) {
  return Change(libraryPath, name, [&](BankPlan& plan) { plan.Set(slot, entry); });
}

int BankMove(const std::string& libraryPath, const std::string& name, int from, int to) {
  return Change(libraryPath, name, [&](BankPlan& plan) { plan.Move(from, to); });
}

int BankSwap(const std::string& libraryPath, const std::string& name, int a, int b) {
  return Change(libraryPath, name, [&](BankPlan& plan) { plan.Swap(a, b); });
}

int BankClear(const std::string& libraryPath, const std::string& name, int slot) {
  return Change(libraryPath, name, [&](BankPlan& plan) { plan.Clear(slot); });
}

int BankFromDump(const std::string& libraryPath, const std::string& name, const std::string& dump) {
  PresetLibrary library = Open(libraryPath);
  BankStore banks(library);
  std::vector<std::string> refused;
  const BankPlan plan = PlanFromDump(library, dump, refused);
  if (!banks.Exists(name)) banks.Create(name);
  banks.Save(name, plan);
  for (const std::string& why : refused) std::cerr << "refused: '" << dump << "' " << why << "\n";
  std::cout << name << ": " << plan.Filled() << " slots filled from '" << dump << "'\n";
  return refused.empty() ? ExitCode::Ok : ExitCode::Failed;
}

int BankExport(const std::string& libraryPath, const std::string& name, const std::string& out) {
  PresetLibrary library = Open(libraryPath);
  WriteWhole(out, BankDump(library, BankStore(library).Load(name)));
  return ExitCode::Ok;
}

int BankPull(const std::string& libraryPath, const std::string& name, MidiSession& session,
             const BankTransferOptions& options) {
  PresetLibrary library = Open(libraryPath);
  SessionDevice device(session, options.timeout);
  const PresetReadResult read = PullBank(library, name, device);
  if (read.error && read.presets.empty()) return Failed(session, read.error->Description());
  if (!read.Complete()) {
    return Failed(session, "pulled " + std::to_string(read.presets.size()) + " of 100 presets; could not read " +
                               PresetList(read.unread));
  }
  std::cout << name << ": pulled " << read.presets.size() << " presets from " << device.Name() << "\n";
  return ExitCode::Ok;
}

int BankSend(const std::string& libraryPath, const std::string& name, MidiSession& session,
             const BankTransferOptions& options) {
  PresetLibrary library = Open(libraryPath);
  SessionDevice device(session, options.timeout);
  const BankSendOutcome outcome = SendBank(library, name, device, options.all, options.verify);
  PrintSent(library, BankStore(library).Load(name), outcome.sent);
  return SendReport(session, outcome, options.verify);
}

void RememberDeviceHolds(const std::string& libraryPath, const std::string& device,
                         const std::vector<PresetImage>& presets) {
  try {
    PresetLibrary library = Open(libraryPath);
    KeepDeviceHolds(library, device, presets);
  } catch (const LibraryError& e) {
    throw UsageError(std::string("library: ") + e.what());
  } catch (const SqliteError& e) {
    throw UsageError(std::string("library: ") + e.what());
  }
  std::cout << "kept " << presets.size() << " presets in the library as what " << device << " holds\n";
}
