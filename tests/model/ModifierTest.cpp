#include <gtest/gtest.h>

#include <set>

#include "CLog.h"
#include "CModifier.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "modifierUtils.h"

namespace {

using modifierUtils::GetModifierPrompt;

// Installs a program-wide log in a temporary folder and counts its lines.
class WithLog : public ::testing::Test {
 protected:
  WithLog() : log_(dir_.Path()) { CLog::SetProgram(&log_); }
  ~WithLog() override { CLog::SetProgram(nullptr); }

  std::vector<std::string> LoggedLines() const {
    std::vector<std::string> lines;
    const std::string text = ReadText(log_.Path().string());
    for (std::size_t start = text.find("\r\n") + 2, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }

  ScriptedDialogs dialogs_;

 private:
  TempDir dir_;
  CLog log_;
};

struct PromptCase {
  int group, type, slot;
  const char* prompt;
};

class PromptLookup : public WithLog, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PromptLookup, GivesTheEntryWithoutLogging) {
  const PromptCase& c = GetParam();
  EXPECT_EQ(GetModifierPrompt(c.group, c.type, c.slot), c.prompt);
  EXPECT_TRUE(LoggedLines().empty());
}

INSTANTIATE_TEST_SUITE_P(Entries, PromptLookup,
                         ::testing::Values(PromptCase{0, 0, 0, "FIL Mix"}, PromptCase{0, 0, 1, "FIL OutLev"},
                                           PromptCase{0, 0, 2, ""}, PromptCase{0, 1, 1, "FIL Res"},
                                           PromptCase{0, 3, 0, "PHA Speed"}, PromptCase{0, 5, 2, "PAN OutLev"},
                                           PromptCase{1, 1, 0, "PIT Pitch"}, PromptCase{1, 3, 7, "PIT OutLEv"},
                                           PromptCase{1, 3, 6, "PIT Mix"}, PromptCase{1, 5, 0, ""},
                                           PromptCase{2, 2, 4, "FLA FBCut"}, PromptCase{2, 4, 3, "VIB OutLev"},
                                           PromptCase{2, 5, 0, ""}, PromptCase{3, 2, 9, "DLY OutLev"},
                                           PromptCase{3, 1, 5, "DLY OutLev"}, PromptCase{3, 2, 6, "DLY Pan1"},
                                           PromptCase{3, 3, 0, ""}, PromptCase{4, 3, 1, "REV OutLev"},
                                           PromptCase{4, 4, 0, ""}));

class PromptOutOfRange : public WithLog, public ::testing::WithParamInterface<std::array<int, 3>> {};

TEST_P(PromptOutOfRange, IsLoggedAndEmpty) {
  const auto [group, type, slot] = GetParam();
  EXPECT_EQ(GetModifierPrompt(group, type, slot), "");
  const auto lines = LoggedLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("9\tSubscript out of range\tmodifierUtils.GetModifierPrompt\t", 0), 0u) << lines[0];
  EXPECT_TRUE(dialogs_.Shown().empty()) << "logged, never shown";
}

INSTANTIATE_TEST_SUITE_P(Indices, PromptOutOfRange,
                         ::testing::Values(std::array{5, 0, 0}, std::array{-1, 0, 0}, std::array{0, 6, 0},
                                           std::array{0, -1, 0}, std::array{0, 0, 10}, std::array{4, 0, -1}));

TEST(PromptTable, EveryTypeListsItsPromptsFromSlotZeroWithoutGaps) {
  const std::array<std::vector<int>, 5> counts{{{2, 4, 5, 5, 4, 3}, {2, 2, 2, 8}, {5, 5, 7, 7, 4}, {6, 6, 10},
                                                {2, 2, 2, 2}}};
  for (int g = 0; g < 5; ++g) {
    for (int t = 0; t < 6; ++t) {
      const int expected = t < static_cast<int>(counts[g].size()) ? counts[g][t] : 0;
      for (int s = 0; s < 10; ++s) {
        EXPECT_EQ(!GetModifierPrompt(g, t, s).empty(), s < expected) << g << "/" << t << "/" << s;
      }
    }
  }
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
  EXPECT_EQ(m.Block(), 109);
  EXPECT_EQ(m.Modifier(), c.modifier);
  EXPECT_EQ(m.MinOut(), c.minOut);
  EXPECT_EQ(m.MidOut(), c.midOut);
  EXPECT_EQ(m.MaxOut(), c.maxOut);
  EXPECT_EQ(m.ModifierText(), c.text);
  EXPECT_EQ(m.Value(), c.value == -1 ? kDefaultModifierValue : c.value);

  CModifier unassignable;
  unassignable.Create(109, c.value, "");
  EXPECT_EQ(unassignable.Value(), kDefaultModifierValue) << "a slot without a parameter is written as the default";
}

INSTANTIATE_TEST_SUITE_P(Values, SlotValue,
                         ::testing::Values(SlotValueCase{-1, 0, 0, 50, 100, "off"},
                                           SlotValueCase{0xC8C800, 0, 0, 50, 100, "off"},
                                           SlotValueCase{0, 0, 0, 0, 0, "off"},
                                           SlotValueCase{0x123456, 6, 10, 13, 9, ""},
                                           SlotValueCase{1 + 25 * 8 + 75 * 1024 + 100 * 131072, 1, 25, 75, 100, "M1"},
                                           SlotValueCase{4 + 127 * 8 + 0 * 1024 + 127 * 131072, 4, 127, 0, 127, "M4"},
                                           SlotValueCase{0xFFFFFF, 7, 127, 127, 127, ""}));

TEST(ModifierValue, AnOutputOutOfRangeDoesNotSpillIntoItsNeighbours) {
  CModifier m;
  m.Create(29, -1, "FIL Mix");
  m.SetMinOut(128);
  EXPECT_EQ(m.Value(), kDefaultModifierValue) << "minimum wraps to 0, middle and maximum untouched";
}

class PresetModifiers : public WithLog {};

// Offsets whose slot has a parameter when every block has type 0.
const std::set<int> kAssignableAtTypeZero{29, 33, 49, 53, 81, 85, 89, 93, 97, 109, 113, 117, 121, 125, 129, 149, 153};

TEST_F(PresetModifiers, NewRecordHasThirtyTwoZeroAssignmentsAndSavesDefaultsWhereNoParameter) {
  CPreset p;
  EXPECT_EQ(p.Modifiers(1), nullptr) << "no list before the first validation";
  p.CreateNew();
  for (int i = 1; i <= 32; ++i) {
    const auto m = p.Modifiers(i);
    ASSERT_NE(m, nullptr) << i;
    EXPECT_EQ(m->Modifier(), 0);
    EXPECT_EQ(m->MinOut() + m->MidOut() + m->MaxOut(), 0) << i;
  }
  EXPECT_EQ(p.Modifiers(0), nullptr);
  EXPECT_EQ(p.Modifiers(33), nullptr);
  EXPECT_EQ(p.Modifiers(5)->Block(), 29);
  EXPECT_EQ(p.Modifiers(6)->Block(), 49);
  EXPECT_EQ(p.Modifiers(32)->Block(), 149);

  p.SaveModifiers();
  for (int offset = 29; offset < 157; offset += 4) {
    EXPECT_EQ(p.ValueUnsigned(offset), kAssignableAtTypeZero.count(offset) ? 0 : kDefaultModifierValue) << offset;
  }
}

TEST_F(PresetModifiers, EditsThroughASharedAssignmentReachTheImageOnlyWhereTheTypeHasAParameter) {
  CPreset p = PresetBuilder().Build();  // filter type 0: two parameters
  ASSERT_EQ(p.Modifiers(1), p.Modifiers(1)) << "the same object each time";
  for (int i = 1; i <= 5; ++i) {
    p.Modifiers(i)->SetModifier(3);
    p.Modifiers(i)->SetMaxOut(90);
  }
  EXPECT_EQ(p.ValueUnsigned(29), 0) << "edits live in the list until saved";
  p.SaveModifiers();
  EXPECT_EQ(p.ValueUnsigned(29), 3 + 90 * 131072);
  EXPECT_EQ(p.ValueUnsigned(33), 3 + 90 * 131072);
  for (int offset : {37, 41, 45}) EXPECT_EQ(p.ValueUnsigned(offset), kDefaultModifierValue) << offset;
}

TEST_F(PresetModifiers, ReloadResetsASwitchedOffBlockAndKeepsTheImage) {
  const int32_t assigned = 2 + 10 * 8 + 60 * 1024 + 90 * 131072;
  PresetBuilder b;
  b.Value(421, 2).Value(229, 1);  // delay Dual, filter Resonan
  for (int offset = 29; offset < 157; offset += 4) b.Value(offset, assigned);
  CPreset p = b.Build();
  const PresetImage before = p.Image();
  const auto earlier = p.Modifiers(21);

  p.ReloadModifiers(1, true, 0, true, 0, true, 2, false, 0, true);
  for (int i = 21; i <= 30; ++i) {
    const auto m = p.Modifiers(i);
    EXPECT_EQ(m->Value(), kDefaultModifierValue) << i;
    EXPECT_EQ(m->ModifierText(), "off");
  }
  EXPECT_EQ(p.Modifiers(21)->Prompt(), "DLY Dly1");
  EXPECT_EQ(p.Modifiers(30)->Prompt(), "DLY OutLev");
  EXPECT_NE(p.Modifiers(21), earlier) << "the list was replaced";
  EXPECT_EQ(p.Modifiers(1)->Value(), assigned) << "filter on with its stored type keeps its assignments";
  EXPECT_EQ(p.Modifiers(1)->Prompt(), "FIL HiCut");
  EXPECT_EQ(p.Image(), before);

  p.ReloadModifiers(2, true, 0, true, 0, true, 2, true, 0, true);  // filter type changed in the editor
  EXPECT_EQ(p.Modifiers(1)->Prompt(), "PHA Speed");
  EXPECT_EQ(p.Modifiers(1)->Value(), kDefaultModifierValue);
  EXPECT_EQ(p.Modifiers(21)->Value(), assigned) << "delay back on with its stored type";
  p.SaveModifiers();
  EXPECT_EQ(p.ValueUnsigned(29), kDefaultModifierValue);
  EXPECT_EQ(p.ValueUnsigned(109), assigned);
}

TEST_F(PresetModifiers, EverySuccessfulValidationRebuildsTheListAndAFailedOneKeepsIt) {
  CPreset p = PresetBuilder().Value(29, 1).Build();
  ASSERT_EQ(p.Modifiers(1)->Modifier(), 1);
  EXPECT_FALSE(p.LoadFromByteArray(PresetBuilder().Value(29, 4).BadChecksum().Bytes()));
  EXPECT_EQ(p.Modifiers(1)->Modifier(), 1) << "bad checksum: list left as it was";
  EXPECT_TRUE(p.LoadFromByteArray(PresetBuilder().Value(29, 2).Value(293, 3).Bytes()));
  EXPECT_EQ(p.Modifiers(1)->Modifier(), 2);
  EXPECT_EQ(p.Modifiers(13)->Prompt(), "PIT OutLEv") << "prompts follow the stored pitch type";
  EXPECT_EQ(p.Modifiers(13)->Block(), 49);
}

TEST_F(PresetModifiers, CopiedPresetsOwnTheirAssignments) {
  CPreset original = PresetBuilder().Build();
  CPreset copy = original;
  copy.Modifiers(1)->SetModifier(4);
  EXPECT_EQ(original.Modifiers(1)->Modifier(), 0);
  original = copy;
  EXPECT_EQ(original.Modifiers(1)->Modifier(), 4);
  EXPECT_NE(original.Modifiers(1), copy.Modifiers(1));
}

TEST_F(PresetModifiers, StoredTypeOutsideTheTableLogsAndWritesDefaults) {
  CPreset p = PresetBuilder().Value(229, 9).Value(29, 1).Build();
  EXPECT_EQ(LoggedLines().size(), 5u) << "one line per filter slot";
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(p.Modifiers(i)->Prompt(), "") << i;
  p.SaveModifiers();
  EXPECT_EQ(p.ValueUnsigned(29), kDefaultModifierValue);
}

}  // namespace
