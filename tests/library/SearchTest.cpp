#include <gtest/gtest.h>

#include "LibraryError.h"
#include "PresetBuilder.h"
#include "PresetLibrary.h"
#include "SearchQuery.h"
#include "TempDir.h"

namespace {

constexpr int kOff = 1;  // stored on/off: 0 on, 1 off

// A small library whose entries differ in the ways the terms look at.
class Search : public ::testing::Test {
 protected:
  void SetUp() override {
    const LibrarySource file{"file", "f.syx", 0};
    Keep(PresetBuilder().Name("Dual Lead").Value(Offset::Delay, 2), file);
    Keep(PresetBuilder().Name("Wobble").Value(Offset::FilterMod, 4).Value(Offset::ChorusFlange, 1)
             .Value(Offset::OnOff(Offset::Delay), kOff).Value(Offset::RoutingWord, 1), file);
    Keep(PresetBuilder().Name("Trem Clean").Value(Offset::FilterMod, 4).Value(Offset::ChorusFlange, 1)
             .Value(Offset::OnOff(Offset::Delay), kOff).Value(Offset::RoutingWord, 1), file);
    const int64_t solo = Keep(PresetBuilder().Name("Whammy Solo").Value(Offset::Pitch, 1).Value(Offset::RoutingWord, 2), file);
    const int64_t hidden = Keep(PresetBuilder().Name("Hidden Dual").Value(Offset::Delay, 2).Value(Offset::Reverb, 3), file);
    library.AddTags(1, {"lead"});
    library.AddTags(solo, {"Live"});
    library.SetComment(solo, "for the bridge");
    library.SetFavourite(solo, true);
    library.SetHidden(hidden, true);
  }

  int64_t Keep(const PresetBuilder& builder, const LibrarySource& source) {
    return library.Keep(builder.Build().Image(), source).id;
  }

  std::vector<std::string> Names(const std::vector<std::string>& terms) {
    std::vector<std::string> names;
    for (const EntryRow& row : library.Search(ParseSearch(terms))) names.push_back(row.name);
    return names;
  }

  TempDir dir;
  PresetLibrary library{dir.File("library.db")};
};

struct TermCase {
  std::vector<std::string> terms;
  std::vector<std::string> names;
};

TEST_F(Search, EveryTermFormFindsExactlyItsEntries) {
  const std::vector<TermCase> cases = {
      {{}, {"Dual Lead", "Trem Clean", "Whammy Solo"}},
      {{"hidden"}, {"Dual Lead", "Trem Clean", "Whammy Solo", "Hidden Dual"}},
      {{"delay=dual"}, {"Dual Lead"}},
      {{"Delay=DUAL", "hidden"}, {"Dual Lead", "Hidden Dual"}},
      {{"filter=tremolo"}, {"Trem Clean"}},
      {{"pitch=whammy"}, {"Whammy Solo"}},
      {{"chorus=classic cho"}, {"Dual Lead", "Whammy Solo"}},
      {{"chorus=adv cho"}, {"Trem Clean"}},
      {{"delay:off"}, {"Trem Clean"}},
      {{"delay:on", "routing=serial"}, {"Dual Lead"}},
      {{"routing=semi-parallel"}, {"Trem Clean"}},
      {{"routing=parallel"}, {"Whammy Solo"}},
      {{"ead"}, {"Dual Lead"}},
      {{"wobble"}, {"Trem Clean"}},
      {{"BRIDGE"}, {"Whammy Solo"}},
      {{"live"}, {"Whammy Solo"}},
      {{"tag:LEAD"}, {"Dual Lead"}},
      {{"tag:lea"}, {}},
      {{"fav"}, {"Whammy Solo"}},
      {{"dual", "fav"}, {}},
      {{"dual", "hidden", "reverb=plate"}, {"Hidden Dual"}},
  };
  for (const TermCase& c : cases) {
    std::string terms;
    for (const std::string& t : c.terms) terms += "[" + t + "]";
    EXPECT_EQ(Names(c.terms), c.names) << terms;
  }
}

TEST_F(Search, TermsThatMeanNothingAreNamed) {
  for (const std::string term : {"delay=triple", "delay:maybe", "compressor=fast", "chorus=classic", "routing=x"}) {
    EXPECT_THROW(ParseSearch({term}), LibraryError) << term;
  }
  try {
    ParseSearch({"chorus=classic"});
  } catch (const LibraryError& e) {
    EXPECT_STREQ(e.what(), "search term 'chorus=classic': which one: classic cho, classic fla");
  }
}

TEST(SearchTerms, QuotesKeepBlanksInsideATerm) {
  EXPECT_EQ(SplitTerms(R"(  chorus="classic cho"  fav "a b")"),
            (std::vector<std::string>{"chorus=classic cho", "fav", "a b"}));
  EXPECT_TRUE(SplitTerms("   ").empty());
}

}  // namespace
