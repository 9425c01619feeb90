#include "PresetReader.h"

#include <algorithm>

#include "CLog.h"
#include "CMIDIInPort.h"
#include "CMIDIOutPort.h"
#include "CPreset.h"
#include "EventPump.h"
#include "MidiEvents.h"
#include "PresetRequest.h"
#include "utilities.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kSource = "PresetReader.Read";

}  // namespace

AnswerKind ClassifyAnswer(std::span<const uint8_t> message, int requested) {
  if (message.size() != kPresetSize) return AnswerKind::Damaged;
  const std::span<const uint8_t, kPresetSize> image(message.data(), kPresetSize);
  if (!HasPresetHeader(image) || !HasEndByte(image) || !ChecksumMatches(image)) return AnswerKind::Damaged;
  return ReadValue14(message, Offset::Number) == requested ? AnswerKind::Answer : AnswerKind::Stale;
}

PresetReader::PresetReader(MidiSystem& system, IEventPump& pump, MidiTimings timings)
    : system_(system), pump_(pump), timings_(timings) {}

PresetReader::~PresetReader() = default;

PresetReadResult PresetReader::Read(int input, int output, const std::vector<int>& numbers) {
  PresetReadResult result;
  if (running_) {
    result.error = LindelError(ErrorNumber::Preset, kSource, "A reading run is already going on");
    result.unread = numbers;
    return result;
  }
  running_ = true;
  cancelled_ = false;
  std::size_t next = 0;
  try {
    OpenPorts(input, output);
    ReadAll(numbers, result, next);
  } catch (const LindelError& e) {
    LogError(e);
    result.error = e;
    result.unread.insert(result.unread.end(), numbers.begin() + static_cast<std::ptrdiff_t>(next), numbers.end());
  }
  result.cancelled = cancelled_ && !result.error;
  ClosePorts();
  running_ = false;
  return result;
}

void PresetReader::OpenPorts(int input, int output) {
  arrived_ = 0;
  inPort_ = std::make_unique<CMIDIInPort>(system_, [this](int32_t nMsg) { InProc(nMsg); });
  if (!inPort_->OpenPort(static_cast<int16_t>(input))) {
    throw LindelError(ErrorNumber::OpenInPort, kSource, "Unable to open in port");
  }
  outPort_ = std::make_unique<CMIDIOutPort>(system_, [this](int32_t nMsg) { OutProc(nMsg); }, timings_);
  if (!outPort_->OpenPort(static_cast<int16_t>(output))) {
    throw LindelError(ErrorNumber::OpenOutPort, kSource, "Unable to open out port");
  }
}

// next is the position of the number being read, so that a failure can
// list the rest as unread.
void PresetReader::ReadAll(const std::vector<int>& numbers, PresetReadResult& result, std::size_t& next) {
  for (; next < numbers.size() && !cancelled_; ++next) {
    if (auto image = ReadOne(numbers[next], next, numbers.size())) {
      result.presets.push_back(*image);
    } else if (!cancelled_) {
      result.unread.push_back(numbers[next]);
    }
  }
}

std::optional<PresetImage> PresetReader::ReadOne(int number, std::size_t done, std::size_t total) {
  for (int attempt = 1; attempt <= 1 + retries_ && !cancelled_; ++attempt) {
    if (listener_) listener_->Requesting(number, attempt, static_cast<int>(done), static_cast<int>(total));
    if (auto image = Ask(number)) return image;
  }
  return std::nullopt;
}

// One request and its wait: the answer, or nothing after a damaged message,
// the time-out or Cancel.
std::optional<PresetImage> PresetReader::Ask(int number) {
  inputFailed_ = false;
  const auto refused = [this](const Refusal& refusal) {
    if (listener_) listener_->Refused(refusal);
  };
  if (!SendPresetRequest(*outPort_, number, refused)) {
    throw LindelError(ErrorNumber::Preset, kSource, "Error requesting to port");
  }
  NoteActivity();
  PresetImage message{};
  while (!cancelled_) {
    if (inputFailed_.exchange(false)) return std::nullopt;
    if (const auto kind = TakeMessage(number, message)) {
      if (*kind == AnswerKind::Answer) return message;
      if (*kind == AnswerKind::Damaged) return std::nullopt;
      continue;  // a late answer to an earlier request
    }
    const auto deadline = Deadline();
    if (Clock::now() >= deadline) return std::nullopt;
    pump_.WaitForWork(deadline);
  }
  return std::nullopt;
}

// Moves the oldest received message into message and says how it answers;
// nothing when no message is waiting.
std::optional<AnswerKind> PresetReader::TakeMessage(int number, PresetImage& message) {
  if (arrived_.load() == 0) return std::nullopt;
  --arrived_;  // before the read, which may report the next queued message
  std::size_t length = 0;
  if (!inPort_->ReadSysEx(message, 0, static_cast<int>(kPresetSize), &length)) {
    throw LindelError(ErrorNumber::AddBuffer, kSource, "The input device can receive no more");
  }
  if (length != kPresetSize) return AnswerKind::Damaged;
  return ClassifyAnswer(message, number);
}

Clock::time_point PresetReader::Deadline() const {
  const Clock::duration limit = std::max<Clock::duration>(timeout_, timings_.WireTime(kPresetSize) * 2);
  return Clock::time_point(Clock::duration(lastActivity_.load())) + limit;
}

void PresetReader::ClosePorts() {
  try {
    outPort_.reset();
    inPort_.reset();
  } catch (...) {  // closing ignores every error
  }
}

void PresetReader::Cancel() {
  cancelled_ = true;
  pump_.Wake();
}

void PresetReader::InProc(int32_t nMsg) {
  if (nMsg == MIM_LONGDATA) {
    ++arrived_;
    NoteActivity();
  } else if (nMsg == MIM_ERROR || nMsg == MIM_LONGERROR) {
    inputFailed_ = true;
  }
  pump_.Wake();
}

void PresetReader::OutProc(int32_t nMsg) {
  if (nMsg == MOM_DONE) NoteActivity();
  pump_.Wake();
}

void PresetReader::NoteActivity() { lastActivity_ = Clock::now().time_since_epoch().count(); }
