// The two port classes on an in-memory device: opening, pacing and MOM_DONE,
// the queue that never drops a message, and the logged ReadSysEx errors.
#include <gtest/gtest.h>

#include <thread>

#include "CMIDIInPort.h"
#include "CMIDIOutPort.h"
#include "FakeMidiSystem.h"
#include "MidiEvents.h"
#include "MidiTestSupport.h"
#include "PresetBuilder.h"
#include "RtMidiSystem.h"

namespace {

using namespace std::chrono_literals;

constexpr MidiTimings kFast{std::chrono::microseconds(0), 0ms, 0ms};

struct Events {
  std::mutex mutex;
  std::vector<int32_t> seen;
  std::function<void(int32_t)> Sink() {
    return [this](int32_t n) {
      std::lock_guard lock(mutex);
      seen.push_back(n);
    };
  }
  std::vector<int32_t> Seen() {
    std::lock_guard lock(mutex);
    return seen;
  }
};

TEST(MidiOutPort, OpensOnceAndSendsACopyOfExactlyTheGivenBytes) {
  FakeMidiSystem midi({"In"}, {"Out A", "Out B"});
  Events events;
  CMIDIOutPort port(midi, events.Sink(), kFast);
  ASSERT_TRUE(port.OpenPort(1));
  EXPECT_FALSE(port.OpenPort(0));
  EXPECT_EQ(port.Device(), 1);

  std::vector<uint8_t> buffer = {0x55, 0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0x01, 0x00, 0xF7, 0x55};
  ASSERT_TRUE(port.Transmit(buffer, 1, 10));
  buffer.assign(buffer.size(), 0);  // the caller may reuse its array at once
  EXPECT_EQ(midi.Sent(), (std::vector<Bytes>{{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0x01, 0x00, 0xF7}}));
  EXPECT_FALSE(port.Transmit(buffer, 5, 10)) << "past the end of the array";
  EXPECT_FALSE(port.Transmit(buffer, 0, 0));
  port.ClosePort();
  EXPECT_FALSE(port.Transmit(buffer, 0, 10)) << "closed";
  EXPECT_EQ(midi.OpenDevices(), 0);
}

TEST(MidiOutPort, ReportsEveryLongMessageDoneAndNoShortOne) {
  FakeMidiSystem midi;
  Events events;
  CMIDIOutPort port(midi, events.Sink(), {std::chrono::microseconds(20), 0ms, 0ms});
  ASSERT_TRUE(port.OpenPort(0));
  const Bytes preset = PresetBuilder().Bytes();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(port.Transmit(preset, 0, 615));  // each waits for the one before
  ASSERT_TRUE(port.SendControllerChange(0, 7, 100));
  ASSERT_TRUE(port.SendProgramChange(0, 5));
  while (port.Busy()) std::this_thread::sleep_for(1ms);
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(events.Seen(), (std::vector<int32_t>{MOM_DONE, MOM_DONE, MOM_DONE}));
  const auto sent = midi.Sent();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent[3], (Bytes{0xB0, 0x07, 0x64}));
  EXPECT_EQ(sent[4], (Bytes{0xC0, 0x05}));
}

TEST(MidiOutPort, ShortMessagesOnAClosedPortAreLoggedFailures) {
  TestLog log;
  FakeMidiSystem midi;
  CMIDIOutPort port(midi, nullptr, kFast);
  EXPECT_FALSE(port.SendProgramChange(0, 1));
  EXPECT_FALSE(port.SendControllerChange(0, 1, 2));
  EXPECT_TRUE(log.Has(30000, "The output port is not open", "CMIDIOutPort.SendProgramChange")) << log.Text();
  CMIDIOutPort neverOpened(midi, nullptr);  // destroying it does no harm
}

class MidiInPort : public ::testing::Test {
 protected:
  MidiInPort() { EXPECT_TRUE(port.OpenPort(0)); }
  static Bytes Numbered(int n) { return PresetBuilder().Number(n).Bytes(); }

  TestLog log;
  FakeMidiSystem midi;
  Events events;
  CMIDIInPort port{midi, events.Sink()};
};

TEST_F(MidiInPort, QueuesWhatArrivesWhileTheBufferIsHeldAndHandsItOutInOrder) {
  for (int n = 101; n <= 104; ++n) midi.Deliver(Numbered(n));
  EXPECT_EQ(events.Seen(), std::vector<int32_t>{MIM_LONGDATA}) << "one buffer: one report until it comes back";
  EXPECT_EQ(port.Queued(), 3u);
  for (int n = 101; n <= 104; ++n) {
    PresetImage image{};
    std::size_t length = 0;
    ASSERT_TRUE(port.ReadSysEx(image, 0, 615, &length));
    EXPECT_EQ(Bytes(image.begin(), image.end()), Numbered(n));
    EXPECT_EQ(length, 615u);
  }
  EXPECT_EQ(events.Seen().size(), 4u);
  EXPECT_EQ(port.Queued(), 0u);
  midi.Deliver(Numbered(105));
  EXPECT_EQ(events.Seen().size(), 5u) << "the buffer is back with the system";
}

TEST_F(MidiInPort, ShortAndInvalidInputIsReportedButNotQueued) {
  midi.Deliver({0xC0, 0x05});
  midi.Deliver({0x12, 0x34});
  midi.ReportInputError("overrun");
  midi.Deliver({});
  EXPECT_EQ(events.Seen(), (std::vector<int32_t>{MIM_DATA, MIM_ERROR, MIM_ERROR}));
  EXPECT_EQ(port.Queued(), 0u);
}

TEST_F(MidiInPort, AShortMessageLeavesTheOlderTailAndReadKeepsTheBuffer) {
  midi.Deliver(Numbered(101));
  PresetImage first{};
  ASSERT_TRUE(port.ReadSysEx(first, 0, 615));
  midi.Deliver({0xF0, 0x01, 0xF7});
  PresetImage second{};
  ASSERT_TRUE(port.Read(second, 0, 615));
  EXPECT_EQ(second[1], 0x01);
  EXPECT_EQ(second[2], 0xF7);
  EXPECT_TRUE(std::equal(second.begin() + 3, second.end(), first.begin() + 3)) << "tail of the earlier message";
  midi.Deliver(Numbered(102));
  EXPECT_EQ(port.Queued(), 1u) << "Read does not hand the buffer back";
}

TEST_F(MidiInPort, ReadSysExErrorsAreLoggedWithTheirNumbers) {
  midi.Deliver(Numbered(101));
  midi.inputCanReceive = false;
  PresetImage image{};
  EXPECT_FALSE(port.ReadSysEx(image, 0, 615));
  EXPECT_TRUE(log.Has(30006, "Unable to add a buffer", "CMIDIInPort.ReadSysEx")) << log.Text();
  port.ClosePort();
  EXPECT_FALSE(port.ReadSysEx(image, 0, 615));
  EXPECT_TRUE(log.Has(30005, "Unable to prepare buffer", "CMIDIInPort.ReadSysEx")) << log.Text();
  EXPECT_FALSE(port.ClosePort()) << "closing twice is harmless";
  EXPECT_TRUE(port.OpenPort(0));
  EXPECT_FALSE(port.OpenPort(0));
}

struct SplitCase {
  Bytes joined;
  std::vector<Bytes> parts;
};

class SplitAtSysExStart : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitAtSysExStart, KeepsAMessageThatFollowsAnUnterminatedOne) {
  EXPECT_EQ(SplitAtSysExStarts(GetParam().joined), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitAtSysExStart,
    ::testing::Values(SplitCase{{}, {}}, SplitCase{{0xF0, 0x01, 0xF7}, {{0xF0, 0x01, 0xF7}}},
                      SplitCase{{0xF0, 0x01, 0xF0, 0x02, 0xF7}, {{0xF0, 0x01}, {0xF0, 0x02, 0xF7}}},
                      SplitCase{{0x12, 0xF0, 0xF7}, {{0x12}, {0xF0, 0xF7}}}, SplitCase{{0xC0, 0x05}, {{0xC0, 0x05}}}));

}  // namespace
