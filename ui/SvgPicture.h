// A picture drawn from one of our SVG resources, scaled to the widget with its
// proportions kept and centred. It is painted from the vector data on every
// paint, so it stays sharp at any size and screen scale.
#pragma once

#include <QSvgRenderer>
#include <QWidget>

class SvgPicture : public QWidget {
  Q_OBJECT

 public:
  // resource: a path such as ":/pictures/lamp-on.svg"; size: the picture's
  // natural size in device-independent pixels.
  SvgPicture(const QString& resource, QSize size, QWidget* parent = nullptr);

  QSize sizeHint() const override { return size_; }
  // True when the resource was found and parsed.
  bool IsLoaded() const { return renderer_.isValid(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSvgRenderer renderer_;
  QSize size_;
};
