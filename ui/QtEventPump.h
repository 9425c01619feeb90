// "Let pending user-interface events run" for the transfer engine in the
// editor: runs Qt's waiting events, then sleeps in Qt's event loop until a
// window event, a Wake() from a MIDI thread or the deadline. No spinning:
// waiting for the device costs no CPU.
#pragma once

#include <atomic>

#include "EventPump.h"

class QAbstractEventDispatcher;

class QtEventPump final : public IEventPump {
 public:
  // Belongs to the thread that creates it (the user-interface thread).
  QtEventPump();

  void ProcessPending() override;
  void WaitForWork(Clock::time_point deadline) override;
  void Wake() override;

 private:
  QAbstractEventDispatcher* dispatcher_;
  std::atomic<bool> wakePending_{false};
};
