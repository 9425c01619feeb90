#include "SimulatorMidiSystem.h"

class SimulatorMidiSystem::Input final : public MidiInputDevice {
 public:
  explicit Input(SimulatorMidiSystem& owner) : owner_(owner) {}
  ~Input() override { owner_.CloseInput(); }
  bool CanReceive() const override { return true; }

 private:
  SimulatorMidiSystem& owner_;
};

class SimulatorMidiSystem::Output final : public MidiOutputDevice {
 public:
  explicit Output(SimulatorMidiSystem& owner) : owner_(owner) {}
  ~Output() override { owner_.CloseOutput(); }
  bool Send(std::span<const uint8_t> message) override {
    owner_.Post({message.begin(), message.end()});
    return true;
  }

 private:
  SimulatorMidiSystem& owner_;
};

SimulatorMidiSystem::SimulatorMidiSystem(std::chrono::milliseconds bulkDumpDelay)
    : bulkDumpDelay_(bulkDumpDelay), worker_([this] { Run(); }) {}

SimulatorMidiSystem::~SimulatorMidiSystem() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

std::unique_ptr<MidiInputDevice> SimulatorMidiSystem::OpenInput(int index, MidiInputHandler handler) {
  std::lock_guard lock(mutex_);
  if (index != 0 || input_) return nullptr;
  input_ = std::move(handler);
  ArmBulkDump();
  return std::make_unique<Input>(*this);
}

std::unique_ptr<MidiOutputDevice> SimulatorMidiSystem::OpenOutput(int index) {
  std::lock_guard lock(mutex_);
  if (index != 0 || outputOpen_) return nullptr;
  outputOpen_ = true;
  ArmBulkDump();
  return std::make_unique<Output>(*this);
}

void SimulatorMidiSystem::ArmBulkDump() {
  if (input_ && outputOpen_) bulkDumpAt_ = std::chrono::steady_clock::now() + bulkDumpDelay_;
  changed_.notify_all();
}

void SimulatorMidiSystem::Post(std::vector<uint8_t> message) {
  {
    std::lock_guard lock(mutex_);
    received_.push_back(std::move(message));
    bulkDumpAt_.reset();
  }
  changed_.notify_all();
}

// Waits for a delivery in progress, so no handler runs after the port closed.
void SimulatorMidiSystem::CloseInput() {
  std::unique_lock lock(mutex_);
  delivered_.wait(lock, [this] { return !delivering_; });
  input_.reset();
  bulkDumpAt_.reset();
}

void SimulatorMidiSystem::CloseOutput() {
  std::lock_guard lock(mutex_);
  outputOpen_ = false;
  bulkDumpAt_.reset();
}

void SimulatorMidiSystem::Run() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (!received_.empty()) {
      const MidiMessage message = std::move(received_.front());
      received_.pop_front();
      Deliver(device_.Receive(message).replies, lock);
    } else if (bulkDumpAt_ && std::chrono::steady_clock::now() >= *bulkDumpAt_) {
      bulkDumpAt_.reset();
      Deliver(device_.BulkDump(), lock);
    } else if (bulkDumpAt_) {
      changed_.wait_until(lock, *bulkDumpAt_);
    } else {
      changed_.wait(lock);
    }
  }
}

// The handler runs without the lock (it may call back into the device's
// owner); the input stays open meanwhile because CloseInput waits.
void SimulatorMidiSystem::Deliver(const std::vector<MidiMessage>& messages, std::unique_lock<std::mutex>& lock) {
  for (const MidiMessage& message : messages) {
    if (!input_ || !input_->onMessage) return;
    delivering_ = true;
    auto onMessage = input_->onMessage;
    lock.unlock();
    onMessage(message);
    lock.lock();
    delivering_ = false;
    delivered_.notify_all();
  }
}
