#include "frmOverview.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>

#include "ParameterCatalog.h"
#include "SvgPicture.h"

namespace {

// The cards in signal order, each with the controls whose values it shows
// (those the block's type does not have are left out).
struct CardSpec {
  BlockNumber block;
  const char* name;
  std::array<const char*, 7> main;
};

constexpr CardSpec kCards[] = {
    {BlockNumber::NoiseGateEQ, "cardNoiseGate", {"cmbNGThreshold", "cmbNGDamping", "cmbNGRelease", "chkEqOnOff"}},
    {BlockNumber::LevelRelay, "cardLevels", {"cmbOutLevel", "chkRelay1", "chkRelay2"}},
    {BlockNumber::Compressor, "cardCompressor", {"cmbThreshold", "cmbRatio", "cmbGain", "cmbAttack"}},
    {BlockNumber::FilterMod, "cardFilterMod", {"cmbFiltSens", "cmbPhaseSpeed", "cmbPhaseDepth", "cmbFiltMix"}},
    {BlockNumber::Pitch, "cardPitch", {"cmbPitchVL", "cmbPitchV1", "cmbPitchVR", "cmbPitchV2",
                                         "cmbPitchWhammyRange", "cmbPitchWhammyDirection", "cmbPitchMix"}},
    {BlockNumber::ChorusFlange, "cardChorus", {"cmbChorusSpeed", "cmbChorusDepth", "cmbChorusMix", "cmbChorusOut"}},
    {BlockNumber::Delay, "cardDelay", {"cmbDelayTime1", "cmbDelayFB1", "cmbDelayTempo1", "cmbDelayMix"}},
    {BlockNumber::Reverb, "cardReverb", {"cmbRevDecay", "cmbRevPreDelay", "cmbRevMix", "cmbRevLevel"}},
    {BlockNumber::Routing, "cardRouting", {"cmbRouting"}},
    {BlockNumber::TapTempo, "cardTap", {"cmbTapTempo"}},
};
constexpr int kMostValues = 4;
constexpr int kCardsPerRow = 4;
constexpr QSize kLampSize(14, 14);
constexpr QSize kRoutingSize(84, 36);
constexpr const char* kRoutingPictures[] = {":/pictures/routing-serial.svg", ":/pictures/routing-semi.svg",
                                            ":/pictures/routing-parallel.svg"};

const CardSpec& SpecOf(BlockNumber block) {
  return *std::find_if(std::begin(kCards), std::end(kCards), [&](const CardSpec& c) { return c.block == block; });
}

const CatalogBlock& CatalogOf(BlockNumber block) {
  const auto blocks = CatalogBlocks();
  return *std::find_if(blocks.begin(), blocks.end(), [&](const CatalogBlock& b) { return b.number == block; });
}

const CatalogRow* OnOffRow(const CatalogBlock& block) {
  for (const CatalogRow& row : block.rows) {
    if (row.rep == Representation::OnOff) return &row;
  }
  return nullptr;
}

QString ValueText(const CatalogRow& row, const PresetImage& image) {
  const auto text = TextOf(row, ReadLocation(image, row.at));
  return text ? QString::fromStdString(*text).trimmed() : QStringLiteral("\u2014");  // a value no item of the list holds
}

int Type(const CatalogBlock& block, const PresetImage& image) {
  return block.HasTypes() ? ShownType(block, ReadLocation(image, TypeRow(block).at)) : 0;
}

SvgPicture* Picture(const char* resource, QSize size, const QString& name, QWidget* parent) {
  auto* picture = new SvgPicture(resource, size, parent);
  picture->setObjectName(name);
  return picture;
}

}  // namespace

OverviewCard::OverviewCard(const CatalogBlock& block, const char* name, QWidget* parent)
    : QFrame(parent), block_(block) {
  setObjectName(name);
  setFrameShape(QFrame::StyledPanel);
  setCursor(Qt::PointingHandCursor);
  setAccessibleName(QString::fromUtf8(block.name));
  setToolTip(tr("Click: open the block; right-click: the block menu"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->setSpacing(3);
  auto* head = new QHBoxLayout;
  if (OnOffRow(block)) {
    auto* lamp = new QWidget(this);
    auto* stack = new QGridLayout(lamp);
    stack->setContentsMargins(0, 0, 0, 0);
    lampOn_ = Picture(":/pictures/lamp-on.svg", kLampSize, objectName() + "LampOn", lamp);
    lampOff_ = Picture(":/pictures/lamp-off.svg", kLampSize, objectName() + "LampOff", lamp);
    stack->addWidget(lampOn_, 0, 0);
    stack->addWidget(lampOff_, 0, 0);
    head->addWidget(lamp);
  }
  QLabel* title = AddLabel("Title");
  title->setText(QString::fromUtf8(block.name));
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  head->addWidget(title, 1);
  layout->addLayout(head);
  if (block.HasTypes()) {
    type_ = AddLabel("Type");
    layout->addWidget(type_);
  }
  if (block.number == BlockNumber::Routing) {
    for (std::size_t i = 0; i < routing_.size(); ++i) {
      routing_[i] = Picture(kRoutingPictures[i], kRoutingSize, objectName() + QString("Picture%1").arg(i), this);
      layout->addWidget(routing_[i], 0, Qt::AlignHCenter);
    }
  }
  for (int i = 1; i <= kMostValues; ++i) {
    values_.push_back(AddLabel(QString("Value%1").arg(i)));
    layout->addWidget(values_.back());
  }
  layout->addStretch(1);
}

BlockNumber OverviewCard::Block() const { return block_.number; }

QLabel* OverviewCard::AddLabel(const QString& suffix) {
  auto* label = new QLabel(this);
  label->setObjectName(objectName() + suffix);
  label->setTextFormat(Qt::PlainText);
  return label;
}

void OverviewCard::Show(const PresetImage& image) {
  ShowLamp(image);
  ShowRouting(image);
  const int type = Type(block_, image);
  if (type_) type_->setText(ValueText(TypeRow(block_), image));
  const std::vector<CatalogField> fields = FieldsOf(block_, type);
  std::size_t shown = 0;
  for (const char* control : SpecOf(block_.number).main) {
    if (!control || shown == values_.size()) break;
    const auto field = std::find_if(fields.begin(), fields.end(),
                                    [&](const CatalogField& f) { return std::string_view(f.row->control) == control; });
    if (field == fields.end() || !field->active) continue;
    const std::string_view caption = field->caption.empty() ? field->name : field->caption;
    values_[shown++]->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())) + ": " +
                              ValueText(*field->row, image));
  }
  for (std::size_t i = 0; i < values_.size(); ++i) values_[i]->setVisible(i < shown);
  for (std::size_t i = shown; i < values_.size(); ++i) values_[i]->clear();
}

void OverviewCard::ShowLamp(const PresetImage& image) {
  const CatalogRow* row = OnOffRow(block_);
  if (!row) return;
  const bool on = ReadLocation(image, row->at) == 0;
  lampOn_->setVisible(on);
  lampOff_->setVisible(!on);
}

void OverviewCard::ShowRouting(const PresetImage& image) {
  if (!routing_[0]) return;
  const int routing = ReadLocation(image, block_.rows.front().at);
  for (std::size_t i = 0; i < routing_.size(); ++i) routing_[i]->setVisible(static_cast<int>(i) == routing);
}

void OverviewCard::mouseReleaseEvent(QMouseEvent* event) {
  if (!rect().contains(event->position().toPoint())) return;
  if (event->button() == Qt::LeftButton) Q_EMIT chosen(block_.number);
  if (event->button() == Qt::RightButton) Q_EMIT menuAsked(block_.number, event->globalPosition().toPoint());
}

frmOverview::frmOverview(QWidget* parent) : QWidget(parent) {
  setObjectName("frmOverview");
  setWindowTitle(tr("Overview"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(16, 16, 16, 16);
  grid->setSpacing(10);
  for (const CardSpec& spec : kCards) {
    auto* card = new OverviewCard(CatalogOf(spec.block), spec.name, this);
    const int at = static_cast<int>(cards_.size());
    grid->addWidget(card, at / kCardsPerRow, at % kCardsPerRow);
    connect(card, &OverviewCard::chosen, this, &frmOverview::blockChosen);
    connect(card, &OverviewCard::menuAsked, this, &frmOverview::blockMenuAsked);
    cards_.push_back(card);
  }
  for (int column = 0; column < kCardsPerRow; ++column) grid->setColumnStretch(column, 1);
  grid->setRowStretch(grid->rowCount(), 1);
}

void frmOverview::Show(const PresetImage& image) {
  for (OverviewCard* card : cards_) card->Show(image);
}
