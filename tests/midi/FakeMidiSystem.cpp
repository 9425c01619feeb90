#include "FakeMidiSystem.h"

class FakeMidiSystem::Input final : public MidiInputDevice {
 public:
  explicit Input(FakeMidiSystem& owner) : owner_(owner) {}
  ~Input() override {
    owner_.handler_.reset();
    --owner_.openDevices_;
  }
  bool CanReceive() const override { return owner_.inputCanReceive; }

 private:
  FakeMidiSystem& owner_;
};

class FakeMidiSystem::Output final : public MidiOutputDevice {
 public:
  explicit Output(FakeMidiSystem& owner) : owner_(owner) {}
  ~Output() override { --owner_.openDevices_; }
  bool Send(std::span<const uint8_t> message) override {
    if (owner_.refuseSend) return false;
    const Bytes bytes(message.begin(), message.end());
    {
      std::lock_guard lock(owner_.mutex_);
      owner_.sent_.push_back(bytes);
    }
    if (owner_.responder) owner_.responder(bytes);
    return true;
  }

 private:
  FakeMidiSystem& owner_;
};

FakeMidiSystem::FakeMidiSystem(std::vector<std::string> inputs, std::vector<std::string> outputs)
    : inputs_(std::move(inputs)), outputs_(std::move(outputs)) {}

std::unique_ptr<MidiInputDevice> FakeMidiSystem::OpenInput(int index, MidiInputHandler handler) {
  if (refuseInputOpen || index < 0 || static_cast<std::size_t>(index) >= inputs_.size()) return nullptr;
  handler_ = std::move(handler);
  openedInput_ = index;
  ++openDevices_;
  return std::make_unique<Input>(*this);
}

std::unique_ptr<MidiOutputDevice> FakeMidiSystem::OpenOutput(int index) {
  if (refuseOutputOpen || index < 0 || static_cast<std::size_t>(index) >= outputs_.size()) return nullptr;
  ++openDevices_;
  return std::make_unique<Output>(*this);
}

void FakeMidiSystem::Deliver(const Bytes& message) {
  if (handler_ && handler_->onMessage) handler_->onMessage(message);
}

void FakeMidiSystem::ReportInputError(const std::string& reason) {
  if (handler_ && handler_->onError) handler_->onError(reason);
}

std::vector<Bytes> FakeMidiSystem::Sent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}
