// The parameter catalog's names, the JSON round trip and the comparison of
// presets, in process.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "CatalogPresets.h"
#include "PresetComparison.h"
#include "PresetJson.h"
#include "TempDir.h"

namespace {

PresetImage ThroughJson(const PresetImage& image) {
  const JsonImport back = PresetFromJson(Json::parse(PresetToJson(image).dump(2)));
  EXPECT_EQ(back.errors, std::vector<std::string>{});
  return back.image.value_or(PresetImage{});
}

void ExpectGolden(const std::string& text, const std::string& name) {
  const std::string golden = ReadText(LINDEL_TEST_DATA "/" + name);
  const std::string actual = name.substr(0, name.rfind('.')) + ".actual.txt";
  if (text != golden) WriteBytes(actual, {text.begin(), text.end()});
  EXPECT_TRUE(text == golden) << "the catalog differs from tests/data/" << name << "; see " << actual;
}

// Every list item of every editor, one control a line ("text" or, where the
// list stores item data, "text=value"), against the texts users have always
// seen: a changed letter in any item, a lost item or a moved value shows up.
TEST(ParameterCatalog, EveryListIsTheGoldenOne) {
  std::ostringstream actual;
  for (const CatalogBlock& block : CatalogBlocks()) {
    for (const CatalogRow& row : block.rows) {
      actual << row.control << ':';
      const ValueList& items = Items(row);
      for (std::size_t i = 0; i < items.size(); ++i) {
        actual << (i ? " | " : " ") << items[i].text;
        if (row.rep == Representation::ItemData) actual << '=' << ItemValue(row, static_cast<int>(i));
      }
      actual << '\n';
    }
  }
  ExpectGolden(actual.str(), "editor-lists.txt");
}

// What each type makes of each field, and the values it always stores: the
// editors show and gather exactly this, so a changed letter of a type's
// pattern, a moved pin or a lost fixed value shows up here.
TEST(ParameterCatalog, EveryTypesFieldsAreTheGoldenOnes) {
  std::ostringstream actual;
  for (const CatalogBlock& block : CatalogBlocks()) {
    for (int type = 0; type < TypeCount(block); ++type) {
      actual << block.name << (block.HasTypes() ? " / " + TextOf(TypeRow(block), type).value_or("?") : "") << '\n';
      for (const CatalogField& f : FieldsOf(block, type)) {
        actual << "  " << f.row->control << " @" << f.row->at.offset << '.' << f.row->at.shift << '.' << f.row->at.bits
               << " \"" << f.caption << "\" " << (f.active ? "enabled" : "disabled") << ' ' << f.first << ".." << f.last
               << " fallback " << FallbackPosition(*f.row) << " neutral " << NeutralPosition(*f.row) << '\n';
      }
      for (const FixedValue& v : FixedValuesOf(block, type)) actual << "  fixed @" << v.offset << " = " << v.value << '\n';
    }
  }
  ExpectGolden(actual.str(), "catalog-fields.txt");
}

// The JSON document names blocks and fields by these names, so they must
// tell every field of a type apart, and no type may reach beyond its list.
TEST(ParameterCatalog, NamesTellFieldsApartWithinEachType) {
  std::set<std::string_view> blocks;
  for (const CatalogBlock& block : CatalogBlocks()) {
    EXPECT_TRUE(blocks.insert(block.name).second) << block.name;
    for (int type = 0; type < kCatalogTypes; ++type) {
      const auto fields = FieldsOf(block, type);
      if (type >= TypeCount(block)) {
        EXPECT_TRUE(fields.empty()) << block.name << " has fields for type " << type;
        continue;
      }
      std::set<std::string_view> names;
      for (const CatalogField& f : fields) {
        EXPECT_FALSE(f.name.empty()) << block.name << " " << f.row->control;
        EXPECT_TRUE(names.insert(f.name).second) << block.name << " type " << type << ": " << f.name;
      }
    }
  }
}

TEST(PresetJson, EveryPresetComesBackByteForByte) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    for (const CPreset& preset : {CatalogPreset(seed), RandomBytesPreset(seed)}) {
      ASSERT_EQ(ThroughJson(preset.Image()), preset.Image()) << "seed " << seed;
    }
  }
}

// What the editors write is said in full by the fields and assignments: only
// bytes no control shows end up raw.
TEST(PresetJson, EditorPresetsNeedNoRawBytes) {
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    const Json doc = PresetToJson(CatalogPreset(seed, {.noise = false}).Image());
    EXPECT_EQ(doc["raw"], Json::object()) << "seed " << seed;
  }
  const Json noisy = PresetToJson(CatalogPreset(7).Image());
  EXPECT_TRUE(noisy["raw"].contains("185")) << noisy["raw"].dump();  // the compressor's unused fields
}

TEST(PresetJson, ShowsValuesAsTheEditorsDo) {
  CatalogPresetOptions whammy{.noise = false, .block = CatalogBlockOf("frmPitch"), .type = 1};
  CPreset preset = CatalogPreset(3, whammy);
  preset.SetValue(169, 6);   // ratio
  preset.SetValue(165, 5);   // a threshold no item holds
  preset.SetPresetName("Crunch");
  preset.SetPresetNumber(107);
  preset.UpdateChecksum();
  const Json doc = PresetToJson(preset.Image());
  EXPECT_EQ(doc["name"], "Crunch");
  EXPECT_EQ(doc["number"], Json::parse(R"({"value": 107, "text": "U7"})"));
  EXPECT_EQ(doc["blocks"]["Compressor"]["Ratio"], Json::parse(R"({"value": 6, "text": "2.0:1"})"));
  EXPECT_EQ(doc["blocks"]["Compressor"]["Threshold"], Json::parse(R"({"value": 5, "text": null})"));
  const Json& pitch = doc["blocks"]["Pitch"];
  EXPECT_EQ(pitch["Type"]["text"], "Whammy");
  EXPECT_TRUE(pitch.contains("Whammy Range") && pitch.contains("Range") && pitch.contains("Direction"));
  EXPECT_FALSE(pitch.contains("Voice L"));
  EXPECT_EQ(pitch["Mix"]["text"], "100 %");
  EXPECT_TRUE(doc["modifiers"].contains("PIT Pitch"));
  EXPECT_EQ(ThroughJson(preset.Image()), preset.Image());
}

// ---- Comparison ---------------------------------------------------------------

// Whatever bytes differ, something is reported: the fields, or the bytes.
TEST(PresetComparison, EveryDifferingImageHasADifference) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    CPreset a = RandomBytesPreset(seed);
    PresetImage b = a.Image();
    const int offset = static_cast<int>(seed * 7919 % kPresetSize);
    if (offset == Offset::Checksum) continue;
    b[offset] ^= static_cast<uint8_t>(1u << (seed % 8));
    EXPECT_FALSE(ComparePresets(a.Image(), b).empty()) << "byte " << offset;
  }
}

TEST(PresetComparison, ATypeChangeMatchesFieldsByPlace) {
  const CatalogBlock& delay = *CatalogBlockOf("frmDelay");
  CPreset a = CatalogPreset(5, {.noise = false, .block = &delay, .type = 0});
  CPreset b = a;
  b.SetValue(421, 2);    // Dual
  b.SetValue(437, 9);    // "1/8" where Ping Pong keeps its width
  a.SetValue(437, 40);   // 40 %
  a.SetValue(185, 3);    // an unused compressor field
  const std::vector<Difference> found = ComparePresets(a.Image(), b.Image());
  const auto has = [&](const std::string& where, const std::string& before, const std::string& after) {
    return std::any_of(found.begin(), found.end(),
                       [&](const Difference& d) { return d.where == where && d.before == before && d.after == after; });
  };
  EXPECT_TRUE(has("Delay / Type", "\"Ping Pong\"", "\"Dual\""));
  EXPECT_TRUE(has("Delay / Width -> Tempo 2", "\"40 %\"", "\"1/8\""));
  EXPECT_TRUE(has("Bytes 185-188", "03 00 00 00", "00 00 00 00"));
}

}  // namespace
