#include "ExpressionPedal.h"

#include <QSignalBlocker>
#include <algorithm>
#include <cstdlib>

namespace {

// A dark pedal on a light track, wide enough to grab; no arrow buttons.
constexpr char kPedalStyle[] =
    "QScrollBar:vertical { width: 24px; background: #dcdfe3; border: 1px solid #9ca1a8; border-radius: 5px; }"
    "QScrollBar::handle:vertical { min-height: 30px; margin: 2px; border-radius: 4px; border: 1px solid #2b2e33;"
    " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #4d5259, stop:0.5 #7d838b, stop:1 #4d5259); }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; border: none; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";

}  // namespace

ExpressionPedal::ExpressionPedal(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
  setStyleSheet(kPedalStyle);
  setRange(0, 0);
  setPageStep(8);
  connect(this, &QScrollBar::valueChanged, this, [this] { Q_EMIT moved(PedalValue()); });
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
