#include "CurvePictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "ListNumbers.h"
#include "ResponseCurves.h"

namespace {

constexpr double kLowHz = 20.0, kHighHz = 20000.0, kEqRangeDb = 12.0;
constexpr double kCompLowDb = -60.0, kCompHighDb = 6.0;
constexpr int kDualDelay = 2;  // the delay type list: Ping Pong, Dynamic, Dual
// Stands for "Off" (no compression) and "inf:1" (a limiter).
constexpr double kNoRatio = 1.0;

double Shown(const QComboBox& list, double fallback) {
  const auto number = TextNumber(list.currentText());
  return number ? *number : fallback;
}

double RatioShown(const QComboBox& list) {
  if (list.currentText().startsWith("inf")) return std::numeric_limits<double>::infinity();
  return Shown(list, kNoRatio);
}

QPen PenFor(const QPalette& palette, int voice, bool enabled) {
  QColor colour = voice == 0 ? palette.color(QPalette::Highlight) : QColor(0xe0, 0x8a, 0x1e);
  if (!enabled) colour = palette.color(QPalette::PlaceholderText);  // dim, yet readable in both looks
  return QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QString HzText(double hz) { return hz >= 1000 ? QString("%1k").arg(hz / 1000) : QString::number(hz); }

}  // namespace

CurvePicture::CurvePicture(const char* name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  setMaximumHeight(240);
}

void CurvePicture::Follow(const QComboBox& list) {
  connect(&list, &QComboBox::currentIndexChanged, this, qOverload<>(&QWidget::update));
}

void CurvePicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(palette().color(QPalette::Base));
  painter.drawRoundedRect(frame, 4, 4);
  const int text = fontMetrics().height();
  const QRectF plot = frame.adjusted(fontMetrics().horizontalAdvance("-60 dB") + 8, text / 2.0 + 4, -12, -text - 6);
  painter.save();
  Draw(painter, plot);
  painter.restore();
}

void CurvePicture::HorizontalLine(QPainter& painter, const QRectF& plot, double y, const QString& text) const {
  QColor grid = palette().color(QPalette::Text);
  grid.setAlphaF(0.15);
  painter.setPen(QPen(grid, 1));
  painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
  painter.setPen(palette().color(QPalette::PlaceholderText));
  const QRectF box(0, y - 10, plot.left() - 4, 20);
  painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
}

void CurvePicture::VerticalLine(QPainter& painter, const QRectF& plot, double x, const QString& text) const {
  QColor grid = palette().color(QPalette::Text);
  grid.setAlphaF(0.15);
  painter.setPen(QPen(grid, 1));
  painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  painter.setPen(palette().color(QPalette::PlaceholderText));
  const QRectF box(x - 30, plot.bottom() + 2, 60, fontMetrics().height() + 2);
  painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
}

QPen CurvePicture::CurvePen(int voice) const { return PenFor(palette(), voice, isEnabled()); }

// ---- EQ ---------------------------------------------------------------------

EqCurvePicture::EqCurvePicture(std::array<Band, 3> bands, const QCheckBox& onOff, QWidget* parent)
    : CurvePicture("pictEQCurve", parent), bands_(bands), onOff_(onOff) {
  for (const Band& band : bands_) {
    for (const QComboBox* list : band) Follow(*list);
  }
  connect(&onOff, &QCheckBox::stateChanged, this, qOverload<>(&QWidget::update));
}

void EqCurvePicture::Draw(QPainter& painter, const QRectF& plot) {
  const double decades = std::log10(kHighHz / kLowHz);
  const auto x = [&](double hz) { return plot.left() + plot.width() * std::log10(hz / kLowHz) / decades; };
  const auto y = [&](double db) { return plot.center().y() - plot.height() / 2 * std::clamp(db, -kEqRangeDb, kEqRangeDb) / kEqRangeDb; };
  for (double db : {-12.0, -6.0, 0.0, 6.0, 12.0}) HorizontalLine(painter, plot, y(db), QString("%1 dB").arg(db));
  for (double hz : {20.0, 100.0, 1000.0, 10000.0, 20000.0}) VerticalLine(painter, plot, x(hz), HzText(hz));

  std::vector<EqBand> bands;
  for (const Band& band : bands_) bands.push_back({Shown(*band[0], 1000), Shown(*band[1], 0), Shown(*band[2], 1)});
  QPainterPath curve;
  const int steps = std::max(2, static_cast<int>(plot.width() / 2));
  for (int i = 0; i <= steps; ++i) {
    const double hz = kLowHz * std::pow(10.0, decades * i / steps);
    const QPointF point(x(hz), y(EqResponseDb(bands, hz)));
    i == 0 ? curve.moveTo(point) : curve.lineTo(point);
  }
  painter.setPen(PenFor(palette(), 0, isEnabled() && onOff_.isChecked()));
  painter.drawPath(curve);
  for (const EqBand& band : bands) {
    painter.setBrush(painter.pen().color());
    painter.drawEllipse(QPointF(x(std::clamp(band.hz, kLowHz, kHighHz)), y(band.gainDb)), 3, 3);
  }
}

// ---- Compressor -----------------------------------------------------------------

CompressorCurvePicture::CompressorCurvePicture(const QComboBox& threshold, const QComboBox& ratio,
                                               const QComboBox& gain, QWidget* parent)
    : CurvePicture("pictCompCurve", parent), threshold_(threshold), ratio_(ratio), gain_(gain) {
  for (const QComboBox* list : {&threshold, &ratio, &gain}) Follow(*list);
}

void CompressorCurvePicture::Draw(QPainter& painter, const QRectF& plot) {
  const double span = kCompHighDb - kCompLowDb;
  const auto x = [&](double db) { return plot.left() + plot.width() * (db - kCompLowDb) / span; };
  const auto y = [&](double db) { return plot.bottom() - plot.height() * (std::clamp(db, kCompLowDb, kCompHighDb) - kCompLowDb) / span; };
  for (double db : {-60.0, -40.0, -20.0, 0.0}) {
    HorizontalLine(painter, plot, y(db), QString("%1 dB").arg(db));
    VerticalLine(painter, plot, x(db), QString("%1").arg(db));
  }
  const double threshold = Shown(threshold_, 0), ratio = RatioShown(ratio_), gain = Shown(gain_, 0);
  QColor unity = palette().color(QPalette::Text);
  unity.setAlphaF(0.35);
  painter.setPen(QPen(unity, 1, Qt::DashLine));
  painter.drawLine(QPointF(x(kCompLowDb), y(kCompLowDb)), QPointF(x(kCompHighDb), y(kCompHighDb)));
  QPainterPath curve;
  const int steps = std::max(2, static_cast<int>(plot.width() / 2));
  for (int i = 0; i <= steps; ++i) {
    const double in = kCompLowDb + span * i / steps;
    const QPointF point(x(in), y(CompressorOutputDb(in, threshold, ratio, gain)));
    i == 0 ? curve.moveTo(point) : curve.lineTo(point);
  }
  painter.setPen(CurvePen());
  painter.drawPath(curve);
  painter.setBrush(painter.pen().color());
  painter.drawEllipse(QPointF(x(threshold), y(CompressorOutputDb(threshold, threshold, ratio, gain))), 3.5, 3.5);
}

// ---- Delay ------------------------------------------------------------------

DelayTapsPicture::DelayTapsPicture(const QComboBox& type, std::array<Voice, 2> voices, QWidget* parent)
    : CurvePicture("pictDelayTaps", parent), type_(type), voices_(voices) {
  Follow(type);
  for (const Voice& voice : voices_) {
    for (const QComboBox* list : {voice.time, voice.feedback, voice.tempo}) Follow(*list);
  }
}

void DelayTapsPicture::Draw(QPainter& painter, const QRectF& plot) {
  const int count = type_.currentIndex() == kDualDelay ? 2 : 1;
  std::vector<DelayVoice> voices;
  double longest = 0;
  for (int i = 0; i < count; ++i) {
    voices.push_back({Shown(*voices_[i].time, 0), Shown(*voices_[i].feedback, 0) / 100.0});
    longest = std::max(longest, voices.back().ms);
  }
  // Room for a few repeats of the longest time, in whole seconds.
  const double untilMs = std::clamp(std::ceil(longest * 5 / 1000.0) * 1000.0, 1000.0, 9000.0);
  const auto x = [&](double ms) { return plot.left() + plot.width() * ms / untilMs; };
  const auto y = [&](double level) { return plot.bottom() - plot.height() * level; };
  for (double level : {0.0, 0.5, 1.0}) HorizontalLine(painter, plot, y(level), QString("%1 %").arg(level * 100));
  // The finest spacing whose labels do not run into each other.
  const double labelWidth = fontMetrics().horizontalAdvance("750 ms") * 1.4;
  double tick = 250;
  for (double wider : {500.0, 1000.0, 2000.0}) {
    if (plot.width() * tick / untilMs < labelWidth) tick = wider;
  }
  for (double ms = 0; ms <= untilMs; ms += tick) {
    VerticalLine(painter, plot, x(ms), ms < 1000 || std::fmod(ms, 1000) ? QString("%1 ms").arg(ms) : QString("%1 s").arg(ms / 1000));
  }
  painter.setPen(QPen(palette().color(QPalette::Text), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(x(0), y(0)), QPointF(x(0), y(1)));  // the note played
  for (const DelayTap& tap : DelayTaps(voices, untilMs)) {
    QPen pen = CurvePen(tap.voice);
    pen.setWidthF(3);
    painter.setPen(pen);
    painter.drawLine(QPointF(x(tap.ms), y(0)), QPointF(x(tap.ms), y(tap.level)));
  }
  painter.setPen(palette().color(QPalette::Text));
  QStringList tempos;
  for (int i = 0; i < count; ++i) {
    if (voices_[i].tempo->currentIndex() > 0) tempos << voices_[i].tempo->currentText();
  }
  if (!tempos.isEmpty()) painter.drawText(plot.adjusted(0, 2, -4, 0), Qt::AlignRight | Qt::AlignTop, "Tempo " + tempos.join(" / "));
}
