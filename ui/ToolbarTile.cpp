#include "ToolbarTile.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int kPictureHeight = 26;
constexpr int kMinimumPictureWidth = 40;
constexpr qreal kCornerRadius = 6;
constexpr QRgb kRaisedTop = 0x48515d;
constexpr QRgb kRaisedBottom = 0x363d46;
constexpr QRgb kRaisedRim = 0x5d6874;
constexpr QRgb kHover = 0x323840;

QFont LabelFont(QFont font) {
  font.setPointSizeF(font.pointSizeF() * 0.84);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
  return font;
}

}  // namespace

ToolbarTile::ToolbarTile(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_Hover);
  setCursor(Qt::PointingHandCursor);
  column_ = new QVBoxLayout(this);
  column_->setContentsMargins(7, 6, 7, 7);
  column_->setSpacing(2);
  picturePlace_ = new QWidget(this);
  picturePlace_->setFixedHeight(kPictureHeight);
  picturePlace_->setMinimumWidth(kMinimumPictureWidth);
  picturePlace_->setAttribute(Qt::WA_TransparentForMouseEvents);
  pictures_ = new QGridLayout(picturePlace_);
  pictures_->setContentsMargins(0, 0, 0, 0);
  column_->addWidget(picturePlace_);
  column_->addStretch(1);
  UpdateLabelColour();
}

void ToolbarTile::AddPicture(QWidget* picture) {
  picture->setParent(picturePlace_);
  picture->setAttribute(Qt::WA_TransparentForMouseEvents);
  pictures_->addWidget(picture, 0, 0, Qt::AlignCenter);
}

QLabel* ToolbarTile::AddLabel(const char* name, const char* text) {
  auto* label = new QLabel(tr(text), this);
  label->setObjectName(name);
  label->setFont(LabelFont(font()));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  column_->insertWidget(column_->count() - 1, label);
  return label;
}

void ToolbarTile::SetRaised(bool bRaised) {
  if (raised_ == bRaised) return;
  raised_ = bRaised;
  UpdateLabelColour();
  update();
}

QPoint ToolbarTile::PictureCentre() const { return mapToParent(picturePlace_->geometry().center()); }

void ToolbarTile::paintEvent(QPaintEvent*) {
  if (!raised_ && !(underMouse() && isEnabled())) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -2.5);
  if (!raised_) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(kHover));
    painter.drawRoundedRect(box, kCornerRadius, kCornerRadius);
    return;
  }
  // A key standing out of the panel: shadow below, light from above.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(ToolbarLook::PanelEdge));
  painter.drawRoundedRect(box.translated(0, 1.5), kCornerRadius, kCornerRadius);
  QLinearGradient face(box.topLeft(), box.bottomLeft());
  face.setColorAt(0, QColor(kRaisedTop));
  face.setColorAt(1, QColor(kRaisedBottom));
  painter.setBrush(face);
  painter.setPen(QPen(QColor(kRaisedRim), 1));
  painter.drawRoundedRect(box, kCornerRadius, kCornerRadius);
}

void ToolbarTile::mousePressEvent(QMouseEvent* event) {
  event->accept();
  Q_EMIT pressed(event->button());
}

void ToolbarTile::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  Q_EMIT released(event->button(), event->globalPosition().toPoint());
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Q_EMIT clicked();
}

void ToolbarTile::UpdateLabelColour() {
  QPalette colours = palette();
  const QColor label(raised_ ? ToolbarLook::LabelRaised : ToolbarLook::Label);
  colours.setColor(QPalette::Active, QPalette::WindowText, label);
  colours.setColor(QPalette::Inactive, QPalette::WindowText, label);
  colours.setColor(QPalette::Disabled, QPalette::WindowText, QColor(ToolbarLook::LabelDisabled));
  setPalette(colours);
}
