#include "SvgPicture.h"

#include <QPainter>

namespace {
constexpr qreal kDisabledOpacity = 0.35;
}

// The pictures live in this static library, whose resource initialiser is
// only linked in when something calls it.
static void RegisterPictures() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(lindel);
    return true;
  }();
  (void)registered;
}

SvgPicture::SvgPicture(const QString& resource, QSize size, QWidget* parent)
    : QWidget(parent), size_(size) {
  RegisterPictures();
  renderer_.load(resource);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SvgPicture::paintEvent(QPaintEvent*) {
  QSizeF picture = renderer_.defaultSize();
  picture.scale(size(), Qt::KeepAspectRatio);
  const QRectF target(QPointF((width() - picture.width()) / 2, (height() - picture.height()) / 2), picture);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (!isEnabled()) painter.setOpacity(kDisabledOpacity);
  renderer_.render(&painter, target);
}
