#include "FootSwitchIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// A hexagonal chrome nut around a domed cap.
constexpr char kFootSwitchSvg[] = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 48 48">
 <defs>
  <linearGradient id="nut" x1="0" y1="0" x2="1" y2="1">
   <stop offset="0" stop-color="#f1f2f4"/><stop offset="0.55" stop-color="#a9aeb6"/><stop offset="1" stop-color="#6d727a"/>
  </linearGradient>
  <radialGradient id="cap" cx="0.38" cy="0.34" r="0.7">
   <stop offset="0" stop-color="#ffffff"/><stop offset="0.45" stop-color="#cfd3d9"/><stop offset="1" stop-color="#5f646c"/>
  </radialGradient>
 </defs>
 <polygon points="24,2.5 42.6,13.25 42.6,34.75 24,45.5 5.4,34.75 5.4,13.25"
          fill="url(#nut)" stroke="#3f434a" stroke-width="1.2" stroke-linejoin="round"/>
 <circle cx="24" cy="24" r="13.5" fill="#3a3e45"/>
 <circle cx="24" cy="24" r="12" fill="url(#cap)" stroke="#2f3339" stroke-width="0.8"/>
 <ellipse cx="20.5" cy="19.5" rx="5" ry="3" fill="#ffffff" fill-opacity="0.55"/>
</svg>)svg";

QPixmap Render(QSvgRenderer& renderer, int side, qreal scale) {
  QPixmap pixmap(QSize(side, side) * scale);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  pixmap.setDevicePixelRatio(scale);
  return pixmap;
}

}  // namespace

QIcon FootSwitchIcon() {
  QSvgRenderer renderer{QByteArray(kFootSwitchSvg)};
  QIcon icon;
  for (int side : {32, 48}) {
    for (qreal scale : {1.0, 2.0}) icon.addPixmap(Render(renderer, side, scale));
  }
  return icon;
}
