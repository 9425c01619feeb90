// The block toolbar ("pictToolbar") across the top of the main window: the
// device's signal chain, one element per block with its on/off lamp, the
// routing picture, the blinking tap-tempo light, and REQUEST and SEND.
// The toolbar only draws and reports; the main window connects its signals
// to its own commands and calls the setters below to keep it in step with
// the preset and the editors.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "PresetLayout.h"

class QTimer;
class SvgPicture;
class ToolbarTile;

// The tap light's blink interval before any preset sets one.
inline constexpr int kInitialTapInterval = 600;
// pictRouting index shown while no preset is loaded.
inline constexpr int kNoRoutingPicture = 3;

class BlockToolbar : public QWidget {
  Q_OBJECT

 public:
  explicit BlockToolbar(QWidget* parent = nullptr);

  // Shows block iBlock's On lamp when bOn, its Off lamp otherwise; blocks
  // without a switch are ignored. ToggleButtons calls it once per editor.
  void SetBlockOn(BlockNumber iBlock, bool bOn);
  // Draws iBlock's element raised and every other one flat; a number
  // without an element (0) leaves all of them flat.
  void MarkBlock(int iBlock);
  // The number of the raised element, or 0.
  int MarkedBlock() const;
  // Shows pictRouting(iRouting): 0 serial, 1 semi-parallel, 2 parallel,
  // 3 no preset. A routing the device does not have shows 3.
  void UpdateRoutingDisplay(int iRouting);
  // The tap light blinks every sSpeed milliseconds: the tap tempo list's
  // entry text, such as "1234 ". Text that is no positive whole number is
  // refused (false) and the light keeps its pace.
  bool SetTapTempoSpeed(const QString& sSpeed);
  int TapInterval() const;
  // SEND and its label; the main window enables them while a preset is shown.
  void SetSendEnabled(bool bEnabled);

 Q_SIGNALS:
  // Left button pressed on a block's element (the MOD element included).
  void blockClicked(BlockNumber iBlock);
  // Any button released on a block's element, except MOD's.
  void blockMenuRequested(BlockNumber iBlock, Qt::MouseButton button, QPoint globalPos);
  // Emitted while the button is drawn raised, so a command run from the
  // slot shows it pressed until it is done.
  void requestClicked();
  void sendClicked();
  // A button released over the bare toolbar, outside every element.
  void backgroundReleased(Qt::MouseButton button, QPoint globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Lamp {
    BlockNumber block;
    SvgPicture* on;
    SvgPicture* off;
  };

  ToolbarTile* AddBlockTile(BlockNumber iBlock);
  void AddLampTile(BlockNumber iBlock, const char* onName, const char* offName, const char* labelName,
                   const char* text);
  void AddLevelRelayTile();
  void AddRoutingTile();
  void AddModifiersTile();
  void AddTapTile();
  ToolbarTile* AddCommandTile(const char* pictureName, const char* resource, const char* labelName,
                              const char* text, void (BlockToolbar::*command)());
  void AddDivider();
  void BlinkTapLight();

  std::array<ToolbarTile*, 12> tiles_{};  // by block number; [0] unused
  std::vector<Lamp> lamps_;
  std::array<SvgPicture*, 4> pictRouting_{};
  SvgPicture* btnTapOn_ = nullptr;
  SvgPicture* btnTapOff_ = nullptr;
  ToolbarTile* sendTile_ = nullptr;
  QTimer* tmrTap_ = nullptr;
};
