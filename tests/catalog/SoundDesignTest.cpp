// Randomize, mutate, morph and nudge over thousands of seeds: every result
// holds list items only, survives JSON, keeps locked blocks, the name and
// the number, and repeats byte for byte for the same seed.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "BlockAreas.h"
#include "CatalogPresets.h"
#include "PresetJson.h"
#include "PresetValues.h"
#include "SoundDesign.h"
#include "modifierUtils.h"
#include "utilities.h"

namespace {

constexpr uint32_t kSeeds = 2000;

struct Inputs {
  PresetImage a;
  PresetImage b;
  DesignBlocks chosen;  // a random half of the blocks
  uint64_t seed;
};

Inputs MakeInputs(uint32_t seed) {
  std::mt19937 rng(seed);
  Inputs in{CatalogPreset(seed).Image(), CatalogPreset(seed + 100000).Image(), {}, seed * 7919ull};
  for (BlockNumber block : AllDesignBlocks()) {
    if (rng() & 1) in.chosen.insert(block);
  }
  return in;
}

struct DesignCase {
  const char* name;
  std::function<PresetImage(const Inputs&)> make;
};

void PrintTo(const DesignCase& c, std::ostream* out) { *out << c.name; }

const DesignCase kCases[] = {
    {"randomize", [](const Inputs& in) { return Randomize(in.a, in.chosen, false, in.seed); }},
    {"randomize keeping types", [](const Inputs& in) { return Randomize(in.a, in.chosen, true, in.seed); }},
    {"mutate 25%", [](const Inputs& in) { return Mutate(in.a, in.chosen, 25, false, in.seed); }},
    {"mutate 100% with types", [](const Inputs& in) { return Mutate(in.a, in.chosen, 100, true, in.seed); }},
    {"morph at 0.3", [](const Inputs& in) { return Morph(in.a, in.b, 0.3, in.chosen); }},
    {"morph at 0.7", [](const Inputs& in) { return Morph(in.a, in.b, 0.7, in.chosen); }},
    {"nudge toward 40%", [](const Inputs& in) { return Nudge(in.a, in.b, 40, false, in.chosen); }},
    {"nudge away 40%", [](const Inputs& in) { return Nudge(in.a, in.b, 40, true, in.chosen); }},
};

// Every field of every block shows an item of its list, and the stored type is a listed one.
std::string NotAnItem(const PresetImage& image) {
  for (const BlockValues& block : ReadPresetValues(image).blocks) {
    if (block.block->HasTypes() && ReadLocation(image, {block.block->typeOffset}) != block.type) {
      return std::string(block.block->name) + " type";
    }
    for (const FieldValue& f : block.fields) {
      if (!f.text) return std::string(block.block->name) + " " + std::string(f.field.name);
    }
  }
  return "";
}

// The first field (over every type's rows) or modifier slot a locked block changed.
std::string LockedChange(const PresetImage& before, const PresetImage& after, const DesignBlocks& chosen) {
  for (const CatalogBlock& block : CatalogBlocks()) {
    if (chosen.count(block.number)) continue;
    for (const CatalogRow& row : block.rows) {
      if (ReadLocation(before, row.at) != ReadLocation(after, row.at)) return block.name + std::string(" ") + row.control;
    }
    for (const ModifierGroup& group : kModifierGroups) {
      if (group.blockBase != block.typeOffset) continue;
      if (!std::equal(before.begin() + group.firstSlot, before.begin() + group.endSlot, after.begin() + group.firstSlot)) {
        return block.name + std::string(" modifiers");
      }
    }
  }
  return "";
}

bool SameBytes(const PresetImage& a, const PresetImage& b, int first, int last) {
  return std::equal(a.begin() + first, a.begin() + last, b.begin() + first);
}

class SoundDesignCases : public ::testing::TestWithParam<DesignCase> {};

TEST_P(SoundDesignCases, ResultsHoldItemsKeepLocksNameAndNumberAndRepeat) {
  for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
    const Inputs in = MakeInputs(seed);
    const PresetImage result = GetParam().make(in);
    ASSERT_EQ(NotAnItem(result), "") << "seed " << seed;
    ASSERT_EQ(LockedChange(in.a, result, in.chosen), "") << "seed " << seed;
    ASSERT_TRUE(SameBytes(in.a, result, 0, Offset::FirstModifier)) << "header, name or number, seed " << seed;
    ASSERT_TRUE(ChecksumMatches(result)) << "seed " << seed;
    ASSERT_EQ(PresetFromJson(PresetToJson(result)).image, result) << "through JSON, seed " << seed;
    ASSERT_EQ(GetParam().make(in), result) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, SoundDesignCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

int TypeOf(const PresetImage& image, const CatalogBlock& block) { return ReadLocation(image, {block.typeOffset}); }

std::vector<BlockValues> BlocksOf(const PresetImage& image) { return ReadPresetValues(image).blocks; }

bool SameValues(const BlockValues& a, const BlockValues& b) {
  if (a.type != b.type || a.fields.size() != b.fields.size()) return false;
  for (std::size_t i = 0; i < a.fields.size(); ++i) {
    if (a.fields[i].value != b.fields[i].value) return false;
  }
  return true;
}

TEST(SoundDesign, MorphStartsAsAAndEndsWithBsSound) {
  for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
    const Inputs in = MakeInputs(seed);
    ASSERT_EQ(Morph(in.a, in.b, 0, AllDesignBlocks()), in.a) << "seed " << seed;
    const PresetImage end = Morph(in.a, in.b, 1, AllDesignBlocks());
    const std::vector<BlockValues> got = BlocksOf(end);
    const std::vector<BlockValues> want = BlocksOf(in.b);
    for (std::size_t i = 0; i < got.size(); ++i) ASSERT_TRUE(SameValues(got[i], want[i])) << got[i].block->name << " seed " << seed;
    ASSERT_TRUE(SameBytes(end, in.b, Offset::FirstModifier, Offset::RoutingWord)) << "modifiers, seed " << seed;
    ASSERT_TRUE(SameBytes(end, in.a, 0, Offset::FirstModifier)) << "name and number, seed " << seed;
  }
}

TEST(SoundDesign, TypesStayUnlessAsked) {
  int changedTypes = 0;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    const Inputs in = MakeInputs(seed);
    const PresetImage kept = Randomize(in.a, AllDesignBlocks(), true, in.seed);
    const PresetImage mutated = Mutate(in.a, AllDesignBlocks(), 100, false, in.seed);
    const PresetImage free = Randomize(in.a, AllDesignBlocks(), false, in.seed);
    for (const CatalogBlock& block : CatalogBlocks()) {
      if (!block.HasTypes()) continue;
      ASSERT_EQ(TypeOf(kept, block), TypeOf(in.a, block)) << block.name;
      ASSERT_EQ(TypeOf(mutated, block), TypeOf(in.a, block)) << block.name;
      changedTypes += TypeOf(free, block) != TypeOf(in.a, block);
    }
  }
  EXPECT_GT(changedTypes, 500);  // of 1000 typed blocks, about five in six get another type
}

// A block whose type changed gets the editor's default assignments; one whose type stayed keeps its own.
TEST(SoundDesign, ModifiersFollowTheNewTypes) {
  for (uint32_t seed = 1; seed <= 500; ++seed) {
    const Inputs in = MakeInputs(seed);
    const PresetImage result = Randomize(in.a, AllDesignBlocks(), false, in.seed);
    for (const ModifierGroup& group : kModifierGroups) {
      const bool changed = ReadValue28(result, group.blockBase, true) != ReadValue28(in.a, group.blockBase, true);
      for (int slot = group.firstSlot; slot < group.endSlot; slot += 4) {
        if (changed) {
          ASSERT_EQ(ReadValue28(result, slot, false), kDefaultModifierValue) << group.name << " seed " << seed;
        } else {
          ASSERT_TRUE(SameBytes(result, in.a, slot, slot + 4)) << group.name << " seed " << seed;
        }
      }
    }
  }
}

// Positions of one field before and after, for every numeric field of the chosen blocks.
struct Move {
  int before, after, target, count;
};
std::vector<Move> Moves(const PresetImage& before, const PresetImage& after, const PresetImage& target) {
  std::vector<Move> moves;
  const std::vector<BlockValues> was = BlocksOf(before), now = BlocksOf(after), aim = BlocksOf(target);
  auto position = [](const FieldValue& f) {
    const ValueList& items = Items(*f.field.row);
    for (int p = 0; p < static_cast<int>(items.size()); ++p) {
      if (items[static_cast<std::size_t>(p)].text == f.text) return p;
    }
    return -1;
  };
  for (std::size_t b = 0; b < was.size(); ++b) {
    if (was[b].type != now[b].type || was[b].type != aim[b].type) continue;
    for (std::size_t i = 0; i < was[b].fields.size(); ++i) {
      const int count = static_cast<int>(Items(*was[b].fields[i].field.row).size());
      moves.push_back({position(was[b].fields[i]), position(now[b].fields[i]), position(aim[b].fields[i]), count});
    }
  }
  return moves;
}

TEST(SoundDesign, MutateMovesEachFieldWithinItsShare) {
  const struct {
    int percent;
  } cases[] = {{0}, {5}, {30}};
  for (const auto& c : cases) {
    int moved = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
      const Inputs in = MakeInputs(seed);
      const PresetImage result = Mutate(in.a, AllDesignBlocks(), c.percent, false, in.seed);
      if (c.percent == 0) {
        ASSERT_EQ(result, in.a) << "seed " << seed;
      }
      for (const Move& m : Moves(in.a, result, in.a)) {
        const int reach = (c.percent * (m.count - 1) + 50) / 100;
        ASSERT_LE(std::abs(m.after - m.before), reach) << c.percent << "% seed " << seed;
        moved += m.after != m.before;
      }
    }
    if (c.percent > 0) {
      EXPECT_GT(moved, 1000) << c.percent << "%";
    }
  }
}

TEST(SoundDesign, NudgeMovesTowardOrAwayFromTheTarget) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    const Inputs in = MakeInputs(seed);
    const PresetImage toward = Nudge(in.a, in.b, 50, false, AllDesignBlocks());
    const PresetImage away = Nudge(in.a, in.b, 50, true, AllDesignBlocks());
    for (const Move& m : Moves(in.a, toward, in.b)) ASSERT_LE(std::abs(m.after - m.target), std::abs(m.before - m.target));
    for (const Move& m : Moves(in.a, away, in.b)) ASSERT_GE(std::abs(m.after - m.target), std::abs(m.before - m.target));
  }
}

TEST(SoundDesign, OtherSeedsGiveOtherSounds) {
  const PresetImage start = CatalogPreset(1).Image();
  std::set<PresetImage> seen;
  for (uint64_t seed = 0; seed < 100; ++seed) seen.insert(Randomize(start, AllDesignBlocks(), false, seed));
  EXPECT_EQ(seen.size(), 100u);
}

TEST(SoundDesign, AreaNamesChooseTheirBlocks) {
  const struct {
    const char* name;
    std::vector<BlockNumber> blocks;
  } cases[] = {
      {"gate-eq", {BlockNumber::NoiseGateEQ}},
      {"routing", {BlockNumber::LevelRelay, BlockNumber::Routing}},
      {"tap-tempo", {BlockNumber::TapTempo}},
      {"chorus", {BlockNumber::ChorusFlange}},
  };
  for (const auto& c : cases) EXPECT_EQ(BlocksInArea(*AreaOffset(c.name)), c.blocks) << c.name;
  std::set<BlockNumber> covered;
  for (const NamedArea& area : NamedAreas()) {
    for (BlockNumber b : BlocksInArea(area.offset)) covered.insert(b);
  }
  EXPECT_EQ(covered, AllDesignBlocks());
  EXPECT_FALSE(AreaOffset("modifiers"));
}

}  // namespace
