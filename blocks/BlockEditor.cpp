#include "BlockEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "CPreset.h"
#include "FastEntry.h"
#include "Guarded.h"
#include "IBlockHost.h"
#include "ListNumbers.h"
#include "ParameterCatalog.h"
#include "Selection.h"
#include "ValueDial.h"
#include "comboBoxUtils.h"

namespace {

// A list is as wide as its widest item, but no narrower than this many
// letters (so short lists still read as lists) and no wider than that many.
constexpr int kShortestList = 5;
constexpr int kLongestList = 16;

std::string CaptionLabelName(const Control& control) {
  if (control.label) return control.label;
  std::string_view name = control.name;
  if (name.starts_with("cmb")) name.remove_prefix(3);
  return "lbl" + std::string(name);
}

// A table names a control this window does not have: a programming error.
[[noreturn]] void BadTable(const EditorSpec& spec, std::string_view what) {
  throw std::logic_error(std::string(spec.name) + ": " + std::string(what));
}

const CatalogBlock& CatalogFor(const EditorSpec& spec) {
  const CatalogBlock* block = spec.catalog ? spec.catalog : CatalogBlockOf(spec.name);
  if (!block) BadTable(spec, "no catalog block");
  return *block;
}

bool IsKept(const Look& look) {
  return look.shown == Look::Shown::Keep && look.enabled == Look::Enabled::Keep && look.value == kKeepValue;
}

bool IsFieldOf(const CatalogRow& row, int type) {
  return row.looks[static_cast<std::size_t>(type)].presence != Presence::Absent;
}

}  // namespace

BlockEditor::BlockEditor(const EditorSpec& spec, QWidget* parent)
    : QWidget(parent),
      spec_(spec),
      catalog_(CatalogFor(spec)),
      grid_(*this, spec.sections),
      fastEntry_(new FastEntry(this)) {
  setObjectName(spec.name);
  setWindowTitle(Title());
  BuildControls();
  CheckTables();
  ReserveCaptionWidths();
}

bool BlockEditor::IsOn() const { return onOff_ && onOff_->checkState() == Qt::Checked; }

BlockNumber BlockEditor::Block() const { return catalog_.number; }

int BlockEditor::SubType() const { return typeList_ ? typeList_->currentIndex() : -1; }

void BlockEditor::Setup(IBlockHost& frmParent) {
  host_ = &frmParent;
  hide();
  host_->SizeForm(*this);
  for (const Control& control : spec_.controls) {
    if (control.kind == ControlKind::List) FillList(control);
  }
  AddDials();
  grid_.AlignColumns();
}

void BlockEditor::FillList(const Control& control) {
  const ValueList& items = Items(RowFor(control.name));
  FillCombo(ListNamed(control.name), control.localDecimals ? WithLocaleDecimals(items) : items);
}

bool BlockEditor::Scatter(const CPreset* preset, bool bShow, bool bAll) {
  const QScopedValueRollback scattering(scattering_, true);
  const bool ok = Guarded(Source("Scatter"), [&] {
    if (bShow) {
      ScatterShown(preset, bAll);
    } else {
      ScatterRows(nullptr, spec_.neutral);
    }
  });
  if (bShow && bAll) {
    for (ValueDial* dial : dials_) dial->RememberLoaded();
  }
  return ok;
}

bool BlockEditor::Gather(CPreset& preset) {
  return Guarded(Source("Gather"), [&] { GatherFields(preset); });
}

void BlockEditor::ScatterShown(const CPreset* preset, bool bAll) {
  // Without a type list every field is type-independent: bAll changes nothing.
  if (bAll || !typeList_) ScatterRows(preset, spec_.fields);
  const int type = SubType();
  if (type < 0 || type >= kMaxTypes) return;
  ApplyLayout(type);
  ScatterTypeValues(type, preset);
}

void BlockEditor::ScatterTypeValues(int type, const CPreset* preset) {
  if (type < static_cast<int>(spec_.types.values.size())) ScatterRows(preset, spec_.types.values[type]);
}

// The catalog's fields of the shown type in row order, then the values the
// type always stores. Parts of a word are the editors' own to gather.
void BlockEditor::GatherFields(CPreset& preset) {
  const int type = std::max(SubType(), 0);
  for (const CatalogField& field : FieldsOf(catalog_, type)) {
    if (!field.row->at.Whole()) BadTable(spec_, std::string(field.row->control) + " is part of a word");
    preset.SetValue(field.row->at.offset, ShownValue(*field.row));
  }
  for (const FixedValue& fixed : FixedValuesOf(catalog_, type)) preset.SetValue(fixed.offset, fixed.value);
}

int32_t BlockEditor::ShownValue(const CatalogRow& row) const {
  switch (row.rep) {
    case Representation::Index: return ListNamed(row.control).currentIndex();
    case Representation::ItemData: return SelectedItemData(ListNamed(row.control));
    case Representation::OnOff: return CheckValue(CheckNamed(row.control)) ^ 1;
    case Representation::Check: break;
  }
  return CheckValue(CheckNamed(row.control));
}

void BlockEditor::Clicked(QWidget&, ControlRole role) {
  if (!host_) return;
  switch (role) {
    case ControlRole::Parameter: host_->SetFormDirty(true); break;
    case ControlRole::OnOff: host_->BlockOnOffChanged(); break;
    case ControlRole::Type: host_->SubTypeChanged(*this); break;
  }
}

void BlockEditor::ScatterRows(const CPreset* preset, std::span<const Field> rows) {
  for (const Field& field : rows) {
    QWidget& control = Named(field.control);
    if (!field.fromPreset) {
      SetValue(control, field.value);
      continue;
    }
    const CatalogRow& row = RowFor(field.control);
    if (!preset) {
      SetValue(control, NeutralPosition(row));
      continue;
    }
    const int offset = row.at.offset;
    switch (row.rep) {
      case Representation::Index:
        SelectComboIndex(static_cast<QComboBox&>(control), preset, offset, FallbackPosition(row));
        break;
      case Representation::ItemData:
        SelectComboItemData(static_cast<QComboBox&>(control), preset->Value(offset), FallbackPosition(row));
        break;
      case Representation::OnOff: SetCheckValue(static_cast<QCheckBox&>(control), preset->Value(offset) ^ 1); break;
      case Representation::Check: SetCheckValue(static_cast<QCheckBox&>(control), preset->Value(offset)); break;
    }
  }
}

// The type's fields as the catalog has them, then the editor's looks for the
// controls that are no field of the type.
void BlockEditor::ApplyLayout(int type) {
  for (const CatalogField& field : FieldsOf(catalog_, type)) ShowField(field, type);
  for (const LayoutRow& row : spec_.types.layout) ApplyLook(Named(row.control), row.looks[type]);
}

// Shown, enabled when active; a field the type limits to one position shows
// it, and a disabled field whose value the type fixes shows that value.
void BlockEditor::ShowField(const CatalogField& field, int type) {
  QWidget& control = Named(field.row->control);
  control.show();
  control.setEnabled(field.active);
  if (field.first == field.last) SetValue(control, field.first);
  if (field.active) return;
  for (const FixedValue& fixed : FixedValuesOf(catalog_, type)) {
    if (fixed.offset == field.row->at.offset) SetValue(control, PositionOf(*field.row, fixed.value).value_or(0));
  }
}

void BlockEditor::ApplyLook(QWidget& control, const Look& look) {
  if (look.shown != Look::Shown::Keep) control.setVisible(look.shown == Look::Shown::Show);
  if (look.enabled != Look::Enabled::Keep) control.setEnabled(look.enabled == Look::Enabled::Enable);
  if (look.caption) {
    const QString caption = QString::fromUtf8(look.caption);
    if (auto* label = qobject_cast<QLabel*>(&control)) label->setText(caption);
    if (auto* box = qobject_cast<QCheckBox*>(&control)) box->setText(caption);
  }
  if (look.value != kKeepValue) SetValue(control, look.value);
}

void BlockEditor::SetValue(QWidget& control, int value) {
  if (auto* list = qobject_cast<QComboBox*>(&control)) {
    SelectListIndex(*list, value);
  } else {
    SetCheckValue(static_cast<QCheckBox&>(control), value);
  }
}

QWidget& BlockEditor::Named(std::string_view name) const {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; });
  if (it == entries_.end()) BadTable(spec_, "no control " + std::string(name));
  return *it->widget;
}

QComboBox& BlockEditor::ListNamed(std::string_view name) const {
  auto* list = qobject_cast<QComboBox*>(&Named(name));
  if (!list) BadTable(spec_, std::string(name) + " is no list");
  return *list;
}

QCheckBox& BlockEditor::CheckNamed(std::string_view name) const {
  auto* box = qobject_cast<QCheckBox*>(&Named(name));
  if (!box) BadTable(spec_, std::string(name) + " is no check box");
  return *box;
}

QLabel& BlockEditor::LabelNamed(std::string_view name) const {
  auto* label = qobject_cast<QLabel*>(&Named(name));
  if (!label) BadTable(spec_, std::string(name) + " is no label");
  return *label;
}

void BlockEditor::mouseReleaseEvent(QMouseEvent* event) {
  if (host_) host_->DoRightMouseMenu(Block(), event->button(), event->position().toPoint());
}

void BlockEditor::BuildControls() {
  for (const Control& control : spec_.controls) {
    QWidget* widget = AddControl(control);
    if (control.role == ControlRole::OnOff) onOff_ = static_cast<QCheckBox*>(widget);
    if (control.role == ControlRole::Type) typeList_ = static_cast<QComboBox*>(widget);
  }
  OrderTabs();
}

QWidget* BlockEditor::AddControl(const Control& control) {
  if (grid_.SectionOf(control.row, control.column) < 0) BadTable(spec_, std::string(control.name) + " lies in no section");
  QWidget* const placeHolder = grid_.FieldAt(control.row, control.column);
  const bool placeTaken = placeHolder != nullptr;
  QWidget* widget = nullptr;
  if (control.kind == ControlKind::Check) {
    widget = new QCheckBox(QString::fromUtf8(control.caption), this);
    connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this,
            [this, widget, role = control.role] { Guarded(Source("Click"), [&] { Clicked(*widget, role); }); });
  } else if (control.kind == ControlKind::Heading) {
    widget = new QLabel(QString::fromUtf8(control.caption), this);
  } else {
    auto* list = new QComboBox(this);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    list->setMinimumContentsLength(kShortestList);
    list->setMaximumWidth(kLongestList * list->fontMetrics().horizontalAdvance(QLatin1Char('X')));
    list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fastEntry_->Install(*list);
    connect(list, &QComboBox::activated, this,
            [this, list, role = control.role] { Guarded(Source("Click"), [&] { Clicked(*list, role); }); });
    widget = list;
    if (!placeTaken) AddCaption(control, *list);
  }
  widget->setObjectName(control.name);
  widget->setAccessibleName(QString::fromUtf8(*control.caption ? control.caption : control.name));
  grid_.AddField(*widget, control.row, control.column);
  // Controls sharing a place take turns; the type layout shows the right one.
  if (placeTaken) (control.front ? placeHolder : widget)->hide();
  Register(control.name, widget);
  return widget;
}

void BlockEditor::AddCaption(const Control& control, QWidget& buddy) {
  if (!control.label && !*control.caption) return;
  auto* label = new QLabel(QString::fromUtf8(control.caption), this);
  const std::string name = CaptionLabelName(control);
  label->setObjectName(QString::fromStdString(name));
  label->setBuddy(&buddy);
  grid_.AddCaption(*label, control.row, control.column);
  Register(name, label);
}

void BlockEditor::AddPicture(QWidget& picture, const char* title, const Place& place) {
  grid_.AddPicture(picture, title, place);
}

void BlockEditor::FocusFirstControl() {
  QWidget* control = firstTab_;
  for (std::size_t left = entries_.size(); control && left > 0; --left, control = control->nextInFocusChain()) {
    if (isAncestorOf(control) && control->isVisibleTo(this) && control->isEnabled() &&
        (control->focusPolicy() & Qt::TabFocus)) {
      control->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

// Tab walks the sections in turn, in each down a column, then on to the next column.
void BlockEditor::OrderTabs() {
  std::vector<const Control*> order;
  for (const Control& control : spec_.controls) {
    if (control.kind != ControlKind::Heading) order.push_back(&control);
  }
  const auto place = [this](const Control* c) {
    return std::tuple(grid_.SectionOf(c->row, c->column), c->column, c->row);
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](const Control* a, const Control* b) { return place(a) < place(b); });
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(&Named(order[i - 1]->name), &Named(order[i]->name));
  if (!order.empty()) firstTab_ = &Named(order.front()->name);
}

// A dial sits right of its list; lists sharing a place each have one, shown
// with its list.
void BlockEditor::AddDials() {
  for (const Control& control : spec_.controls) {
    if (control.kind != ControlKind::List || control.role != ControlRole::Parameter) continue;
    QComboBox& list = ListNamed(control.name);
    if (!IsNumericList(list)) continue;
    auto* dial = new ValueDial(list, this);
    grid_.AddDial(*dial, control.row, control.column);
    dials_.push_back(dial);
  }
}

void BlockEditor::Register(std::string name, QWidget* widget) {
  if (std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; })) {
    BadTable(spec_, "two controls named " + name);
  }
  entries_.push_back({std::move(name), widget});
}

// Every control has its catalog row (headings aside) of the kind its
// representation needs; a table row read from a preset is a whole field; for
// the types the catalog lists a control under, the catalog alone decides
// what the control looks like and shows.
void BlockEditor::CheckTables() const {
  for (const Control& control : spec_.controls) {
    if (control.kind != ControlKind::Heading && !RowOf(catalog_, control.name)) {
      BadTable(spec_, std::string(control.name) + " has no catalog row");
    }
  }
  for (const CatalogRow& row : catalog_.rows) {
    const bool list = row.rep == Representation::Index || row.rep == Representation::ItemData;
    if (list) ListNamed(row.control); else CheckNamed(row.control);
  }
  // type -1: rows of every type; neutral rows never read a preset.
  const auto check = [this](std::span<const Field> rows, int type, bool neutral) {
    for (const Field& field : rows) {
      Named(field.control);
      if (!field.fromPreset && type < 0) continue;
      const CatalogRow& row = RowFor(field.control);
      if (field.fromPreset && !neutral && !row.at.Whole()) {
        BadTable(spec_, std::string(field.control) + " is part of a word");
      }
      if (type >= 0 && field.fromPreset != IsFieldOf(row, type)) {
        const char* why = field.fromPreset ? " is read for a type it is no field of"
                                           : " is set for a type the catalog shows it in";
        BadTable(spec_, std::string(field.control) + why);
      }
    }
  };
  check(spec_.fields, -1, false);
  check(spec_.neutral, -1, true);
  for (std::size_t type = 0; type < spec_.types.values.size(); ++type) {
    check(spec_.types.values[type], static_cast<int>(type), false);
  }
  for (const LayoutRow& row : spec_.types.layout) {
    Named(row.control);
    const CatalogRow* field = RowOf(catalog_, row.control);
    for (int type = 0; field && type < TypeCount(catalog_); ++type) {
      if (IsFieldOf(*field, type) && !IsKept(row.looks[static_cast<std::size_t>(type)])) {
        BadTable(spec_, std::string(row.control) + ": the catalog gives its look for type " + std::to_string(type));
      }
    }
  }
  if (!spec_.types.layout.empty() && !typeList_) BadTable(spec_, "a type layout without a type list");
}

int32_t BlockEditor::Stored(const CPreset& preset, std::string_view control) const {
  return ReadLocation(preset.Image(), RowFor(control).at);
}

const CatalogRow& BlockEditor::RowFor(std::string_view control) const {
  const CatalogRow* row = RowOf(catalog_, control);
  if (!row) BadTable(spec_, std::string(control) + " has no catalog row");
  return *row;
}

// A caption that the types change keeps the width of its longest text, so
// the columns stay put when the user picks another type.
void BlockEditor::ReserveCaptionWidths() {
  for (const LayoutRow& row : spec_.types.layout) {
    auto* label = qobject_cast<QLabel*>(&Named(row.control));
    if (!label) continue;
    int width = label->fontMetrics().horizontalAdvance(label->text());
    for (const Look& look : row.looks) {
      if (look.caption) width = std::max(width, label->fontMetrics().horizontalAdvance(QString::fromUtf8(look.caption)));
    }
    label->setMinimumWidth(width);
  }
}

std::string BlockEditor::Source(const char* operation) const {
  return std::string(spec_.name) + "." + operation;
}
