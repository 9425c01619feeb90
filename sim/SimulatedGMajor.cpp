#include "SimulatedGMajor.h"

#include <algorithm>
#include <cstdlib>

#include "CPreset.h"
#include "FactoryBank.h"
#include "utilities.h"

namespace {

bool IsUserNumber(int number) { return number > PresetNumber::UserBase && number <= PresetNumber::Highest; }

std::string NameOf(const PresetImage& image) {
  std::string name(image.begin() + Offset::Name, image.begin() + Offset::Name + Offset::NameLength);
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

// Framing and addressing every message of the device must pass; "" if it does.
std::string AddressProblem(std::span<const uint8_t> m) {
  if (m.empty() || m[0] != SysEx::Start) return "not a System Exclusive message";
  if (m.back() != SysEx::End) return "missing F7";
  if (m.size() < 7) return "wrong length";
  if (!std::equal(SysEx::Manufacturer.begin(), SysEx::Manufacturer.end(), m.begin() + 1)) return "wrong maker";
  if (m[5] != SysEx::ModelGMajor) return "wrong model";
  return "";
}

// The data byte a fault changes: a parameter byte, so that the name stays
// readable in reports.
constexpr int kDamagedByte = Offset::Compressor + 9;

void Damage(std::span<uint8_t> message) {
  if (message.size() > static_cast<std::size_t>(kDamagedByte)) message[kDamagedByte] ^= 0x01;
}

}  // namespace

std::optional<SimFault> ParseSimFault(const std::string& text) {
  if (text == "none") return SimFault{};
  for (const auto& [prefix, kind] : {std::pair{"drop-every=", SimFault::Kind::Drop},
                                     std::pair{"corrupt-every=", SimFault::Kind::Corrupt}}) {
    const std::string_view start(prefix);
    if (text.rfind(start, 0) != 0) continue;
    const std::string count = text.substr(start.size());
    if (count.empty() || count.size() > 4 || count.find_first_not_of("0123456789") != std::string::npos) break;
    const int every = std::atoi(count.c_str());
    if (every < 1 || every > 1000) break;
    return SimFault{kind, every};
  }
  return std::nullopt;
}

std::string PresetLabel(int number) {
  if (number == PresetNumber::EditBuffer) return "E";
  if (IsUserNumber(number)) return "U" + std::to_string(number - PresetNumber::UserBase);
  return "F" + std::to_string(number);
}

SimulatedGMajor::SimulatedGMajor() { Reset(); }

void SimulatedGMajor::Reset() {
  for (int n = 1; n <= kPresetsPerBank; ++n) {
    factory_[n - 1] = FactoryPreset(n);
    user_[n - 1] = InitialUserPreset(n);
  }
  editBuffer_ = factory_[0];
  WriteValue14(PresetNumber::EditBuffer, Offset::Number, editBuffer_);
  malformed_ = 0;
  channelMessages_.clear();
  answerMode_ = AnswerMode::Normal;
  SetFault({});
}

void SimulatedGMajor::SetFault(SimFault fault) {
  fault_ = fault;
  answersSinceFault_ = 0;
  storesSinceFault_ = 0;
}

bool SimulatedGMajor::FaultHits(SimFault::Kind kind, int& counter) {
  if (fault_.kind != kind) return false;
  return ++counter % fault_.every == 0;
}

const PresetImage& SimulatedGMajor::Preset(int number) const {
  if (number == PresetNumber::EditBuffer) return editBuffer_;
  if (IsUserNumber(number)) return user_[number - PresetNumber::UserBase - 1];
  return factory_[std::clamp(number, 1, kPresetsPerBank) - 1];
}

SimResponse SimulatedGMajor::Receive(std::span<const uint8_t> message) {
  if (!message.empty() && message[0] != SysEx::Start && (message[0] & 0x80) != 0) {
    // Program and control changes change no preset; they are only kept.
    channelMessages_.emplace_back(message.begin(), message.end());
    if (channelMessages_.size() > 2 * kKeptChannelMessages) {
      channelMessages_.erase(channelMessages_.begin(), channelMessages_.end() - kKeptChannelMessages);
    }
    return {"channel message received", {}};
  }
  if (const std::string problem = AddressProblem(message); !problem.empty()) return Ignore(problem);
  switch (message[6]) {
    case SysEx::TypeRequest: return AnswerRequest(message);
    case SysEx::TypePreset: return StorePreset(message);
    default: return Ignore("unknown message type");
  }
}

SimResponse SimulatedGMajor::Ignore(const std::string& reason) {
  ++malformed_;
  return {"ignored: " + reason + " (" + std::to_string(malformed_) + " malformed so far)", {}};
}

SimResponse SimulatedGMajor::AnswerRequest(std::span<const uint8_t> message) {
  if (message.size() != SysEx::RequestSize) return Ignore("wrong length");
  const int number = ReadValue14(message, Offset::Number);
  if (number > PresetNumber::Highest) return Ignore("no preset " + std::to_string(number));
  const std::string what = "request " + PresetLabel(number) + ": ";
  if (FaultHits(SimFault::Kind::Drop, answersSinceFault_)) return {what + "answer dropped (fault)", {}};
  const int answered = AnsweredNumber(number);
  MidiMessage reply = Answer(Preset(answered));
  std::string sent = "sent \"" + NameOf(Preset(answered)) + "\"";
  if (answered != number) sent += " of " + PresetLabel(answered) + " (wrong number)";
  if (FaultHits(SimFault::Kind::Corrupt, answersSinceFault_)) {
    Damage(reply);
    return {what + sent + " damaged (fault)", {reply}};
  }
  return {what + sent, {reply}};
}

SimResponse SimulatedGMajor::StorePreset(std::span<const uint8_t> message) {
  if (message.size() != kPresetSize) return Ignore("wrong length");
  PresetImage image{};
  std::copy(message.begin(), message.end(), image.begin());
  if (!ChecksumMatches(image)) return Ignore("bad checksum");
  const int number = ReadValue14(image, Offset::Number);
  if (number != PresetNumber::EditBuffer && !IsUserNumber(number)) {
    return Ignore(number <= PresetNumber::UserBase ? "factory presets are read-only"
                                                   : "no preset " + std::to_string(number));
  }
  std::string what = PresetLabel(number) + " \"" + NameOf(image) + "\"";
  if (FaultHits(SimFault::Kind::Corrupt, storesSinceFault_)) {
    Damage(image);
    image[Offset::Checksum] = PresetChecksum(image);
    what += " damaged (fault)";
  }
  if (number == PresetNumber::EditBuffer) {
    editBuffer_ = image;
    return {"stored " + what + ", confirmation sent", {Answer(editBuffer_)}};
  }
  user_[number - PresetNumber::UserBase - 1] = image;
  return {"stored " + what, {}};
}

// In wrong-number mode a request is answered with a neighbouring preset.
int SimulatedGMajor::AnsweredNumber(int requested) const {
  if (answerMode_ != AnswerMode::WrongNumber) return requested;
  return requested == PresetNumber::Highest ? requested - 1 : requested + 1;
}

MidiMessage SimulatedGMajor::Answer(const PresetImage& image) const {
  MidiMessage reply(image.begin(), image.end());
  switch (answerMode_) {
    case AnswerMode::Normal:
    case AnswerMode::WrongNumber: break;
    case AnswerMode::Garbage: reply = {0x12, 0x34, 0x56, 0x78, 0x00}; break;
    case AnswerMode::Short:
      reply.resize(300);
      reply.push_back(SysEx::End);
      break;
    case AnswerMode::WrongModel: reply[5] = SysEx::ModelGMajor + 1; break;
  }
  return reply;
}

std::vector<MidiMessage> SimulatedGMajor::BulkDump() const {
  std::vector<MidiMessage> dump;
  for (const PresetImage& image : user_) dump.emplace_back(image.begin(), image.end());
  return dump;
}

std::vector<uint8_t> SimulatedGMajor::UserBank() const {
  std::vector<uint8_t> bytes;
  for (const PresetImage& image : user_) bytes.insert(bytes.end(), image.begin(), image.end());
  return bytes;
}

bool SimulatedGMajor::LoadUserBank(std::span<const uint8_t> dump, std::string& why) {
  const std::size_t slots = dump.size() / kPresetSize;
  if (dump.size() % kPresetSize != 0 || slots == 0 || slots > kPresetsPerBank) {
    why = "a bank file holds 1 to 100 presets of 615 bytes, not " + std::to_string(dump.size()) + " bytes";
    return false;
  }
  std::array<PresetImage, kPresetsPerBank> loaded = user_;
  for (std::size_t slot = 0; slot < slots; ++slot) {
    PresetImage& image = loaded[slot];
    std::copy_n(dump.begin() + static_cast<std::ptrdiff_t>(slot * kPresetSize), kPresetSize, image.begin());
    if (!HasPresetHeader(image) || !HasEndByte(image) || !ChecksumMatches(image)) {
      why = "slot " + std::to_string(slot) + " is not a valid preset";
      return false;
    }
    WriteValue14(PresetNumber::UserBase + 1 + static_cast<int>(slot), Offset::Number, image);
  }
  user_ = loaded;
  return true;
}
