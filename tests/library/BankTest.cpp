// Banks: rearranging a plan, keeping it in the library, what the device is
// known to hold, and pulls and sends against an in-process simulator.
#include <gtest/gtest.h>

#include <filesystem>

#include "Bank.h"
#include "BankSync.h"
#include "DeviceState.h"
#include "LibraryError.h"
#include "PresetBuilder.h"
#include "PresetLibrary.h"
#include "SimulatorBankDevice.h"
#include "TempDir.h"
#include "utilities.h"

namespace {

// Slots 1..entries.size() hold these entries (0: empty), the rest are empty.
BankPlan Plan(const std::vector<int64_t>& entries) {
  BankPlan plan;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] != 0) plan.Set(static_cast<int>(i + 1), entries[i]);
  }
  return plan;
}

// The first slots as given, then empty slots up to slot 100, which holds last.
std::vector<int64_t> UpToTheLast(std::vector<int64_t> first, int64_t last) {
  first.resize(100, 0);
  first[99] = last;
  return first;
}

struct RearrangeCase {
  const char* what;
  void (*step)(BankPlan&);
  std::vector<int64_t> expected;
};

class Rearranging : public ::testing::TestWithParam<RearrangeCase> {};

TEST_P(Rearranging, ShiftsSwapsAndEmptiesExactlyTheSlotsNamed) {
  BankPlan plan = Plan({11, 12, 0, 14, 15});
  GetParam().step(plan);
  EXPECT_EQ(plan, Plan(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Rearranging,
    ::testing::Values(RearrangeCase{"move_down", [](BankPlan& p) { p.Move(1, 4); }, {12, 0, 14, 11, 15}},
                      RearrangeCase{"move_up", [](BankPlan& p) { p.Move(5, 2); }, {11, 15, 12, 0, 14}},
                      RearrangeCase{"move_onto_itself", [](BankPlan& p) { p.Move(2, 2); }, {11, 12, 0, 14, 15}},
                      RearrangeCase{"move_an_empty_slot", [](BankPlan& p) { p.Move(3, 1); }, {0, 11, 12, 14, 15}},
                      RearrangeCase{"move_to_the_last_slot", [](BankPlan& p) { p.Move(1, 100); },
                                    UpToTheLast({12, 0, 14, 15}, 11)},
                      RearrangeCase{"swap", [](BankPlan& p) { p.Swap(1, 5); }, {15, 12, 0, 14, 11}},
                      RearrangeCase{"swap_with_empty", [](BankPlan& p) { p.Swap(3, 4); }, {11, 12, 14, 0, 15}},
                      RearrangeCase{"set", [](BankPlan& p) { p.Set(3, 99); }, {11, 12, 99, 14, 15}},
                      RearrangeCase{"clear", [](BankPlan& p) { p.Clear(2); }, {11, 0, 0, 14, 15}},
                      RearrangeCase{"drop_on_empty_moves", [](BankPlan& p) { p.Drop(1, 3, false); }, {0, 12, 11, 14, 15}},
                      RearrangeCase{"drop_on_filled_swaps", [](BankPlan& p) { p.Drop(1, 4, false); }, {14, 12, 0, 11, 15}},
                      RearrangeCase{"drop_with_copy", [](BankPlan& p) { p.Drop(1, 4, true); }, {11, 12, 0, 11, 15}},
                      RearrangeCase{"drop_an_empty_slot", [](BankPlan& p) { p.Drop(3, 1, false); }, {11, 12, 0, 14, 15}},
                      RearrangeCase{"place_entries", [](BankPlan& p) { p.Place(2, {7, 8}); }, {11, 7, 8, 14, 15}},
                      RearrangeCase{"place_past_the_end", [](BankPlan& p) { p.Place(100, {7, 8}); },
                                    UpToTheLast({11, 12, 0, 14, 15}, 7)}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(BankSlots, OutsideOneToAHundredAreRefusedAndChangeNothing) {
  BankPlan plan = Plan({11, 12});
  for (const int bad : {0, 101, -1}) {
    EXPECT_THROW(plan.Move(1, bad), LibraryError) << bad;
    EXPECT_THROW(plan.Swap(bad, 1), LibraryError) << bad;
    EXPECT_THROW(plan.Set(bad, 5), LibraryError) << bad;
  }
  EXPECT_EQ(plan, Plan({11, 12}));
}

struct SendChoiceCase {
  const char* what;
  std::vector<int64_t> plan, held;
  bool all;
  std::vector<int> send, unknown;
};

class SendChoice : public ::testing::TestWithParam<SendChoiceCase> {};

TEST_P(SendChoice, SendsTheFilledSlotsTheDeviceIsNotKnownToHold) {
  const BankPlan plan = Plan(GetParam().plan), held = Plan(GetParam().held);
  EXPECT_EQ(SlotsToSend(plan, held, GetParam().all), GetParam().send);
  EXPECT_EQ(UnknownSlots(plan, held), GetParam().unknown);
}

INSTANTIATE_TEST_SUITE_P(Cases, SendChoice,
                         ::testing::Values(SendChoiceCase{"same", {1, 2, 3}, {1, 2, 3}, false, {}, {}},
                                           SendChoiceCase{"other_sound", {1, 9, 3}, {1, 2, 3}, false, {2}, {}},
                                           SendChoiceCase{"unknown", {1, 2, 3}, {1, 0, 3}, false, {2}, {2}},
                                           SendChoiceCase{"empty_plan_slot", {1, 0, 3}, {1, 2, 3}, false, {}, {}},
                                           SendChoiceCase{"all", {1, 0, 3}, {1, 2, 3}, true, {1, 3}, {}}),
                         [](const auto& info) { return std::string(info.param.what); });

PresetImage Sound(uint32_t seed, const std::string& name) {
  return PresetBuilder().Name(name).Number(101).Scramble(seed).Build().Image();
}

class Banks : public ::testing::Test {
 protected:
  TempDir dir;
  PresetLibrary library{dir.File("library.db")};
  BankStore banks{library};
  DeviceState state{library};
  SimulatorBankDevice device;

  int64_t Keep(uint32_t seed, const std::string& name) {
    return library.Keep(Sound(seed, name), {"file", "mine.syx", -1}).id;
  }

  // Pulls "Live", then plans three new sounds into slots 3, 50 and 100.
  std::vector<int64_t> PulledAndChanged() {
    EXPECT_TRUE(PullBank(library, "Live", device).Complete());
    BankPlan plan = banks.Load("Live");
    const std::vector<int64_t> entries = {Keep(1, "New 3"), Keep(2, "New 50"), Keep(3, "New 100")};
    plan.Set(3, entries[0]);
    plan.Set(50, entries[1]);
    plan.Set(100, entries[2]);
    banks.Save("Live", plan);
    return entries;
  }

  bool DeviceHolds(int slot, int64_t entry) {
    const PresetImage expected = SlotImage(library, entry, slot);
    const PresetImage& held = device.sim.Preset(PresetNumber::UserBase + slot);
    return std::equal(held.begin() + 5, held.end(), expected.begin() + 5);
  }
};

TEST_F(Banks, KeepTheirPlanAndRefuseTakenNamesAndUnknownEntries) {
  banks.Create("Live");
  EXPECT_THROW(banks.Create("LIVE"), LibraryError);
  EXPECT_THROW(banks.Create(""), LibraryError);
  EXPECT_THROW(banks.Load("Studio"), LibraryError);
  const BankPlan plan = Plan({Keep(1, "A"), 0, Keep(2, "B")});
  banks.Save("Live", plan);
  EXPECT_EQ(banks.Load("live"), plan);

  BankPlan broken = plan;
  broken.Set(7, 12345);
  EXPECT_THROW(banks.Save("Live", broken), LibraryError);
  EXPECT_EQ(banks.Load("Live"), plan) << "a refused plan leaves the stored one whole";
  ASSERT_EQ(banks.List().size(), 1u);
  EXPECT_EQ(banks.List()[0].filled, 2);
}

TEST_F(Banks, APurgedEntryLeavesItsSlotsEmptyAndUnknown) {
  banks.Create("Live");
  const int64_t a = Keep(1, "A");
  banks.Save("Live", Plan({a, Keep(2, "B")}));
  state.Record("dev", 1, a);
  library.Purge(a);
  EXPECT_FALSE(banks.Load("Live").At(1));
  EXPECT_TRUE(banks.Load("Live").At(2));
  EXPECT_FALSE(state.Held("dev").At(1));
}

TEST_F(Banks, ExportNumbersTheFilledSlotsInSlotOrderUnderTheEntryNames) {
  const int64_t a = Keep(1, "Old name");
  library.Rename(a, "Renamed");
  const std::vector<uint8_t> dump = BankDump(library, Plan({0, 0, Keep(2, "B"), a}));
  ASSERT_EQ(dump.size(), 2 * kPresetSize);
  const std::span<const uint8_t> second(dump.data() + kPresetSize, kPresetSize);
  EXPECT_EQ(ReadValue14(dump, Offset::Number), 103);
  EXPECT_EQ(ReadValue14(second, Offset::Number), 104);
  EXPECT_EQ(std::string(second.begin() + Offset::Name, second.begin() + Offset::Name + 7), "Renamed");
  EXPECT_TRUE(ChecksumMatches(std::span<const uint8_t, kPresetSize>(second.data(), kPresetSize)));
}

TEST_F(Banks, FromADumpSlotsFollowTheUserNumbersAndDamagedOnesAreRefused) {
  std::vector<uint8_t> dump;
  for (const auto& [number, seed] : std::vector<std::pair<int, uint32_t>>{{105, 1}, {101, 2}, {150, 3}}) {
    const auto p = PresetBuilder().Name("P" + std::to_string(number)).Number(number).Scramble(seed).Bytes();
    dump.insert(dump.end(), p.begin(), p.end());
  }
  dump[2 * kPresetSize + 300] ^= 0x01;  // the third one's checksum no longer matches
  const std::string path = dir.File("dump.syx");
  WriteBytes(path, dump);
  std::vector<std::string> refused;
  const BankPlan plan = PlanFromDump(library, path, refused);
  EXPECT_EQ(plan.Filled(), 2);
  EXPECT_EQ(library.Entry(*plan.At(5))->row.name, "P105");
  EXPECT_EQ(library.Entry(*plan.At(1))->row.name, "P101");
  EXPECT_EQ(refused, (std::vector<std::string>{"slot 3: bad checksum"}));
}

TEST_F(Banks, APullKeepsAllHundredAndRecordsThemAsHeld) {
  const PresetReadResult read = PullBank(library, "Live", device);
  EXPECT_EQ(read.presets.size(), 100u);
  const BankPlan plan = banks.Load("Live");
  EXPECT_EQ(plan.Filled(), 100);
  EXPECT_EQ(state.Held("Test device"), plan);
  EXPECT_EQ(banks.Device("Live"), "Test device");
  EXPECT_EQ(library.Entry(*plan.At(42))->sources.back().kind, "device");
}

TEST_F(Banks, ASendStoresOnlyTheChangedSlotsAndASecondSendNothing) {
  const std::vector<int64_t> entries = PulledAndChanged();
  const BankSendOutcome first = SendBank(library, "Live", device, false, true);
  EXPECT_TRUE(first.Ok());
  EXPECT_EQ(first.sent, (std::vector<int>{3, 50, 100}));
  EXPECT_EQ(device.stored, (std::vector<int>{103, 150, 200}));
  EXPECT_TRUE(DeviceHolds(3, entries[0]) && DeviceHolds(50, entries[1]) && DeviceHolds(100, entries[2]));
  EXPECT_EQ(state.Held("Test device"), banks.Load("Live"));

  const BankSendOutcome second = SendBank(library, "Live", device, false, true);
  EXPECT_TRUE(second.Ok());
  EXPECT_TRUE(second.sent.empty());
  EXPECT_EQ(device.stored.size(), 3u);
  EXPECT_EQ(SendBank(library, "Live", device, true, false).sent.size(), 100u) << "--all sends every filled slot";
}

TEST_F(Banks, AVerifiedSendNamesTheDamagedSlotsAndKeepsThemUnmatched) {
  PulledAndChanged();
  const BankPlan before = state.Held("Test device");
  device.sim.SetFault({SimFault::Kind::Corrupt, 2});  // the second preset stored is damaged
  const BankSendOutcome outcome = SendBank(library, "Live", device, false, true);
  EXPECT_FALSE(outcome.Ok());
  ASSERT_EQ(outcome.mismatches.size(), 1u);
  EXPECT_EQ(outcome.mismatches[0].number, 150);
  EXPECT_EQ(outcome.mismatches[0].name, "New 50");
  const BankPlan held = state.Held("Test device");
  EXPECT_EQ(held.At(3), banks.Load("Live").At(3));
  EXPECT_EQ(held.At(50), before.At(50)) << "a mismatch leaves the known state as it was";
  EXPECT_EQ(SlotsToSend(banks.Load("Live"), held, false), (std::vector<int>{50}));
}

TEST_F(Banks, UnknownSlotsAreReadIntoTheLibraryBeforeAnythingOverwritesThem) {
  banks.Create("Live");
  const int64_t mine = Keep(9, "Mine");
  const int64_t same = library.Keep(device.sim.Preset(102), {"file", "old.syx", -1}).id;
  banks.Save("Live", Plan({mine, same, Keep(10, "Third")}));
  device.unreadable = {103};
  const auto before = library.Stats().entries;
  const BankSendOutcome outcome = SendBank(library, "Live", device, false, false);
  EXPECT_EQ(outcome.sent, (std::vector<int>{1})) << "U2 holds the planned sound already; U3 could not be kept first";
  EXPECT_EQ(outcome.unreadFirst, (std::vector<int>{3}));
  EXPECT_FALSE(outcome.Ok());
  EXPECT_EQ(library.Stats().entries, before + 1) << "what U1 held is in the library";
}

TEST_F(Banks, AFailedSendForgetsWhatTheSlotsHeld) {
  PulledAndChanged();
  device.sendFailure = "the output was lost";
  const BankSendOutcome outcome = SendBank(library, "Live", device, false, false);
  EXPECT_EQ(outcome.failure, "the output was lost");
  EXPECT_TRUE(outcome.sent.empty());
  EXPECT_FALSE(state.Held("Test device").At(50));
  EXPECT_TRUE(state.Held("Test device").At(49));
}

}  // namespace
