// lindel-cli receive-dump and send-dump: whole banks between a dump file and
// the device, with a progress line on stderr; send-dump --verify then reads
// every sent preset back; receive-dump --library keeps what arrived as what
// the device holds.
#include <filesystem>
#include <iostream>

#include "CFile.h"
#include "CPreset.h"
#include "BankCommands.h"
#include "Commands.h"
#include "DumpSlots.h"
#include "MidiSession.h"
#include "PresetFiles.h"
#include "SendVerification.h"
#include "SessionReader.h"
#include "VerifySend.h"

namespace {

constexpr std::chrono::milliseconds kDefaultIdle{10'000};

// Slots of a received dump that the device would not accept back.
std::vector<int> InvalidSlots(const std::string& path) {
  std::vector<int> invalid;
  CFile file;
  if (!file.OpenFile(path)) return invalid;
  const int count = SlotCount(file.Size());
  for (int slot = 0; slot < count; ++slot) {
    PresetImage image{};
    if (!file.Read(image, 0, SlotPosition(slot), kPresetSize) || !HasPresetHeader(image) || !HasEndByte(image) ||
        !ChecksumMatches(image)) {
      invalid.push_back(slot);
    }
  }
  return invalid;
}

std::string SlotList(const std::vector<int>& slots) {
  std::string text;
  for (int slot : slots) text += (text.empty() ? "" : ", ") + std::to_string(slot);
  return text;
}

// The received bytes go to FILE.part and take the final name only when the
// reception succeeded, so a failed run never leaves a half dump under FILE.
int FinishReception(MidiSession& session, bool ok, const std::string& part, const std::string& out,
                    std::chrono::milliseconds idle, std::optional<long> expected) {
  const int32_t bytes = session.Transfer().ByteCount();
  std::error_code ec;
  if (ok && bytes == 0) {
    std::filesystem::remove(part, ec);
    return session.Failed("receive-dump", "no dump arrived within " + FormatSeconds(idle) + " s; nothing written");
  }
  // Fewer presets than asked for means the device stopped or was lost: a
  // partial dump must not replace a whole one.
  const long presets = bytes / static_cast<int32_t>(kPresetSize);
  if (ok && expected && presets < *expected) {
    return session.Failed("receive-dump", "the device stopped sending after " + std::to_string(presets) + " of " +
                                              std::to_string(*expected) + " presets; the " + std::to_string(bytes) +
                                              " bytes received are kept in " + Quoted(part));
  }
  if (!ok) {
    const std::string reason = session.Transfer().FailureReason();
    if (bytes == 0) std::filesystem::remove(part, ec);
    return session.Failed("receive-dump", reason + (bytes == 0 ? "; nothing written"
                                                               : "; the " + std::to_string(bytes) +
                                                                     " bytes received are kept in " + Quoted(part)));
  }
  std::filesystem::rename(part, out, ec);
  if (ec) throw UsageError("cannot write " + Quoted(out) + ": " + ec.message());
  std::cout << out << ": " << bytes / static_cast<int32_t>(kPresetSize) << " presets (" << bytes << " bytes)\n";
  const auto invalid = InvalidSlots(out);
  if (invalid.empty()) return ExitCode::Ok;
  return session.Failed("receive-dump", "slot(s) " + SlotList(invalid) + " of " + Quoted(out) +
                                            " are no valid presets (see lindel-cli info)");
}

// The presets of a received dump, each once, by number.
std::vector<PresetImage> ReceivedPresets(const std::string& path) {
  std::vector<PresetImage> presets;
  for (const SentPreset& p : PresetsToVerify(path).value_or(std::vector<SentPreset>{})) presets.push_back(p.image);
  return presets;
}

struct ReceiveOptions {
  Devices devices;
  std::string out;
  std::optional<long> count;
  std::chrono::milliseconds idle = kDefaultIdle;
  std::optional<std::string> library;
};

int ReceiveDump(const ReceiveOptions& o) {
  const std::string& out = o.out;
  const auto count = o.count;
  const auto idle = o.idle;
  MidiSession session(o.devices);
  session.Transfer().SetTimeout(idle);
  session.StopAfter(count);
  session.ShowProgress("preset(s) received");
  const std::string part = out + ".part";
  CFile file;
  if (!file.Create(part)) throw UsageError("cannot write " + Quoted(part));
  const bool ok = session.Transfer().ReceiveSysEx(file);
  file.Close();
  const int result = FinishReception(session, ok, part, out, idle, count);
  if (o.library && result == ExitCode::Ok) RememberDeviceHolds(*o.library, session.OutputName(), ReceivedPresets(out));
  return result;
}

struct SendOptions {
  Devices devices;
  std::string file;
  bool verify = false;
  std::chrono::milliseconds timeout{};
  const CLI::Option* timeoutGiven = nullptr;
};

int SendDump(const SendOptions& o) {
  if (o.file.empty()) throw UsageError("give exactly one dump file");
  if (o.timeoutGiven->count() > 0 && !o.verify) throw UsageError("--timeout is the wait of --verify");
  const std::string& path = o.file;
  CFile file;
  if (!file.OpenFile(path)) throw UsageError("cannot open " + Quoted(path) + ": no such file or not a file");
  if (file.Size() == 0) throw UsageError(Quoted(path) + " is empty");
  MidiSession session(o.devices);
  session.ShowProgress("preset(s) sent");
  if (!session.Transfer().SendSysEx(file)) {
    const int sent = session.Transfer().ByteCount() / static_cast<int32_t>(kPresetSize);
    return session.Failed("send-dump", session.Transfer().FailureReason() + " after " + std::to_string(sent) +
                                           " preset(s) (" + Quoted(path) + " holds " + std::to_string(file.Size()) +
                                           " bytes)");
  }
  std::cout << path << ": " << session.Transfer().ByteCount() / static_cast<int32_t>(kPresetSize)
            << " presets sent\n";
  return o.verify ? VerifySentDump(session, path, o.timeout) : ExitCode::Ok;
}

}  // namespace

CLI::Option* AddLibrary(CLI::App& app, std::optional<std::string>& library) {
  return app.add_option("--library", library, "also keep the presets in this library as what the device holds")
      ->type_name("F");
}

Runner DefineReceiveDump(CLI::App& app) {
  auto o = std::make_shared<ReceiveOptions>();
  AddDevices(app, o->devices);
  app.add_option("-o", o->out, "the dump file written")->type_name("FILE")->required();
  AddNumber(app, "--count", o->count, 1, 100000, "end once this many presets arrived (default: when the dump ends)");
  AddSeconds(app, "--idle-timeout", o->idle, "end after this long without a dump message");
  AddLibrary(app, o->library);
  return [o] { return ReceiveDump(*o); };
}

Runner DefineSendDump(CLI::App& app) {
  auto o = std::make_shared<SendOptions>();
  AddDevices(app, o->devices);
  app.add_option("FILE", o->file, "the dump file sent");
  app.add_flag("--verify", o->verify, "then ask for every sent preset back and compare");
  o->timeoutGiven = AddAnswerTimeout(app, o->timeout);
  return [o] { return SendDump(*o); };
}
