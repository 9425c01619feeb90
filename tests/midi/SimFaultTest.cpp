// The simulated device's faults, which the backup and verification tests
// rely on to force retries and mismatches.
#include <gtest/gtest.h>

#include "CPreset.h"
#include "PresetBuilder.h"
#include "SimulatedGMajor.h"
#include "utilities.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Request(int number) {
  Bytes r{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0, 0, 0xF7};
  WriteValue14(number, 7, r);
  return r;
}

bool Valid(const Bytes& m) {
  PresetImage image{};
  if (m.size() != kPresetSize) return false;
  std::copy(m.begin(), m.end(), image.begin());
  return ChecksumMatches(image);
}

TEST(SimFault, ParsesOnlyTheThreeForms) {
  for (const char* bad : {"", "drop", "drop-every=", "drop-every=0", "drop-every=1001", "drop-every=x",
                          "corrupt-every=-1", "lose-every=3", "drop-every=3 "}) {
    EXPECT_FALSE(ParseSimFault(bad)) << bad;
  }
  EXPECT_EQ(ParseSimFault("none")->kind, SimFault::Kind::None);
  EXPECT_EQ(ParseSimFault("drop-every=10")->every, 10);
  EXPECT_EQ(ParseSimFault("corrupt-every=1000")->kind, SimFault::Kind::Corrupt);
}

TEST(SimFault, DropLeavesEveryNthRequestUnanswered) {
  SimulatedGMajor device;
  device.SetFault(*ParseSimFault("drop-every=3"));
  std::vector<bool> answered;
  for (int i = 1; i <= 6; ++i) answered.push_back(!device.Receive(Request(100 + i)).replies.empty());
  EXPECT_EQ(answered, (std::vector<bool>{true, true, false, true, true, false}));
  device.Reset();
  EXPECT_FALSE(device.Receive(Request(103)).replies.empty()) << "a reset clears the fault";
}

TEST(SimFault, CorruptDamagesEveryNthAnswerInTransitAndEveryNthStoreForGood) {
  SimulatedGMajor device;
  device.SetFault(*ParseSimFault("corrupt-every=2"));
  EXPECT_TRUE(Valid(device.Receive(Request(101)).replies.at(0)));
  const SimResponse damaged = device.Receive(Request(101));
  EXPECT_FALSE(Valid(damaged.replies.at(0))) << damaged.event;
  EXPECT_NE(damaged.event.find("damaged (fault)"), std::string::npos);

  const Bytes first = PresetBuilder().Name("First").Number(107).Scramble(1).Bytes();
  const Bytes second = PresetBuilder().Name("Second").Number(108).Scramble(2).Bytes();
  device.Receive(first);
  device.Receive(second);
  EXPECT_EQ(Bytes(device.Preset(107).begin(), device.Preset(107).end()), first);
  const Bytes stored(device.Preset(108).begin(), device.Preset(108).end());
  EXPECT_NE(stored, second);
  EXPECT_TRUE(Valid(stored)) << "only reading it back shows the damage";
  EXPECT_EQ(std::string(stored.begin() + 9, stored.begin() + 15), "Second");
}

}  // namespace
