#include "PresetComparison.h"

#include <algorithm>
#include <array>

#include "utilities.h"

namespace {

std::string InDoubleQuotes(const std::string& text) { return "\"" + text + "\""; }

std::string Renamed(std::string_view before, std::string_view after) {
  std::string name(before);
  if (after != before) name += " -> " + std::string(after);
  return name;
}

// The seven data bits of each of a field's four bytes, as one number.
uint32_t Septets(const PresetImage& image, int offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 7) | (image[offset + i] & 0x7Fu);
  return value;
}

bool HighBitsDiffer(const PresetImage& a, const PresetImage& b, int offset) {
  for (int i = 0; i < 4; ++i) {
    if ((a[offset + i] ^ b[offset + i]) & 0x80) return true;
  }
  return false;
}

template <class Item, class Key>
const Item* Find(const std::vector<Item>& items, Key key) {
  const auto it = std::find_if(items.begin(), items.end(), [&](const Item& item) { return key(item); });
  return it == items.end() ? nullptr : &*it;
}

class Comparison {
 public:
  Comparison(const PresetImage& a, const PresetImage& b)
      : a_(a), b_(b), before_(ReadPresetValues(a)), after_(ReadPresetValues(b)) {}

  std::vector<Difference> Run() {
    CompareHead();
    for (std::size_t i = 0; i < before_.blocks.size(); ++i) CompareBlock(before_.blocks[i], after_.blocks[i]);
    CompareModifiers();
    CompareBytes();
    return std::move(found_);
  }

 private:
  void CompareHead() {
    if (before_.name != after_.name) found_.push_back({"Name", InDoubleQuotes(before_.name), InDoubleQuotes(after_.name)});
    if (before_.number != after_.number) {
      found_.push_back({"Number", PresetNumberText(before_.number), PresetNumberText(after_.number)});
    }
    Explain(Offset::Number, Offset::Name + Offset::NameLength);
  }

  // Fields are matched by where they live: a type change may show the same
  // stored value under another caption and list.
  void CompareBlock(const BlockValues& before, const BlockValues& after) {
    std::vector<FieldLocation> places;
    for (const auto* side : {&before, &after}) {
      for (const FieldValue& f : side->fields) {
        if (std::find(places.begin(), places.end(), f.field.row->at) == places.end()) places.push_back(f.field.row->at);
      }
    }
    for (const FieldLocation& at : places) {
      const auto here = [&](const FieldValue& f) { return f.field.row->at == at; };
      CompareField(before.block->name, Find(before.fields, here), Find(after.fields, here), at);
      explained_[at.offset] |= LocationMask(at);
    }
  }

  void CompareField(const std::string& block, const FieldValue* before, const FieldValue* after, FieldLocation at) {
    if (before && after) {
      if (before->value == after->value && before->text == after->text) return;
      found_.push_back({block + " / " + Renamed(before->field.name, after->field.name), ShownText(*before),
                        ShownText(*after)});
      return;
    }
    const int32_t stored[] = {ReadLocation(a_, at), ReadLocation(b_, at)};
    if (stored[0] == stored[1]) return;
    const FieldValue& shown = before ? *before : *after;
    const std::string hidden = "(not shown, stored " + std::to_string(stored[before ? 1 : 0]) + ")";
    found_.push_back({block + " / " + std::string(shown.field.name), before ? ShownText(shown) : hidden,
                      before ? hidden : ShownText(shown)});
  }

  void CompareModifiers() {
    std::vector<int> slots;
    for (const auto* side : {&before_, &after_}) {
      for (const ModifierValue& m : side->modifiers) slots.push_back(m.slot);
    }
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    for (int slot : slots) {
      const auto here = [&](const ModifierValue& m) { return m.slot == slot; };
      CompareAssignment(Find(before_.modifiers, here), Find(after_.modifiers, here), slot);
      Explain(slot, slot + 4);
    }
  }

  void CompareAssignment(const ModifierValue* before, const ModifierValue* after, int slot) {
    const auto stored = [slot](const PresetImage& image) {
      CModifier m;
      m.Create(slot, ReadValue28(image, slot, false), "");
      return m;
    };
    const CModifier first = before ? before->assignment : stored(a_);
    const CModifier second = after ? after->assignment : stored(b_);
    if (Septets(a_, slot) == Septets(b_, slot)) return;
    const auto text = [](const ModifierValue* shown, const CModifier& m) {
      return shown ? AssignmentText(m) : "(no parameter, stored " + AssignmentText(m) + ")";
    };
    const std::string name = before && after ? Renamed(first.Prompt(), second.Prompt()) : (before ? first : second).Prompt();
    found_.push_back({"Modifiers / " + name, text(before, first), text(after, second)});
  }

  void CompareBytes() {
    const auto explained = [this](int unit) {
      if (unit < Offset::FirstParameter || unit == Offset::End) return explained_[unit] != 0;
      return ((Septets(a_, unit) ^ Septets(b_, unit)) & ~explained_[unit]) == 0 && !HighBitsDiffer(a_, b_, unit);
    };
    for (const ByteRun& run : DifferingRuns(a_, b_, explained)) {
      const int last = run.offset + static_cast<int>(run.bytes.size()) - 1;
      const std::span<const uint8_t> after(b_.data() + run.offset, run.bytes.size());
      found_.push_back({last == run.offset ? "Byte " + std::to_string(last)
                                           : "Bytes " + std::to_string(run.offset) + "-" + std::to_string(last),
                        HexBytes(run.bytes), HexBytes(after)});
    }
  }

  void Explain(int first, int end) {
    for (int i = first; i < end; ++i) explained_[i] = ~0u;
  }

  const PresetImage& a_;
  const PresetImage& b_;
  PresetValues before_;
  PresetValues after_;
  std::vector<Difference> found_;
  std::array<uint32_t, kPresetSize> explained_{};  // by unit: the bits a shown value accounts for
};

}  // namespace

std::vector<Difference> ComparePresets(const PresetImage& a, const PresetImage& b) { return Comparison(a, b).Run(); }

std::string ShownText(const FieldValue& field) {
  return field.text ? InDoubleQuotes(*field.text) : std::to_string(field.value) + " (no list item)";
}

std::string AssignmentText(const CModifier& m) {
  const std::string modifier = m.ModifierText().empty() ? "modifier " + std::to_string(m.Modifier()) : m.ModifierText();
  return modifier + " " + std::to_string(m.MinOut()) + "/" + std::to_string(m.MidOut()) + "/" +
         std::to_string(m.MaxOut());
}

std::string PresetNumberText(int number) { return TextOf(PresetNumberRow(), number).value_or(std::to_string(number)); }

std::string HexBytes(std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0xF];
  }
  return text;
}
