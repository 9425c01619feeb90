#include <gtest/gtest.h>

#include "CEffectBlock.h"
#include "PresetBuilder.h"

namespace {

struct Area {
  int offset;
  std::size_t length;
};

class CopyPaste : public ::testing::TestWithParam<Area> {};

// Whatever the area, the receiving preset changes in exactly that area and
// the modifier slots, checksum and header never move.
TEST_P(CopyPaste, MovesExactlyTheAreaIntoAnotherPreset) {
  const Area area = GetParam();
  CPreset source = PresetBuilder().Scramble(1).Build();
  CPreset target = PresetBuilder().Scramble(2).Name("Target").Build();
  const PresetImage before = target.Image();

  const auto block = source.Copy(area.offset);
  ASSERT_TRUE(block.has_value());
  EXPECT_EQ(block->Block(), area.offset);
  EXPECT_EQ(BlockAreaLength(area.offset), area.length);
  ASSERT_TRUE(target.Paste(*block));

  for (int i = 0; i < static_cast<int>(kPresetSize); ++i) {
    const bool inside = i >= area.offset && i < area.offset + static_cast<int>(area.length);
    ASSERT_EQ(target.Image()[i], inside ? source.Image()[i] : before[i]) << "byte " << i;
  }
  EXPECT_TRUE(target.IsValid()) << "pasting leaves the valid flag alone";
}

INSTANTIATE_TEST_SUITE_P(AllAreas, CopyPaste,
                         ::testing::Values(Area{165, 64}, Area{229, 64}, Area{293, 64}, Area{357, 64},
                                           Area{421, 64}, Area{485, 64}, Area{549, 64}, Area{157, 4},
                                           Area{161, 4}));

TEST(BlockClipboard, RoutingWordCarriesLevelAndRelaysButNotTheTapTempo) {
  CPreset source = PresetBuilder().Build();
  source.SetRouting(2);
  source.SetOutLevel(127);
  source.SetRelay(1, 1);
  source.SetRelay(2, 1);
  CPreset target = PresetBuilder().Value(161, 500).Build();
  ASSERT_TRUE(target.Paste(*source.Copy(157)));
  EXPECT_EQ(target.Value(157), 0x7FE);
  EXPECT_EQ(target.Value(161), 500);
}

TEST(BlockClipboard, PasteReplacesTheBlockTypeAndOnState) {
  CPreset dual = PresetBuilder().Value(421, 2).Value(481, 1).Value(425, 77).Build();
  CPreset pingPong = PresetBuilder().Value(421, 0).Build();
  ASSERT_TRUE(pingPong.Paste(*dual.Copy(421)));
  EXPECT_EQ(pingPong.Value(421), 2);
  EXPECT_EQ(pingPong.Value(481), 1);
  EXPECT_EQ(pingPong.Value(425), 77);
}

TEST(BlockClipboard, FourByteCopyClearsTheRestOfTheBufferAndKeepsItsBytesLater) {
  auto source = std::make_unique<CPreset>(PresetBuilder().Scramble(3).Build());
  CEffectBlock block;
  ASSERT_TRUE(block.Copy(485, source->Image()));
  ASSERT_TRUE(block.Copy(161, source->Image()));
  const auto copied = block.Buffer();
  for (std::size_t i = 4; i < copied.size(); ++i) EXPECT_EQ(copied[i], 0) << i;
  source->SetValue(161, 1234);
  source.reset();
  EXPECT_EQ(block.Buffer(), copied);
}

TEST(BlockClipboard, AFreshClipboardPastesNothing) {
  CPreset target = PresetBuilder().Scramble(4).Build();
  const PresetImage before = target.Image();
  EXPECT_EQ(CEffectBlock().Block(), -1);
  EXPECT_FALSE(target.Paste(CEffectBlock()));
  EXPECT_EQ(target.Image(), before);
}

class RefusedArea : public ::testing::TestWithParam<std::pair<int, std::size_t>> {};

TEST_P(RefusedArea, AnAreaRunningPastTheDataIsRefusedWithoutChangingIt) {
  const auto [offset, dataSize] = GetParam();
  std::vector<uint8_t> data(dataSize, 0x11);
  CEffectBlock block;
  ASSERT_TRUE(block.Copy(165, PresetBuilder().Scramble(5).Bytes()));
  EXPECT_FALSE(block.Copy(offset, data));
  EXPECT_EQ(block.Block(), 165) << "a refused copy changes nothing";
  EXPECT_FALSE(block.Paste(std::span<uint8_t>(data).first(std::min<std::size_t>(dataSize, 200))));
  EXPECT_EQ(data, std::vector<uint8_t>(dataSize, 0x11));
}

INSTANTIATE_TEST_SUITE_P(Offsets, RefusedArea,
                         ::testing::Values(std::pair{552, kPresetSize}, std::pair{612, kPresetSize},
                                           std::pair{-1, kPresetSize}, std::pair{-64, kPresetSize},
                                           std::pair{161, std::size_t{164}}, std::pair{157, std::size_t{160}}));

TEST(BlockClipboard, TheLastFittingAreaIsAccepted) {
  CPreset p = PresetBuilder().Build();
  EXPECT_TRUE(p.Copy(551).has_value()) << "551 + 64 ends exactly at the image's end";
  EXPECT_FALSE(p.Copy(552).has_value());
}

}  // namespace
