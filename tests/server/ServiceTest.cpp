#include <gtest/gtest.h>

#include "ServerFixture.h"
#include "SqlitePresetStore.h"

namespace {

using Service = ServiceFixture;

TEST_F(Service, ListIsEmptyThenHoldsEveryPresetInIdOrder) {
  EXPECT_EQ(List().status, 200);
  EXPECT_EQ(List().body, "");
  ASSERT_EQ(UploadPreset(PresetText("Clean", 1), "Clean", "Intro", "Warm clean tone").status, 201);
  ASSERT_EQ(UploadPreset(PresetText("Lead", 2), "Lead", "Solo", "Boost").status, 201);
  const ServiceResponse list = List();
  EXPECT_EQ(list.body, "1|Clean|Intro|Warm clean tone|0|2|Lead|Solo|Boost|0|");
  EXPECT_EQ(list.contentType, "text/plain; charset=windows-1252");
}

TEST_F(Service, ListTextIsWindows1252) {
  ASSERT_EQ(UploadPreset(PresetText("x"), "Café €", "Ünïcode").status, 201);
  EXPECT_EQ(List().body, "1|Caf\xE9 \x80|\xDCn\xEF" "code||0|");
}

TEST_F(Service, DownloadSendsTheExactImageAndCountsItAndAnUnknownIdNothing) {
  const std::string preset = PresetText("Exact", 7);
  ASSERT_EQ(UploadPreset(preset).status, 201);
  const ServiceResponse first = Download("1");
  EXPECT_EQ(first.status, 200);
  EXPECT_EQ(first.contentType, "application/octet-stream");
  EXPECT_EQ(first.body, preset);
  const ServiceResponse missing = Download("2");
  EXPECT_EQ(missing.status, 404);
  EXPECT_EQ(missing.body, "no preset with id 2\n");
  Download("1");
  EXPECT_EQ(Rows().at(0).downloads, "2");
}

class BadId : public ServiceFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadId, IsRefusedAsBadRequest) {
  ASSERT_EQ(UploadPreset(PresetText("One")).status, 201);
  const ServiceResponse refused = Download(GetParam());
  EXPECT_EQ(refused.status, 400);
  EXPECT_NE(refused.body.find("whole number"), std::string::npos) << refused.body;
  EXPECT_EQ(Rows().at(0).downloads, "0");
}

INSTANTIATE_TEST_SUITE_P(Ids, BadId,
                         ::testing::Values("", "0", "-1", "abc", "1.5", " 1", "1 ", "0x1", "2147483648",
                                           "99999999999999999999", "1;DROP TABLE presets"));

TEST_F(Service, WrongMethodNamesTheRightOne) {
  const ServiceResponse list = Get("/lindel/Lindel/list.php");
  EXPECT_EQ(list.status, 405);
  EXPECT_EQ(list.allow, "POST");
  const ServiceResponse download = service.Handle({"POST", "/lindel/bintest.php", {{"id", "1"}}, std::nullopt});
  EXPECT_EQ(download.status, 405);
  EXPECT_EQ(download.allow, "GET");
}

TEST_F(Service, PathsOutsideTheBaseAreNotFound) {
  for (const char* path : {"/Lindel/list.php", "/lindelx", "/lindel/lindel/list.php", "/other/bintest.php", "/"}) {
    EXPECT_EQ(service.Handle({"POST", path, {}, std::nullopt}).status, 404) << path;
  }
}

TEST(ServiceBasePath, IsNormalisedAndDoubledSlashesAreTolerated) {
  EXPECT_EQ(NormalizedPath(""), "");
  EXPECT_EQ(NormalizedPath("/"), "");
  EXPECT_EQ(NormalizedPath("lindel/"), "/lindel");
  EXPECT_EQ(NormalizedPath("//a//b/"), "/a/b");
  TempDir dir;
  SqlitePresetStore store(dir.File("db"));
  PresetDatabaseService rootService(store, "/");
  EXPECT_EQ(rootService.Handle({"POST", "/Lindel/list.php", {}, std::nullopt}).status, 200);
  PresetDatabaseService slashService(store, "/lindel/");
  EXPECT_EQ(slashService.Handle({"POST", "/lindel//Lindel/list.php", {}, std::nullopt}).status, 200);
}

TEST_F(Service, StoredPresetsSurviveReopening) {
  const std::string preset = PresetText("Kept", 3);
  ASSERT_EQ(UploadPreset(preset, "", "Song").status, 201);
  store.reset();
  const std::unique_ptr<PresetStore> reopened = OpenPresetStore(Db());
  PresetDatabaseService again(*reopened, "/lindel");
  EXPECT_EQ(again.Handle({"GET", "/lindel/bintest.php", {{"id", "1"}}, std::nullopt}).body, preset);
}

TEST(ServiceStore, FileThatIsNoDatabaseIsRefused) {
  TempDir dir;
  WriteBytes(dir.File("junk.db"), std::vector<uint8_t>(4096, 'x'));
  EXPECT_THROW(SqlitePresetStore(dir.File("junk.db")), SqliteError);
  EXPECT_THROW(SqlitePresetStore(dir.Path().string()), SqliteError) << "a folder";
}

}  // namespace
