// The texts by which the editors show device values: frequencies, speeds,
// tempo subdivisions, ratios, times, widths, whole and decimal numbers. Pure
// functions, so that the command-line tool and exports print exactly what the
// editors' lists show. An item carries its device value as item data when the
// list represents values by item data; otherwise its position is the value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ValueItem {
  std::string text;
  std::optional<int32_t> data;

  bool operator==(const ValueItem&) const = default;
};
using ValueList = std::vector<ValueItem>;

namespace ValueRange {
constexpr int FrequencyFirst = 0;
constexpr int FrequencyOff = 60;  // the "Off" entry after 60 frequencies
constexpr int FineFrequencyFirst = 25;
constexpr int FineFrequencyLast = 240;
constexpr int FineFrequencyOff = 241;  // the "off" entry appended to every fine list
constexpr int TimeFirst = 3;
constexpr int TimeLast = 23;
constexpr int SpeedCount = 209;
constexpr int WidthFirst = 3;
constexpr int WidthLast = 16;
}  // namespace ValueRange

// Table texts by index; the index must lie in the table's range.
const std::string& FrequencyText(int index);      // 0..60: 20 steps a decade from 19.95 Hz, then "Off"
const std::string& FineFrequencyText(int index);  // 25..240: 80 steps a decade from 40.97 Hz
const std::string& TimeText(int index);           // 3..23: "1.0 ms" .. "2.0 s"
std::string SpeedText(int index);                 // 0..208: ".050 Hz" .. "19.95 Hz"

// Item data = table index, entries first..last.
ValueList FrequencyList(int first, int last);
// Entries first..last (a last of 241 counts as 240), then "off" with data 241.
ValueList FineFrequencyList(int first, int last);
ValueList TimeList(int first, int last);
// By position.
ValueList SpeedList();
ValueList TempoList();
ValueList RatioList();
// Item data 3..16.
ValueList WidthList();
// "n unit" for n = first..last with n as item data; an empty unit leaves the
// trailing blank ("0 ").
ValueList IntegerList(int first, int last, std::string_view unit);
// first + k*step up to and including last, one decimal digit written with
// decimalSymbol, then a blank and the unit; by position, no item data.
ValueList DecimalList(double first, double last, double step, std::string_view unit,
                      std::string_view decimalSymbol = ".");
