// Device backup and the verification of a sent dump, against an in-memory
// MIDI system: what is asked for, what the file holds, what is reported.
#include <gtest/gtest.h>

#include <filesystem>

#include "DeviceBackup.h"
#include "EventPump.h"
#include "FakeMidiSystem.h"
#include "MidiTestSupport.h"
#include "ScriptedDialogs.h"
#include "SendVerification.h"

namespace {

using namespace std::chrono_literals;

PresetImage Image(const Bytes& bytes) {
  PresetImage image{};
  std::copy_n(bytes.begin(), kPresetSize, image.begin());
  return image;
}

TEST(BackupNumbers, UserBankFirstThenTheFactoryBankOverTheSameRange) {
  EXPECT_EQ(BackupNumbers({}).size(), 100u);
  EXPECT_EQ(BackupNumbers({}).front(), 101);
  EXPECT_EQ(BackupNumbers({3, 4, true}), (std::vector<int>{103, 104, 3, 4}));
}

TEST(UserPresetsAmong, KeepsWhatASendOverwrites) {
  EXPECT_EQ(UserPresetsAmong({0, 1, 100, 101, 150, 200, 201}), (std::vector<int>{101, 150, 200}));
}

TEST(PresetList, JoinsNeighboursOfOneBankIntoRanges) {
  EXPECT_EQ(PresetList({}), "");
  EXPECT_EQ(PresetList({110, 120}), "U10, U20");
  EXPECT_EQ(PresetList({110, 111}), "U10, U11");
  EXPECT_EQ(PresetList({141, 142, 143, 200}), "U41-U43, U100");
  EXPECT_EQ(PresetList({99, 100, 101, 102, 103}), "F99, F100, U1-U3") << "no range across banks";
}

class Backup : public ::testing::Test {
 protected:
  Backup() { reader.SetTimeout(20ms); }

  // The device answers every user preset but those in missing.
  void Answer(std::vector<int> missing = {}) {
    midi.responder = [this, missing](const Bytes& m) {
      const int number = ReadValue14(m, 7);
      if (std::find(missing.begin(), missing.end(), number) == missing.end()) midi.Deliver(Preset(number));
    };
  }

  TestLog log;
  TempDir dir;
  ScriptedDialogs dialogs;
  FakeMidiSystem midi;
  ConditionPump pump;
  PresetReader reader{midi, pump, MidiTimings{0us, 0ms, 0ms}};
  const std::string path = dir.File("backup.syx");
};

TEST_F(Backup, FileHoldsOnlyTheValidPresetsInSlotOrderAndTheReportNamesTheRest) {
  Answer({102, 104});
  const BackupOutcome outcome = BackUpDevice(reader, 0, 0, {101, 102, 103, 104, 105}, path);
  EXPECT_TRUE(outcome.written);
  EXPECT_EQ(ReadBytes(path), Joined({Preset(101), Preset(103), Preset(105)}));
  EXPECT_EQ(BackupReport(outcome, path), "Backed up 3 of 5 presets to " + path + ". Could not read U2, U4.");

  Answer();
  EXPECT_EQ(BackupReport(BackUpDevice(reader, 0, 0, {101, 1}, path), path),
            "Backed up 2 presets to " + path + ".");
  EXPECT_EQ(ReadBytes(path), Joined({Preset(101), Preset(1)}));
}

TEST_F(Backup, ARunThatReadsNothingOrIsCancelledLeavesTheOldFileAlone) {
  WriteBytes(path, Preset(150));
  Answer({101, 102});
  BackupOutcome outcome = BackUpDevice(reader, 0, 0, {101, 102}, path);
  EXPECT_EQ(BackupReport(outcome, path), "No preset could be read; nothing written.");

  midi.refuseInputOpen = true;
  outcome = BackUpDevice(reader, 0, 0, {101, 102}, path);
  EXPECT_EQ(BackupReport(outcome, path), "Unable to open in port. No preset could be read; nothing written.");

  midi.refuseInputOpen = false;
  midi.responder = [this](const Bytes& m) {
    if (ReadValue14(m, 7) == 102) reader.Cancel();
    midi.Deliver(Preset(ReadValue14(m, 7)));
  };
  outcome = BackUpDevice(reader, 0, 0, {101, 102}, path);
  EXPECT_EQ(outcome.read.presets.size(), 1u);
  EXPECT_EQ(BackupReport(outcome, path), "Backup cancelled; nothing written.");
  EXPECT_EQ(ReadBytes(path), Preset(150));
}

TEST_F(Backup, AFileThatCannotBeWrittenIsSaidAndNoPartLeftBehind) {
  Answer();
  const std::string folder = dir.File("a folder");
  std::filesystem::create_directory(folder);
  const BackupOutcome outcome = BackUpDevice(reader, 0, 0, {101, 102}, folder);
  EXPECT_FALSE(outcome.written);
  EXPECT_EQ(BackupReport(outcome, folder), "Could not write " + folder + "; nothing written.");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(PresetsToVerify, TakeTheLastRecordOfANumberInNumberOrder) {
  Bytes dump = Joined({Preset(105), Preset(101), PresetBuilder().Name("Again").Number(105).Bytes()});
  dump.resize(dump.size() + 100, 0x00);  // a trailing partial record
  const auto sent = PresetsToVerify(dump);
  ASSERT_EQ(NumbersOf(sent), (std::vector<int>{101, 105}));
  EXPECT_EQ(sent[1].image, Image(PresetBuilder().Name("Again").Number(105).Bytes()));
}

TEST(CompareReadBack, ListsDifferingAndUnreadPresetsByNumberAndNameIgnoringTheDeviceId) {
  const auto sent = PresetsToVerify(Joined({Preset(101), Preset(102), Preset(103), Preset(104)}));
  PresetReadResult read;
  read.presets = {Image(WithByte(Preset(101), 4, 0x05)), Image(WithByte(Preset(102), 200, Preset(102)[200] ^ 0x01)),
                  Image(Preset(104))};
  read.unread = {103};
  const auto mismatches = CompareReadBack(sent, read);
  ASSERT_EQ(mismatches.size(), 2u);
  EXPECT_EQ(Describe(mismatches[0]), "U2 \"P102\" differs from what was sent");
  EXPECT_EQ(Describe(mismatches[1]), "U3 \"P103\" could not be read back");
}

TEST(VerificationReport, SaysAllHeldListsMismatchesOrWhyTheReadBackEnded) {
  PresetReadResult read;
  EXPECT_EQ(VerificationReport({}, 25, read), "The G-Major holds all 25 presets as sent.");
  std::vector<Mismatch> many;
  for (int n = 1; n <= 22; ++n) many.push_back({100 + n, "N" + std::to_string(n), false});
  const std::string listed = VerificationReport(many, 25, read);
  EXPECT_EQ(listed.substr(0, listed.find('\n')), "22 of 25 presets are not held as sent:");
  EXPECT_NE(listed.find("\nU20 \"N20\" differs from what was sent\n... and 2 more"), std::string::npos) << listed;

  read.cancelled = true;
  read.presets.resize(3);
  EXPECT_EQ(VerificationReport({}, 25, read), "Verification cancelled after reading back 3 of 25 presets.");
  read = {};
  read.error = LindelError(ErrorNumber::OpenInPort, "PresetReader.Read", "Unable to open in port");
  EXPECT_EQ(VerificationReport({}, 25, read), "Unable to open in port. Nothing could be read back to verify the send.");
}

}  // namespace
