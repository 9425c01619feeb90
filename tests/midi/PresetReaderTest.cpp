// The reading engine of backups and verified sends against an in-memory MIDI
// system: answers matched by number, retries after silence and damage, late
// answers passed over, cancel, and ports that fail.
#include <gtest/gtest.h>

#include <map>

#include "EventPump.h"
#include "FakeMidiSystem.h"
#include "MidiTestSupport.h"
#include "PresetReader.h"

namespace {

using namespace std::chrono_literals;

Bytes Damaged(int number) { return PresetBuilder().Number(number).BadChecksum().Bytes(); }
const Bytes kGarbage{0x12, 0x34, 0x56};
const Bytes kSilence{};

int RequestedNumber(const Bytes& request) { return ReadValue14(request, 7); }

std::vector<Bytes> Images(const PresetReadResult& result) {
  std::vector<Bytes> images;
  for (const PresetImage& image : result.presets) images.emplace_back(image.begin(), image.end());
  return images;
}

struct Attempts : PresetReadListener {
  std::vector<std::pair<int, int>> seen;  // number, attempt
  std::function<void(int number)> onRequest;
  void Requesting(int number, int attempt, int, int) override {
    seen.emplace_back(number, attempt);
    if (onRequest) onRequest(number);
  }
};

class Reader : public ::testing::Test {
 protected:
  Reader() {
    reader.SetTimeout(20ms);
    reader.SetListener(&attempts);
  }

  // The device answers the n-th request for a number with script[number][n]
  // (a list of messages; silence when the script has run out), else with the
  // preset itself.
  void Play(std::map<int, std::vector<std::vector<Bytes>>> script) {
    midi.responder = [this, script](const Bytes& m) {
      const int number = RequestedNumber(m);
      const std::size_t asked = asked_[number]++;
      const auto it = script.find(number);
      if (it == script.end()) return midi.Deliver(Preset(number));
      if (asked >= it->second.size()) return;
      for (const Bytes& message : it->second[asked]) {
        if (!message.empty()) midi.Deliver(message);
      }
    };
  }

  PresetReadResult Read(const std::vector<int>& numbers) { return reader.Read(0, 0, numbers); }

  TestLog log;
  FakeMidiSystem midi;
  ConditionPump pump;
  PresetReader reader{midi, pump, MidiTimings{0us, 0ms, 0ms}};
  Attempts attempts;
  std::map<int, std::size_t> asked_;
};

TEST_F(Reader, AsksForEachNumberOnceInOrderAndClosesThePorts) {
  Play({});
  const PresetReadResult result = Read({101, 102, 1, 0});
  EXPECT_TRUE(result.Complete());
  EXPECT_EQ(Images(result), (std::vector<Bytes>{Preset(101), Preset(102), Preset(1), Preset(0)}));
  EXPECT_EQ(midi.Sent().front(), (Bytes{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0x65, 0x00, 0xF7}));
  EXPECT_EQ(midi.Sent().size(), 4u);
  EXPECT_EQ(midi.OpenDevices(), 0);
}

struct RetryCase {
  const char* name;
  std::vector<std::vector<Bytes>> answers;  // to the first, second, third request
  bool read;
  int requests;
};

class Retries : public Reader, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(Retries, AskAgainUntilAValidAnswerOrThreeRequests) {
  Play({{102, GetParam().answers}});
  const PresetReadResult result = Read({101, 102, 103});
  EXPECT_EQ(result.unread, GetParam().read ? std::vector<int>{} : std::vector<int>{102});
  const std::vector<Bytes> expected = GetParam().read ? std::vector<Bytes>{Preset(101), Preset(102), Preset(103)}
                                                      : std::vector<Bytes>{Preset(101), Preset(103)};
  EXPECT_EQ(Images(result), expected) << "only valid presets, in the order asked";
  EXPECT_EQ(midi.Sent().size(), 2u + GetParam().requests);
  EXPECT_EQ(attempts.seen[GetParam().requests], (std::pair{102, GetParam().requests})) << "the last attempt";
}

INSTANTIATE_TEST_SUITE_P(
    Device, Retries,
    ::testing::Values(RetryCase{"SilentOnce", {{kSilence}, {Preset(102)}}, true, 2},
                      RetryCase{"DamagedTwice", {{Damaged(102)}, {Damaged(102)}, {Preset(102)}}, true, 3},
                      RetryCase{"NoMidiMessage", {{kGarbage}, {Preset(102)}}, true, 2},
                      RetryCase{"ShortAnswer", {{Cut(Preset(102), 300)}, {Preset(102)}}, true, 2},
                      RetryCase{"NoEndByte", {{WithByte(Preset(102), 614, 0x00)}, {Preset(102)}}, true, 2},
                      RetryCase{"NeverAnswers", {}, false, 3},
                      RetryCase{"AlwaysDamaged", {{Damaged(102)}, {Damaged(102)}, {Damaged(102)}}, false, 3},
                      RetryCase{"StaleAnswerFirst", {{Preset(101), Preset(102)}}, true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Reader, ALateAnswerNeverFillsTheNextSlot) {
  // 101 answers only after its request timed out, while 102 is asked for.
  Play({{101, {{kSilence}, {kSilence}, {kSilence}}}, {102, {{Preset(101), Preset(102)}}}});
  const PresetReadResult result = Read({101, 102});
  EXPECT_EQ(result.unread, std::vector<int>{101});
  EXPECT_EQ(Images(result), std::vector<Bytes>{Preset(102)});
}

TEST_F(Reader, CancelStopsAtOnceAndListsNothingUnread) {
  Play({{102, {}}});
  attempts.onRequest = [this](int number) {
    if (number == 102) reader.Cancel();
  };
  const PresetReadResult result = Read({101, 102, 103});
  EXPECT_TRUE(result.cancelled);
  EXPECT_FALSE(result.Complete());
  EXPECT_EQ(Images(result), std::vector<Bytes>{Preset(101)});
  EXPECT_TRUE(result.unread.empty());
  EXPECT_EQ(midi.OpenDevices(), 0);
}

TEST_F(Reader, PortsThatFailEndTheRunWithTheRestUnreadAndLogged) {
  midi.refuseOutputOpen = true;
  PresetReadResult result = Read({101, 102});
  ASSERT_TRUE(result.error);
  EXPECT_EQ(result.error->Number(), ErrorNumber::OpenOutPort);
  EXPECT_EQ(result.unread, (std::vector<int>{101, 102}));
  EXPECT_TRUE(log.Has(30008, "Unable to open out port", "PresetReader.Read"));
  EXPECT_EQ(midi.OpenDevices(), 0);

  midi.refuseOutputOpen = false;
  Play({});
  attempts.onRequest = [this](int number) { midi.inputCanReceive = number != 102; };
  result = Read({101, 102, 103});
  ASSERT_TRUE(result.error) << "the input was lost";
  EXPECT_EQ(Images(result), std::vector<Bytes>{Preset(101)});
  EXPECT_EQ(result.unread, (std::vector<int>{102, 103}));
}

}  // namespace
