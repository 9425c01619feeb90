#include "ExpressionPedal.h"

#include <QSignalBlocker>
#include <algorithm>
#include <cstdlib>

ExpressionPedal::ExpressionPedal(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
  setRange(0, 0);
  setPageStep(8);
  connect(this, &QScrollBar::valueChanged, this, [this] { Q_EMIT Moved(PedalValue()); });
}

void ExpressionPedal::SetTop(int value) { SetEnds(value, bottom_); }

void ExpressionPedal::SetBottom(int value) { SetEnds(top_, value); }

int ExpressionPedal::PedalValue() const { return top_ + Direction() * value(); }

void ExpressionPedal::SetPedalValue(int value) { setValue(Offset(value)); }

int ExpressionPedal::Offset(int value) const {
  return std::clamp(Direction() * (value - top_), 0, std::abs(bottom_ - top_));
}

void ExpressionPedal::SetEnds(int top, int bottom) {
  const int kept = PedalValue();
  top_ = top;
  bottom_ = bottom;
  const QSignalBlocker quiet(this);
  setRange(0, std::abs(bottom_ - top_));
  setValue(Offset(kept));
}
