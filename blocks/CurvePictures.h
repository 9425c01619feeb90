// Pictures drawn beside an editor's lists, for values a player would rather
// look at than read: the EQ's response, the compressor's transfer line and
// the delay's repeats. Each reads the lists it was given and redraws as soon
// as one shows another item (while a dial turns, too); it never changes them.
// Drawn with QPainter from the numbers, so they are sharp at any screen scale.
#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QPainter;

class CurvePicture : public QWidget {
  Q_OBJECT

 public:
  QSize sizeHint() const override { return {380, 170}; }
  QSize minimumSizeHint() const override { return {240, 120}; }

 protected:
  explicit CurvePicture(const char* name, QWidget* parent);
  // Redraws whenever list shows another item.
  void Follow(const QComboBox& list);
  void paintEvent(QPaintEvent* event) override;
  // plot: the area inside the axes' texts.
  virtual void Draw(QPainter& painter, const QRectF& plot) = 0;

  // Helpers for the drawings: the plot's grid lines and their texts.
  void HorizontalLine(QPainter& painter, const QRectF& plot, double y, const QString& text) const;
  void VerticalLine(QPainter& painter, const QRectF& plot, double x, const QString& text) const;
  QPen CurvePen(int voice = 0) const;
};

// Three bands of frequency, gain and width on a log axis 20 Hz .. 20 kHz, +-12 dB.
class EqCurvePicture final : public CurvePicture {
  Q_OBJECT

 public:
  using Band = std::array<const QComboBox*, 3>;  // frequency, gain, width
  EqCurvePicture(std::array<Band, 3> bands, const QCheckBox& onOff, QWidget* parent = nullptr);

 protected:
  void Draw(QPainter& painter, const QRectF& plot) override;

 private:
  std::array<Band, 3> bands_;
  const QCheckBox& onOff_;
};

// Output over input level, -60 .. 0 dB in, from threshold, ratio and gain.
class CompressorCurvePicture final : public CurvePicture {
  Q_OBJECT

 public:
  CompressorCurvePicture(const QComboBox& threshold, const QComboBox& ratio, const QComboBox& gain,
                         QWidget* parent = nullptr);

 protected:
  void Draw(QPainter& painter, const QRectF& plot) override;

 private:
  const QComboBox& threshold_;
  const QComboBox& ratio_;
  const QComboBox& gain_;
};

// The repeats on a time line: both voices for the dual delay, one otherwise;
// the tempo lists' texts where a tempo sets the time.
class DelayTapsPicture final : public CurvePicture {
  Q_OBJECT

 public:
  struct Voice {
    const QComboBox* time;
    const QComboBox* feedback;
    const QComboBox* tempo;
  };
  DelayTapsPicture(const QComboBox& type, std::array<Voice, 2> voices, QWidget* parent = nullptr);

 protected:
  void Draw(QPainter& painter, const QRectF& plot) override;

 private:
  const QComboBox& type_;
  std::array<Voice, 2> voices_;
};
