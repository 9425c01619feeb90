// The simulated G-Major: its generated bank, its answers, and what it
// ignores; and the in-process device list entry with its own Bulk Dump.
#include <gtest/gtest.h>

#include <condition_variable>
#include <set>

#include "CPreset.h"
#include "FactoryBank.h"
#include "PresetBuilder.h"
#include "SimulatedGMajor.h"
#include "SimulatorMidiSystem.h"
#include "utilities.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Request(int number) {
  Bytes r{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0, 0, 0xF7};
  WriteValue14(number, 7, r);
  return r;
}

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

Bytes Changed(Bytes b, std::size_t at, uint8_t value) {
  b[at] = value;
  return b;
}

Bytes Cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

const Bytes kUser5 = PresetBuilder().Number(105).Scramble(5).Bytes();

INSTANTIATE_TEST_SUITE_P(
    Messages, SimulatedDeviceIgnores,
    ::testing::Values(Malformed{"wrong_maker", Changed(kUser5, 2, 0x21)},
                      Malformed{"wrong_model", Changed(kUser5, 5, 0x49)},
                      Malformed{"wrong_length", [] { Bytes b = Cut(kUser5, 400); b.push_back(0xF7); return b; }()},
                      Malformed{"bad_checksum", Changed(kUser5, 613, static_cast<uint8_t>(kUser5[613] ^ 1))},
                      Malformed{"missing_end", Cut(kUser5, 614)},
                      Malformed{"garbage", {0x12, 0x34, 0x56}},
                      Malformed{"request_beyond_200", Request(201)},
                      Malformed{"factory_store", Changed(kUser5, 7, 5)},
                      Malformed{"unknown_type", Changed(Request(1), 6, 0x33)}),
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

}  // namespace
