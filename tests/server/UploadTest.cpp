#include <gtest/gtest.h>

#include <random>

#include "ServerFixture.h"

namespace {

struct RefusedUpload {
  const char* label;
  std::map<std::string, std::string> form;
  int status;
  const char* reason;  // part of the answer's text
};

std::string Garbage(std::size_t size) {
  std::mt19937 rng(42);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  return bytes;
}

std::string WithByte(std::string preset, std::size_t offset, uint8_t value) {
  preset[offset] = static_cast<char>(value);
  return preset;
}

const std::string kGood = PresetText("Good");

class RefusedUploads : public ServiceFixture, public ::testing::WithParamInterface<RefusedUpload> {};

TEST_P(RefusedUploads, AnswerClearlyAndStoreNothing) {
  const ServiceResponse answer = Upload(GetParam().form);
  EXPECT_EQ(answer.status, GetParam().status) << answer.body;
  EXPECT_NE(answer.body.find(GetParam().reason), std::string::npos) << answer.body;
  EXPECT_EQ(store->Count(), 0);
  EXPECT_EQ(List().body, "");
}

INSTANTIATE_TEST_SUITE_P(
    Uploads, RefusedUploads,
    ::testing::Values(
        RefusedUpload{"Garbage", {{"preset", Garbage(615)}}, 400, "no G-Major preset header"},
        RefusedUpload{"Empty", {{"preset", ""}}, 400, "this is 0"},
        RefusedUpload{"OneShort", {{"preset", kGood.substr(0, 614)}}, 400, "this is 614"},
        RefusedUpload{"OneLong", {{"preset", kGood + "x"}}, 400, "this is 616"},
        RefusedUpload{"TwoPresets", {{"preset", kGood + PresetText("Second", 2)}}, 400, "this is 1230"},
        RefusedUpload{"BadChecksum", {{"preset", AsText(PresetBuilder().BadChecksum().Bytes())}}, 400, "checksum"},
        RefusedUpload{"BadEndByte", {{"preset", WithByte(kGood, 614, 0x00)}}, 400, "F7"},
        RefusedUpload{"OtherModel", {{"preset", WithByte(kGood, 5, 0x49)}}, 400, "header"},
        RefusedUpload{"NoPresetPart", {{"name", "x"}}, 400, "'preset'"},
        RefusedUpload{"NameNotUtf8", {{"preset", kGood}, {"name", "Caf\xE9"}}, 400, "name is not UTF-8"},
        RefusedUpload{"Overlong", {{"preset", kGood}, {"song", "\xC1\x81"}}, 400, "song is not UTF-8"},
        RefusedUpload{"Surrogate", {{"preset", kGood}, {"song", "\xED\xA0\x80"}}, 400, "song is not UTF-8"},
        RefusedUpload{"CutSequence", {{"preset", kGood}, {"description", "ab\xE2\x82"}}, 400, "not UTF-8"},
        RefusedUpload{"NameOutsideWindows1252", {{"preset", kGood}, {"name", "\xE6\x97\xA5\xE6\x9C\xAC"}}, 400,
                      "name holds characters that windows-1252 cannot hold"},
        RefusedUpload{"SongOutsideWindows1252", {{"preset", kGood}, {"song", "Riff \xF0\x9F\x8E\xB8"}}, 400,
                      "song holds characters that windows-1252 cannot hold"},
        RefusedUpload{"LongName", {{"preset", kGood}, {"name", std::string(41, 'n')}}, 400, "longer than 40"},
        RefusedUpload{"LongSong", {{"preset", kGood}, {"song", std::string(81, 's')}}, 400, "longer than 80"},
        RefusedUpload{"LongDescription",
                      {{"preset", kGood}, {"description", std::string(301, 'd')}},
                      400,
                      "longer than 300"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ServiceFixture, UploadThatIsNotMultipartIsUnsupported) {
  const ServiceResponse answer = service.Handle({"POST", "/lindel/upload", {}, std::nullopt});
  EXPECT_EQ(answer.status, 415);
  EXPECT_NE(answer.body.find("multipart/form-data"), std::string::npos);
}

TEST_F(ServiceFixture, FieldsAtTheirLimitsAreKeptWhole) {
  const std::string name(40, 'n');
  const std::string song = std::string(79, 's') + "\xC3\xA9";  // 80 characters, 81 bytes
  const std::string description(300, 'd');
  ASSERT_EQ(UploadPreset(kGood, name, song, description).status, 201);
  const PresetListRow row = Rows().at(0);
  EXPECT_EQ(row.name, name);
  EXPECT_EQ(row.song, std::string(79, 's') + "\xC3\xA9");
  EXPECT_EQ(row.description, description);
}

TEST_F(ServiceFixture, SeparatorsControlsAndSqlInFieldsAreStoredAsPlainText) {
  const std::string sql = "x'); DROP TABLE presets; --";
  ASSERT_EQ(UploadPreset(kGood, "A|B", sql, "line\r\nbreak\ttab\x7F|end|").status, 201);
  ASSERT_EQ(UploadPreset(PresetText("Two", 2), "\" OR 1=1 --", "%_\\", "").status, 201);
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "A/B");
  EXPECT_EQ(rows[0].song, sql);
  EXPECT_EQ(rows[0].description, "line  break tab /end/");
  EXPECT_EQ(rows[1].name, "\" OR 1=1 --");
  EXPECT_EQ(rows[1].song, "%_\\");
  EXPECT_EQ(Download("1").body, kGood);
}

TEST_F(ServiceFixture, EmptyNameTakesThePresetsOwnName) {
  ASSERT_EQ(UploadPreset(PresetText("Crunch Rhythm")).status, 201);
  ASSERT_EQ(UploadPreset(PresetText("Lead Boost", 3), " \t ").status, 201);
  ASSERT_EQ(UploadPreset(AsText(PresetBuilder().Scramble(9).Bytes()), "  ").status, 201);
  const auto rows = Rows();
  EXPECT_EQ(rows.at(0).name, "Crunch Rhythm");
  EXPECT_EQ(rows.at(1).name, "Lead Boost") << "a name of blanks";
  EXPECT_EQ(rows.at(2).name, "Untitled") << "a preset with a blank name";
}

TEST_F(ServiceFixture, SamePresetTwiceIsAConflictNamingTheFirst) {
  ASSERT_EQ(UploadPreset(kGood, "First").status, 201);
  const ServiceResponse again = UploadPreset(kGood, "Second");
  EXPECT_EQ(again.status, 409);
  EXPECT_EQ(again.body, "already stored as id 1\n");
  EXPECT_EQ(store->Count(), 1);
  EXPECT_EQ(Rows().at(0).name, "First");
}

}  // namespace
