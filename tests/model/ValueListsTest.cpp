#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

#include "TempDir.h"
#include "ValueLists.h"

namespace {

// Every item of every list, as "list<TAB>position<TAB>text<TAB>data", against
// the texts the editors, the command-line tool and exports have always shown.
std::string AllLists() {
  const std::pair<const char*, ValueList> lists[] = {
      {"freq", FrequencyList(0, 60)},       {"fine", FineFrequencyList(25, 241)},
      {"speed", SpeedList()},               {"tempo", TempoList()},
      {"ratio", RatioList()},               {"time", TimeList(3, 23)},
      {"width", WidthList()},               {"threshold", IntegerList(-40, 0, "db")},
      {"percent", IntegerList(0, 100, "%")}, {"unitless", IntegerList(-100, 100, "")},
      {"delay", DecimalList(0, 50, 0.1, "ms")}, {"decay", DecimalList(0, 20, 0.1, "sec")}};
  std::ostringstream out;
  for (const auto& [name, list] : lists) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      out << name << '\t' << i << '\t' << list[i].text << '\t';
      if (list[i].data) out << *list[i].data;
      out << '\n';
    }
  }
  return out.str();
}

TEST(ValueLists, EveryTextIsTheGoldenOne) {
  const std::string actual = AllLists();
  const std::string golden = ReadText(LINDEL_TEST_DATA "/value-lists.txt");
  if (actual != golden) WriteBytes("value-lists.actual.txt", {actual.begin(), actual.end()});
  EXPECT_TRUE(actual == golden) << "the texts differ from tests/data/value-lists.txt; see value-lists.actual.txt";
}

TEST(ValueLists, SizesFollowTheBounds) {
  EXPECT_EQ(FrequencyList(34, 54).front().text, "1.00 k");
  EXPECT_EQ(FrequencyList(34, 54).back().text, "10.0 k");
  EXPECT_EQ(FineFrequencyList(25, 241), FineFrequencyList(25, 240)) << "241 is lowered to 240";
  EXPECT_EQ(FineFrequencyList(100, 110).back(), (ValueItem{"off", 241})) << "off whatever the bounds";
  EXPECT_EQ(TimeList(13, 23).front().text, "50 ms");
  EXPECT_TRUE(IntegerList(5, 4, "dB").empty());
}

TEST(ValueLists, TablesAnswerInsideTheirRangeOnly) {
  EXPECT_EQ(FrequencyText(20), "199.5 Hz");
  EXPECT_EQ(FrequencyText(40), "2.00 k");
  EXPECT_EQ(FineFrequencyText(80 + 25), "409.7");
  EXPECT_THROW(FrequencyText(61), std::out_of_range);
  EXPECT_THROW(FineFrequencyText(241), std::out_of_range);
  EXPECT_THROW(TimeText(2), std::out_of_range);
}

TEST(ValueLists, DecimalSymbolIsTheCallersAndTextsIgnoreTheCLocale) {
  EXPECT_EQ(DecimalList(0, 20, 0.1, "sec", ",")[200].text, "20,0 sec");
  // A comma locale for the C library must not leak into any table.
  const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (!previous) GTEST_SKIP() << "no German locale installed";
  EXPECT_EQ(SpeedList()[104].text, "1.00 Hz");
  EXPECT_EQ(DecimalList(0, 20, 0.1, "sec")[5].text, "0.5 sec");
  std::setlocale(LC_NUMERIC, "C");
}

}  // namespace
