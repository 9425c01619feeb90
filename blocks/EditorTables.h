// The tables by which a block editor declares itself, so that an editor reads
// as data: its controls (what they are and where they sit), the order it
// shows its fields in and what they show by default, and, for blocks with
// types, what each type does to the controls that are not its fields. What a
// field is (offset, representation, items, what each type makes of it) is
// the parameter catalog's, and Gather writes the catalog's fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct CatalogBlock;

// ---- Controls -------------------------------------------------------------

enum class ControlKind : uint8_t { List, Check, Heading };
// What a user's click on the control tells the host window.
enum class ControlRole : uint8_t {
  Parameter,  // SetFormDirty(true)
  OnOff,      // BlockOnOffChanged
  Type,       // SubTypeChanged(editor)
};

struct Control {
  ControlKind kind;
  const char* name;     // the widget's objectName
  const char* caption;  // a check box's text, or the text of a list's caption label ("" for none)
  int row;              // place in the editor's grid; lists placed in one cell take turns,
  int column;           // share the first one's label, and all but one start hidden
  ControlRole role = ControlRole::Parameter;
  const char* label = nullptr;  // caption label's objectName; default "lbl" + name less "cmb"
  bool front = false;           // shown, not hidden, in a place an earlier list took
  bool localDecimals = false;   // the list's decimal points are the user's locale's

  // The caption label's name where the window changes its text at run time.
  constexpr Control Label(const char* labelName) const {
    Control c = *this;
    c.label = labelName;
    return c;
  }
  // Before any type's layout, this list is the one its shared place shows.
  constexpr Control InFront() const {
    Control c = *this;
    c.front = true;
    return c;
  }
  // Numbers with decimals read as the user writes them ("0,1 ms").
  constexpr Control InLocale() const {
    Control c = *this;
    c.localDecimals = true;
    return c;
  }
};

// A list whose items the catalog row of its name gives.
constexpr Control ListControl(const char* name, const char* caption, int row, int column) {
  return {ControlKind::List, name, caption, row, column};
}
constexpr Control CheckControl(const char* name, const char* caption, int row, int column) {
  return {ControlKind::Check, name, caption, row, column};
}
// Every effect block's switch, at the top left.
constexpr Control OnOffCheck(const char* name) {
  return {ControlKind::Check, name, "On/Off", 0, 0, ControlRole::OnOff};
}
// A text over a column of lists, in the lists' cell column.
constexpr Control Heading(const char* name, const char* text, int row, int column) {
  return {ControlKind::Heading, name, text, row, column};
}
constexpr Control TypeList(const char* name, int row, int column) {
  return {ControlKind::List, name, "Type", row, column, ControlRole::Type};
}

// ---- Sections -------------------------------------------------------------

// Rows or columns of the controls' grid, first to last.
struct CellRange {
  int first;
  int last;
  constexpr bool Holds(int i) const { return first <= i && i <= last; }
};
// A place in the editor's grid of sections.
struct Place {
  int row;
  int column;
  int rowSpan = 1;
  int columnSpan = 1;
};
// A titled frame round the controls whose cells it holds. Every control lies
// in exactly one section; Tab visits the sections in table order.
struct Section {
  const char* title;
  CellRange rows;
  CellRange columns;
  Place place;
};

// ---- Fields ---------------------------------------------------------------

// A control in the order the editor shows its fields. Where the value lives,
// how the control stands for it and what it shows for a value no item stands
// for, or without a preset, are the parameter catalog's.
struct Field {
  const char* control;
  bool fromPreset;  // false: the control is set to value whatever the preset holds
  int value = 0;
};

// The control shows its catalog field of the preset, or its neutral position.
constexpr Field Read(const char* control) { return {control, true}; }
// Sets a list's index or a check box's value, with or without a preset.
constexpr Field SetTo(const char* control, int value) { return {control, false, value}; }

// ---- Per-type layout --------------------------------------------------------

inline constexpr int kMaxTypes = 6;
inline constexpr int kKeepValue = -3;

// What one type does to one control: shown or hidden, enabled or disabled, a
// new caption (labels, check boxes), then a value (set like a user's click).
struct Look {
  enum class Shown : uint8_t { Keep, Show, Hide };
  enum class Enabled : uint8_t { Keep, Enable, Disable };
  Shown shown = Shown::Keep;
  Enabled enabled = Enabled::Keep;
  const char* caption = nullptr;  // nullptr keeps the caption
  int value = kKeepValue;

  constexpr Look At(int v) const {
    Look l = *this;
    l.value = v;
    return l;
  }
};

// The letters of the layout tables: E enabled, D shown but disabled, H
// hidden, S shown with its enabled state kept, K kept as it is; Caption("")
// empties a caption. E.g. {"cmbTremType", {H, D, E}}, D.At(100). For a type
// the catalog lists a control's field under, the catalog shows, enables and
// pins the control; the editor's look for it is C, the catalog's.
namespace Looks {
inline constexpr Look E{Look::Shown::Show, Look::Enabled::Enable};
inline constexpr Look D{Look::Shown::Show, Look::Enabled::Disable};
inline constexpr Look H{Look::Shown::Hide, Look::Enabled::Keep};
inline constexpr Look S{Look::Shown::Show, Look::Enabled::Keep};
inline constexpr Look K{};
inline constexpr Look C{};  // the catalog's look: the control is a field of the type
constexpr Look Caption(const char* text) { return {Look::Shown::Keep, Look::Enabled::Keep, text}; }
}  // namespace Looks

// One control's look for each type, in type order.
struct LayoutRow {
  const char* control;
  std::array<Look, kMaxTypes> looks;
};

struct TypeTables {
  std::span<const LayoutRow> layout;               // applied in row order, after the catalog's looks
  std::span<const std::span<const Field>> values;  // per type: set after the layout
};

// ---- The whole editor -------------------------------------------------------

struct EditorSpec {
  const char* name;                        // the window's objectName, e.g. "frmCompressor"
  const char* title = "";                  // the title the host shows, e.g. "Compressor block"
  std::span<const Control> controls = {};  // in the order Setup fills the lists
  std::span<const Field> fields = {};      // read by Scatter with bAll true, in order
  std::span<const Field> neutral = {};     // set by Scatter with bShow false, in order
  TypeTables types = {};
  std::span<const Section> sections = {};  // how the controls are grouped; none: one untitled
  const CatalogBlock* catalog = nullptr;   // the fields' block; null: the catalog's of the window's name
};
