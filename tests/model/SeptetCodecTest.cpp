#include <gtest/gtest.h>

#include <array>

#include "ScriptedDialogs.h"
#include "utilities.h"

namespace {

struct Value28Case {
  int32_t written;
  std::array<uint8_t, 4> bytes;  // as stored, least significant septet first
  int32_t readSigned;
  int32_t readUnsigned;
};

class Value28 : public ::testing::TestWithParam<Value28Case> {};

TEST_P(Value28, StoresSeptetsAndReadsBack) {
  const auto& c = GetParam();
  std::array<uint8_t, 6> buf{0x55, 0, 0, 0, 0, 0x55};
  WriteValue28(c.written, 1, buf);
  EXPECT_EQ((std::array<uint8_t, 4>{buf[1], buf[2], buf[3], buf[4]}), c.bytes);
  EXPECT_EQ(buf[0], 0x55) << "the neighbours stay untouched";
  EXPECT_EQ(buf[5], 0x55);
  EXPECT_EQ(ReadValue28(buf, 1, true), c.readSigned);
  EXPECT_EQ(ReadValue28(buf, 1, false), c.readUnsigned);
}

INSTANTIATE_TEST_SUITE_P(
    TwoComplementAndRanges, Value28,
    ::testing::Values(Value28Case{0, {0, 0, 0, 0}, 0, 0},
                      Value28Case{1, {1, 0, 0, 0}, 1, 1},
                      Value28Case{127, {0x7F, 0, 0, 0}, 127, 127},
                      Value28Case{128, {0, 1, 0, 0}, 128, 128},
                      Value28Case{-1, {0x7F, 0x7F, 0x7F, 0x07}, -1, 0xFFFFFF},
                      Value28Case{-40, {0x58, 0x7F, 0x7F, 0x07}, -40, 0xFFFFD8},
                      Value28Case{8388607, {0x7F, 0x7F, 0x7F, 0x03}, 8388607, 8388607},
                      Value28Case{8388608, {0, 0, 0, 0x04}, -8388608, 8388608},
                      Value28Case{0xC8C800, {0x00, 0x10, 0x23, 0x06}, -3618816, 0xC8C800}),
    [](const ::testing::TestParamInfo<Value28Case>& info) {
      const int32_t v = info.param.written;
      return (v < 0 ? "minus" + std::to_string(-static_cast<int64_t>(v)) : std::to_string(v));
    });

TEST(Value28, FourthByteAboveSevenKeepsItsHighBits) {
  // 0x08 in the fourth byte is bit 24: not part of a 24-bit value, so the
  // signed read does not clear it and leaves the 24-bit range.
  const std::array<uint8_t, 4> bytes{0, 0, 0, 0x08};
  EXPECT_EQ(ReadValue28(bytes, 0, false), 0x1000000);
  EXPECT_EQ(ReadValue28(bytes, 0, true), 0x1000000);
  const std::array<uint8_t, 4> signBit{0, 0, 0, 0x0C};  // bits 23 and 24
  EXPECT_EQ(ReadValue28(signBit, 0, true), -((0x1800000 ^ 0xFFFFFF) + 1));
}

TEST(Value14, RoundTripsAndDropsHighBits) {
  std::array<uint8_t, 2> buf{};
  WriteValue14(200, 0, buf);
  EXPECT_EQ(buf, (std::array<uint8_t, 2>{0x48, 0x01}));
  EXPECT_EQ(ReadValue14(buf, 0), 200);
  WriteValue14(16383, 0, buf);
  EXPECT_EQ(ReadValue14(buf, 0), 16383);
  WriteValue14(16384 + 5, 0, buf);
  EXPECT_EQ(ReadValue14(buf, 0), 5);
  const std::array<uint8_t, 2> user1{0x65, 0x00};
  EXPECT_EQ(ReadValue14(user1, 0), 101);
}

TEST(Txt2Byte, AcceptsZeroTo127AndFallsBackOtherwise) {
  ScriptedDialogs dialogs;
  EXPECT_EQ(Txt2Byte("0", 9), 0);
  EXPECT_EQ(Txt2Byte("127", 9), 127);
  EXPECT_EQ(Txt2Byte(" 42 ", 9), 42);
  EXPECT_EQ(Txt2Byte("12.4", 9), 12);
  EXPECT_EQ(Txt2Byte("12.5", 9), 12) << "rounds half to even like a text box conversion";
  EXPECT_EQ(Txt2Byte("13.5", 9), 14);
  EXPECT_TRUE(dialogs.Shown().empty());

  EXPECT_EQ(Txt2Byte("", 9), 9);
  EXPECT_EQ(Txt2Byte("abc", 9), 9);
  EXPECT_EQ(Txt2Byte("-1", 9), 9);
  EXPECT_EQ(Txt2Byte("256", 9), 9);
  EXPECT_EQ(Txt2Byte("nan", 9), 9);
  EXPECT_TRUE(dialogs.Shown().empty()) << "text outside 0-255 falls back silently";

  EXPECT_EQ(Txt2Byte("128", 9), 9);
  EXPECT_EQ(Txt2Byte("255", 7), 7);
  ASSERT_EQ(dialogs.Shown().size(), 2u);
  EXPECT_EQ(dialogs.Shown()[0].text, "Value must be 0 to 127");
  EXPECT_EQ(dialogs.Shown()[0].title, kAppTitle);
}

}  // namespace
