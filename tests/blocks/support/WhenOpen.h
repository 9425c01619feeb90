// Runs act on the next modal widget of type T as soon as it is open, from
// the modal loop that shows it.
#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

template <class T>
void WhenOpen(std::function<void(T&)> act) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      act(*widget);
    }
  });
  timer->start();
}
