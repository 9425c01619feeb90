#include "ParameterCatalog.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <stdexcept>

#include "utilities.h"

namespace {

constexpr uint32_t kWholeFieldMask = 0x0FFFFFFF;  // four septets

std::string_view TrimmedEnd(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

const Appearance& LookOf(const CatalogRow& row, int type) { return row.looks[static_cast<std::size_t>(type)]; }

}  // namespace

const ValueList& Items(const CatalogRow& row) {
  static std::mutex mutex;
  static std::map<ItemsFn, ValueList> made;
  const std::lock_guard lock(mutex);
  auto it = made.find(row.items);
  if (it == made.end()) it = made.emplace(row.items, row.items()).first;
  return it->second;
}

int32_t ItemValue(const CatalogRow& row, int position) {
  if (row.rep == Representation::Index) return position;
  return Items(row).at(static_cast<std::size_t>(position)).data.value_or(0);
}

namespace {

int Resolved(const CatalogRow& row, int position) {
  return position == kLastPosition ? static_cast<int>(Items(row).size()) - 1 : position;
}

}  // namespace

int FallbackPosition(const CatalogRow& row) { return Resolved(row, row.fallback); }
int NeutralPosition(const CatalogRow& row) { return Resolved(row, row.neutral); }

std::optional<int> PositionOf(const CatalogRow& row, int32_t value) {
  const int count = static_cast<int>(Items(row).size());
  for (int position = 0; position < count; ++position) {
    if (ItemValue(row, position) == value) return position;
  }
  return std::nullopt;
}

std::optional<std::string> TextOf(const CatalogRow& row, int32_t value) {
  const ValueList& items = Items(row);
  if (row.rep == Representation::Index) {
    if (value < 0 || value >= static_cast<int32_t>(items.size())) return std::nullopt;
    return items[static_cast<std::size_t>(value)].text;
  }
  const auto it = std::find_if(items.begin(), items.end(), [&](const ValueItem& item) { return item.data == value; });
  if (it == items.end()) return std::nullopt;
  return it->text;
}

std::optional<int32_t> ValueOf(const CatalogRow& row, std::string_view text) {
  const ValueList& items = Items(row);
  auto it = std::find_if(items.begin(), items.end(), [&](const ValueItem& item) { return item.text == text; });
  if (it == items.end()) {
    it = std::find_if(items.begin(), items.end(),
                      [&](const ValueItem& item) { return TrimmedEnd(item.text) == TrimmedEnd(text); });
  }
  if (it == items.end()) return std::nullopt;
  return ItemValue(row, static_cast<int>(it - items.begin()));
}

const CatalogBlock* CatalogBlockOf(std::string_view editor) {
  const auto blocks = CatalogBlocks();
  const auto it = std::find_if(blocks.begin(), blocks.end(), [&](const CatalogBlock& b) { return b.editor == editor; });
  return it == blocks.end() ? nullptr : &*it;
}

const CatalogRow* RowOf(const CatalogBlock& block, std::string_view control) {
  const auto it = std::find_if(block.rows.begin(), block.rows.end(),
                               [&](const CatalogRow& row) { return row.control == control; });
  return it == block.rows.end() ? nullptr : &*it;
}

const CatalogRow& TypeRow(const CatalogBlock& block) {
  const auto it = std::find_if(block.rows.begin(), block.rows.end(),
                               [&](const CatalogRow& row) { return row.at == FieldLocation{block.typeOffset}; });
  if (it == block.rows.end()) throw std::logic_error(std::string(block.name) + " has no type row");
  return *it;
}

int TypeCount(const CatalogBlock& block) {
  return block.HasTypes() ? static_cast<int>(Items(TypeRow(block)).size()) : 1;
}

int ShownType(const CatalogBlock& block, int32_t storedType) {
  return storedType >= 0 && storedType < TypeCount(block) ? storedType : 0;
}

std::vector<CatalogField> FieldsOf(const CatalogBlock& block, int type) {
  std::vector<CatalogField> fields;
  for (const CatalogRow& row : block.rows) {
    const Appearance& look = LookOf(row, type);
    if (look.presence == Presence::Absent) continue;
    const int last = look.last < 0 ? static_cast<int>(Items(row).size()) - 1 : look.last;
    fields.push_back({&row, look.name ? look.name : look.caption, look.caption, look.presence == Presence::Active,
                      look.first, last});
  }
  return fields;
}

std::vector<FixedValue> FixedValuesOf(const CatalogBlock& block, int type) {
  std::vector<FixedValue> values;
  std::copy_if(block.fixed.begin(), block.fixed.end(), std::back_inserter(values),
               [&](const FixedValue& v) { return (v.types >> type & 1u) != 0; });
  return values;
}

int32_t ReadLocation(const PresetImage& image, FieldLocation at) {
  if (at.Whole()) return ReadValue28(image, at.offset, true);
  return (ReadValue28(image, at.offset, false) >> at.shift) & ((1 << at.bits) - 1);
}

void WriteLocation(PresetImage& image, FieldLocation at, int32_t value) {
  if (at.Whole()) return WriteValue28(value, at.offset, image);
  const int32_t mask = ((1 << at.bits) - 1) << at.shift;
  const int32_t word = ReadValue28(image, at.offset, false);
  WriteValue28((word & ~mask) | ((value << at.shift) & mask), at.offset, image);
}

uint32_t LocationMask(FieldLocation at) {
  if (at.Whole()) return kWholeFieldMask;
  return ((1u << at.bits) - 1u) << at.shift;
}
