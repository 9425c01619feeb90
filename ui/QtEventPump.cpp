#include "QtEventPump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <climits>

QtEventPump::QtEventPump() : dispatcher_(QAbstractEventDispatcher::instance(QThread::currentThread())) {}

void QtEventPump::ProcessPending() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventPump::WaitForWork(Clock::time_point deadline) {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (wakePending_.exchange(false)) return;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  if (left <= 0) return;
  // The timer's event is what ends the sleep at the deadline.
  QTimer deadlineTimer;
  deadlineTimer.setSingleShot(true);
  deadlineTimer.start(static_cast<int>(std::min<long long>(left, INT_MAX)));
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  wakePending_ = false;
}

// wakeUp() is the dispatcher's thread-safe call; a wake-up that comes before
// the sleep begins is kept by the dispatcher, so it is never lost.
void QtEventPump::Wake() {
  wakePending_ = true;
  if (dispatcher_) dispatcher_->wakeUp();
}
