// One element of the block toolbar: the pictures and labels that stand for
// one block (or for REQUEST or SEND), clickable as a whole. Its pictures
// share one place above the labels; which of them is visible is the
// toolbar's business. The tile of the block on show is drawn raised.
#pragma once

#include <QRgb>
#include <QWidget>

class QGridLayout;
class QLabel;
class QVBoxLayout;

// The toolbar's colours: a dark panel, like the face of the device.
namespace ToolbarLook {
inline constexpr QRgb PanelTop = 0x2b3038;
inline constexpr QRgb PanelBottom = 0x1e2227;
inline constexpr QRgb PanelEdge = 0x0e1114;
inline constexpr QRgb Wire = 0x3d4550;
inline constexpr QRgb Label = 0xaab3bf;
inline constexpr QRgb LabelRaised = 0xffffff;
inline constexpr QRgb LabelDisabled = 0x59616b;
}  // namespace ToolbarLook

class ToolbarTile : public QWidget {
  Q_OBJECT

 public:
  explicit ToolbarTile(QWidget* parent);

  // Puts picture in the tile's picture place, over the ones added before.
  void AddPicture(QWidget* picture);
  QLabel* AddLabel(const char* name, const char* text);

  void SetRaised(bool bRaised);
  bool IsRaised() const { return raised_; }
  // Where the pictures sit, in the parent's coordinates.
  QPoint PictureCentre() const;

 Q_SIGNALS:
  void pressed(Qt::MouseButton button);
  void released(Qt::MouseButton button, QPoint globalPos);
  // A left press and release over the tile.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void UpdateLabelColour();

  QVBoxLayout* column_;
  QWidget* picturePlace_;
  QGridLayout* pictures_;
  bool raised_ = false;
};
