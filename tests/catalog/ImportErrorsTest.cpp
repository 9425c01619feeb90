// Import of edited documents: each kind of bad input gets one error naming
// its field and nothing is made; the edits a user makes are taken.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CatalogPresets.h"
#include "PresetJson.h"

namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

// A whammy preset whose delay is a Ping Pong, with a ratio of 2.0:1.
Json BaseDocument() {
  CPreset preset = CatalogPreset(11, {.noise = false, .block = CatalogBlockOf("frmPitch"), .type = 1});
  preset.SetValue(421, 0);
  preset.SetValue(169, 6);
  return PresetToJson(preset.Image());
}

Json& Field(Json& doc, const char* block, const char* field) { return doc["blocks"][block][field]; }

struct BadEdit {
  const char* name;
  void (*edit)(Json&);
  const char* error;  // how the one error starts
};

const BadEdit kBadEdits[] = {
    {"UnknownBlock", [](Json& d) { d["blocks"]["Compresor"] = d["blocks"]["Compressor"]; },
     "blocks: no block \"Compresor\"; the blocks are Noise Gate/EQ, Levels/Relays, Compressor,"},
    {"MissingBlock", [](Json& d) { d["blocks"].erase("Reverb"); }, "Reverb: missing"},
    {"UnknownField", [](Json& d) { Field(d, "Compressor", "Ratoi") = 1; },
     "Compressor: no field \"Ratoi\"; its fields are On/Off, Ratio, Threshold, Attack, Release, Gain"},
    {"FieldOfAnotherType", [](Json& d) { Field(d, "Delay", "Tempo 2") = "1/4"; },
     "Delay: no field \"Tempo 2\" of type \"Ping Pong\"; its fields are On/Off, Type, Time, Time 2,"},
    {"MissingField", [](Json& d) { d["blocks"]["Compressor"].erase("Gain"); }, "Compressor / Gain: missing"},
    {"TextNoListHolds", [](Json& d) { Field(d, "Compressor", "Ratio") = "2.2:1"; },
     "Compressor / Ratio: \"2.2:1\" is not in its list (\"Off\", \"1.12:1\", \"1.25:1\", ..., \"64:1\", \"inf:1\")"},
    {"PositionOutOfRange", [](Json& d) { Field(d, "Compressor", "Ratio") = 16; },
     "Compressor / Ratio: 16 is out of range: its list holds the values 0 to 15"},
    {"ItemDataOutOfRange", [](Json& d) { Field(d, "Compressor", "Threshold") = Json{{"value", 3}}; },
     "Compressor / Threshold: 3 is out of range: its list holds the values -40 to 0"},
    {"BitsOutOfRange", [](Json& d) { Field(d, "Levels/Relays", "Out level") = 101; },
     "Levels/Relays / Out level: 101 is out of range: its list holds the values 0 to 100"},
    {"ValueAndTextDisagree", [](Json& d) { Field(d, "Compressor", "Ratio") = Json{{"value", 6}, {"text", "4.0:1"}}; },
     "Compressor / Ratio: \"value\" 6 and \"text\" \"4.0:1\" disagree: \"4.0:1\" is value 9; give one of them"},
    {"NoWholeNumber", [](Json& d) { Field(d, "Compressor", "Ratio") = 1.5; }, "Compressor / Ratio: 1.5 is no whole number"},
    {"UnlistedWithoutValue", [](Json& d) { Field(d, "Compressor", "Ratio") = Json{{"text", nullptr}}; },
     "Compressor / Ratio: a value without a text (\"text\": null) needs a whole \"value\""},
    {"UnknownType", [](Json& d) { Field(d, "Delay", "Type") = "Tape"; }, "Delay / Type: \"Tape\" is not in its list"},
    {"TypeFixesTheValue", [](Json& d) { Field(d, "Pitch", "Mix") = "50 %"; },
     "Pitch / Mix: \"50 %\" cannot be stored: the preset would hold \"100 %\" (type \"Whammy\" always stores it as 100 %)"},
    {"RawOverridesAField",
     [](Json& d) { d["raw"]["169"] = "03 00 00 00"; },
     "Compressor / Ratio: \"2.0:1\" cannot be stored: the preset would hold \"1.40:1\" (the raw bytes at 169 say so)"},
    {"UnknownParameter", [](Json& d) { d["modifiers"]["XYZ Speed"] = d["modifiers"]["PIT Pitch"]; },
     "modifiers: no parameter \"XYZ Speed\" for the blocks' types; they have "},
    {"OutputOutOfRange", [](Json& d) { d["modifiers"]["PIT Pitch"]["maxOut"] = 128; },
     "modifiers / PIT Pitch / maxOut: must be a whole number from 0 to 127, not 128"},
    {"UnknownModifier", [](Json& d) { d["modifiers"]["PIT Pitch"]["modifier"] = "M5"; },
     "modifiers / PIT Pitch / modifier: must be off, M1, M2, M3 or M4, not \"M5\""},
    {"LongName", [](Json& d) { d["name"] = "twenty-one characters"; },
     "name: \"twenty-one characters\" has more than 20 characters"},
    {"NameTheDeviceCannotHold", [](Json& d) { d["name"] = "Lead \u65e5"; },
     "name: \"Lead \u65e5\" holds a character the preset cannot store"},
    {"NoSuchNumber", [](Json& d) { d["number"] = "U101"; }, "number: \"U101\" is not in its list"},
    {"RawOverTheChecksum", [](Json& d) { d["raw"]["610"] = "00 00 00 00"; },
     "raw / 610: covers byte 613, the checksum, which import computes"},
    {"RawNotHex", [](Json& d) { d["raw"]["185"] = "5"; }, "raw / 185: must be bytes in hex, such as \"05 00 7f\""},
    {"RawOverlap", [](Json& d) { d["raw"]["185"] = "00 00"; d["raw"]["186"] = "00"; },
     "raw / 186: overlaps another raw entry at byte 186"},
};

class ImportError : public ::testing::TestWithParam<BadEdit> {};

TEST_P(ImportError, NamesTheFieldAndMakesNothing) {
  Json doc = BaseDocument();
  GetParam().edit(doc);
  const JsonImport result = PresetFromJson(doc);
  EXPECT_FALSE(result.image.has_value());
  EXPECT_THAT(result.errors, ElementsAre(StartsWith(GetParam().error)));
}

INSTANTIATE_TEST_SUITE_P(Document, ImportError, ::testing::ValuesIn(kBadEdits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Import, ReportsEveryProblemAtOnce) {
  Json doc = BaseDocument();
  Field(doc, "Compressor", "Ratio") = 16;
  Field(doc, "Reverb", "Decay") = "99 sec";
  doc["name"] = 7;
  EXPECT_EQ(PresetFromJson(doc).errors.size(), 3u);
}

struct GoodEdit {
  const char* name;
  void (*edit)(Json&);
  FieldLocation at;
  int32_t value;
};

const GoodEdit kGoodEdits[] = {
    {"ByText", [](Json& d) { Field(d, "Compressor", "Ratio") = "4.0:1"; }, {169}, 9},
    {"ByValue", [](Json& d) { Field(d, "Compressor", "Ratio") = 9; }, {169}, 9},
    {"KeptUnlisted", [](Json& d) { Field(d, "Compressor", "Threshold") = Json{{"value", 5}, {"text", nullptr}}; }, {165}, 5},
    {"TextWithoutItsBlank", [](Json& d) { Field(d, "Reverb", "Hi Factor") = "-3"; }, {509}, -3},
    {"ItemData", [](Json& d) { Field(d, "Noise Gate/EQ", "EQ 2 Width") = "1.0"; }, {589}, 10},
    {"Bits", [](Json& d) { Field(d, "Levels/Relays", "Relay 2") = "On"; }, {157, 10, 1}, 1},
    {"DroppedAssignmentIsDefault", [](Json& d) { d["modifiers"].erase("PIT Pitch"); }, {49, 0, 24},
     kDefaultModifierValue},
};

class ImportEdit : public ::testing::TestWithParam<GoodEdit> {};

TEST_P(ImportEdit, IsStored) {
  Json doc = BaseDocument();
  GetParam().edit(doc);
  const JsonImport result = PresetFromJson(doc);
  ASSERT_TRUE(result.image) << ::testing::PrintToString(result.errors);
  EXPECT_EQ(ReadLocation(*result.image, GetParam().at), GetParam().value);
  CPreset preset;
  EXPECT_TRUE(preset.LoadFromByteArray(*result.image)) << "the checksum fits";
}

INSTANTIATE_TEST_SUITE_P(Document, ImportEdit, ::testing::ValuesIn(kGoodEdits),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
