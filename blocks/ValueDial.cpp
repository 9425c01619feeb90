#include "ValueDial.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "FastEntry.h"
#include "Selection.h"

namespace {

constexpr int kDiameter = 22;
constexpr double kWholeRangePixels = 200.0;
constexpr double kFinePixelsPerItem = 4.0;
// The pointer sweeps 270 degrees, from lower left to lower right.
constexpr double kStartDegrees = 225.0;
constexpr double kSweepDegrees = 270.0;

}  // namespace

ValueDial::ValueDial(QComboBox& list, QWidget* parent) : QWidget(parent), list_(&list) {
  setObjectName(list.objectName().replace(0, 3, "dial"));
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::SizeVerCursor);
  setFixedSize(sizeHint());
  setAccessibleName(list.accessibleName());
  setToolTip(tr("Drag up or down (Shift: fine); double-click: the loaded value"));
  setVisible(!list.isHidden());
  setEnabled(list.isEnabled());
  list.installEventFilter(this);
  connect(&list, &QComboBox::currentIndexChanged, this, qOverload<>(&QWidget::update));
}

void ValueDial::RememberLoaded() {
  if (list_) loaded_ = list_->currentIndex();
}

QSize ValueDial::sizeHint() const { return {kDiameter, kDiameter}; }

bool ValueDial::eventFilter(QObject* watched, QEvent* event) {
  // A list being destroyed is no longer a QComboBox (its last events come
  // from ~QWidget): the cast fails and the list is left alone.
  auto* list = qobject_cast<QComboBox*>(watched);
  if (!list || list != list_) return false;
  switch (event->type()) {
    case QEvent::ShowToParent: show(); break;
    case QEvent::HideToParent: hide(); break;
    case QEvent::EnabledChange: setEnabled(list->isEnabled()); break;
    default: break;
  }
  return false;
}

double ValueDial::Fraction() const {
  if (!list_ || list_->count() < 2 || list_->currentIndex() < 0) return 0.0;
  return static_cast<double>(list_->currentIndex()) / (list_->count() - 1);
}

void ValueDial::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
  const QPalette& colours = palette();
  painter.setPen(QPen(colours.color(QPalette::Mid), 1.5));
  painter.setBrush(colours.color(QPalette::Button));
  painter.drawEllipse(face);
  const QColor accent = isEnabled() ? colours.color(QPalette::Highlight) : colours.color(QPalette::Mid);
  painter.setPen(QPen(accent, 2.5, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  const double sweep = kSweepDegrees * Fraction();
  painter.drawArc(face, static_cast<int>(kStartDegrees * 16), static_cast<int>(-sweep * 16));
  const double angle = (kStartDegrees - sweep) * std::numbers::pi / 180.0;
  const QPointF centre = face.center();
  const double reach = face.width() / 2 - 3;
  painter.setPen(QPen(colours.color(QPalette::ButtonText), 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, centre + QPointF(std::cos(angle) * reach, -std::sin(angle) * reach));
}

void ValueDial::mousePressEvent(QMouseEvent* event) {
  if (!list_ || event->button() != Qt::LeftButton) return;
  dragging_ = true;
  pressIndex_ = list_->currentIndex();
  pressY_ = event->position().y();
}

void ValueDial::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !list_) return;
  const double rise = pressY_ - event->position().y();
  const bool fine = event->modifiers() & Qt::ShiftModifier;
  const double items = fine ? rise / kFinePixelsPerItem : rise * list_->count() / kWholeRangePixels;
  const int index = std::clamp(std::max(pressIndex_, 0) + static_cast<int>(std::trunc(items)), 0, list_->count() - 1);
  // Shown while dragging; the click handling waits for the release.
  list_->setCurrentIndex(index);
}

void ValueDial::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || !list_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  const int reached = list_->currentIndex();
  if (reached == pressIndex_) return;
  list_->setCurrentIndex(pressIndex_);
  SettleListIndex(*list_, reached);
}

void ValueDial::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!list_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  if (loaded_ >= 0) SettleListIndex(*list_, loaded_);
}
