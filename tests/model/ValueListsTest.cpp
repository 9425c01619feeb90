#include <gtest/gtest.h>

#include <clocale>

#include "ValueLists.h"

namespace {

struct TextCase {
  const char* list;
  ValueList (*make)();
  int position;
  const char* text;
  std::optional<int32_t> data;
};

ValueList Frequencies() { return FrequencyList(0, 60); }
ValueList FineFrequencies() { return FineFrequencyList(25, 241); }
ValueList Times() { return TimeList(3, 23); }
ValueList Thresholds() { return IntegerList(-40, 0, "db"); }
ValueList Percent() { return IntegerList(0, 100, "%"); }
ValueList Unitless() { return IntegerList(-100, 100, ""); }
ValueList DelayTenths() { return DecimalList(0, 50, 0.1, "ms"); }
ValueList DecayTenths() { return DecimalList(0, 20, 0.1, "sec"); }

class ListText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ListText, ShowsTheDeviceValueAsText) {
  const TextCase& c = GetParam();
  const ValueList list = c.make();
  ASSERT_LT(c.position, static_cast<int>(list.size()));
  EXPECT_EQ(list[c.position].text, c.text);
  EXPECT_EQ(list[c.position].data, c.data);
}

// First, last and the named examples of every list.
INSTANTIATE_TEST_SUITE_P(
    Tables, ListText,
    ::testing::Values(
        TextCase{"freq", Frequencies, 0, "19.95 Hz", 0}, TextCase{"freq", Frequencies, 13, "89.13 Hz", 13},
        TextCase{"freq", Frequencies, 14, "100.0 Hz", 14}, TextCase{"freq", Frequencies, 33, "891.3 Hz", 33},
        TextCase{"freq", Frequencies, 34, "1.00 k", 34}, TextCase{"freq", Frequencies, 53, "8.91 k", 53},
        TextCase{"freq", Frequencies, 54, "10.0 k", 54}, TextCase{"freq", Frequencies, 59, "17.8 k", 59},
        TextCase{"freq", Frequencies, 60, "Off", 60},
        TextCase{"fine", FineFrequencies, 0, "40.97", 25}, TextCase{"fine", FineFrequencies, 30, "97.16", 55},
        TextCase{"fine", FineFrequencies, 31, "100.0", 56}, TextCase{"fine", FineFrequencies, 110, "971.6", 135},
        TextCase{"fine", FineFrequencies, 111, "1.00 k", 136},
        TextCase{"fine", FineFrequencies, 190, "9.72 k", 215},
        TextCase{"fine", FineFrequencies, 191, "10.0 k", 216},
        TextCase{"fine", FineFrequencies, 215, "20.0 k", 240},
        TextCase{"fine", FineFrequencies, 216, "off", 241},
        TextCase{"speed", SpeedList, 0, ".050 Hz", {}}, TextCase{"speed", SpeedList, 24, ".100 Hz", {}},
        TextCase{"speed", SpeedList, 103, ".972 Hz", {}}, TextCase{"speed", SpeedList, 104, "1.00 Hz", {}},
        TextCase{"speed", SpeedList, 183, "9.72 Hz", {}}, TextCase{"speed", SpeedList, 184, "10.00 Hz", {}},
        TextCase{"speed", SpeedList, 208, "19.95 Hz", {}},
        TextCase{"tempo", TempoList, 0, "Ignored", {}}, TextCase{"tempo", TempoList, 2, "1/2D", {}},
        TextCase{"tempo", TempoList, 10, "1/8T", {}}, TextCase{"tempo", TempoList, 16, "1/32T", {}},
        TextCase{"ratio", RatioList, 0, "Off", {}}, TextCase{"ratio", RatioList, 1, "1.12:1", {}},
        TextCase{"ratio", RatioList, 6, "2.0:1", {}}, TextCase{"ratio", RatioList, 12, "16:1", {}},
        TextCase{"ratio", RatioList, 15, "inf:1", {}},
        TextCase{"time", Times, 0, "1.0 ms", 3}, TextCase{"time", Times, 6, "10 ms", 9},
        TextCase{"time", Times, 11, "70 ms", 14}, TextCase{"time", Times, 18, "1.0 s", 21},
        TextCase{"time", Times, 20, "2.0 s", 23},
        TextCase{"width", WidthList, 0, "0.2", 3}, TextCase{"width", WidthList, 4, "0.5", 7},
        TextCase{"width", WidthList, 13, "4.0", 16},
        TextCase{"int", Thresholds, 0, "-40 db", -40}, TextCase{"int", Thresholds, 40, "0 db", 0},
        TextCase{"int", Percent, 100, "100 %", 100}, TextCase{"int", Unitless, 100, "0 ", 0},
        TextCase{"int", Unitless, 0, "-100 ", -100},
        TextCase{"decimal", DelayTenths, 0, "0.0 ms", {}}, TextCase{"decimal", DelayTenths, 500, "50.0 ms", {}},
        TextCase{"decimal", DecayTenths, 1, "0.1 sec", {}},
        TextCase{"decimal", DecayTenths, 200, "20.0 sec", {}}));

TEST(ValueLists, SizesFollowTheBounds) {
  EXPECT_EQ(FrequencyList(0, 60).size(), 61u);
  EXPECT_EQ(FrequencyList(34, 54).front().text, "1.00 k");
  EXPECT_EQ(FrequencyList(34, 54).back().text, "10.0 k");
  EXPECT_EQ(FineFrequencyList(25, 241), FineFrequencyList(25, 240)) << "241 is lowered to 240";
  EXPECT_EQ(FineFrequencyList(25, 241).size(), 217u);
  EXPECT_EQ(FineFrequencyList(100, 110).back(), (ValueItem{"off", 241})) << "off whatever the bounds";
  EXPECT_EQ(SpeedList().size(), 209u);
  EXPECT_EQ(TempoList().size(), 17u);
  EXPECT_EQ(RatioList().size(), 16u);
  EXPECT_EQ(WidthList().size(), 14u);
  EXPECT_EQ(TimeList(13, 23).front().text, "50 ms");
  EXPECT_EQ(DecimalList(0, 50, 0.1, "ms").size(), 501u);
  EXPECT_EQ(DecimalList(0, 20, 0.1, "sec").size(), 201u);
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
