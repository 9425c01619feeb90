#include "MidiTransfer.h"

#include "CFile.h"
#include "CLog.h"
#include "CMIDIInPort.h"
#include "CMIDIOutPort.h"
#include "CPreset.h"
#include "Dialogs.h"
#include "EventPump.h"
#include "ISettings.h"
#include "MidiEvents.h"
#include "PresetRequest.h"
#include "TransferListener.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace TransferState;

constexpr int32_t kRecordSize = static_cast<int32_t>(kPresetSize);
// Long enough that a wait with no time-out never needs a second look.
constexpr auto kNoDeadline = std::chrono::hours(24);

constexpr const char* kSelectDevices = "You must select devices for input and output or hit Cancel";
constexpr const char* kReadBufferSource = "dlgMidiSetup.ReadBuffer()";
constexpr const char* kWriteBufferSource = "dlgMidiSetup.WriteBuffer()";
constexpr const char* kRequestSource = "dlgMidiSetUp.OK(request)";

bool IsFinal(int32_t state) { return state >= Finished; }

}  // namespace

MidiTransfer::MidiTransfer(MidiSystem& system, IEventPump& pump, ISettings& settings)
    : system_(system), pump_(pump), settings_(settings) {
  devices_.Load(system_, settings_);
}

MidiTransfer::~MidiTransfer() = default;

bool MidiTransfer::RequestPreset(CPreset& Preset, int iPreset) {
  return RunTransfer(TransferMode::RequestPreset, &Preset, nullptr, iPreset);
}

bool MidiTransfer::TransmitPreset(CPreset& Preset) {
  return RunTransfer(TransferMode::TransmitPreset, &Preset, nullptr);
}

bool MidiTransfer::ReceiveSysEx(CFile& File) { return RunTransfer(TransferMode::ReceiveDump, nullptr, &File); }

bool MidiTransfer::SendSysEx(CFile& File) { return RunTransfer(TransferMode::SendDump, nullptr, &File); }

void MidiTransfer::BeginSetup() { Prepare(TransferMode::Setup, true); }

// A transfer asked for from inside another one's wait (a menu command while
// a dump arrives) is refused, logged and said; the running one goes on
// untouched, its preset and file included.
bool MidiTransfer::RunTransfer(TransferMode mode, CPreset* preset, CFile* file, int requested) {
  if (running_) {
    LogError(LindelError(ErrorNumber::Preset, "dlgMidiSetUp.OK", kTransferRunning));
    ShowMessage(kTransferRunning);
    return false;
  }
  preset_ = preset;
  file_ = file;
  requested_ = requested;
  Prepare(mode, false);
  OK();
  if (preset_ || file_) CleanUp();  // OK refused to run: nothing was opened
  return result_;
}

void MidiTransfer::Prepare(TransferMode mode, bool setup) {
  mode_ = static_cast<int32_t>(mode);
  byteCount_ = 0;
  result_ = false;
  SetStatus("select both an input and output device");
  SetCancelCaption("Cancel");
  SetControlsEnabled(setup);
}

void MidiTransfer::OK() {
  if (running_) return;
  if (!devices_.IsSetup()) {
    Dialogs().Message(kSelectDevices);
    return;
  }
  running_ = true;
  devices_.Store(settings_);
  SetStatus("Opening ports");
  SetControlsEnabled(false);
  state_ = Waiting;
  timedOut_ = false;
  lastError_.reset();
  NoteActivity();
  try {
    if (Mode() != TransferMode::Setup) OpenPorts();
    if (Start()) {
      WaitForEnd();
      result_ = state_ <= Finished;
    } else {
      result_ = true;  // setup: the choice is stored
    }
  } catch (const LindelError& e) {
    result_ = false;
    RecordError(e);
  } catch (const std::exception& e) {
    result_ = false;
    RecordError(LindelError(ErrorNumber::Preset, "dlgMidiSetUp.OK", e.what()));
  }
  CleanUp();
  running_ = false;
}

void MidiTransfer::OpenPorts() {
  inPort_ = std::make_unique<CMIDIInPort>(system_, [this](int32_t nMsg) { InProc(nMsg); });
  if (!inPort_->OpenPort(static_cast<int16_t>(devices_.InputPosition()))) {
    throw LindelError(ErrorNumber::OpenInPort, "dlgMidiSetUp.OK", "Unable to open in port");
  }
  outPort_ = std::make_unique<CMIDIOutPort>(system_, [this](int32_t nMsg) { OutProc(nMsg); }, timings_);
  if (!outPort_->OpenPort(static_cast<int16_t>(devices_.OutputPosition()))) {
    throw LindelError(ErrorNumber::OpenOutPort, "dlgMidiSetUp.OK", "Unable to open out port");
  }
}

// Starts the prepared mode; false for setup, which waits for nothing.
bool MidiTransfer::Start() {
  switch (Mode()) {
    case TransferMode::RequestPreset:
      SetStatus("Requesting preset");
      if (!SendPresetRequest(*outPort_, requested_, [this](const Refusal& refusal) { Refused(refusal); })) {
        throw LindelError(ErrorNumber::Preset, "dlgMidiSetUp.OK(request)", "Error requesting to port");
      }
      return true;
    case TransferMode::TransmitPreset:
      SetStatus("Transmitting preset");
      if (!preset_->Transmit(*outPort_)) {
        throw LindelError(ErrorNumber::Preset, "dlgMidiSetup.OK(transmit)", "Unable to transmit");
      }
      return true;
    case TransferMode::ReceiveDump:
      SetStatus("Waiting... Press Bulk Dump on the G-Major");
      SetCancelCaption("Done");
      return true;
    case TransferMode::SendDump:
      SendDump();
      return true;
    case TransferMode::Setup:
      return false;
  }
  return false;
}

// Ends in state 5 only at the end of the file; a failed record (6) or a
// cancel (7) stays, so the caller learns that not everything was sent.
void MidiTransfer::SendDump() {
  SetStatus("Sending SysEx");
  while (!IsFinal(state_) && WriteBuffer()) {
    byteCount_ += kRecordSize;
    SetStatus(std::to_string(byteCount_ / kRecordSize) + " preset(s) sent");
    ReportProgress();
    WaitUntilSent();
  }
}

void MidiTransfer::WaitForEnd() {
  while (!IsFinal(state_)) {
    if (HandleState()) {
      pump_.ProcessPending();
    } else {
      WaitForDevice();
    }
  }
}

// Acts on the state; false when there was nothing to do but wait.
bool MidiTransfer::HandleState() {
  switch (state_.load()) {
    case OutputDone: return HandleOutputDone();
    case DumpData: ReadBuffer(); return true;
    case PresetArrived: ReadRequestedPreset(); return true;
    default: return false;
  }
}

// The edit buffer (number 0) keeps waiting for the device's answer; a
// numbered preset gets the device time to store it.
bool MidiTransfer::HandleOutputDone() {
  if (preset_->PresetNumber() == PresetNumber::EditBuffer) return false;
  PauseKeepingUiAlive(timings_.transmitPause);
  StoreState(Finished);
  return true;
}

// Beyond the record's own checks, the reply must be one whole message (a
// longer one would pass on its first 615 bytes, a shorter one on an older
// message's tail) and the maker and model bytes must be the G-Major's:
// another device's preset is no answer to our request.
void MidiTransfer::ReadRequestedPreset() {
  StoreState(Waiting);
  SetStatus("Reading requested preset");
  const std::size_t length = inPort_->HeldLength();
  if (length != kPresetSize) {
    throw LindelError(ErrorNumber::Preset, kRequestSource,
                      "Invalid preset received: " + std::to_string(length) + " bytes, not one whole preset of 615");
  }
  if (!preset_->ReadFromPort(*inPort_) || !HasPresetHeader(preset_->Image())) {
    if (preset_->Refused()) Refused(*preset_->Refused());
    throw LindelError(ErrorNumber::Preset, kRequestSource, "Invalid preset received: no G-Major preset or a bad checksum");
  }
  if (preset_->Image()[Offset::End] != SysEx::End) {
    throw LindelError(ErrorNumber::Preset, kRequestSource,
                      "Invalid preset received: it does not end with F7 at byte 614");
  }
  StoreState(Finished);
}

void MidiTransfer::ReadBuffer() {
  StoreState(Waiting);
  try {
    byteCount_ += kRecordSize;
    SetStatus("Received " + std::to_string(byteCount_) + " Bytes");
    PresetImage message{};
    std::size_t received = 0;
    if (!inPort_->ReadSysEx(message, 0, kRecordSize, &received)) {
      throw LindelError(ErrorNumber::Preset, "ReadBuffer", "Error reading SysEx from in port");
    }
    if (file_->PartialSave(message) != kRecordSize || received != kPresetSize) {
      throw LindelError(ErrorNumber::Generic1, kReadBufferSource, "Error in buffer length");
    }
    if (message[Offset::End] != SysEx::End) {
      throw LindelError(ErrorNumber::Generic2, kReadBufferSource, "Error in buffer");
    }
    ReportProgress();
  } catch (const LindelError& e) {
    RecordError(e);
    SetStatus("Error");
    StoreState(Failed);
  }
}

bool MidiTransfer::WriteBuffer() {
  try {
    PresetImage record{};
    const int64_t read = file_->PartialRead(record);
    if (read == 0) {
      StoreState(Finished);
      return false;
    }
    if (read != kRecordSize) {
      throw LindelError(ErrorNumber::Preset, kWriteBufferSource, "Incorrect number of bytes written");
    }
    if (!outPort_->Transmit(record, 0, kRecordSize)) {
      throw LindelError(ErrorNumber::Generic1, kWriteBufferSource, "Error writting to the buffer");
    }
    return true;
  } catch (const LindelError& e) {
    StoreState(Failed);
    SetStatus("Error");
    RecordError(e);
    return false;
  }
}

// Paces a dump: the next record goes out once this one has left the port.
void MidiTransfer::WaitUntilSent() {
  pump_.ProcessPending();
  while (outPort_->Busy() && !IsFinal(state_)) pump_.WaitForWork(Clock::now() + kNoDeadline);
}

void MidiTransfer::WaitForDevice() {
  auto deadline = Clock::now() + kNoDeadline;
  if (timeout_) {
    const Clock::duration limit = std::max<Clock::duration>(*timeout_, timings_.WireTime(kPresetSize) * 2);
    deadline = Clock::time_point(Clock::duration(lastActivity_.load())) + limit;
    if (Clock::now() >= deadline) {
      timedOut_ = true;
      StoreState(Mode() == TransferMode::ReceiveDump ? Finished : Cancelled);
      return;
    }
  }
  pump_.WaitForWork(deadline);
}

void MidiTransfer::PauseKeepingUiAlive(std::chrono::milliseconds pause) {
  const auto end = Clock::now() + pause;
  pump_.ProcessPending();
  while (Clock::now() < end && !IsFinal(state_)) pump_.WaitForWork(end);
}

void MidiTransfer::CleanUp() {
  try {
    outPort_.reset();
    inPort_.reset();
  } catch (...) {  // closing ignores every error
  }
  preset_ = nullptr;
  file_ = nullptr;
  if (listener_) listener_->RunEnded();
}

void MidiTransfer::Cancel() {
  if (controlsEnabled_) {
    state_ = Cancelled;
    result_ = false;
    if (listener_) listener_->RunEnded();
    return;
  }
  StoreState(Mode() == TransferMode::ReceiveDump ? Finished : Cancelled);
  pump_.Wake();
}

std::optional<int32_t> StateAfterInputEvent(TransferMode mode, int32_t nMsg) {
  switch (nMsg) {
    case MIM_DATA:
      if (mode == TransferMode::TransmitPreset) return Finished;
      return std::nullopt;
    case MIM_LONGDATA:
      if (mode == TransferMode::RequestPreset) return PresetArrived;
      if (mode == TransferMode::ReceiveDump) return DumpData;
      if (mode == TransferMode::TransmitPreset) return Finished;
      return std::nullopt;
    case MIM_ERROR:
    case MIM_LONGERROR:
      return Failed;
    default:
      return std::nullopt;
  }
}

std::optional<int32_t> StateAfterOutputEvent(TransferMode mode, int32_t nMsg) {
  if (nMsg == MOM_DONE && mode == TransferMode::TransmitPreset) return OutputDone;
  return std::nullopt;
}

// Only what the run waits for restarts its clock: the control changes a
// pedal or the device sends meanwhile do not keep a request alive.
void MidiTransfer::InProc(int32_t nMsg) {
  if (const auto next = StateAfterInputEvent(Mode(), nMsg)) {
    NoteActivity();
    StoreState(*next);
  }
  pump_.Wake();
}

void MidiTransfer::OutProc(int32_t nMsg) {
  NoteActivity();
  if (const auto next = StateAfterOutputEvent(Mode(), nMsg)) StoreState(*next);
  pump_.Wake();  // a dump send also waits for every MOM_DONE
}

void MidiTransfer::StoreState(int32_t state) {
  int32_t current = state_.load();
  while (!IsFinal(current) && !state_.compare_exchange_weak(current, state)) {
  }
}

void MidiTransfer::NoteActivity() { lastActivity_ = Clock::now().time_since_epoch().count(); }

void MidiTransfer::RecordError(const LindelError& e) {
  LogError(e);
  if (!lastError_) lastError_ = e;
}

std::string MidiTransfer::FailureReason() const {
  if (result_) return "";
  if (lastError_) return lastError_->Description();
  if (timedOut_) return "no answer from the device in time";
  if (state_ == Failed) return "the input device reported an error";
  if (state_ == Cancelled) return "cancelled";
  return "the transfer did not run";
}

void MidiTransfer::Refused(const Refusal& refusal) {
  if (listener_) listener_->Refused(refusal);
}

void MidiTransfer::SetStatus(const std::string& text) {
  if (listener_) listener_->StatusChanged(text);
}

void MidiTransfer::SetCancelCaption(const std::string& caption) {
  cancelCaption_ = caption;
  if (listener_) listener_->CancelCaptionChanged(caption);
}

void MidiTransfer::SetControlsEnabled(bool enabled) {
  controlsEnabled_ = enabled;
  if (listener_) listener_->ControlsEnabledChanged(enabled);
}

void MidiTransfer::ReportProgress() {
  if (listener_) listener_->DumpProgress(byteCount_ / kRecordSize);
}
