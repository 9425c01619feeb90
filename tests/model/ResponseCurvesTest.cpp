// The curves' numbers: an EQ band's peak, its width and the sum of bands; the
// compressor's line below, at and above the threshold; the delay's repeats.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "ResponseCurves.h"

namespace {

struct EqCase {
  const char* what;
  std::vector<EqBand> bands;
  double hz;
  double db;
  double tolerance;
};

class EqResponse : public testing::TestWithParam<EqCase> {};

TEST_P(EqResponse, GivesTheBandsGainAtTheFrequency) {
  const EqCase& c = GetParam();
  EXPECT_NEAR(EqResponseDb(c.bands, c.hz), c.db, c.tolerance) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Bands, EqResponse,
    testing::Values(EqCase{"flat without bands", {}, 1000, 0, 1e-9},
                    EqCase{"the full gain at the centre", {{1000, 9, 1}}, 1000, 9, 0.01},
                    EqCase{"a cut as deep", {{250, -12, 0.5}}, 250, -12, 0.01},
                    EqCase{"half the gain at half the width away", {{1000, 12, 2}}, 2000, 6, 1.5},
                    EqCase{"nothing far away", {{1000, 12, 0.2}}, 20, 0, 0.1},
                    EqCase{"bands in series add", {{500, 6, 1}, {500, 3, 1}}, 500, 9, 0.01},
                    EqCase{"zero gain is no band", {{1000, 0, 1}}, 1000, 0, 1e-9}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

struct CompCase {
  double in, threshold, ratio, gain, out;
};

class CompressorLine : public testing::TestWithParam<CompCase> {};

TEST_P(CompressorLine, BendsAtTheThreshold) {
  const CompCase& c = GetParam();
  EXPECT_DOUBLE_EQ(CompressorOutputDb(c.in, c.threshold, c.ratio, c.gain), c.out);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
INSTANTIATE_TEST_SUITE_P(Points, CompressorLine,
                         testing::Values(CompCase{-30, -20, 4, 0, -30},   // below: untouched
                                         CompCase{-20, -20, 4, 0, -20},   // at the knee
                                         CompCase{0, -20, 4, 0, -15},     // 20 dB over at 4:1
                                         CompCase{0, -20, kInf, 0, -20},  // a limiter
                                         CompCase{0, -20, 1, 0, 0},       // no ratio: no compression
                                         CompCase{-40, -20, 4, 6, -34},   // gain lifts all of it
                                         CompCase{0, -20, 2, -3, -13}));

TEST(DelayTaps, RepeatUntilTooFaintOrTooLate) {
  const std::vector<DelayVoice> half{{500, 0.5}};
  const auto taps = DelayTaps(half, 10000);
  ASSERT_EQ(taps.size(), 5u);  // 1, .5, .25, .125, .0625; the next is below the faintest
  EXPECT_DOUBLE_EQ(taps[4].ms, 2500);
  EXPECT_DOUBLE_EQ(taps[4].level, 0.0625);
  const std::vector<DelayVoice> endless{{500, 1.0}}, dry{{500, 0.0}};
  EXPECT_EQ(DelayTaps(endless, 1600).size(), 3u);  // stops at the window
  EXPECT_EQ(DelayTaps(dry, 10000).size(), 1u);
}

TEST(DelayTaps, TwoVoicesInTimeOrderAndNoneForZero) {
  const std::vector<DelayVoice> two{{300, 0.0}, {200, 0.4}};
  const auto taps = DelayTaps(two, 10000);
  ASSERT_EQ(taps.size(), 5u);  // 200 (1), 300 (1), 400 (.4), 600 (.16), 800 (.064)
  EXPECT_EQ(taps[0].voice, 1);
  EXPECT_EQ(taps[1].voice, 0);
  EXPECT_DOUBLE_EQ(taps[3].ms, 600);
  EXPECT_DOUBLE_EQ(taps[3].level, 0.4 * 0.4);
  const std::vector<DelayVoice> none{{0, 0.9}, {-5, 0.9}};
  EXPECT_TRUE(DelayTaps(none, 10000).empty());
}

}  // namespace
