#include "PresetJson.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <map>
#include <set>
#include <stdexcept>

#include "AnsiText.h"
#include "CPreset.h"
#include "PresetComparison.h"
#include "PresetValues.h"
#include "modifierUtils.h"

namespace {

constexpr int kHighestOutput = 127;
constexpr int kHighestModifier = 7;
const std::array<const char*, 5> kModifierTexts = {"off", "M1", "M2", "M3", "M4"};

std::string DoubleQuoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

Json ValueJson(int32_t value, const std::optional<std::string>& text) {
  return {{"value", value}, {"text", text ? Json(*text) : Json(nullptr)}};
}

Json AssignmentJson(const CModifier& m) {
  const Json modifier = m.ModifierText().empty() ? Json(m.Modifier()) : Json(m.ModifierText());
  return {{"modifier", modifier}, {"minOut", m.MinOut()}, {"midOut", m.MidOut()}, {"maxOut", m.MaxOut()}};
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// A few items of a list for an error message: all of a short list, the
// ends of a long one.
std::string ListSample(const CatalogRow& row) {
  const ValueList& items = Items(row);
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items.size() <= 12 || i < 3 || i + 2 >= items.size()) {
      shown.push_back(DoubleQuoted(items[i].text));
    } else if (i == 3) {
      shown.push_back("...");
    }
  }
  return Joined(shown);
}

std::string ValueRange(const CatalogRow& row) {
  const int count = static_cast<int>(Items(row).size());
  int32_t low = INT32_MAX;
  int32_t high = INT32_MIN;
  for (int i = 0; i < count; ++i) {
    low = std::min(low, ItemValue(row, i));
    high = std::max(high, ItemValue(row, i));
  }
  return std::to_string(low) + " to " + std::to_string(high);
}

std::optional<int32_t> Integer(const Json& j) {
  if (!j.is_number_integer()) return std::nullopt;
  if (j.is_number_unsigned()) {
    const auto u = j.get<uint64_t>();
    if (u > static_cast<uint64_t>(INT32_MAX)) return std::nullopt;
    return static_cast<int32_t>(u);
  }
  const auto v = j.get<int64_t>();
  if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

int32_t StoredType(const BlockValues& block) {
  const CatalogRow* row = &TypeRow(*block.block);
  return std::find_if(block.fields.begin(), block.fields.end(), [&](const FieldValue& f) { return f.field.row == row; })
      ->value;
}

// Reads a document into preset values and raw bytes, collecting every
// problem with the field it is about; composes the image only when there
// was none, and then checks that the image reads back as the document said.
class DocumentReader {
 public:
  JsonImport Read(const Json& doc) {
    if (!doc.is_object()) return {std::nullopt, {"the document is no JSON object"}};
    CheckKeys(doc, "document", {"format", "version", "name", "number", "blocks", "modifiers", "raw"});
    CheckFormat(doc);
    ReadName(doc);
    if (const auto number = Required(doc, "number", "number")) {
      values_.number = ReadValue(*number, PresetNumberRow(), "number").value_or(0);
    }
    ReadBlocks(doc);
    if (errors_.empty()) ReadModifiers(doc);
    ReadRaw(doc);
    if (!errors_.empty()) return {std::nullopt, errors_};
    PresetImage image = ComposePreset(values_);
    for (const ByteRun& run : raw_) std::copy(run.bytes.begin(), run.bytes.end(), image.begin() + run.offset);
    image[Offset::Checksum] = PresetChecksum(image);
    Verify(image);
    if (!errors_.empty()) return {std::nullopt, errors_};
    return {image, {}};
  }

 private:
  void Fail(const std::string& where, const std::string& message) { errors_.push_back(where + ": " + message); }

  const Json* Required(const Json& object, const std::string& key, const std::string& where) {
    const auto it = object.find(key);
    if (it != object.end()) return &*it;
    Fail(where, "missing");
    return nullptr;
  }

  void CheckKeys(const Json& object, const std::string& where, std::initializer_list<const char*> known) {
    for (const auto& [key, value] : object.items()) {
      if (std::none_of(known.begin(), known.end(), [&](const char* k) { return key == k; })) {
        Fail(where, "unknown key " + DoubleQuoted(key));
      }
    }
  }

  void CheckFormat(const Json& doc) {
    const Json* format = Required(doc, "format", "format");
    if (format && *format != kPresetFormat) Fail("format", "must be " + DoubleQuoted(kPresetFormat));
    const Json* version = Required(doc, "version", "version");
    if (version && *version != kPresetFormatVersion) {
      Fail("version", "must be " + std::to_string(kPresetFormatVersion) + ", not " + version->dump());
    }
  }

  void ReadName(const Json& doc) {
    const Json* name = Required(doc, "name", "name");
    if (!name) return;
    if (!name->is_string()) return Fail("name", "must be a text");
    std::string text = name->get<std::string>();
    text.erase(text.find_last_not_of(' ') + 1);  // the padding is the preset's own
    if (Utf8Length(text) > static_cast<std::size_t>(Offset::NameLength)) {
      return Fail("name", DoubleQuoted(text) + " has more than 20 characters");
    }
    if (FromAnsi(ToAnsi(text)) != text) {
      return Fail("name",
                  DoubleQuoted(text) + " holds a character the preset cannot store (it keeps Windows-1252 text)");
    }
    values_.name = text;
  }

  // A field's value from its text, its value, or both.
  std::optional<int32_t> ReadValue(const Json& j, const CatalogRow& row, const std::string& where) {
    if (j.is_string()) return ByText(row, j.get<std::string>(), where);
    if (j.is_number()) return Listed(row, j, where);
    if (!j.is_object()) {
      Fail(where, "must be a text, a number or {\"value\": ..., \"text\": ...}");
      return std::nullopt;
    }
    CheckKeys(j, where, {"value", "text"});
    const auto text = j.find("text");
    const auto value = j.find("value");
    if (text == j.end()) {
      if (value == j.end()) Fail(where, "needs a \"value\" or a \"text\"");
      return value == j.end() ? std::nullopt : Listed(row, *value, where);
    }
    if (text->is_null()) return Unlisted(value == j.end() ? nullptr : &*value, where);
    if (!text->is_string()) {
      Fail(where, "\"text\" must be a text or null");
      return std::nullopt;
    }
    const auto byText = ByText(row, text->get<std::string>(), where);
    if (!byText || value == j.end()) return byText;
    const auto byValue = Integer(*value);
    if (byValue == byText) return byText;
    Fail(where, "\"value\" " + value->dump() + " and \"text\" " + text->dump() + " disagree: " +
                    DoubleQuoted(TextOf(row, *byText).value_or("")) + " is value " + std::to_string(*byText) +
                    "; give one of them");
    return std::nullopt;
  }

  std::optional<int32_t> ByText(const CatalogRow& row, const std::string& text, const std::string& where) {
    const auto value = ValueOf(row, text);
    if (!value) Fail(where, DoubleQuoted(text) + " is not in its list (" + ListSample(row) + ")");
    return value;
  }

  std::optional<int32_t> Listed(const CatalogRow& row, const Json& j, const std::string& where) {
    const auto value = Integer(j);
    if (!value) {
      Fail(where, j.dump() + " is no whole number");
    } else if (!TextOf(row, *value)) {
      Fail(where, j.dump() + " is out of range: its list holds the values " + ValueRange(row));
    } else {
      return value;
    }
    return std::nullopt;
  }

  // A value kept as stored, though no list item holds it.
  std::optional<int32_t> Unlisted(const Json* value, const std::string& where) {
    const auto number = value ? Integer(*value) : std::nullopt;
    if (!number) Fail(where, "a value without a text (\"text\": null) needs a whole \"value\"");
    return number;
  }

  void ReadBlocks(const Json& doc) {
    const Json* blocks = Required(doc, "blocks", "blocks");
    if (!blocks) return;
    if (!blocks->is_object()) return Fail("blocks", "must be an object of blocks");
    std::vector<std::string> names;
    for (const CatalogBlock& block : CatalogBlocks()) names.push_back(block.name);
    for (const auto& [key, value] : blocks->items()) {
      if (std::find(names.begin(), names.end(), key) == names.end()) {
        Fail("blocks", "no block " + DoubleQuoted(key) + "; the blocks are " + Joined(names));
      }
    }
    for (const CatalogBlock& block : CatalogBlocks()) {
      if (const Json* fields = Required(*blocks, block.name, block.name)) ReadBlock(block, *fields);
    }
  }

  void ReadBlock(const CatalogBlock& block, const Json& j) {
    const std::string prefix = std::string(block.name) + " / ";
    if (!j.is_object()) return Fail(block.name, "must be an object of fields");
    BlockValues values{&block, 0, {}};
    std::string ofType;
    if (block.HasTypes()) {
      const std::string type = TypeRow(block).looks[0].caption;
      const Json* given = Required(j, type, prefix + type);
      const auto stored = given ? ReadValue(*given, TypeRow(block), prefix + type) : std::nullopt;
      if (!stored) return;
      values.type = ShownType(block, *stored);
      ofType = " of type " + DoubleQuoted(TextOf(TypeRow(block), values.type).value_or(""));
    }
    const std::vector<CatalogField> fields = FieldsOf(block, values.type);
    std::vector<std::string> names;
    for (const CatalogField& f : fields) names.emplace_back(f.name);
    for (const auto& [key, value] : j.items()) {
      if (std::find(names.begin(), names.end(), key) == names.end()) {
        Fail(block.name, "no field " + DoubleQuoted(key) + ofType + "; its fields are " + Joined(names));
      }
    }
    for (const CatalogField& field : fields) {
      const std::string where = prefix + std::string(field.name);
      const Json* given = Required(j, std::string(field.name), where);
      const auto value = given ? ReadValue(*given, *field.row, where) : std::nullopt;
      if (value) values.fields.push_back({field, *value, TextOf(*field.row, *value)});
    }
    values_.blocks.push_back(std::move(values));
  }

  // The parameters the blocks' types give the modifier slots.
  std::map<std::string, int> ModifierSlots() const {
    std::map<std::string, int> slots;
    for (int g = 0; g < static_cast<int>(kModifierGroups.size()); ++g) {
      const ModifierGroup& group = kModifierGroups[g];
      for (const BlockValues& block : values_.blocks) {
        if (block.block->typeOffset != group.blockBase) continue;
        const int32_t type = StoredType(block);
        for (int n = 0; n < group.SlotCount(); ++n) {
          const std::string prompt = ModifierPrompt(g, type, n);
          if (!prompt.empty()) slots[prompt] = group.firstSlot + 4 * n;
        }
      }
    }
    return slots;
  }

  void ReadModifiers(const Json& doc) {
    const auto given = doc.find("modifiers");
    if (given == doc.end()) return;
    if (!given->is_object()) return Fail("modifiers", "must be an object of parameters");
    const std::map<std::string, int> slots = ModifierSlots();
    std::vector<std::string> prompts;
    for (const auto& [prompt, slot] : slots) prompts.push_back(prompt);
    for (const auto& [prompt, entry] : given->items()) {
      const auto slot = slots.find(prompt);
      if (slot == slots.end()) {
        Fail("modifiers",
             "no parameter " + DoubleQuoted(prompt) + " for the blocks' types; they have " + Joined(prompts));
        continue;
      }
      ReadAssignment(prompt, slot->second, entry);
    }
  }

  void ReadAssignment(const std::string& prompt, int slot, const Json& entry) {
    const std::string where = "modifiers / " + prompt;
    if (!entry.is_object()) return Fail(where, "must be {\"modifier\", \"minOut\", \"midOut\", \"maxOut\"}");
    CheckKeys(entry, where, {"modifier", "minOut", "midOut", "maxOut"});
    ModifierValue m{slot, {}};
    m.assignment.Create(slot, -1, prompt);
    if (const Json* modifier = Required(entry, "modifier", where + " / modifier")) {
      const auto text = std::find(kModifierTexts.begin(), kModifierTexts.end(),
                                  modifier->is_string() ? modifier->get<std::string>() : "");
      const auto number = Integer(*modifier);
      if (text != kModifierTexts.end()) {
        m.assignment.SetModifier(static_cast<int32_t>(text - kModifierTexts.begin()));
      } else if (number && *number >= 0 && *number <= kHighestModifier) {
        m.assignment.SetModifier(*number);
      } else {
        Fail(where + " / modifier", "must be off, M1, M2, M3 or M4, not " + modifier->dump());
      }
    }
    const std::pair<const char*, void (CModifier::*)(int)> outputs[] = {
        {"minOut", &CModifier::SetMinOut}, {"midOut", &CModifier::SetMidOut}, {"maxOut", &CModifier::SetMaxOut}};
    for (const auto& [key, set] : outputs) {
      const Json* output = Required(entry, key, where + " / " + key);
      if (!output) continue;
      const auto number = Integer(*output);
      if (!number || *number < 0 || *number > kHighestOutput) {
        Fail(where + " / " + key, "must be a whole number from 0 to 127, not " + output->dump());
      } else {
        (m.assignment.*set)(*number);
      }
    }
    values_.modifiers.push_back(std::move(m));
  }

  void ReadRaw(const Json& doc) {
    const auto given = doc.find("raw");
    if (given == doc.end()) return;
    if (!given->is_object()) return Fail("raw", "must be an object of offsets and bytes");
    std::set<int> taken;
    for (const auto& [key, bytes] : given->items()) {
      const std::string where = "raw / " + key;
      int offset = -1;
      const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), offset);
      if (ec != std::errc() || end != key.data() + key.size() || offset < 0 || offset >= static_cast<int>(kPresetSize)) {
        Fail(where, "an offset is a whole number from 0 to 614");
        continue;
      }
      const auto run = bytes.is_string() ? ParseHex(bytes.get<std::string>()) : std::nullopt;
      if (!run) {
        Fail(where, "must be bytes in hex, such as \"05 00 7f\"");
        continue;
      }
      AddRun({offset, *run}, where, taken);
    }
  }

  void AddRun(const ByteRun& run, const std::string& where, std::set<int>& taken) {
    const int end = run.offset + static_cast<int>(run.bytes.size());
    if (end > static_cast<int>(kPresetSize)) return Fail(where, "runs past the end of the preset (614)");
    if (run.offset <= Offset::Checksum && end > Offset::Checksum) {
      return Fail(where, "covers byte 613, the checksum, which import computes");
    }
    for (int i = run.offset; i < end; ++i) {
      if (!taken.insert(i).second) return Fail(where, "overlaps another raw entry at byte " + std::to_string(i));
    }
    raw_.push_back(run);
  }

  static std::optional<std::vector<uint8_t>> ParseHex(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
      if (text[i] == ' ') {
        ++i;
        continue;
      }
      unsigned value = 0;
      const auto [end, ec] = std::from_chars(text.data() + i, text.data() + std::min(i + 2, text.size()), value, 16);
      if (ec != std::errc() || end != text.data() + i + 2) return std::nullopt;
      bytes.push_back(static_cast<uint8_t>(value));
      i += 2;
      if (i < text.size() && text[i] != ' ') return std::nullopt;
    }
    if (bytes.empty()) return std::nullopt;
    return bytes;
  }

  // Everything the document gave must read back from the image; raw bytes
  // or a type's fixed value may say otherwise.
  void Verify(const PresetImage& image) {
    const PresetValues stored = ReadPresetValues(image);
    if (stored.name != values_.name) Fail("name", "the raw bytes make it " + DoubleQuoted(stored.name));
    if (stored.number != values_.number) Fail("number", "cannot be stored: the preset would hold " + PresetNumberText(stored.number));
    for (std::size_t b = 0; b < values_.blocks.size(); ++b) VerifyBlock(values_.blocks[b], stored.blocks[b]);
    for (const ModifierValue& m : values_.modifiers) {
      const auto same = std::find_if(stored.modifiers.begin(), stored.modifiers.end(),
                                     [&](const ModifierValue& s) { return s.slot == m.slot; });
      if (same == stored.modifiers.end() || same->assignment.Value() != m.assignment.Value()) {
        Fail("modifiers / " + m.assignment.Prompt(), "the raw bytes at " + std::to_string(m.slot) + " change it");
      }
    }
  }

  void VerifyBlock(const BlockValues& given, const BlockValues& stored) {
    const std::string prefix = std::string(given.block->name) + " / ";
    if (given.type != stored.type) return Fail(prefix + "Type", "the raw bytes change it");
    for (std::size_t f = 0; f < given.fields.size(); ++f) {
      const FieldValue& want = given.fields[f];
      const FieldValue& got = stored.fields[f];
      if (want.value == got.value) continue;
      Fail(prefix + std::string(want.field.name), DoubleQuoted(ShownNumber(want)) +
                                                      " cannot be stored: the preset would hold " + ShownText(got) +
                                                      " (" + WhyChanged(given, want) + ")");
    }
  }

  static std::string ShownNumber(const FieldValue& f) { return f.text.value_or(std::to_string(f.value)); }

  std::string WhyChanged(const BlockValues& block, const FieldValue& field) const {
    const FieldLocation at = field.field.row->at;
    for (const FixedValue& fixed : FixedValuesOf(*block.block, block.type)) {
      if (fixed.offset == at.offset) {
        const std::string type = TextOf(TypeRow(*block.block), block.type).value_or("");
        return "type " + DoubleQuoted(type) + " always stores it as " +
               TextOf(*field.field.row, fixed.value).value_or(std::to_string(fixed.value));
      }
    }
    for (const ByteRun& run : raw_) {
      if (run.offset <= at.offset + 3 && at.offset < run.offset + static_cast<int>(run.bytes.size())) {
        return "the raw bytes at " + std::to_string(run.offset) + " say so";
      }
    }
    return "the value does not fit the field";
  }

  PresetValues values_;
  std::vector<ByteRun> raw_;
  std::vector<std::string> errors_;
};

}  // namespace

Json PresetToJson(const PresetImage& image) {
  const PresetValues values = ReadPresetValues(image);
  Json blocks = Json::object();
  for (const BlockValues& block : values.blocks) {
    Json fields = Json::object();
    for (const FieldValue& f : block.fields) fields[std::string(f.field.name)] = ValueJson(f.value, f.text);
    blocks[block.block->name] = std::move(fields);
  }
  Json modifiers = Json::object();
  for (const ModifierValue& m : values.modifiers) modifiers[m.assignment.Prompt()] = AssignmentJson(m.assignment);
  Json raw = Json::object();
  for (const ByteRun& run : DifferingRuns(image, ComposePreset(values))) raw[std::to_string(run.offset)] = HexBytes(run.bytes);
  Json doc;
  doc["format"] = kPresetFormat;
  doc["version"] = kPresetFormatVersion;
  doc["name"] = values.name;
  doc["number"] = ValueJson(values.number, TextOf(PresetNumberRow(), values.number));
  doc["blocks"] = std::move(blocks);
  doc["modifiers"] = std::move(modifiers);
  doc["raw"] = std::move(raw);
  return doc;
}

Json ParseDocument(const std::string& text) {
  std::vector<std::set<std::string>> keys;  // of each object being read
  std::string twice;
  const Json::parser_callback_t check = [&](int, Json::parse_event_t event, Json& parsed) {
    if (event == Json::parse_event_t::object_start) keys.emplace_back();
    if (event == Json::parse_event_t::object_end) keys.pop_back();
    if (event == Json::parse_event_t::key && !keys.back().insert(parsed.get<std::string>()).second && twice.empty()) {
      twice = parsed.get<std::string>();
    }
    return true;
  };
  Json document = Json::parse(text, check);
  if (!twice.empty()) throw std::invalid_argument("the key " + DoubleQuoted(twice) + " appears twice in one object");
  return document;
}

JsonImport PresetFromJson(const Json& document) { return DocumentReader().Read(document); }

namespace {

std::string ObjectText(const Json& j, int indent, bool mayJoin) {
  if (!j.is_object() || j.empty()) return j.dump();
  const bool joined =
      mayJoin && std::none_of(j.begin(), j.end(), [](const Json& value) { return value.is_structured(); });
  const std::string pad(static_cast<std::size_t>(indent) + 2, ' ');
  std::string text = "{";
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (it != j.begin()) text += joined ? ", " : ",";
    if (!joined) text += "\n" + pad;
    text += Json(it.key()).dump() + ": " + ObjectText(it.value(), indent + 2, it.key() != "raw");
  }
  return text + (joined ? "}" : "\n" + std::string(static_cast<std::size_t>(indent), ' ') + "}");
}

}  // namespace

std::string DocumentText(const Json& document) { return ObjectText(document, 0, false); }
