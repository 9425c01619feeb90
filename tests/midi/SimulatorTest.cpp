// The simulated G-Major: its generated bank, its answers, what it ignores,
// the faults the backup and verification tests rely on; and the in-process
// device list entry with its own Bulk Dump.
#include <gtest/gtest.h>

#include <condition_variable>
#include <set>

#include "CPreset.h"
#include "FactoryBank.h"
#include "MidiTestSupport.h"
#include "SimulatedGMajor.h"
#include "SimulatorMidiSystem.h"

namespace {

Bytes Image(const PresetImage& image) { return {image.begin(), image.end()}; }

TEST(SimulatedBank, EveryPresetIsValidNumberedAndDistinctlyNamed) {
  std::set<std::string> names;
  for (int n = 1; n <= 100; ++n) {
    for (const PresetImage& image : {FactoryPreset(n), InitialUserPreset(n)}) {
      EXPECT_TRUE(HasPresetHeader(image) && HasEndByte(image) && ChecksumMatches(image)) << n;
      names.insert(std::string(image.begin() + 9, image.begin() + 29));
    }
    EXPECT_EQ(ReadValue14(FactoryPreset(n), 7), n);
    EXPECT_EQ(ReadValue14(InitialUserPreset(n), 7), 100 + n);
  }
  EXPECT_EQ(names.size(), 200u);
  EXPECT_EQ(FactoryPreset(37), FactoryPreset(37)) << "the same on every run";
}

TEST(SimulatedDevice, AnswersRequestsAndStoresPresetsUnderTheirNumber) {
  SimulatedGMajor device;
  for (int number : {0, 1, 200}) {
    const SimResponse r = device.Receive(Request(number));
    ASSERT_EQ(r.replies.size(), 1u) << r.event;
    EXPECT_EQ(r.replies[0], Image(device.Preset(number)));
    EXPECT_EQ(ReadValue14(r.replies[0], 7), number);
  }
  const Bytes u7 = PresetBuilder().Name("Mine").Number(107).Scramble(7).Bytes();
  EXPECT_TRUE(device.Receive(u7).replies.empty());
  EXPECT_EQ(device.Receive(Request(107)).replies[0], u7);

  const Bytes edit = PresetBuilder().Name("Edit").Number(0).Bytes();
  const SimResponse confirmed = device.Receive(edit);
  EXPECT_EQ(confirmed.replies, std::vector<Bytes>{edit}) << "an edit-buffer send is answered";
  EXPECT_EQ(device.MalformedCount(), 0);
  EXPECT_EQ(device.BulkDump().size(), 100u);
  EXPECT_EQ(device.BulkDump()[6], u7);
  EXPECT_EQ(device.UserBank().size(), 61500u);
}

TEST(SimulatedDevice, InWrongNumberModeAnswersWithANeighbour) {
  SimulatedGMajor device;
  device.SetAnswerMode(AnswerMode::WrongNumber);
  for (const auto& [asked, answered] : std::vector<std::pair<int, int>>{{0, 1}, {103, 104}, {200, 199}}) {
    const SimResponse r = device.Receive(Request(asked));
    ASSERT_EQ(r.replies.size(), 1u) << r.event;
    EXPECT_EQ(r.replies[0], Image(device.Preset(answered))) << asked;
    EXPECT_NE(r.event.find("wrong number"), std::string::npos) << r.event;
  }
}

struct Malformed {
  const char* name;
  Bytes message;
};

class SimulatedDeviceIgnores : public ::testing::TestWithParam<Malformed> {};

TEST_P(SimulatedDeviceIgnores, MalformedInputAndCountsIt) {
  SimulatedGMajor device;
  const Bytes bankBefore = device.UserBank();
  const SimResponse r = device.Receive(GetParam().message);
  EXPECT_TRUE(r.replies.empty());
  EXPECT_EQ(device.MalformedCount(), 1) << r.event;
  EXPECT_EQ(r.event.rfind("ignored: ", 0), 0u) << r.event;
  EXPECT_EQ(device.UserBank(), bankBefore);
}

const Bytes kUser5 = PresetBuilder().Number(105).Scramble(5).Bytes();

INSTANTIATE_TEST_SUITE_P(
    Messages, SimulatedDeviceIgnores,
    ::testing::Values(Malformed{"wrong_maker", WithByte(kUser5, 2, 0x21)},
                      Malformed{"wrong_model", WithByte(kUser5, 5, 0x49)},
                      Malformed{"wrong_length", Joined({Cut(kUser5, 400), {0xF7}})},
                      Malformed{"bad_checksum", WithByte(kUser5, 613, static_cast<uint8_t>(kUser5[613] ^ 1))},
                      Malformed{"missing_end", Cut(kUser5, 614)},
                      Malformed{"garbage", {0x12, 0x34, 0x56}},
                      Malformed{"request_beyond_200", Request(201)},
                      Malformed{"factory_store", WithByte(kUser5, 7, 5)},
                      Malformed{"unknown_type", WithByte(Request(1), 6, 0x33)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimulatedDevice, LoadsABankOnlyWhenEverySlotIsValid) {
  SimulatedGMajor device;
  const Bytes before = device.UserBank();
  std::string why;
  Bytes broken = DumpBytes(3);
  broken[615 + 613] ^= 1;
  EXPECT_FALSE(device.LoadUserBank(broken, why));
  EXPECT_EQ(why, "slot 1 is not a valid preset");
  EXPECT_EQ(device.UserBank(), before);
  EXPECT_FALSE(device.LoadUserBank(Cut(DumpBytes(1), 600), why));
  ASSERT_TRUE(device.LoadUserBank(DumpBytes(3, 7), why));
  EXPECT_EQ(ReadValue14(device.Preset(102), 7), 102) << "stored by position";
}

TEST(SimulatorDevices, ListsOneEntryAndPressesBulkDumpWhenLeftIdle) {
  SimulatorMidiSystem simulator(std::chrono::milliseconds(0));
  EXPECT_EQ(simulator.InputNames(), std::vector<std::string>{"Lindel G-Major simulator"});
  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<Bytes> received;
  auto input = simulator.OpenInput(0, {[&](Bytes m) {
                                         std::lock_guard lock(mutex);
                                         received.push_back(std::move(m));
                                         arrived.notify_all();
                                       },
                                       nullptr});
  ASSERT_TRUE(input);
  EXPECT_FALSE(simulator.OpenInput(0, {})) << "one user at a time";
  auto output = simulator.OpenOutput(0);
  ASSERT_TRUE(output);
  std::unique_lock lock(mutex);
  ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(10), [&] { return received.size() == 100; }));
  EXPECT_EQ(received[99], simulator.WithDevice([](SimulatedGMajor& d) { return Image(d.Preset(200)); }));
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
