#include "dlgSoundDesign.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include "BlockAreas.h"

namespace {

struct AreaCaption {
  const char* area;
  const char* caption;
};

constexpr AreaCaption kAreaCaptions[] = {
    {"gate-eq", "&Noise Gate/EQ"}, {"compressor", "&Compressor"}, {"filter", "&Filter/Mod"},
    {"pitch", "&Pitch"},           {"chorus", "C&horus/Flanger"}, {"delay", "&Delay"},
    {"reverb", "Re&verb"},         {"routing", "Routing/&Levels"}, {"tap-tempo", "&Tap Tempo"},
};

const char* Title(DesignKind kind) {
  switch (kind) {
    case DesignKind::Randomize: return "Randomize";
    case DesignKind::Mutate: return "Mutate";
    case DesignKind::Morph: return "Morph";
    case DesignKind::Nudge: return "Nudge";
  }
  return "";
}

// A row of several controls whose label's key moves the focus to buddy.
void AddRow(QFormLayout& form, const char* caption, QWidget* buddy, QLayout* row) {
  auto* label = new QLabel(caption);
  label->setBuddy(buddy);
  form.addRow(label, row);
}

QCheckBox* AddCheck(QFormLayout& form, const char* name, const char* caption) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  form.addRow(box);
  return box;
}

}  // namespace

dlgSoundDesign::dlgSoundDesign(DesignKind kind, const PresetImage& start, std::vector<DesignTarget> targets,
                               std::function<std::optional<DesignTarget>()> chooseFile, QWidget* parent)
    : QDialog(parent), kind_(kind), start_(start), targets_(std::move(targets)), chooseFile_(std::move(chooseFile)) {
  setObjectName("dlgSoundDesign");
  setWindowTitle(Title(kind));
  auto* form = new QFormLayout(this);
  AddBlocks(*form);
  if (kind == DesignKind::Randomize) types_ = AddCheck(*form, "chkKeepTypes", "&Keep the types");
  if (kind == DesignKind::Mutate) types_ = AddCheck(*form, "chkChangeTypes", "Change the t&ypes too");
  if (kind == DesignKind::Mutate || kind == DesignKind::Nudge) {
    amount_ = new QSpinBox;
    amount_->setObjectName("spnAmount");
    amount_->setRange(1, 100);
    amount_->setValue(kind == DesignKind::Mutate ? 10 : 25);
    amount_->setSuffix(" %");
    form->addRow("&Amount", amount_);
  }
  if (kind == DesignKind::Morph || kind == DesignKind::Nudge) AddTarget(*form);
  if (kind == DesignKind::Nudge) away_ = AddCheck(*form, "chkAway", "A&way from it");
  if (kind == DesignKind::Morph) {
    slider_ = new QSlider(Qt::Horizontal);
    slider_->setObjectName("sldMorph");
    slider_->setRange(0, 100);
    slider_->setPageStep(10);
    at_ = new QLabel("0 %");
    at_->setObjectName("lblMorphAt");
    at_->setMinimumWidth(at_->fontMetrics().horizontalAdvance("100 %"));
    auto* row = new QHBoxLayout;
    row->addWidget(slider_, 1);
    row->addWidget(at_);
    AddRow(*form, "&Morph", slider_, row);
    connect(slider_, &QSlider::valueChanged, this, &dlgSoundDesign::SliderMoved);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setObjectName("cmdOK");
  ok_->setDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cmdCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  UpdateOk();
}

void dlgSoundDesign::AddBlocks(QFormLayout& form) {
  auto* group = new QGroupBox("Blocks to change");
  group->setObjectName("grpBlocks");
  auto* grid = new QGridLayout(group);
  int n = 0;
  for (const AreaCaption& a : kAreaCaptions) {
    auto* box = new QCheckBox(a.caption);
    box->setObjectName(QString("chkBlock_") + a.area);
    box->setChecked(true);
    connect(box, &QCheckBox::toggled, this, &dlgSoundDesign::UpdateOk);
    grid->addWidget(box, n / 3, n % 3);
    ++n;
    for (BlockNumber block : BlocksInArea(*AreaOffset(a.area))) blocks_.emplace_back(block, box);
  }
  form.addRow(group);
}

void dlgSoundDesign::AddTarget(QFormLayout& form) {
  target_ = new QComboBox;
  target_->setObjectName("cmbTarget");
  for (const DesignTarget& t : targets_) target_->addItem(t.label);
  target_->setCurrentIndex(targets_.empty() ? -1 : 0);
  auto* file = new QPushButton("F&ile...");
  file->setObjectName("cmdTargetFile");
  file->setAutoDefault(false);
  connect(file, &QPushButton::clicked, this, &dlgSoundDesign::AddFile);
  connect(target_, &QComboBox::currentIndexChanged, this, [this] {
    UpdateOk();
    if (slider_) SliderMoved();
  });
  auto* row = new QHBoxLayout;
  row->addWidget(target_, 1);
  row->addWidget(file);
  AddRow(form, "Ta&rget", target_, row);
}

void dlgSoundDesign::AddFile() {
  const std::optional<DesignTarget> chosen = chooseFile_ ? chooseFile_() : std::nullopt;
  if (!chosen) return;
  targets_.push_back(*chosen);
  target_->addItem(chosen->label);
  target_->setCurrentIndex(target_->count() - 1);
}

void dlgSoundDesign::SetPreview(MorphPreview preview) {
  preview_ = std::move(preview);
  if (!preview_.later) {
    preview_.later = [this](std::chrono::milliseconds wait, std::function<void()> run) {
      QTimer::singleShot(wait, this, std::move(run));
    };
  }
}

void dlgSoundDesign::SliderMoved() {
  at_->setText(QString("%1 %").arg(slider_->value()));
  if (!preview_.preview || !Target()) return;
  if (pacer_.Offer(preview_.now())) {
    preview_.preview(Morphed());
  } else if (!timerSet_) {
    timerSet_ = true;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*pacer_.DueAt() - preview_.now());
    preview_.later(std::max(wait, std::chrono::milliseconds(0)), [this] { ShowLatest(); });
  }
}

void dlgSoundDesign::ShowLatest() {
  timerSet_ = false;
  if (pacer_.Due(preview_.now())) preview_.preview(Morphed());
}

void dlgSoundDesign::UpdateOk() {
  const bool needsTarget = kind_ == DesignKind::Morph || kind_ == DesignKind::Nudge;
  ok_->setEnabled(!Blocks().empty() && (!needsTarget || Target()));
}

DesignBlocks dlgSoundDesign::Blocks() const {
  DesignBlocks chosen;
  for (const auto& [block, box] : blocks_) {
    if (box->isChecked()) chosen.insert(block);
  }
  return chosen;
}

bool dlgSoundDesign::KeepTypes() const { return types_ && kind_ == DesignKind::Randomize && types_->isChecked(); }
bool dlgSoundDesign::ChangeTypes() const { return types_ && kind_ == DesignKind::Mutate && types_->isChecked(); }
int dlgSoundDesign::Amount() const { return amount_ ? amount_->value() : 0; }
bool dlgSoundDesign::Away() const { return away_ && away_->isChecked(); }
double dlgSoundDesign::At() const { return slider_ ? slider_->value() / 100.0 : 0; }

std::optional<PresetImage> dlgSoundDesign::Target() const {
  if (!target_ || target_->currentIndex() < 0) return std::nullopt;
  return targets_[static_cast<std::size_t>(target_->currentIndex())].image;
}

PresetImage dlgSoundDesign::Morphed() const {
  const std::optional<PresetImage> target = Target();
  return target ? Morph(start_, *target, At(), Blocks()) : start_;
}
