#include "PacedOutput.h"

PacedOutput::PacedOutput(std::unique_ptr<MidiOutputDevice> device, std::chrono::microseconds perByte,
                         std::function<void()> onDone)
    : device_(std::move(device)), perByte_(perByte), onDone_(std::move(onDone)) {
  reporter_ = std::thread([this] { ReportDone(); });
}

PacedOutput::~PacedOutput() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  reporter_.join();
  device_.reset();
}

bool PacedOutput::Send(std::span<const uint8_t> message, bool paced) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_ || closing_; });
  if (closing_) return false;
  const auto now = std::chrono::steady_clock::now();
  if (now < wireFree_) changed_.wait_until(lock, wireFree_, [this] { return closing_; });
  if (closing_ || !device_->Send(message)) return false;
  wireFree_ = std::chrono::steady_clock::now() + perByte_ * static_cast<int64_t>(message.size());
  if (paced) busy_ = true;
  lock.unlock();
  changed_.notify_all();
  return true;
}

bool PacedOutput::Busy() const {
  std::lock_guard lock(mutex_);
  return busy_;
}

void PacedOutput::ReportDone() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return busy_ || closing_; });
    if (closing_) return;
    if (changed_.wait_until(lock, wireFree_, [this] { return closing_; })) return;
    busy_ = false;
    lock.unlock();
    changed_.notify_all();
    if (onDone_) onDone_();
    lock.lock();
  }
}
