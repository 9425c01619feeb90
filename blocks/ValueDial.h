// A small dial beside a numeric value list, for reaching far items by hand:
// dragging up or down moves through the whole list in about 200 pixels, with
// Shift one item each few pixels.
// The list shows the value while the dial moves and its click handling runs
// once, when the button is released on a new item. A double-click returns to
// the item remembered by RememberLoaded (the value the preset was loaded with).
// The dial follows its list's visibility and enabled state and takes no focus:
// the keyboard works on the list itself.
#pragma once

#include <QPointer>
#include <QWidget>

class QComboBox;

class ValueDial final : public QWidget {
  Q_OBJECT

 public:
  explicit ValueDial(QComboBox& list, QWidget* parent = nullptr);
  void RememberLoaded();
  int LoadedIndex() const { return loaded_; }
  QSize sizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  double Fraction() const;

  QPointer<QComboBox> list_;
  int loaded_ = -1;
  bool dragging_ = false;
  int pressIndex_ = -1;
  double pressY_ = 0;
};
