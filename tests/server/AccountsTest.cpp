// Who may upload (tokens, the per-address limit), what a moderator's hiding
// does to the editor's requests, and downloads that HEAD must not count.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Accounts.h"
#include "ServerFixture.h"
#include "UploadRateLimit.h"

namespace {

using Service = ServiceFixture;

class GuardedService : public ServiceFixture {
 protected:
  GuardedService()
      : accounts(OpenAccounts(Db())), guarded(*store, "/lindel", {accounts.get(), nullptr}), token(accounts->Add("alice")) {}

  ServiceResponse UploadWith(const std::string& authorization, const std::string& preset) {
    ServiceRequest request{"POST", "/lindel/upload", {}, std::map<std::string, std::string>{{"preset", preset}}};
    request.authorization = authorization;
    return guarded.Handle(request);
  }

  std::unique_ptr<Accounts> accounts;
  PresetDatabaseService guarded;
  std::string token;
};

TEST_F(GuardedService, OnlyAValidBearerTokenStores) {
  const struct {
    const char* label;
    std::string authorization;
  } refused[] = {{"none", ""},
                 {"wrong token", "Bearer 0123"},
                 {"other scheme", "Basic " + token},
                 {"token without scheme", token},
                 {"digest instead of token", "Bearer " + Sha256Hex(token)}};
  for (const auto& attempt : refused) {
    const ServiceResponse answer = UploadWith(attempt.authorization, PresetText("Nope"));
    EXPECT_EQ(answer.status, 401) << attempt.label;
    EXPECT_EQ(answer.authenticate, "Bearer") << attempt.label;
  }
  EXPECT_EQ(store->Count(), 0);
  EXPECT_EQ(UploadWith("Bearer " + token, PresetText("Yes")).status, 201);
  EXPECT_EQ(store->Count(), 1);
}

TEST_F(GuardedService, AccountsHaveOneNameEachAndNoTokenInTheFile) {
  EXPECT_THROW(accounts->Add("alice"), std::runtime_error);
  const std::string bobs = accounts->Add("bob");
  EXPECT_NE(bobs, token);
  ASSERT_EQ(accounts->List().size(), 2u);
  EXPECT_EQ(accounts->List()[1].name, "bob");
  for (const char* file : {"presets.db", "presets.db-wal"}) {
    if (!std::filesystem::exists(dir.File(file))) continue;
    const std::vector<uint8_t> bytes = ReadBytes(dir.File(file));
    EXPECT_EQ(std::search(bytes.begin(), bytes.end(), token.begin(), token.end()), bytes.end()) << file;
  }
  EXPECT_EQ(accounts->Holder(bobs), "bob");
}

TEST_F(Service, HiddenPresetLeavesTheListAndDownloadsUntilShownAgain) {
  ASSERT_EQ(UploadPreset(PresetText("Shown", 1)).status, 201);
  ASSERT_EQ(UploadPreset(PresetText("Hidden", 2)).status, 201);
  ASSERT_TRUE(store->SetHidden(2, true));
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Rows()[0].name, "Shown");
  EXPECT_EQ(Download("2").status, 404);
  EXPECT_EQ(store->Count(), 1);
  ASSERT_TRUE(store->SetHidden(2, false));
  EXPECT_EQ(Download("2").status, 200);
  EXPECT_EQ(Rows().at(1).downloads, "1") << "the refused download was not counted";
  ASSERT_TRUE(store->Delete(1));
  EXPECT_FALSE(store->Delete(1));
  EXPECT_FALSE(store->SetHidden(99, true));
  EXPECT_EQ(Download("1").status, 404);
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(Service, HeadAnswersWithoutCountingADownload) {
  const std::string preset = PresetText("Asked");
  ASSERT_EQ(UploadPreset(preset).status, 201);
  const ServiceResponse head = service.Handle({"HEAD", "/lindel/bintest.php", {{"id", "1"}}, std::nullopt});
  EXPECT_EQ(head.status, 200);
  EXPECT_EQ(head.body, preset) << "httplib sends the length and drops the body";
  EXPECT_EQ(service.Handle({"HEAD", "/lindel/bintest.php", {{"id", "2"}}, std::nullopt}).status, 404);
  EXPECT_EQ(Rows().at(0).downloads, "0");
  Download("1");
  EXPECT_EQ(Rows().at(0).downloads, "1");
}

TEST(UploadRateLimitWindow, CountsPerAddressOverTheLastMinute) {
  UploadRateLimit limit(2);
  const auto t0 = UploadRateLimit::Clock::time_point{} + std::chrono::hours(1);
  const struct {
    const char* client;
    int atSecond;
    bool allowed;
  } steps[] = {{"a", 0, true},  {"a", 10, true}, {"a", 20, false}, {"b", 20, true},
               {"a", 59, false}, {"a", 61, true}, {"a", 62, false}, {"a", 71, true}};
  for (const auto& step : steps) {
    EXPECT_EQ(limit.Allow(step.client, t0 + std::chrono::seconds(step.atSecond)), step.allowed)
        << step.client << " at " << step.atSecond << " s";
  }
  UploadRateLimit unlimited(0);
  for (int i = 0; i < 1000; ++i) ASSERT_TRUE(unlimited.Allow("a", t0));
}

TEST_F(Service, UploadPastTheLimitIsRefusedWith429) {
  UploadRateLimit limit(1);
  PresetDatabaseService limited(*store, "/lindel", {nullptr, &limit});
  ServiceRequest request{"POST", "/lindel/upload", {}, std::map<std::string, std::string>{{"preset", PresetText("A", 1)}}};
  request.client = "10.0.0.1";
  EXPECT_EQ(limited.Handle(request).status, 201);
  request.form = {{"preset", PresetText("B", 2)}};
  const ServiceResponse refused = limited.Handle(request);
  EXPECT_EQ(refused.status, 429);
  EXPECT_NE(refused.body.find("at most 1 a minute"), std::string::npos) << refused.body;
  request.client = "10.0.0.2";
  EXPECT_EQ(limited.Handle(request).status, 201);
}

}  // namespace
