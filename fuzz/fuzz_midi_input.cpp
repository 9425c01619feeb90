// Arbitrary MIDI byte streams arriving at the input port during a preset
// request or a dump reception: the bytes are cut into deliveries the way a
// driver hands them over (up to each F7), split where a new F0 starts like
// RtMidi input, and fed to the transfer engine while it waits. The first
// byte chooses the transfer and when the device reports a failure.
#include <algorithm>
#include <cstdlib>

#include "CFile.h"
#include "CMIDIInPort.h"
#include "CPreset.h"
#include "EventPump.h"
#include "ISettings.h"
#include "MidiSystem.h"
#include "MidiTransfer.h"
#include "RtMidiSystem.h"
#include "ScratchFolder.h"

namespace {

class NullOutput : public MidiOutputDevice {
 public:
  bool Send(std::span<const uint8_t>) override { return true; }
};

class StreamInput : public MidiInputDevice {
 public:
  bool CanReceive() const override { return true; }
};

// One input and one output; the input's handler is kept for the stream.
class StreamSystem : public MidiSystem {
 public:
  std::vector<std::string> InputNames() override { return {"Stream"}; }
  std::vector<std::string> OutputNames() override { return {"Sink"}; }
  std::unique_ptr<MidiInputDevice> OpenInput(int, MidiInputHandler handler) override {
    handler_ = std::move(handler);
    return std::make_unique<StreamInput>();
  }
  std::unique_ptr<MidiOutputDevice> OpenOutput(int) override { return std::make_unique<NullOutput>(); }
  const MidiInputHandler& Handler() const { return handler_; }

 private:
  MidiInputHandler handler_;
};

// Plays one delivery of the stream per wait; once the stream is used up it
// presses Cancel (Done for a dump), as the user would.
class StreamPump : public IEventPump {
 public:
  StreamPump(StreamSystem& system, std::span<const uint8_t> stream, uint8_t errorAt)
      : system_(system), stream_(stream), errorAt_(errorAt) {}
  void SetTransfer(MidiTransfer* transfer) { transfer_ = transfer; }

  void ProcessPending() override {}
  void Wake() override {}
  void WaitForWork(Clock::time_point) override {
    if (stream_.empty() || ++deliveries_ > kMaxDeliveries) {
      transfer_->Cancel();
      return;
    }
    if (deliveries_ == errorAt_ && system_.Handler().onError) system_.Handler().onError("device lost");
    const auto end = std::find(stream_.begin(), stream_.end(), uint8_t{0xF7});
    const std::size_t length = end == stream_.end() ? stream_.size() : static_cast<std::size_t>(end - stream_.begin()) + 1;
    const std::vector<uint8_t> delivery(stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(length));
    stream_ = stream_.subspan(length);
    for (auto& message : SplitAtSysExStarts(delivery)) {
      if (system_.Handler().onMessage) system_.Handler().onMessage(std::move(message));
    }
  }

 private:
  static constexpr int kMaxDeliveries = 1000;
  StreamSystem& system_;
  std::span<const uint8_t> stream_;
  uint8_t errorAt_;
  int deliveries_ = 0;
  MidiTransfer* transfer_ = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t choice = data[0];
  StreamSystem system;
  StreamPump pump(system, {data + 1, size - 1}, choice >> 1);
  MemorySettings settings;
  MidiTransfer transfer(system, pump, settings);
  pump.SetTransfer(&transfer);
  transfer.SetTimings({std::chrono::microseconds(0), std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
  transfer.SelectInput(0);
  transfer.SelectOutput(0);
  if (choice & 1) {
    CFile file;
    if (!file.Create((ScratchFolder() / "received.syx").string())) std::abort();
    const bool received = transfer.ReceiveSysEx(file);
    if (received && file.Size() != transfer.ByteCount()) std::abort();
  } else {
    CPreset preset;
    if (transfer.RequestPreset(preset, 0) && !(preset.IsValid() && HasPresetHeader(preset.Image()))) std::abort();
  }
  return 0;
}
