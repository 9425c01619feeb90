#include <gtest/gtest.h>

#include "CEffectBlock.h"
#include "PresetBuilder.h"

namespace {

struct Area {
  int offset;
  int length;
};

class CopyPaste : public ::testing::TestWithParam<Area> {};

// The receiving preset changes in exactly the copied area (type and on/off
// included); modifier slots, checksum and neighbours never move.
TEST_P(CopyPaste, MovesExactlyTheAreaIntoAnotherPreset) {
  const Area area = GetParam();
  CPreset source = PresetBuilder().Scramble(1).Build();
  CPreset target = PresetBuilder().Scramble(2).Build();
  const PresetImage before = target.Image();
  const auto block = source.Copy(area.offset);
  ASSERT_TRUE(block.has_value());
  ASSERT_TRUE(target.Paste(*block));
  for (int i = 0; i < static_cast<int>(kPresetSize); ++i) {
    const bool inside = i >= area.offset && i < area.offset + area.length;
    ASSERT_EQ(target.Image()[i], inside ? source.Image()[i] : before[i]) << "byte " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(AllAreas, CopyPaste,
                         ::testing::Values(Area{165, 64}, Area{229, 64}, Area{293, 64}, Area{357, 64},
                                           Area{421, 64}, Area{485, 64}, Area{549, 64}, Area{157, 4},
                                           Area{161, 4}));

TEST(BlockClipboard, AFourByteCopyClearsTheRestAndOutlivesItsSource) {
  auto source = std::make_unique<CPreset>(PresetBuilder().Scramble(3).Build());
  CEffectBlock block;
  ASSERT_TRUE(block.Copy(485, source->Image()));
  ASSERT_TRUE(block.Copy(161, source->Image()));
  const auto copied = block.Buffer();
  EXPECT_EQ(std::count(copied.begin() + 4, copied.end(), 0), 60);
  source.reset();
  EXPECT_EQ(block.Buffer(), copied);
}

class RefusedArea : public ::testing::TestWithParam<std::pair<int, std::size_t>> {};

TEST_P(RefusedArea, AnAreaRunningPastTheDataIsRefusedWithoutChangingAnything) {
  const auto [offset, dataSize] = GetParam();
  std::vector<uint8_t> data(dataSize, 0x11);
  CEffectBlock block;
  EXPECT_FALSE(block.Copy(offset, data));
  EXPECT_EQ(block.Block(), -1);
  EXPECT_FALSE(block.Paste(data)) << "nothing copied, nothing pasted";
  EXPECT_EQ(data, std::vector<uint8_t>(dataSize, 0x11));
}

INSTANTIATE_TEST_SUITE_P(Offsets, RefusedArea,
                         ::testing::Values(std::pair{552, kPresetSize}, std::pair{612, kPresetSize},
                                           std::pair{-1, kPresetSize}, std::pair{161, std::size_t{164}}));

TEST(BlockClipboard, TheLastFittingAreaIsAccepted) {
  EXPECT_TRUE(PresetBuilder().Build().Copy(551).has_value()) << "551 + 64 ends exactly at the image's end";
}

}  // namespace
