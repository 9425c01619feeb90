#include <gtest/gtest.h>

#include <algorithm>

#include "CPreset.h"
#include "ISettings.h"
#include "LindelError.h"
#include "MidiPorts.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"

namespace {

struct RecordingOutput : IMidiOutput {
  std::vector<std::vector<uint8_t>> sent;
  bool accept = true;
  bool Transmit(std::span<const uint8_t> data, int start, int length) override {
    if (!accept) throw LindelError(30000, "FakePort", "port refused");
    sent.emplace_back(data.begin() + start, data.begin() + start + length);
    return true;
  }
};

struct CannedInput : IMidiInput {
  std::vector<uint8_t> message;
  bool Read(std::span<uint8_t> data, int start, int) override {
    std::copy(message.begin(), message.end(), data.begin() + start);
    return true;
  }
};

TEST(PresetPorts, RequestSendsTheTenByteMessageForEveryBank) {
  ScriptedDialogs dialogs;
  RecordingOutput out;
  CPreset p;
  ASSERT_TRUE(p.RequestToPort(out, 0));
  ASSERT_TRUE(p.RequestToPort(out, 200));
  EXPECT_EQ(out.sent[0], (std::vector<uint8_t>{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0x00, 0x00, 0xF7}));
  EXPECT_EQ(out.sent[1], (std::vector<uint8_t>{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0x48, 0x01, 0xF7}));
  out.accept = false;
  EXPECT_THROW(p.RequestToPort(out, 5), LindelError);
  EXPECT_TRUE(dialogs.Shown().empty()) << "the model says nothing itself";
}

TEST(PresetPorts, TransmitSendsAFreshChecksumAndSwallowsPortErrors) {
  ScriptedDialogs dialogs;
  RecordingOutput out;
  CPreset p = PresetBuilder().Name("Tx").Build();
  p.SetValue(169, 11);  // stale checksum until it leaves the program
  ASSERT_TRUE(p.Transmit(out));
  ASSERT_EQ(out.sent[0].size(), 615u);
  EXPECT_EQ(out.sent[0][613], 11);
  out.accept = false;
  EXPECT_FALSE(p.Transmit(out));
  EXPECT_TRUE(dialogs.Shown().empty()) << "a failed transmit is only logged";
}

TEST(PresetPorts, ReadFromPortRefusesWhatIsNoPresetMessage) {
  ScriptedDialogs dialogs;
  CannedInput in;
  CPreset p;
  in.message = PresetBuilder().Name("Reply").Number(103).Bytes();
  ASSERT_TRUE(p.ReadFromPort(in));
  EXPECT_EQ(p.PresetNumber(), 103);

  CPreset q;
  in.message[6] = 0x45;  // a request echoed back
  EXPECT_FALSE(q.ReadFromPort(in));
  EXPECT_FALSE(q.IsValid());
  in.message = PresetBuilder().BadChecksum().Bytes();
  EXPECT_FALSE(q.ReadFromPort(in));
  ASSERT_TRUE(q.Refused());
  EXPECT_EQ(q.Refused()->text, "Invalid Patch file -- bad checksum");
}

TEST(Settings, KeysIgnoreCaseAndMissingKeysGiveDefaults) {
  MemorySettings s;
  EXPECT_EQ(s.Get("MIDI", "MIDI_IN", "0"), "0");
  s.Set("MIDIController", "value", "12");
  EXPECT_EQ(s.Get("midicontroller", "Value", "0"), "12");
  s.Set("MIDIController", "VALUE", "13");
  EXPECT_EQ(s.Get("MIDIController", "value", "0"), "13") << "one key, whatever its case";
}

}  // namespace
