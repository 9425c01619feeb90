// The pages for browsers as the service renders them: what the catalogue
// finds, in which order and on which page, the preset page, and stored text
// that must never become markup.
#include <gtest/gtest.h>

#include "ParameterCatalog.h"
#include "ServerFixture.h"
#include "WebPages.h"

namespace {

class WebPages : public ServiceFixture {
 protected:
  // The preset names of a catalogue page, in the order shown.
  std::vector<std::string> Names(std::multimap<std::string, std::string> query) {
    const ServiceResponse page = Get("/lindel/", std::move(query));
    EXPECT_EQ(page.status, 200) << page.body;
    std::vector<std::string> names;
    for (std::size_t at = 0; (at = page.body.find("/preset/", at)) != std::string::npos;) {
      const std::size_t start = page.body.find('>', at) + 1;
      names.push_back(page.body.substr(start, page.body.find("</a>", start) - start));
      at = start;
    }
    return names;
  }
};

TEST_F(WebPages, CatalogueSearchesAndSorts) {
  ASSERT_EQ(UploadPreset(PresetText("Bravo", 1), "", "Riff", "").status, 201);
  ASSERT_EQ(UploadPreset(PresetText("alpha", 2), "", "", "warm 100% lead").status, 201);
  ASSERT_EQ(UploadPreset(PresetText("Charlie", 3), "", "Riff", "").status, 201);
  Download("3");
  Download("3");
  Download("1");
  const struct {
    std::multimap<std::string, std::string> query;
    std::vector<std::string> names;
  } cases[] = {{{}, {"Charlie", "alpha", "Bravo"}},
               {{{"sort", "newest"}}, {"Charlie", "alpha", "Bravo"}},
               {{{"sort", "name"}}, {"alpha", "Bravo", "Charlie"}},
               {{{"sort", "downloads"}}, {"Charlie", "Bravo", "alpha"}},
               {{{"q", "riff"}, {"sort", "name"}}, {"Bravo", "Charlie"}},
               {{{"q", "100%"}}, {"alpha"}},
               {{{"q", "0%"}}, {"alpha"}},
               {{{"q", "%"}}, {"alpha"}},
               {{{"q", "_"}}, {}},
               {{{"q", "\\"}}, {}},
               {{{"q", "BRAVO"}}, {"Bravo"}},
               {{{"q", "o\nRiff"}}, {}},  // the end of one text and the start of the next
               {{{"q", "nothing"}}, {}}};
  for (const auto& c : cases) {
    std::string label;
    for (const auto& [key, value] : c.query) label += key + "=" + value + " ";
    EXPECT_EQ(Names(c.query), c.names) << label;
  }
}

TEST_F(WebPages, PagesHoldFiftyAndLinkOnKeepingSearchAndSort) {
  std::vector<NewPreset> presets(120);
  for (uint32_t i = 0; i < presets.size(); ++i) {
    const std::string image = PresetText("P", i + 1);
    std::copy(image.begin(), image.end(), presets[i].image.begin());
    presets[i].name = "P" + std::to_string(1000 + i);
    presets[i].song = "S";
  }
  store->AddAll(presets);
  EXPECT_EQ(Names({{"sort", "name"}}).size(), 50u);
  const auto third = Names({{"sort", "name"}, {"page", "3"}});
  ASSERT_EQ(third.size(), 20u);
  EXPECT_EQ(third.front(), "P1100");
  EXPECT_EQ(Names({{"page", "4"}}).size(), 0u);
  const std::string second = Get("/lindel/", {{"q", "S &"}, {"sort", "name"}, {"page", "2"}}).body;
  EXPECT_NE(second.find("/lindel/?q=S%20%26&amp;sort=name&amp;page=1\">Previous"), std::string::npos);
  EXPECT_EQ(Get("/lindel/", {{"page", "0"}}).status, 400);
  EXPECT_EQ(Get("/lindel/", {{"sort", "rating"}}).status, 400);
}

TEST_F(WebPages, StoredTextIsShownAsTextEverywhere) {
  const std::string script = "<script>alert(1)</script>";
  ASSERT_EQ(UploadPreset(PresetText("X"), script, "\"quoted\" & 'single'", "<b>bold</b>").status, 201);
  for (const std::string& page : {Get("/lindel/").body, Get("/lindel/preset/1").body,
                                  Get("/lindel/", {{"q", "<script>"}}).body}) {
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
  }
  EXPECT_EQ(HtmlEscaped("\"a\" & 'b'"), "&quot;a&quot; &amp; &#39;b&#39;");
}

TEST_F(WebPages, PresetPageShowsEveryBlockAndTheDownloadLink) {
  ASSERT_EQ(UploadPreset(PresetText("Shown"), "", "Song").status, 201);
  const ServiceResponse page = Get("/lindel/preset/1");
  ASSERT_EQ(page.status, 200);
  EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
  EXPECT_NE(page.body.find("<a class=\"download\" href=\"/lindel/bintest.php?id=1\""), std::string::npos);
  EXPECT_NE(page.body.find(">Download .syx</a>"), std::string::npos);
  for (const CatalogBlock& block : CatalogBlocks()) {
    EXPECT_NE(page.body.find(std::string("<h2>") + HtmlEscaped(block.name) + "</h2>"), std::string::npos) << block.name;
  }
  EXPECT_EQ(Rows().at(0).downloads, "0") << "showing the page is no download";
  for (const char* id : {"2", "x", "0"}) EXPECT_EQ(Get(std::string("/lindel/preset/") + id).status, 404) << id;
  store->SetHidden(1, true);
  EXPECT_EQ(Get("/lindel/preset/1").status, 404);
  EXPECT_EQ(Names({}).size(), 0u);
}

TEST_F(WebPages, UploadFormAsksForTheTokenOnlyWhenUploadsNeedOne) {
  EXPECT_EQ(Get("/lindel/share").body.find("name=\"token\""), std::string::npos);
  EXPECT_NE(UploadFormHtml("/lindel", true).find("name=\"token\""), std::string::npos);
  EXPECT_NE(UploadFormHtml("/lindel", true).find("action=\"/lindel/upload\""), std::string::npos);
}

}  // namespace
