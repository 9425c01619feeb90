// The on-screen expression pedal: a vertical scroll bar whose two ends hold
// any two byte values, the top end the greater one or the smaller one. With
// "Max" at the top and "Min" at the bottom, pushing the thumb down lowers the
// value, like easing off a pedal. Qt scroll bars need minimum <= maximum, so
// the bar itself runs 0 .. distance from the top and the pedal value is
// counted from the top end.
#pragma once

#include <QScrollBar>

class ExpressionPedal final : public QScrollBar {
  Q_OBJECT

 public:
  explicit ExpressionPedal(QWidget* parent = nullptr);

  // Moving an end keeps the pedal value where it still lies between the
  // ends, else puts it on the nearer end; neither raises Moved.
  void SetTop(int value);
  void SetBottom(int value);
  int PedalValue() const;
  // As the user moves the thumb to a place; raises Moved when the value changes.
  void SetPedalValue(int value);

 Q_SIGNALS:
  // Every change of the value by the user: a click, a key, each step of a drag.
  void moved(int value);

 private:
  void SetEnds(int top, int bottom);
  int Direction() const { return top_ <= bottom_ ? 1 : -1; }
  int Offset(int value) const;

  int top_ = 0;
  int bottom_ = 0;
};
