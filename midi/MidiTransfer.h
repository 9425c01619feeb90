// The engine of every transfer with the G-Major, and of the device choice,
// behind the MIDI setup dialog (dlgMidiSetup). The dialog window is a thin
// view on it: it shows Devices() in its two lists, forwards list selections,
// OKButton and CancelButton to SelectInput/SelectOutput, OK() and Cancel(),
// and shows what the TransferListener reports.
//
// A transfer function (RequestPreset, TransmitPreset, ReceiveSysEx,
// SendSysEx) prepares a run and runs the OK step at once: it opens both
// ports, starts the transfer and waits, letting pending user-interface events
// run through the IEventPump, until the run is finished, failed or cancelled;
// then it closes both ports and returns the result. Setup (mode 4) only
// prepares: BeginSetup(), then the modal window calls OK() or Cancel().
//
// Threads: the port callbacks (InProc, OutProc) run on MIDI threads and only
// store the state number (std::atomic, no lock), note the time and wake the
// pump. Everything else runs on the caller's thread. Errors never show a
// message box (apart from the device-selection one of OK); they go to the
// error log and end the run with false.
//
// Decided here where the dialog's behaviour was open:
// - A dump send ends with false when a record could not be read or sent
//   (state 6) or when it was cancelled (state 7); only the end of the file
//   finishes it with true.
// - A requested preset that fails the preset checks (start byte, message
//   type, checksum, and also maker and model, one message of exactly 615
//   bytes, F7 at its end) ends the request with false (error 30000,
//   "Invalid preset received: ...").
// - A dump message that is not 615 bytes long fails with "Error in buffer
//   length", so a short message never passes with an older message's tail.
// - Once a run reached a final state (5, 6, 7), nothing changes it: a late
//   device event can undo neither Done nor an error.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "LindelError.h"
#include "MidiDeviceChoice.h"
#include "MidiTimings.h"
#include "Refusal.h"

class CFile;
class CMIDIInPort;
class CMIDIOutPort;
class CPreset;
class IEventPump;
class ISettings;
class MidiSystem;
class TransferListener;

enum class TransferMode : int32_t {
  RequestPreset = 0,
  TransmitPreset = 1,
  ReceiveDump = 2,
  SendDump = 3,
  Setup = 4,
};

inline constexpr const char* kTransferRunning =
    "Another transfer with the G-Major is running. Let it end (or press Cancel or Done), then try again.";

// The state number of a run.
namespace TransferState {
constexpr int32_t Waiting = 0;
constexpr int32_t OutputDone = 1;     // the system reported the transmitted preset sent
constexpr int32_t DumpData = 2;       // one dump message arrived
constexpr int32_t PresetArrived = 4;  // the requested preset arrived
constexpr int32_t Finished = 5;
constexpr int32_t Failed = 6;
constexpr int32_t Cancelled = 7;
}  // namespace TransferState

// What a port event does to a run's state in mode; nothing when nullopt.
// The input callback: a short message finishes a transmit (the device
// answered); a long one is the requested preset, a dump message or a
// transmit's answer; an error event fails any run. The output callback: a
// transmitted preset has left (transmit only).
std::optional<int32_t> StateAfterInputEvent(TransferMode mode, int32_t nMsg);
std::optional<int32_t> StateAfterOutputEvent(TransferMode mode, int32_t nMsg);

class MidiTransfer {
 public:
  // Fills the device lists from system and restores the stored selection.
  MidiTransfer(MidiSystem& system, IEventPump& pump, ISettings& settings);
  ~MidiTransfer();
  MidiTransfer(const MidiTransfer&) = delete;
  MidiTransfer& operator=(const MidiTransfer&) = delete;

  // Not owned; null for none.
  void SetListener(TransferListener* listener) { listener_ = listener; }
  void SetTimings(const MidiTimings& timings) { timings_ = timings; }
  const MidiTimings& Timings() const { return timings_; }
  // With a time-out, a wait for the device ends after this long without an
  // event the run awaits (a preset for a request, a dump message for a
  // reception, any answer for a transmit, the output's reports; the control
  // changes of a pedal during a request do not count): a dump reception
  // then finishes like Done, any other run is cancelled (TimedOut() tells).
  // The clock restarts at every such event and never runs out sooner than
  // one preset's wire time after it, so a message that has begun to arrive
  // always completes first. None by default: the window waits for the
  // user's Cancel.
  void SetTimeout(std::optional<std::chrono::milliseconds> timeout) { timeout_ = timeout; }

  const MidiDeviceChoice& Devices() const { return devices_; }
  void SelectInput(int position) { devices_.SelectInput(position); }
  void SelectOutput(int position) { devices_.SelectOutput(position); }
  // Both lists have a selection.
  bool IsSetup() const { return devices_.IsSetup(); }
  // The selected output position, or -1; the controller tool opens its port there.
  int GetMidiOutputDevice() const { return devices_.OutputPosition(); }

  // Each transfer function refuses to start while another transfer runs
  // (called from inside its wait): it logs and shows kTransferRunning and
  // returns false, leaving the running transfer as it was.
  //
  // Mode 0: asks for preset iPreset (0 edit buffer, 1-100 factory, 101-200
  // user) and reads the reply into Preset.
  bool RequestPreset(CPreset& Preset, int iPreset);
  // Mode 1: sends Preset; a numbered one finishes a pause after it left, the
  // edit buffer (number 0) when the device answers.
  bool TransmitPreset(CPreset& Preset);
  // Mode 2: appends every received message to File (created for writing)
  // until Done (Cancel), a time-out or an error.
  bool ReceiveSysEx(CFile& File);
  // Mode 3: sends File's 615-byte records one after the other, each once the
  // previous one has left.
  bool SendSysEx(CFile& File);
  // Mode 4: prepares the setup with the controls enabled; the modal window
  // then calls OK() or Cancel() and reads Result().
  void BeginSetup();

  // OKButton: stores the selection and runs the prepared mode. Without both
  // devices it shows "You must select devices for input and output or hit
  // Cancel" and changes nothing.
  void OK();
  // CancelButton: hides the setup; ends a dump reception as a success
  // ("Done"); cancels any other transfer. May be called from inside a
  // transfer's wait, through the event pump.
  void Cancel();

  // Port callbacks, on MIDI threads.
  void InProc(int32_t nMsg);
  void OutProc(int32_t nMsg);

  bool Result() const { return result_; }
  int32_t State() const { return state_.load(); }
  TransferMode Mode() const { return static_cast<TransferMode>(mode_.load()); }
  const std::string& CancelCaption() const { return cancelCaption_; }
  bool ControlsEnabled() const { return controlsEnabled_; }
  // Dump bytes received or sent in this run, in steps of 615.
  int32_t ByteCount() const { return byteCount_; }
  bool TimedOut() const { return timedOut_; }
  // The first error of the last run, as logged.
  const std::optional<LindelError>& LastError() const { return lastError_; }
  // Why the last run failed, in words; "" after a success.
  std::string FailureReason() const;

 private:
  bool RunTransfer(TransferMode mode, CPreset* preset, CFile* file, int requested = 0);
  void Prepare(TransferMode mode, bool setup);
  void OpenPorts();
  bool Start();
  void SendDump();
  void WaitForEnd();
  bool HandleState();
  bool HandleOutputDone();
  void ReadRequestedPreset();
  void ReadBuffer();
  bool WriteBuffer();
  void WaitUntilSent();
  void WaitForDevice();
  void PauseKeepingUiAlive(std::chrono::milliseconds pause);
  void CleanUp();

  void StoreState(int32_t state);
  void NoteActivity();
  void RecordError(const LindelError& e);
  void Refused(const Refusal& refusal);
  void SetStatus(const std::string& text);
  void SetCancelCaption(const std::string& caption);
  void SetControlsEnabled(bool enabled);
  void ReportProgress();

  MidiSystem& system_;
  IEventPump& pump_;
  ISettings& settings_;
  MidiDeviceChoice devices_;
  TransferListener* listener_ = nullptr;
  MidiTimings timings_;
  std::optional<std::chrono::milliseconds> timeout_;

  std::atomic<int32_t> mode_{static_cast<int32_t>(TransferMode::Setup)};
  std::atomic<int32_t> state_{TransferState::Waiting};
  std::atomic<int64_t> lastActivity_{0};  // steady-clock ticks of the last port event
  bool result_ = false;
  bool running_ = false;
  bool timedOut_ = false;
  CPreset* preset_ = nullptr;
  int requested_ = 0;
  CFile* file_ = nullptr;
  int32_t byteCount_ = 0;
  std::unique_ptr<CMIDIInPort> inPort_;
  std::unique_ptr<CMIDIOutPort> outPort_;
  std::string cancelCaption_ = "Cancel";
  bool controlsEnabled_ = false;
  std::optional<LindelError> lastError_;
};
