#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "CModifier.h"
#include "PresetBuilder.h"
#include "TempDir.h"
#include "TestLog.h"
#include "modifierUtils.h"

namespace {

using modifierUtils::GetModifierPrompt;

class WithLog : public ::testing::Test {
 protected:
  TestLog log;
};

struct PromptCase {
  int group, type, slot;
  const char* prompt;
  bool logged;
};

class PromptLookup : public WithLog, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PromptLookup, GivesTheEntryAndLogsOnlyIndicesOutOfRange) {
  const PromptCase& c = GetParam();
  EXPECT_EQ(GetModifierPrompt(c.group, c.type, c.slot), c.prompt);
  EXPECT_EQ(log.Has(9, "Subscript out of range", "modifierUtils.GetModifierPrompt"), c.logged) << log.Text();
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PromptLookup,
    ::testing::Values(PromptCase{0, 0, 1, "FIL OutLev", false}, PromptCase{1, 5, 0, "", false},
                      PromptCase{5, 0, 0, "", true}, PromptCase{-1, 0, 0, "", true}, PromptCase{0, 6, 0, "", true},
                      PromptCase{0, 0, 10, "", true}, PromptCase{4, 0, -1, "", true}),
    [](const auto& info) {
      const auto part = [](const char* what, int n) {
        return what + (n < 0 ? "Minus" + std::to_string(-n) : std::to_string(n));
      };
      return part("Group", info.param.group) + part("Type", info.param.type) + part("Slot", info.param.slot);
    });

// Every prompt of every block type, one type a line as in the golden file
// tests/data/modifier-prompts.txt: a changed letter in any prompt, a prompt
// in the wrong slot or a gap before the last one shows up here.
std::string PromptTable() {
  std::ostringstream out;
  for (int g = 0; g < 5; ++g) {
    for (int t = 0; t < 6; ++t) {
      std::vector<std::string> prompts;
      for (int s = 0; s < 10; ++s) prompts.push_back(GetModifierPrompt(g, t, s));
      while (!prompts.empty() && prompts.back().empty()) prompts.pop_back();
      if (prompts.empty()) continue;
      out << g << ' ' << t << ':';
      for (std::size_t s = 0; s < prompts.size(); ++s) out << (s ? " | " : " ") << prompts[s];
      out << '\n';
    }
  }
  return out.str();
}

TEST(PromptTable, IsTheGoldenFile) {
  std::istringstream golden(ReadText(LINDEL_TEST_DATA "/modifier-prompts.txt"));
  std::string expected;
  for (std::string line; std::getline(golden, line);) {
    if (!line.starts_with('#')) expected += line + '\n';
  }
  EXPECT_EQ(PromptTable(), expected);
}

struct SlotValueCase {
  int32_t value;
  int32_t modifier;
  int minOut, midOut, maxOut;
  const char* text;
};

class SlotValue : public ::testing::TestWithParam<SlotValueCase> {};

TEST_P(SlotValue, DecodesIntoFieldsAndEncodesBack) {
  const SlotValueCase& c = GetParam();
  CModifier m;
  m.Create(109, c.value, "DLY Mix");
  EXPECT_EQ(std::vector<int>({m.Modifier(), m.MinOut(), m.MidOut(), m.MaxOut()}),
            std::vector<int>({c.modifier, c.minOut, c.midOut, c.maxOut}));
  EXPECT_EQ(m.ModifierText(), c.text);
  EXPECT_EQ(m.Value(), c.value == -1 ? kDefaultModifierValue : c.value);
  m.Create(109, c.value, "");
  EXPECT_EQ(m.Value(), kDefaultModifierValue) << "a slot without a parameter is written as the default";
}

INSTANTIATE_TEST_SUITE_P(Values, SlotValue,
                         ::testing::Values(SlotValueCase{-1, 0, 0, 50, 100, "off"}, SlotValueCase{0, 0, 0, 0, 0, "off"},
                                           SlotValueCase{0x123456, 6, 10, 13, 9, ""},
                                           SlotValueCase{4 + 127 * 8 + 127 * 131072, 4, 127, 0, 127, "M4"},
                                           SlotValueCase{0xFFFFFF, 7, 127, 127, 127, ""}),
                         [](const auto& info) {
                           const int32_t v = info.param.value;
                           return v < 0 ? "Minus" + std::to_string(-v) : "Value" + std::to_string(v);
                         });

class PresetModifiers : public WithLog {};

TEST_F(PresetModifiers, NewRecordSavesZeroWhereAParameterIsAndTheDefaultElsewhere) {
  CPreset p;
  EXPECT_EQ(p.Modifiers(1), nullptr) << "no list before the first validation";
  p.CreateNew();
  EXPECT_EQ(p.Modifiers(0), nullptr);
  EXPECT_EQ(p.Modifiers(33), nullptr);
  EXPECT_EQ(p.Modifiers(32)->Block(), 149);
  const std::set<int> assignable{29, 33, 49, 53, 81, 85, 89, 93, 97, 109, 113, 117, 121, 125, 129, 149, 153};
  p.SaveModifiers();
  for (int offset = 29; offset < 157; offset += 4) {
    EXPECT_EQ(p.ValueUnsigned(offset), assignable.count(offset) ? 0 : kDefaultModifierValue) << offset;
  }
}

TEST_F(PresetModifiers, EditsToTheSharedObjectReachTheImageOnSaveWhereTheTypeHasAParameter) {
  CPreset p = PresetBuilder().Build();  // filter type 0: two parameters
  ASSERT_EQ(p.Modifiers(1), p.Modifiers(1));
  for (int i = 1; i <= 5; ++i) p.Modifiers(i)->SetModifier(3);
  EXPECT_EQ(p.ValueUnsigned(29), 0) << "not before SaveModifiers";
  p.SaveModifiers();
  EXPECT_EQ(p.ValueUnsigned(33), 3);
  for (int offset : {37, 41, 45}) EXPECT_EQ(p.ValueUnsigned(offset), kDefaultModifierValue) << offset;
}

TEST_F(PresetModifiers, ReloadResetsASwitchedOffOrRetypedBlockAndKeepsTheImage) {
  const int32_t assigned = 2 + 10 * 8 + 60 * 1024 + 90 * 131072;
  PresetBuilder b;
  b.Value(421, 2).Value(229, 1);  // delay Dual, filter Resonan
  for (int offset = 29; offset < 157; offset += 4) b.Value(offset, assigned);
  CPreset p = b.Build();
  const PresetImage before = p.Image();

  p.ReloadModifiers(1, true, 0, true, 0, true, 2, false, 0, true);
  for (int i = 21; i <= 30; ++i) EXPECT_EQ(p.Modifiers(i)->Value(), kDefaultModifierValue) << i;
  EXPECT_EQ(p.Modifiers(21)->Prompt(), "DLY Dly1");
  EXPECT_EQ(p.Modifiers(1)->Value(), assigned) << "on, with its stored type: kept";
  EXPECT_EQ(p.Image(), before);

  p.ReloadModifiers(2, true, 0, true, 0, true, 2, true, 0, true);
  EXPECT_EQ(p.Modifiers(1)->Prompt(), "PHA Speed");
  EXPECT_EQ(p.Modifiers(1)->Value(), kDefaultModifierValue);
  EXPECT_EQ(p.Modifiers(21)->Value(), assigned);
}

TEST_F(PresetModifiers, EverySuccessfulValidationRebuildsTheListAndCopiesOwnTheirs) {
  CPreset p = PresetBuilder().Value(29, 1).Build();
  EXPECT_FALSE(p.LoadFromByteArray(PresetBuilder().Value(29, 4).BadChecksum().Bytes()));
  EXPECT_EQ(p.Modifiers(1)->Modifier(), 1) << "bad checksum: list left as it was";
  EXPECT_TRUE(p.LoadFromByteArray(PresetBuilder().Value(29, 2).Value(293, 3).Bytes()));
  EXPECT_EQ(p.Modifiers(1)->Modifier(), 2);
  EXPECT_EQ(p.Modifiers(13)->Prompt(), "PIT OutLEv") << "prompts follow the stored type";

  CPreset copy = p;
  copy.Modifiers(1)->SetModifier(4);
  EXPECT_EQ(p.Modifiers(1)->Modifier(), 2);
}

}  // namespace
