// lindel-cli receive-dump and send-dump: whole banks between a dump file and
// the device, with a progress line on stderr; send-dump --verify then reads
// every sent preset back; receive-dump --library keeps what arrived as what
// the device holds.
#include <filesystem>
#include <iostream>

#include "CFile.h"
#include "CPreset.h"
#include "BankCommands.h"
#include "CliArgs.h"
#include "Commands.h"
#include "DumpSlots.h"
#include "MidiSession.h"
#include "PresetFiles.h"
#include "SendVerification.h"
#include "SessionReader.h"
#include "VerifySend.h"

namespace {

constexpr double kDefaultIdleSeconds = 10;

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

}  // namespace

int RunReceiveDump(const Args& args) {
  const CliArgs cli(args, {"--in", "--out", "-o", "--count", "--idle-timeout", "--library"}, {});
  if (!cli.Positional().empty()) throw UsageError("unexpected argument '" + cli.Positional()[0] + "'");
  const std::string out = cli.Required("-o");
  const auto count = cli.Number("--count", 1, 100000);
  const auto idle = ParseSeconds(cli, "--idle-timeout", kDefaultIdleSeconds);
  MidiSession session(cli);
  session.Transfer().SetTimeout(idle);
  session.StopAfter(count);
  session.ShowProgress("preset(s) received");
  const std::string part = out + ".part";
  CFile file;
  if (!file.Create(part)) throw UsageError("cannot write " + Quoted(part));
  const bool ok = session.Transfer().ReceiveSysEx(file);
  file.Close();
  const int result = FinishReception(session, ok, part, out, idle, count);
  if (const auto library = cli.Value("--library"); library && result == ExitCode::Ok) {
    RememberDeviceHolds(*library, session.OutputName(), ReceivedPresets(out));
  }
  return result;
}

int RunSendDump(const Args& args) {
  const CliArgs cli(args, {"--in", "--out", "--timeout"}, {"--verify"});
  if (cli.Positional().size() != 1) throw UsageError("give exactly one dump file");
  if (cli.Value("--timeout") && !cli.Flag("--verify")) throw UsageError("--timeout is the wait of --verify");
  const auto timeout = AnswerTimeout(cli);
  const std::string path = cli.Positional()[0];
  CFile file;
  if (!file.OpenFile(path)) throw UsageError("cannot open " + Quoted(path) + ": no such file or not a file");
  if (file.Size() == 0) throw UsageError(Quoted(path) + " is empty");
  MidiSession session(cli);
  session.ShowProgress("preset(s) sent");
  if (!session.Transfer().SendSysEx(file)) {
    const int sent = session.Transfer().ByteCount() / static_cast<int32_t>(kPresetSize);
    return session.Failed("send-dump", session.Transfer().FailureReason() + " after " + std::to_string(sent) +
                                           " preset(s) (" + Quoted(path) + " holds " + std::to_string(file.Size()) +
                                           " bytes)");
  }
  std::cout << path << ": " << session.Transfer().ByteCount() / static_cast<int32_t>(kPresetSize)
            << " presets sent\n";
  return cli.Flag("--verify") ? VerifySentDump(session, path, timeout) : ExitCode::Ok;
}
