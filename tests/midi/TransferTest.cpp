// The transfer engine against an in-memory MIDI system: every mode, the
// state changes, cancel in each mode, device errors and the logged errors.
#include <gtest/gtest.h>

#include <thread>

#include "CFile.h"
#include "CPreset.h"
#include "FakeMidiSystem.h"
#include "ISettings.h"
#include "MidiEvents.h"
#include "MidiTestSupport.h"
#include "MidiTransfer.h"
#include "ScriptedDialogs.h"
#include "ScriptedPump.h"

namespace {

using namespace TransferState;
using namespace std::chrono_literals;

int RequestedNumber(const Bytes& request) { return ReadValue14(request, 7); }

class Transfer : public ::testing::Test {
 protected:
  Transfer() {
    transfer.SetTimings({std::chrono::microseconds(0), std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
    transfer.SetListener(&listener);
    pump.onStuck = [this] {
      ADD_FAILURE() << "the engine waited with nothing left to happen";
      transfer.Cancel();
    };
    EXPECT_TRUE(in.Create(files.File("in.syx")));
  }

  // The device answers every request with the preset of that number.
  void AnswerRequests() {
    midi.responder = [this](const Bytes& m) {
      if (m.size() == 10) midi.Deliver(Preset(RequestedNumber(m)));
    };
  }

  std::string DumpFile(const std::vector<uint8_t>& bytes) {
    const std::string path = files.File("dump.syx");
    WriteBytes(path, bytes);
    return path;
  }

  TestLog log;
  TempDir files;
  ScriptedDialogs dialogs;
  FakeMidiSystem midi;
  ScriptedPump pump;
  MemorySettings settings;
  MidiTransfer transfer{midi, pump, settings};
  RecordingListener listener;
  CFile in;  // where a received dump goes

  std::vector<uint8_t> Received() {
    in.Close();
    return ReadBytes(files.File("in.syx"));
  }
};

TEST_F(Transfer, RequestReadsTheAnswerIntoThePresetAndClosesBothPorts) {
  AnswerRequests();
  CPreset preset;
  ASSERT_TRUE(transfer.RequestPreset(preset, 107));
  EXPECT_EQ(std::vector<uint8_t>(preset.Image().begin(), preset.Image().end()), Preset(107));
  EXPECT_EQ(midi.Sent(), (std::vector<Bytes>{{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x45, 0x6B, 0x00, 0xF7}}));
  EXPECT_EQ(listener.statuses, (std::vector<std::string>{"select both an input and output device", "Opening ports",
                                                         "Requesting preset", "Reading requested preset"}));
  EXPECT_EQ(transfer.State(), Finished);
  EXPECT_EQ(midi.OpenDevices(), 0);
  EXPECT_EQ(listener.ended, 1);
  EXPECT_EQ(settings.Get("MIDI", "MIDI_IN", ""), "0");
  EXPECT_EQ(settings.Get("MIDI", "MIDI_OUT", ""), "0");
}

struct BadReply {
  const char* name;
  Bytes reply;
  int32_t endState;  // a reply that was read and refused leaves the run at 0
  const char* why = "no G-Major preset or a bad checksum";
  const char* toSay = nullptr;  // what the window is handed to say
};

class RequestWithBadReply : public Transfer, public ::testing::WithParamInterface<BadReply> {};

TEST_P(RequestWithBadReply, FailsAndLeavesTheLogSayingWhy) {
  midi.responder = [this](const Bytes&) { midi.Deliver(GetParam().reply); };
  CPreset preset;
  EXPECT_FALSE(transfer.RequestPreset(preset, 0));
  EXPECT_EQ(transfer.State(), GetParam().endState);
  EXPECT_EQ(midi.OpenDevices(), 0);
  if (GetParam().endState == Waiting) {
    EXPECT_TRUE(log.Has(30000, std::string("Invalid preset received: ") + GetParam().why, "dlgMidiSetUp.OK(request)"))
        << log.Text();
  }
  if (GetParam().toSay) {
    EXPECT_EQ(listener.refused, std::vector<std::string>{GetParam().toSay});
  }
  EXPECT_TRUE(dialogs.Shown().empty());
}

Bytes ShortReply() { return Joined({Cut(Preset(0), 300), {0xF7}}); }

INSTANTIATE_TEST_SUITE_P(
    Replies, RequestWithBadReply,
    ::testing::Values(BadReply{"shorter_than_a_preset", ShortReply(), Waiting, "301 bytes, not one whole preset of 615"},
                      BadReply{"longer_than_a_preset", Joined({Preset(0), {0x00, 0xF7}}), Waiting,
                               "617 bytes, not one whole preset of 615"},
                      BadReply{"no_end_byte", WithByte(Preset(0), 614, 0x00), Waiting,
                               "it does not end with F7 at byte 614"},
                      BadReply{"bad_checksum", WithByte(Preset(0), 613, 0x7F ^ Preset(0)[613]), Waiting,
                               "no G-Major preset or a bad checksum", "Invalid Patch file -- bad checksum"},
                      BadReply{"request_echoed_back", WithByte(Preset(0), 6, 0x45), Waiting},
                      BadReply{"another_model", WithByte(Preset(0), 5, 0x49), Waiting},
                      BadReply{"bytes_that_are_no_midi", {0x12, 0x34, 0x56}, Failed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Transfer, UnansweredRequestWaitsUntilCancelOrTimeOut) {
  CPreset preset;
  pump.Then([] {});
  pump.Then([this] { transfer.Cancel(); });
  EXPECT_FALSE(transfer.RequestPreset(preset, 5));
  EXPECT_EQ(transfer.State(), Cancelled);
  EXPECT_FALSE(transfer.TimedOut());

  transfer.SetTimeout(std::chrono::milliseconds(1));
  EXPECT_FALSE(transfer.RequestPreset(preset, 5));
  EXPECT_TRUE(transfer.TimedOut());
  EXPECT_EQ(transfer.FailureReason(), "no answer from the device in time");
}

TEST_F(Transfer, NumberedTransmitFinishesAfterItLeftWithAFreshChecksum) {
  CPreset preset = PresetBuilder().Number(101).Build();
  preset.SetValue(169, 9);  // the checksum is stale until the preset leaves
  ASSERT_TRUE(transfer.TransmitPreset(preset));
  ASSERT_EQ(midi.Sent().size(), 1u);
  EXPECT_EQ(midi.Sent()[0].size(), 615u);
  EXPECT_EQ(midi.Sent()[0][613], PresetChecksum(preset.Image()));
  EXPECT_EQ(listener.statuses.back(), "Transmitting preset");
}

TEST_F(Transfer, EditBufferTransmitWaitsForTheDevicesAnswer) {
  CPreset preset = PresetBuilder().Number(0).Build();
  pump.Then([this] { midi.Deliver({0xB0, 0x07, 0x64}); });  // any message will do
  EXPECT_TRUE(transfer.TransmitPreset(preset));

  pump.Then([this] { midi.Deliver(Preset(0)); });
  EXPECT_TRUE(transfer.TransmitPreset(preset));

  pump.Then([this] {  // the port's done report comes from its own thread
    for (int i = 0; i < 5000 && transfer.State() != OutputDone; ++i) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(transfer.State(), OutputDone);
  });
  pump.Then([this] { transfer.Cancel(); });
  EXPECT_FALSE(transfer.TransmitPreset(preset));
  EXPECT_EQ(transfer.State(), Cancelled);
}

TEST_F(Transfer, ReceivedDumpGoesToTheFileInOrderUntilDone) {
  pump.Then([this] {  // faster than the engine reads: they must queue
    for (int n = 101; n <= 200; ++n) midi.Deliver(Preset(n));
  });
  pump.Then([this] { transfer.Cancel(); });  // the button reads "Done"
  ASSERT_TRUE(transfer.ReceiveSysEx(in));
  EXPECT_EQ(Received(), Presets(101, 200));
  EXPECT_EQ(listener.statuses.back(), "Received 61500 Bytes");
  EXPECT_EQ(listener.captions, (std::vector<std::string>{"Cancel", "Done"}));
  EXPECT_EQ(listener.progress.size(), 100u);
  EXPECT_EQ(transfer.ByteCount(), 61500);
}

struct BadDumpMessage {
  const char* name;
  Bytes message;
  int number;
  const char* description;
  const char* source;
  std::size_t bytesInFile;
};

class ReceiveWithBadMessage : public Transfer, public ::testing::WithParamInterface<BadDumpMessage> {};

TEST_P(ReceiveWithBadMessage, EndsWithFalseAndTheErrorInTheLog) {
  pump.Then([this] {
    midi.Deliver(Preset(101));
    midi.Deliver(GetParam().message);
    midi.Deliver(Preset(103));  // never read: the run ended
  });
  EXPECT_FALSE(transfer.ReceiveSysEx(in));
  EXPECT_EQ(transfer.State(), Failed);
  EXPECT_EQ(listener.statuses.back(), "Error");
  EXPECT_TRUE(log.Has(GetParam().number, GetParam().description, GetParam().source)) << log.Text();
  EXPECT_EQ(Received().size(), GetParam().bytesInFile);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ReceiveWithBadMessage,
    ::testing::Values(
        BadDumpMessage{"missing_end_byte", WithByte(Preset(102), 614, 0x00), 30002, "Error in buffer",
                       "dlgMidiSetup.ReadBuffer()", 1230},
        BadDumpMessage{"short_message", ShortReply(), 30001, "Error in buffer length", "dlgMidiSetup.ReadBuffer()",
                       1230}),
    [](const auto& info) { return std::string(info.param.name); });

// An error event waits behind the whole presets that arrived before it.
TEST_F(Transfer, InputErrorEndsADumpOnlyAfterThePresetsBeforeIt) {
  pump.Then([this] {
    for (int n = 101; n <= 150; ++n) midi.Deliver(Preset(n));
    midi.Deliver({0x12, 0x34});  // no status byte: no MIDI message
    midi.ReportInputError("buffer overrun");
    for (int n = 151; n <= 200; ++n) midi.Deliver(Preset(n));
  });
  EXPECT_FALSE(transfer.ReceiveSysEx(in));
  EXPECT_EQ(transfer.State(), Failed);
  EXPECT_EQ(transfer.FailureReason(), "the input device reported an error");
  EXPECT_EQ(Received(), Presets(101, 150));
}

TEST_F(Transfer, DumpReceptionFailsOnALostDevice) {
  midi.inputCanReceive = false;
  pump.Then([this] { midi.Deliver(Preset(101)); });
  EXPECT_FALSE(transfer.ReceiveSysEx(in));
  EXPECT_TRUE(log.Has(30006, "Unable to add a buffer", "CMIDIInPort.ReadSysEx")) << log.Text();
  EXPECT_TRUE(log.Has(30000, "Error reading SysEx from in port", "ReadBuffer")) << log.Text();
}

// A partial last record: the whole ones go, and the send fails.
TEST_F(Transfer, DumpSendSendsEveryWholeRecordAndCountsThem) {
  CFile file;
  ASSERT_TRUE(file.OpenFile(DumpFile(Joined({Preset(101), Preset(102)}))));
  ASSERT_TRUE(transfer.SendSysEx(file));
  EXPECT_EQ(midi.Sent(), (std::vector<Bytes>{Preset(101), Preset(102)}));
  EXPECT_EQ(listener.statuses.back(), "2 preset(s) sent");
  EXPECT_EQ(listener.progress, (std::vector<int>{1, 2}));

  CFile partial;
  ASSERT_TRUE(partial.OpenFile(DumpFile(Joined({Preset(103), Bytes(307, 0x11)}))));
  EXPECT_FALSE(transfer.SendSysEx(partial));
  EXPECT_EQ(midi.Sent().size(), 3u);
  EXPECT_EQ(listener.statuses.back(), "Error");
  EXPECT_TRUE(log.Has(30000, "Incorrect number of bytes written", "dlgMidiSetup.WriteBuffer()")) << log.Text();
}

TEST_F(Transfer, DumpSendRefusedOrCancelledReportsFailure) {
  CFile file;
  ASSERT_TRUE(file.OpenFile(DumpFile(DumpBytes(5))));
  midi.refuseSend = true;
  EXPECT_FALSE(transfer.SendSysEx(file));
  EXPECT_TRUE(log.Has(30001, "Error writting to the buffer", "dlgMidiSetup.WriteBuffer()")) << log.Text();

  midi.refuseSend = false;
  struct CancelAtTwo : RecordingListener {
    MidiTransfer* transfer = nullptr;
    void DumpProgress(int presets) override {
      if (presets == 2) transfer->Cancel();
    }
  } canceller;
  canceller.transfer = &transfer;
  transfer.SetListener(&canceller);
  CFile again;
  ASSERT_TRUE(again.OpenFile(files.File("dump.syx")));
  EXPECT_FALSE(transfer.SendSysEx(again));
  EXPECT_EQ(transfer.State(), Cancelled);
  EXPECT_EQ(midi.Sent().size(), 2u);
}

TEST_F(Transfer, PortsThatCannotOpenOrSendAreLoggedWithTheirSources) {
  CPreset preset = PresetBuilder().Number(101).Build();
  midi.refuseInputOpen = true;
  EXPECT_FALSE(transfer.TransmitPreset(preset));
  midi.refuseInputOpen = false;
  midi.refuseOutputOpen = true;
  EXPECT_FALSE(transfer.TransmitPreset(preset));
  midi.refuseOutputOpen = false;
  midi.refuseSend = true;
  EXPECT_FALSE(transfer.TransmitPreset(preset));
  EXPECT_FALSE(transfer.RequestPreset(preset, 1));
  EXPECT_EQ(midi.OpenDevices(), 0);
  EXPECT_TRUE(log.Has(30007, "Unable to open in port", "dlgMidiSetUp.OK"));
  EXPECT_TRUE(log.Has(30008, "Unable to open out port", "dlgMidiSetUp.OK"));
  EXPECT_TRUE(log.Has(30000, "Unable to transmit", "dlgMidiSetup.OK(transmit)"));
  EXPECT_TRUE(log.Has(30000, "Error requesting to port", "dlgMidiSetUp.OK(request)"));
  EXPECT_TRUE(dialogs.Shown().empty()) << "transfers show no message box";
}

// What the setup dialog stores, asks and opens is DialogsTest's; here the
// listener's controls, the port the next run opens, and Cancel's end state.
TEST_F(Transfer, SetupEnablesTheControlsAndTheNextRunOpensTheChoice) {
  FakeMidiSystem two({"In A", "In B"}, {"Out A", "Out B"});
  MidiTransfer setup(two, pump, settings);
  setup.SetListener(&listener);
  setup.BeginSetup();
  EXPECT_TRUE(listener.controlsEnabled);
  setup.SelectInput(1);
  setup.SelectOutput(1);
  setup.OK();
  EXPECT_TRUE(setup.Result());
  EXPECT_FALSE(listener.controlsEnabled) << "controls stay disabled until the next run";
  EXPECT_FALSE(two.OpenedInput().has_value());

  MidiTransfer second(two, pump, settings);
  second.SetTimings({std::chrono::microseconds(0), std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
  CPreset preset = PresetBuilder().Number(150).Build();
  ASSERT_TRUE(second.TransmitPreset(preset));
  EXPECT_EQ(two.OpenedInput(), 1);

  setup.BeginSetup();
  setup.Cancel();
  EXPECT_FALSE(setup.Result());
  EXPECT_EQ(setup.State(), Cancelled);
}

struct StoredPositions {
  const char* in;
  const char* out;
  int inputPosition;
  int outputPosition;
};

class RestoredChoice : public ::testing::TestWithParam<StoredPositions> {};

TEST_P(RestoredChoice, AMissingPositionIsLoggedAndLeavesListsUnselected) {
  TestLog log;
  MemorySettings settings;
  if (*GetParam().in) settings.Set("MIDI", "MIDI_IN", GetParam().in);
  if (*GetParam().out) settings.Set("MIDI", "MIDI_OUT", GetParam().out);
  FakeMidiSystem midi({"In A", "In B"}, {"Out A", "Out B", "Out C"});
  ScriptedPump pump;
  MidiTransfer transfer(midi, pump, settings);
  EXPECT_EQ(transfer.Devices().InputPosition(), GetParam().inputPosition);
  EXPECT_EQ(transfer.Devices().OutputPosition(), GetParam().outputPosition);
  EXPECT_EQ(transfer.IsSetup(), GetParam().inputPosition >= 0 && GetParam().outputPosition >= 0);
  EXPECT_EQ(transfer.GetMidiOutputDevice(), GetParam().outputPosition);
  EXPECT_EQ(log.Text().find("Invalid property value") != std::string::npos,
            GetParam().inputPosition < 0 || GetParam().outputPosition < 0);
}

INSTANTIATE_TEST_SUITE_P(Settings, RestoredChoice,
                         ::testing::Values(StoredPositions{"", "", 0, 0}, StoredPositions{"1", "2", 1, 2},
                                           StoredPositions{"2", "0", -1, -1}, StoredPositions{"1", "3", 1, -1},
                                           StoredPositions{"x", "0", -1, -1}));

TEST_F(Transfer, ALateDeviceEventUndoesNeitherDoneNorAnError) {
  pump.Then([this] {
    transfer.Cancel();            // Done
    midi.Deliver(Preset(101));    // arrives after Done: stays unread
  });
  EXPECT_TRUE(transfer.ReceiveSysEx(in));
  EXPECT_EQ(transfer.ByteCount(), 0);
  transfer.InProc(MIM_LONGDATA);
  EXPECT_EQ(transfer.State(), Finished);
}

// A pedal keeps sending control changes while the engine waits for a preset
// or a dump: only what the run awaits restarts the time-out's clock.
struct PedalCase {
  const char* name;
  TransferMode mode;
  int32_t endState;
};

class ControlChangesDuringAWait : public Transfer, public ::testing::WithParamInterface<PedalCase> {};

TEST_P(ControlChangesDuringAWait, DoNotKeepTheRunPastItsTimeOut) {
  constexpr int kChanges = 400;  // 5 ms apart: two seconds of pedal, far beyond the time-out
  for (int i = 0; i < kChanges; ++i) {
    pump.Then([this] {
      midi.Deliver({0xB0, 0x07, 0x40});
      std::this_thread::sleep_for(5ms);
    });
  }
  transfer.SetTimeout(100ms);
  CPreset preset;
  const bool result =
      GetParam().mode == TransferMode::RequestPreset ? transfer.RequestPreset(preset, 105) : transfer.ReceiveSysEx(in);
  EXPECT_EQ(result, GetParam().mode == TransferMode::ReceiveDump);  // a dump ends as if Done
  EXPECT_TRUE(transfer.TimedOut());
  EXPECT_EQ(transfer.State(), GetParam().endState);
  EXPECT_LT(pump.Waits(), kChanges) << "the control changes kept the run waiting";
}

INSTANTIATE_TEST_SUITE_P(Modes, ControlChangesDuringAWait,
                         ::testing::Values(PedalCase{"request", TransferMode::RequestPreset, Cancelled},
                                           PedalCase{"dump_reception", TransferMode::ReceiveDump, Finished}),
                         [](const auto& info) { return std::string(info.param.name); });

// A command run from inside a transfer's wait asks for a second transfer.
TEST_F(Transfer, ATransferAskedForDuringAnotherIsRefusedAndSaid) {
  CPreset other;
  CFile otherFile;
  std::vector<bool> refused;
  pump.Then([&] {
    midi.Deliver(Preset(101));
    refused = {!transfer.RequestPreset(other, 5), !transfer.TransmitPreset(other), !transfer.ReceiveSysEx(otherFile),
               !transfer.SendSysEx(otherFile)};
  });
  pump.Then([this] { midi.Deliver(Preset(102)); });
  pump.Then([this] { transfer.Cancel(); });  // Done
  ASSERT_TRUE(transfer.ReceiveSysEx(in));
  EXPECT_EQ(refused, (std::vector<bool>{true, true, true, true}));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>(4, kTransferRunning));
  EXPECT_TRUE(log.Has(30000, kTransferRunning, "dlgMidiSetUp.OK")) << log.Text();
  EXPECT_TRUE(midi.Sent().empty());
  EXPECT_EQ(transfer.ByteCount(), 1230);
  EXPECT_EQ(Received().size(), 1230u);
}

}  // namespace
