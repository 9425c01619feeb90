// lindel-cli against the stand-alone simulated G-Major through a real MIDI
// stack (JACK on its dummy driver), as started by run-with-midi-services.sh.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <thread>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "SimulatedGMajor.h"
#include "SimulatorLink.h"
#include "TempDir.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Image(const PresetImage& image) { return {image.begin(), image.end()}; }


class MidiThroughJack : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(sim::CommandAndWait("reset", "reset:"), "") << "the simulator does not answer";
  }

  std::vector<std::string> Devices(std::vector<std::string> args) {
    args.insert(args.end(), {"--in", sim::Name(), "--out", sim::Name()});
    return args;
  }

  Bytes SavedBank() {
    const std::string path = dir.File("bank.syx");
    EXPECT_NE(sim::CommandAndWait("save " + path, "saved 100 presets"), "");
    return ReadBytes(path);
  }

  TempDir dir;
  const SimulatedGMajor factory;  // what the simulator holds after "reset"
};

TEST_F(MidiThroughJack, PortsListTheJackDevicesThenTheBuiltInSimulator) {
  const auto r = Cli({"ports", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j.at("stack"), "jack");
  const auto& inputs = j.at("inputs");
  ASSERT_GE(inputs.size(), 2u);
  EXPECT_EQ(inputs.back().at("name"), "Lindel G-Major simulator");
  EXPECT_NE(inputs.dump().find(sim::Name() + " out"), std::string::npos) << inputs.dump();
}

TEST_F(MidiThroughJack, RequestedPresetsAreTheSimulatorsBytes) {
  for (const auto& [name, number] : std::vector<std::pair<std::string, int>>{{"E", 0}, {"F1", 1}, {"U100", 200}}) {
    const std::string out = dir.File(name + ".syx");
    const auto r = Cli(Devices({"request", "--preset", name, "-o", out}));
    ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err;
    EXPECT_EQ(ReadBytes(out), Image(factory.Preset(number))) << name;
  }
}

TEST_F(MidiThroughJack, TransmittedPresetsAreStoredUnderTheirNumber) {
  const std::string file = dir.File("mine.syx");
  WriteBytes(file, PresetBuilder().Name("Sent As U7").Number(150).Scramble(77).Bytes());
  auto r = Cli(Devices({"transmit", file, "--as", "U7"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "sent \"Sent As U7\" to U7\n");
  const Bytes expected = PresetBuilder().Name("Sent As U7").Number(107).Scramble(77).Bytes();
  EXPECT_EQ(Slots(SavedBank(), 6), expected);

  r = Cli(Devices({"transmit", file, "--as", "E"}));
  ASSERT_EQ(r.exitCode, 0) << "the edit buffer's confirmation ends the transmit: " << r.err;
  const auto back = Cli(Devices({"request", "--preset", "E", "-o", dir.File("e.syx")}));
  ASSERT_EQ(back.exitCode, 0) << back.err;
  EXPECT_EQ(ReadBytes(dir.File("e.syx")), PresetBuilder().Name("Sent As U7").Number(0).Scramble(77).Bytes());
}

TEST_F(MidiThroughJack, ABulkDumpArrivesWhole) {
  const std::string out = dir.File("dump.syx");
  // The user presses Bulk Dump on the device while lindel-cli waits.
  std::thread pressBulkDump([] {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    sim::Command("dump");
  });
  const auto r = Cli(Devices({"receive-dump", "-o", out, "--count", "100", "--idle-timeout", "20"}));
  pressBulkDump.join();
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(out), factory.UserBank());
  EXPECT_NE(r.err.find("100 preset(s) received"), std::string::npos) << r.err;
  EXPECT_EQ(Cli({"info", out}).exitCode, 0) << "every slot valid";
}

// A dump of 100 presets that differ from the simulator's and from round to round.
Bytes RoundDump(int round) {
  Bytes dump;
  for (int n = 1; n <= 100; ++n) {
    const Bytes p = PresetBuilder()
                        .Name("Round " + std::to_string(round) + " #" + std::to_string(n))
                        .Number(100 + n)
                        .Scramble(static_cast<uint32_t>(round * 1000 + n))
                        .Bytes();
    dump.insert(dump.end(), p.begin(), p.end());
  }
  return dump;
}

TEST_F(MidiThroughJack, BulkSendDeliversEveryPresetThreeTimesOver) {
  int arrived = 0;
  for (int round = 1; round <= 3; ++round) {
    const Bytes dump = RoundDump(round);
    const std::string file = dir.File("send.syx");
    WriteBytes(file, dump);
    const auto r = Cli(Devices({"send-dump", file}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("100 preset(s) sent"), std::string::npos) << r.err;
    const Bytes bank = SavedBank();
    for (int slot = 0; slot < 100; ++slot) arrived += Slots(bank, slot) == Slots(dump, slot) ? 1 : 0;
  }
  EXPECT_EQ(arrived, 300);
}

struct BadAnswer {
  const char* mode;
  const char* reason;
};

class BadAnswers : public MidiThroughJack, public ::testing::WithParamInterface<BadAnswer> {};

TEST_P(BadAnswers, FailTheRequestWithAClearErrorAndHarmNeitherSide) {
  ASSERT_NE(sim::CommandAndWait(std::string("answer ") + GetParam().mode, "answer:"), "");
  const auto r = Cli(Devices({"request", "--preset", "U3", "-o", dir.File("bad.syx"), "--timeout", "3"}));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find(GetParam().reason), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad.syx")));

  ASSERT_NE(sim::CommandAndWait("answer normal", "answer:"), "");
  const auto good = Cli(Devices({"request", "--preset", "U3", "-o", dir.File("good.syx")}));
  EXPECT_EQ(good.exitCode, 0) << good.err;
}

INSTANTIATE_TEST_SUITE_P(Modes, BadAnswers,
                         ::testing::Values(BadAnswer{"garbage", "no MIDI message"},
                                           BadAnswer{"short", "Invalid preset received"},
                                           BadAnswer{"wrong-model", "Invalid preset received"},
                                           BadAnswer{"wrong-number", "answered with U4 \"User 4\", not U3 as asked"}),
                         [](const auto& info) {
                           std::string name = info.param.mode;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// The simulator answers the request only after five seconds of control
// changes (about a millisecond apart on the wire): they must not keep the
// one-second wait for the preset alive.
TEST_F(MidiThroughJack, ControlChangesDoNotKeepARequestPastItsTimeOut) {
  ASSERT_NE(sim::CommandAndWait("controls 5000", "controls: sending"), "");
  const auto r = Cli(Devices({"request", "--preset", "U3", "-o", dir.File("u3.syx"), "--timeout", "1"}));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("no answer from the device within 1 s"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("u3.syx")));
  EXPECT_NE(sim::WaitForLine("controls: sent", 0), "");
}

}  // namespace
