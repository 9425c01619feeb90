#include "BankSync.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "Bank.h"
#include "CFile.h"
#include "DeviceState.h"
#include "PresetLibrary.h"

namespace {

std::vector<int> Numbers(const std::vector<int>& slots) {
  std::vector<int> numbers;
  for (int slot : slots) numbers.push_back(PresetNumber::UserBase + slot);
  return numbers;
}

std::vector<int> Slots(const std::vector<int>& numbers) {
  std::vector<int> slots;
  for (int number : numbers) slots.push_back(number - PresetNumber::UserBase);
  return slots;
}

bool Contains(const std::vector<int>& slots, int slot) { return std::find(slots.begin(), slots.end(), slot) != slots.end(); }

// Keeps each user preset read, records it as held and, with a plan, plans it in.
void KeepRead(PresetLibrary& library, const std::string& device, const std::vector<PresetImage>& presets,
              BankPlan* plan) {
  DeviceState state(library);
  SqliteTransaction batch = library.Batch();
  for (const PresetImage& image : presets) {
    const int slot = UserSlot(image);
    if (!slot) continue;
    const int64_t entry = library.Keep(image, {"device", device, slot}).id;
    state.Record(device, slot, entry);
    if (plan) plan->Set(slot, entry);
  }
  batch.Commit();
}

// Reads the planned slots whose device state is unknown; the slots that
// could not be read, or everything when cancelled.
void LearnUnknown(PresetLibrary& library, const BankPlan& plan, BankDevice& device, BankSendOutcome& outcome) {
  const std::vector<int> unknown = UnknownSlots(plan, DeviceState(library).Held(device.Name()));
  if (unknown.empty()) return;
  const PresetReadResult read = device.Read(Numbers(unknown));
  KeepDeviceHolds(library, device.Name(), read.presets);
  outcome.unreadFirst = Slots(read.unread);
  outcome.cancelled = read.cancelled;
  if (read.error && read.presets.empty()) outcome.failure = read.error->Description();
}

std::vector<SentPreset> Images(const PresetLibrary& library, const BankPlan& plan, const std::vector<int>& slots) {
  std::vector<SentPreset> images;
  for (int slot : slots) images.push_back({PresetNumber::UserBase + slot, SlotImage(library, *plan.At(slot), slot)});
  return images;
}

std::vector<uint8_t> DumpOf(const std::vector<SentPreset>& presets) {
  std::vector<uint8_t> dump;
  for (const SentPreset& p : presets) dump.insert(dump.end(), p.image.begin(), p.image.end());
  return dump;
}

// The sent slots the read-back showed as sent.
std::vector<int> Matched(const std::vector<int>& sent, const PresetReadResult& read,
                         const std::vector<Mismatch>& mismatches) {
  std::vector<int> matched;
  for (const PresetImage& image : read.presets) {
    const int slot = UserSlot(image);
    const bool mismatch = std::any_of(mismatches.begin(), mismatches.end(),
                                      [&](const Mismatch& m) { return m.number == PresetNumber::UserBase + slot; });
    if (Contains(sent, slot) && !mismatch) matched.push_back(slot);
  }
  return matched;
}

void Verify(PresetLibrary& library, const BankPlan& plan, BankDevice& device, const std::vector<SentPreset>& sent,
            BankSendOutcome& outcome) {
  const PresetReadResult read = device.Read(NumbersOf(sent));
  outcome.verified = true;
  outcome.cancelled = read.cancelled;
  if (read.error && read.presets.empty()) outcome.failure = read.error->Description();
  outcome.mismatches = CompareReadBack(sent, read);
  DeviceState state(library);
  for (int slot : Matched(outcome.sent, read, outcome.mismatches)) state.Record(device.Name(), slot, *plan.At(slot));
}

}  // namespace

void KeepDeviceHolds(PresetLibrary& library, const std::string& device, const std::vector<PresetImage>& presets) {
  KeepRead(library, device, presets, nullptr);
}

PresetReadResult PullBank(PresetLibrary& library, const std::string& bank, BankDevice& device) {
  BankStore banks(library);
  if (!banks.Exists(bank)) banks.Create(bank);
  BankPlan plan = banks.Load(bank);
  std::vector<int> all;
  for (int slot = 1; slot <= kBankSlots; ++slot) all.push_back(slot);
  PresetReadResult read = device.Read(Numbers(all));
  KeepRead(library, device.Name(), read.presets, &plan);
  banks.Save(bank, plan);
  banks.SetDevice(bank, device.Name());
  return read;
}

BankSendOutcome SendBank(PresetLibrary& library, const std::string& bank, BankDevice& device, bool all, bool verify) {
  BankStore banks(library);
  const BankPlan plan = banks.Load(bank);
  BankSendOutcome outcome;
  LearnUnknown(library, plan, device, outcome);
  if (outcome.cancelled || !outcome.failure.empty()) return outcome;
  banks.SetDevice(bank, device.Name());
  std::vector<int> slots = SlotsToSend(plan, DeviceState(library).Held(device.Name()), all);
  std::erase_if(slots, [&](int slot) { return Contains(outcome.unreadFirst, slot); });
  if (slots.empty()) return outcome;
  const std::vector<SentPreset> sent = Images(library, plan, slots);
  DeviceState state(library);
  if (const std::string why = device.Send(DumpOf(sent)); !why.empty()) {
    // Any of them may have arrived: none is known any more.
    for (int slot : slots) state.Forget(device.Name(), slot);
    outcome.failure = why;
    return outcome;
  }
  outcome.sent = slots;
  if (verify) {
    Verify(library, plan, device, sent, outcome);
    return outcome;
  }
  for (int slot : slots) state.Record(device.Name(), slot, *plan.At(slot));
  return outcome;
}

std::string SlotNames(const std::vector<int>& slots) {
  std::string text;
  for (int slot : slots) text += (text.empty() ? "U" : ", U") + std::to_string(slot);
  return text;
}

std::string SendSummary(const BankSendOutcome& outcome) {
  std::string text;
  if (!outcome.unreadFirst.empty()) {
    text += "Could not read " + SlotNames(outcome.unreadFirst) + " to keep them first; they were not sent.\n";
  }
  if (!outcome.failure.empty()) text += outcome.failure + ".\n";
  if (outcome.cancelled) text += "Cancelled.\n";
  if (!outcome.mismatches.empty()) {
    text += std::to_string(outcome.mismatches.size()) + " of " + std::to_string(outcome.sent.size()) +
            " presets are not held as sent:";
    for (const Mismatch& m : outcome.mismatches) text += "\n" + Describe(m);
    return text;
  }
  if (!text.empty()) return text.substr(0, text.size() - 1);
  if (outcome.sent.empty()) return "Nothing to send: the device holds the bank.";
  return "Sent " + SlotNames(outcome.sent) + (outcome.verified ? "; the device holds them as sent." : ".");
}

std::string SendAsFile(const std::vector<uint8_t>& dump, const std::function<std::string(CFile&)>& send) {
  std::string path = (std::filesystem::temp_directory_path() / "lindel-bank-XXXXXX").string();
  const int fd = ::mkstemp(path.data());
  if (fd < 0) return "cannot write the presets to send to " + path;
  const bool written = ::write(fd, dump.data(), dump.size()) == static_cast<ssize_t>(dump.size());
  ::close(fd);
  std::string result = "cannot write the presets to send to " + path;
  if (written) {
    CFile file;
    result = file.OpenFile(path) ? send(file) : "cannot read the presets to send again";
  }
  std::filesystem::remove(path);
  return result;
}
