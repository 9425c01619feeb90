#include <gtest/gtest.h>

#include "AnsiText.h"

namespace {

TEST(AnsiText, RoundTripsEveryDefinedByte) {
  std::vector<uint8_t> all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<uint8_t>(b));
  EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
}

TEST(AnsiText, MapsTheWindowsRangeAndReplacesTheRest) {
  EXPECT_EQ(ToAnsi("€‘’“”…"), (std::vector<uint8_t>{0x80, 0x91, 0x92, 0x93, 0x94, 0x85}));
  EXPECT_EQ(FromAnsi(std::vector<uint8_t>{0x80, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8E,
                                          0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9E,
                                          0x9F, 0xE9}),
            "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸé") << "every character the Windows range defines";
  EXPECT_EQ(ToAnsi("a日b😀"), (std::vector<uint8_t>{'a', '?', 'b', '?'}));
  EXPECT_EQ(ToAnsi("\xC3"), std::vector<uint8_t>{'?'}) << "a cut UTF-8 sequence";
  EXPECT_EQ(Utf8Length("Crème"), 5u);
}

}  // namespace
