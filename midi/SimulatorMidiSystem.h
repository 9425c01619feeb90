// The built-in simulated G-Major as one input and one output device, so the
// editor works with no hardware. Like the real device it answers on a thread
// of its own. Its memory lives as long as this object, across transfers.
// When both its ports are open and nothing has been sent to it for
// bulkDumpDelay, it presses its own Bulk Dump button: a dump reception with
// the simulator then needs no second program.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "MidiSystem.h"
#include "SimulatedGMajor.h"

inline constexpr const char* kSimulatorName = "Lindel G-Major simulator";

class SimulatorMidiSystem final : public MidiSystem {
 public:
  explicit SimulatorMidiSystem(std::chrono::milliseconds bulkDumpDelay = std::chrono::seconds(1));
  ~SimulatorMidiSystem() override;

  std::vector<std::string> InputNames() override { return {kSimulatorName}; }
  std::vector<std::string> OutputNames() override { return {kSimulatorName}; }
  // One user at a time: a second open of the same side gives null.
  std::unique_ptr<MidiInputDevice> OpenInput(int index, MidiInputHandler handler) override;
  std::unique_ptr<MidiOutputDevice> OpenOutput(int index) override;

  // Runs fn on the device with the device's lock held.
  template <typename Fn>
  auto WithDevice(Fn fn) {
    std::lock_guard lock(mutex_);
    return fn(device_);
  }

 private:
  class Input;
  class Output;
  friend class Input;
  friend class Output;

  void Post(std::vector<uint8_t> message);
  void CloseInput();
  void CloseOutput();
  void ArmBulkDump();
  void Run();
  void Deliver(const std::vector<MidiMessage>& messages, std::unique_lock<std::mutex>& lock);

  std::chrono::milliseconds bulkDumpDelay_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::condition_variable delivered_;
  SimulatedGMajor device_;
  std::deque<MidiMessage> received_;
  std::optional<MidiInputHandler> input_;
  bool outputOpen_ = false;
  bool delivering_ = false;
  bool stopping_ = false;
  std::optional<std::chrono::steady_clock::time_point> bulkDumpAt_;
  std::thread worker_;
};
