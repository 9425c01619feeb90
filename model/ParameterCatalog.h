// Every parameter the block editors show, block by block and type by type:
// the caption the editor gives it, where it lives in the preset image, how
// the editor's control stands for the stored value, and the texts its list
// offers. Exports, imports and comparisons of presets go through it, so the
// command line says what the editors say; a widget test holds the catalog
// and the editors together.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "PresetLayout.h"
#include "ValueLists.h"

// How an editor's control stands for a stored value.
enum class Representation : uint8_t {
  Index,     // the list position
  ItemData,  // the item data of the selected item
  OnOff,     // a check box, stored 0 = on, 1 = off
  Check,     // a check box, stored 0 = unchecked, 1 = checked
};

// A whole 24-bit field (read signed), or some bits of one: the word at 157
// holds the routing, the out level and both relays.
struct FieldLocation {
  int offset = 0;
  int shift = 0;
  int bits = 0;  // 0: the whole field

  constexpr bool Whole() const { return bits == 0; }
  bool operator==(const FieldLocation&) const = default;
};

// The items of a field's list; check boxes have two, "On" and "Off".
using ItemsFn = ValueList (*)();

enum class Presence : uint8_t {
  Absent,    // not a field of that type: the editor neither shows nor writes it
  Active,    // shown and enabled
  Inactive,  // shown disabled; the editor still writes what it shows
};

// How one type shows a field. Captions that a type leaves as they were are
// given as a freshly opened editor shows them.
struct Appearance {
  Presence presence = Presence::Absent;
  const char* caption = "";
  const char* name = nullptr;  // the field's name where the caption is empty or taken
  // The list positions the editor lets the type show: a disabled list that
  // stands for "no effect" always shows one, a type may limit a range.
  int first = 0;
  int last = -1;  // -1: the list's last item

  constexpr Appearance Named(const char* fieldName) const {
    Appearance a = *this;
    a.name = fieldName;
    return a;
  }
  constexpr Appearance Shows(int firstPosition, int lastPosition) const {
    Appearance a = *this;
    a.first = firstPosition;
    a.last = lastPosition;
    return a;
  }
};

inline constexpr int kCatalogTypes = 6;
using TypeLooks = std::array<Appearance, kCatalogTypes>;

inline constexpr int kLastPosition = -1;  // as a position: the list's last item

// One control of an editor and the preset field it shows.
struct CatalogRow {
  const char* control;  // the editor control's objectName
  FieldLocation at;
  Representation rep;
  ItemsFn items;
  TypeLooks looks;   // by type; blocks without types use the first
  int fallback = 0;  // the position the editor shows for a stored value no item stands for
  int neutral = 0;   // the position (a check box's value) it shows without a preset
};

// A value the editor writes for a type with no control behind it.
struct FixedValue {
  int offset;
  unsigned types;  // bit t set: written for type t
  int32_t value;
};

struct CatalogBlock {
  const char* name;    // "Compressor", "Filter/Mod"
  BlockNumber number;
  const char* editor;  // the editor window's objectName
  int typeOffset;      // -1 for blocks without types
  std::span<const CatalogRow> rows;  // in the order the editor reads them on screen
  std::span<const FixedValue> fixed = {};

  bool HasTypes() const { return typeOffset >= 0; }
};

// A field as one type shows it.
struct CatalogField {
  const CatalogRow* row;
  std::string_view name;     // unique within the block and type
  std::string_view caption;  // exactly as the editor shows it; may be empty
  bool active;
  int first = 0;  // the list positions the editor shows for the type
  int last = 0;
};

// The ten editors' blocks, in block-number order.
std::span<const CatalogBlock> CatalogBlocks();
// The block the editor window of that objectName shows; null for none.
const CatalogBlock* CatalogBlockOf(std::string_view editor);
// The row of the control of that objectName; null for none.
const CatalogRow* RowOf(const CatalogBlock& block, std::string_view control);

// The list items, made once per list.
const ValueList& Items(const CatalogRow& row);
// The value the item at position stands for.
int32_t ItemValue(const CatalogRow& row, int position);
// The row's fallback and neutral positions, kLastPosition resolved.
int FallbackPosition(const CatalogRow& row);
int NeutralPosition(const CatalogRow& row);
// The position of the first item standing for value; nothing when none does.
std::optional<int> PositionOf(const CatalogRow& row, int32_t value);
// The text the editor shows for value; nothing when no item holds it.
std::optional<std::string> TextOf(const CatalogRow& row, int32_t value);
// The value of the item showing text; a blank that ends the item's text
// ("0 ") may be left out.
std::optional<int32_t> ValueOf(const CatalogRow& row, std::string_view text);

// 1 for blocks without types.
int TypeCount(const CatalogBlock& block);
const CatalogRow& TypeRow(const CatalogBlock& block);
// The type the editor shows for a stored type: the stored one when its list
// holds it, else the first (every type list falls back to position 0).
int ShownType(const CatalogBlock& block, int32_t storedType);
// The fields of one type, in row order.
std::vector<CatalogField> FieldsOf(const CatalogBlock& block, int type);
// The values the editor writes for the type without a control.
std::vector<FixedValue> FixedValuesOf(const CatalogBlock& block, int type);

int32_t ReadLocation(const PresetImage& image, FieldLocation at);
// Writes value into the location's bits, leaving the word's other bits.
void WriteLocation(PresetImage& image, FieldLocation at, int32_t value);
// The bits of the field's septet value (28 bits over four bytes) a location holds.
uint32_t LocationMask(FieldLocation at);
