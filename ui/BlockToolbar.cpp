#include "BlockToolbar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "SvgPicture.h"
#include "ToolbarTile.h"

namespace {

constexpr QSize kLampSize(24, 24);
constexpr QSize kIconSize(24, 24);
constexpr QSize kRoutingSize(56, 24);
constexpr const char* kLampOn = ":/pictures/lamp-on.svg";
constexpr const char* kLampOff = ":/pictures/lamp-off.svg";
constexpr const char* kRoutingPictures[] = {":/pictures/routing-serial.svg", ":/pictures/routing-semi.svg",
                                            ":/pictures/routing-parallel.svg", ":/pictures/routing-none.svg"};

SvgPicture* MakePicture(const char* name, const char* resource, QSize size) {
  auto* picture = new SvgPicture(resource, size);
  picture->setObjectName(name);
  return picture;
}

// A thin upright rule between the groups of elements.
class Divider : public QWidget {
 public:
  explicit Divider(QWidget* parent) : QWidget(parent) { setFixedWidth(11); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(QColor(ToolbarLook::Wire));
    const int x = width() / 2;
    painter.drawLine(x, height() / 5, x, height() - height() / 5);
  }
};

}  // namespace

BlockToolbar::BlockToolbar(QWidget* parent) : QWidget(parent) {
  setObjectName("pictToolbar");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(8, 5, 8, 5);
  row->setSpacing(2);

  AddLampTile(BlockNumber::NoiseGateEQ, "btnNoiseGateOn", "btnNoiseGateOff", "lblNoiseGate", "NOISE GATE");
  AddLevelRelayTile();
  AddLampTile(BlockNumber::Compressor, "btnCompOn", "btnCompOff", "lblComp", "COMP");
  AddLampTile(BlockNumber::FilterMod, "btnFiltOn", "btnFiltOff", "lblFilt", "FILT/MOD");
  AddLampTile(BlockNumber::Pitch, "btnPitchOn", "btnPitchOff", "lblPitch", "PITCH");
  AddLampTile(BlockNumber::ChorusFlange, "btnChorusOn", "btnChorusOff", "lblChorus", "CHO/FLA");
  AddLampTile(BlockNumber::Delay, "btnDelayOn", "btnDelayOff", "lblDelay", "DELAY");
  AddLampTile(BlockNumber::Reverb, "btnReverbOn", "btnReverbOff", "lblReverb", "REVERB");
  AddDivider();
  AddRoutingTile();
  AddDivider();
  AddModifiersTile();
  AddTapTile();
  row->addStretch(1);
  AddCommandTile("btnReceive", ":/pictures/request.svg", "lblReceive", "REQUEST", &BlockToolbar::requestClicked);
  sendTile_ = AddCommandTile("btnSend", ":/pictures/send.svg", "lblSend", "SEND", &BlockToolbar::sendClicked);

  tmrTap_ = new QTimer(this);
  tmrTap_->setObjectName("tmrTap");
  tmrTap_->setInterval(kInitialTapInterval);
  connect(tmrTap_, &QTimer::timeout, this, &BlockToolbar::BlinkTapLight);
  tmrTap_->start();
  UpdateRoutingDisplay(kNoRoutingPicture);
  // The strip keeps its height: the block windows are sized below it.
  setFixedHeight(sizeHint().height());
}

void BlockToolbar::SetBlockOn(BlockNumber iBlock, bool bOn) {
  for (const Lamp& lamp : lamps_) {
    if (lamp.block != iBlock) continue;
    lamp.on->setVisible(bOn);
    lamp.off->setVisible(!bOn);
  }
}

void BlockToolbar::MarkBlock(int iBlock) {
  for (std::size_t i = 0; i < tiles_.size(); ++i) {
    if (tiles_[i]) tiles_[i]->SetRaised(static_cast<int>(i) == iBlock);
  }
}

int BlockToolbar::MarkedBlock() const {
  for (std::size_t i = 0; i < tiles_.size(); ++i) {
    if (tiles_[i] && tiles_[i]->IsRaised()) return static_cast<int>(i);
  }
  return 0;
}

void BlockToolbar::UpdateRoutingDisplay(int iRouting) {
  const int shown = iRouting >= 0 && iRouting < kNoRoutingPicture ? iRouting : kNoRoutingPicture;
  for (int i = 0; i < static_cast<int>(pictRouting_.size()); ++i) pictRouting_[i]->setVisible(i == shown);
}

bool BlockToolbar::SetTapTempoSpeed(const QString& sSpeed) {
  bool isNumber = false;
  const int interval = sSpeed.trimmed().toInt(&isNumber);
  // 0 would make the timer fire on every pass of the event loop.
  if (!isNumber || interval <= 0) return false;
  tmrTap_->setInterval(interval);
  return true;
}

int BlockToolbar::TapInterval() const { return tmrTap_->interval(); }

void BlockToolbar::SetSendEnabled(bool bEnabled) { sendTile_->setEnabled(bEnabled); }

void BlockToolbar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient panel(0, 0, 0, height());
  panel.setColorAt(0, QColor(ToolbarLook::PanelTop));
  panel.setColorAt(1, QColor(ToolbarLook::PanelBottom));
  painter.fillRect(rect(), panel);
  painter.setPen(QColor(ToolbarLook::PanelEdge));
  painter.drawLine(0, height() - 1, width(), height() - 1);

  // The signal runs from the noise gate through to the reverb.
  const QPoint from = tiles_[int(BlockNumber::NoiseGateEQ)]->PictureCentre();
  const QPoint to = tiles_[int(BlockNumber::Reverb)]->PictureCentre();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(ToolbarLook::Wire), 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPoint(layout()->contentsMargins().left(), from.y()), to);
}

void BlockToolbar::mouseReleaseEvent(QMouseEvent* event) {
  Q_EMIT backgroundReleased(event->button(), event->globalPosition().toPoint());
}

ToolbarTile* BlockToolbar::AddBlockTile(BlockNumber iBlock) {
  auto* tile = new ToolbarTile(this);
  layout()->addWidget(tile);
  tiles_[static_cast<std::size_t>(iBlock)] = tile;
  connect(tile, &ToolbarTile::pressed, this, [this, iBlock](Qt::MouseButton button) {
    if (button == Qt::LeftButton) Q_EMIT blockClicked(iBlock);
  });
  if (iBlock != BlockNumber::Modifiers) {
    connect(tile, &ToolbarTile::released, this, [this, iBlock](Qt::MouseButton button, QPoint globalPos) {
      Q_EMIT blockMenuRequested(iBlock, button, globalPos);
    });
  }
  return tile;
}

void BlockToolbar::AddLampTile(BlockNumber iBlock, const char* onName, const char* offName, const char* labelName,
                               const char* text) {
  ToolbarTile* tile = AddBlockTile(iBlock);
  Lamp lamp{iBlock, MakePicture(onName, kLampOn, kLampSize), MakePicture(offName, kLampOff, kLampSize)};
  tile->AddPicture(lamp.on);
  tile->AddPicture(lamp.off);
  tile->AddLabel(labelName, text);
  lamps_.push_back(lamp);
  SetBlockOn(iBlock, false);
}

void BlockToolbar::AddLevelRelayTile() {
  ToolbarTile* tile = AddBlockTile(BlockNumber::LevelRelay);
  tile->AddPicture(MakePicture("btnLevelRelay", ":/pictures/levels.svg", kIconSize));
  tile->AddLabel("lblLevelRelay1", "LEVELS ALL");
  tile->AddLabel("lblLevelRelay2", "RELAY 1+2");
}

// The routing element's picture is the diagram of the preset's routing.
void BlockToolbar::AddRoutingTile() {
  ToolbarTile* tile = AddBlockTile(BlockNumber::Routing);
  auto* btnRouting = new QWidget;
  btnRouting->setObjectName("btnRouting");
  auto* stack = new QGridLayout(btnRouting);
  stack->setContentsMargins(0, 0, 0, 0);
  for (std::size_t i = 0; i < pictRouting_.size(); ++i) {
    const QString name = QStringLiteral("pictRouting%1").arg(i);
    pictRouting_[i] = MakePicture(name.toUtf8().constData(), kRoutingPictures[i], kRoutingSize);
    stack->addWidget(pictRouting_[i], 0, 0, Qt::AlignCenter);
  }
  tile->AddPicture(btnRouting);
  tile->AddLabel("lblRouting", "ROUTING");
}

void BlockToolbar::AddModifiersTile() {
  ToolbarTile* tile = AddBlockTile(BlockNumber::Modifiers);
  tile->AddPicture(MakePicture("btnMod", ":/pictures/modifiers.svg", kIconSize));
  tile->AddLabel("lblMod", "MOD");
}

void BlockToolbar::AddTapTile() {
  ToolbarTile* tile = AddBlockTile(BlockNumber::TapTempo);
  btnTapOn_ = MakePicture("btnTapOn", ":/pictures/tap-on.svg", kLampSize);
  btnTapOff_ = MakePicture("btnTapOff", ":/pictures/tap-off.svg", kLampSize);
  tile->AddPicture(btnTapOn_);
  tile->AddPicture(btnTapOff_);
  tile->AddLabel("lblTap", "TAP");
  btnTapOff_->hide();
}

ToolbarTile* BlockToolbar::AddCommandTile(const char* pictureName, const char* resource, const char* labelName,
                                          const char* text, void (BlockToolbar::*command)()) {
  auto* tile = new ToolbarTile(this);
  layout()->addWidget(tile);
  tile->AddPicture(MakePicture(pictureName, resource, kIconSize));
  tile->AddLabel(labelName, text);
  connect(tile, &ToolbarTile::clicked, this, [this, tile, command] {
    tile->SetRaised(true);
    tile->repaint();
    (this->*command)();
    tile->SetRaised(false);
  });
  return tile;
}

void BlockToolbar::AddDivider() { layout()->addWidget(new Divider(this)); }

void BlockToolbar::BlinkTapLight() {
  const bool lit = !btnTapOn_->isHidden();
  btnTapOn_->setVisible(!lit);
  btnTapOff_->setVisible(lit);
}
