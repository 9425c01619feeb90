#include "dlgModifiers.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QVBoxLayout>

#include "CModifier.h"
#include "CPreset.h"
#include "modifierUtils.h"
#include "Selection.h"
#include "TabStopColumns.h"
#include "comboBoxUtils.h"

namespace {

// Column stops of the list and its heading, in dialog units.
constexpr std::initializer_list<int> kTabStops = {75, 115, 165, 215};
constexpr int kHighestModifier = 4;
constexpr int kHighestOutput = 100;
constexpr int kVisibleRows = 12;
// Room between a list under a column and the next column.
constexpr int kColumnGap = 10;

QString Percent(int value) { return QString::number(value) + '%'; }

// Outputs above 100 (an image may hold up to 127) and unknown modifier
// numbers fit no item; the list then shows no selection.
void ShowValue(QComboBox& list, int value, int highest) {
  SelectListIndex(list, value >= 0 && value <= highest ? value : -1);
}

// A list left without a selection keeps the value it could not show.
int ChosenValue(const QComboBox& list, int current) {
  return list.currentIndex() >= 0 ? list.currentIndex() : current;
}

QLabel* MakeLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(QObject::tr(text), parent);
  label->setObjectName(name);
  return label;
}

// The captions over the editing row are bold, the prompt under them is not.
QLabel* MakeCaption(const char* name, const char* text, QWidget* parent) {
  QLabel* label = MakeLabel(name, text, parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

QComboBox* MakeList(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setMaxVisibleItems(15);
  return list;
}

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QObject::tr(caption), parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

QString ModifierRowText(const CModifier& m) {
  return QStringList{QString::fromStdString(m.Prompt()), QString::fromStdString(m.ModifierText()),
                     Percent(m.MinOut()), Percent(m.MidOut()), Percent(m.MaxOut())}
      .join('\t');
}

dlgModifiers::dlgModifiers(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgModifiers");
  setWindowTitle(tr("Modifier editor"));
  BuildControls();
  LayOut();
  ConnectCommands();
  list_.Attach(*lstModifiers);
  // A focused list makes its first row current, which would read as chosen.
  OKButton->setFocus();
}

void dlgModifiers::Init(CPreset& preset, bool, bool, bool, bool, bool) {
  preset_ = &preset;
  const QList<int> stops = list_.SetTabStops(kTabStops);
  FillTextCombo(*cmbModifier, {"off", "M1", "M2", "M3", "M4"});
  FillIntegerCombo(*cmbMinOut, 0, kHighestOutput, "%");
  FillIntegerCombo(*cmbMidOut, 0, kHighestOutput, "%");
  FillIntegerCombo(*cmbMaxOut, 0, kHighestOutput, "%");
  SetTextTabStops(*txtLabels, stops);
  txtLabels->setPlainText(QStringList{"Parameter", "Modifier", "Min Out", "Mid Out", "Max Out"}.join('\t'));

  lstModifiers->clear();
  for (int i = 1; i <= kModifierCount; ++i) {
    const std::shared_ptr<CModifier> m = preset.Modifiers(i);
    if (m && !m->Prompt().empty()) list_.AddItem(ModifierRowText(*m), i);
  }
  list_.SetListIndex(-1);

  // Room for every column, the last as wide as the one before it.
  const int width = stops.back() + (stops.back() - stops[stops.size() - 2]) + 2 * kColumnTextMargin +
                    lstModifiers->verticalScrollBar()->sizeHint().width();
  lstModifiers->setMinimumSize(width, kVisibleRows * (fontMetrics().height() + kRowPadding));
  txtLabels->setFixedHeight(fontMetrics().height() + 2 * kColumnTextMargin);
  AlignEditor(stops);
}

// The controls below the list stand in the list's columns.
void dlgModifiers::AlignEditor(const QList<int>& stops) {
  constexpr int kTableFrame = 1;
  editor_->setContentsMargins(kTableFrame + kColumnTextMargin, 0, 0, 0);
  int left = 0;
  for (int column = 0; column < stops.size(); ++column) {
    editor_->setColumnMinimumWidth(column, stops[column] - left);
    left = stops[column];
  }
  QComboBox* const lists[] = {cmbModifier, cmbMinOut, cmbMidOut, cmbMaxOut};
  for (int column = 1; column < stops.size(); ++column) {
    lists[column - 1]->setFixedWidth(stops[column] - stops[column - 1] - kColumnGap);
  }
  cmbMaxOut->setFixedWidth(cmbMidOut->width());
}

void dlgModifiers::BuildControls() {
  txtLabels = new QPlainTextEdit(this);
  txtLabels->setObjectName("txtLabels");
  txtLabels->setReadOnly(true);
  txtLabels->setFocusPolicy(Qt::NoFocus);
  txtLabels->setFrameShape(QFrame::NoFrame);
  txtLabels->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtLabels->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtLabels->setBackgroundRole(QPalette::Button);
  txtLabels->viewport()->setBackgroundRole(QPalette::Button);

  lstModifiers = new QListWidget(this);
  lstModifiers->setObjectName("lstModifiers");
  lstModifiers->setFrameShape(QFrame::NoFrame);
  lstModifiers->setSelectionMode(QAbstractItemView::SingleSelection);
  lstModifiers->setAlternatingRowColors(true);
  lstModifiers->setUniformItemSizes(true);
  lstModifiers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  lblPrompt = MakeLabel("lblPrompt", "", this);
  cmbModifier = MakeList("cmbModifier", this);
  cmbMinOut = MakeList("cmbMinOut", this);
  cmbMidOut = MakeList("cmbMidOut", this);
  cmbMaxOut = MakeList("cmbMaxOut", this);
  cmdUpdate = MakeButton("&Update", "cmdUpdate", this);
  cmdUpdate->setEnabled(false);
  cmdUpdate->setAutoDefault(false);
  OKButton = MakeButton("&OK", "OKButton", this);
  OKButton->setDefault(true);
}

void dlgModifiers::LayOut() {
  // The heading and the rows share one frame, so their columns line up.
  auto* table = new QFrame(this);
  table->setFrameShape(QFrame::StyledPanel);
  auto* rule = new QFrame(table);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  auto* tableBox = new QVBoxLayout(table);
  tableBox->setContentsMargins(1, 1, 1, 1);
  tableBox->setSpacing(0);
  tableBox->addWidget(txtLabels);
  tableBox->addWidget(rule);
  tableBox->addWidget(lstModifiers, 1);

  editor_ = new QGridLayout;
  editor_->setHorizontalSpacing(0);
  editor_->setVerticalSpacing(4);
  editor_->addWidget(MakeCaption("lblParam", "Parameter", this), 0, 0);
  editor_->addWidget(lblPrompt, 1, 0);
  const struct {
    const char* name;
    const char* caption;
    QComboBox* list;
  } columns[] = {{"Label1", "Modifier", cmbModifier},
                 {"Label2", "Min Out", cmbMinOut},
                 {"Label3", "Mid Out", cmbMidOut},
                 {"Label4", "Max Out", cmbMaxOut}};
  int column = 1;
  for (const auto& c : columns) {
    QLabel* caption = MakeCaption(c.name, c.caption, this);
    caption->setBuddy(c.list);
    editor_->addWidget(caption, 0, column);
    editor_->addWidget(c.list, 1, column++);
  }
  editor_->setColumnStretch(column, 1);
  editor_->addWidget(cmdUpdate, 1, column + 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OKButton);

  auto* page = new QVBoxLayout(this);
  page->setSpacing(12);
  page->addWidget(table, 1);
  page->addLayout(editor_);
  page->addLayout(buttons);
}

void dlgModifiers::ConnectCommands() {
  connect(lstModifiers, &QListWidget::itemSelectionChanged, this, &dlgModifiers::ShowSelectedRow);
  for (QComboBox* list : {cmbModifier, cmbMinOut, cmbMidOut, cmbMaxOut}) {
    connect(list, &QComboBox::activated, this, &dlgModifiers::ControlChanged);
  }
  connect(cmdUpdate, &QPushButton::clicked, this, &dlgModifiers::UpdateAssignment);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void dlgModifiers::ShowSelectedRow() {
  const std::shared_ptr<CModifier> m = SelectedAssignment();
  if (!m) return;
  const QScopedValueRollback loading(loading_, true);
  lblPrompt->setText(QString::fromStdString(m->Prompt()));
  ShowValue(*cmbModifier, m->Modifier(), kHighestModifier);
  ShowValue(*cmbMinOut, m->MinOut(), kHighestOutput);
  ShowValue(*cmbMidOut, m->MidOut(), kHighestOutput);
  ShowValue(*cmbMaxOut, m->MaxOut(), kHighestOutput);
  cmdUpdate->setEnabled(false);
}

// Update stays off until a row is chosen, so it always has an assignment.
void dlgModifiers::ControlChanged() {
  if (!loading_ && list_.ListIndex() >= 0) cmdUpdate->setEnabled(true);
}

void dlgModifiers::UpdateAssignment() {
  const std::shared_ptr<CModifier> m = SelectedAssignment();
  if (!m) return;
  m->SetModifier(ChosenValue(*cmbModifier, m->Modifier()));
  m->SetMinOut(ChosenValue(*cmbMinOut, m->MinOut()));
  m->SetMidOut(ChosenValue(*cmbMidOut, m->MidOut()));
  m->SetMaxOut(ChosenValue(*cmbMaxOut, m->MaxOut()));
  list_.SetValue(ModifierRowText(*m));
  changed_ = true;
  cmdUpdate->setEnabled(false);
}

std::shared_ptr<CModifier> dlgModifiers::SelectedAssignment() const {
  if (!preset_ || list_.ListIndex() < 0) return nullptr;
  return preset_->Modifiers(list_.ItemData());
}

bool RunModifiers(CPreset& preset, bool bFiltOn, bool bPitchOn, bool bChorusOn, bool bDelayOn, bool bReverbOn,
                  QWidget* parent) {
  dlgModifiers dialog(parent);
  dialog.Init(preset, bFiltOn, bPitchOn, bChorusOn, bDelayOn, bReverbOn);
  dialog.exec();
  return dialog.Changed();
}
