#include "ValueLists.h"

#include <array>
#include <cmath>
#include <charconv>
#include <stdexcept>

namespace {

// Fixed-point text with a "." whatever the C locale says.
std::string Fixed(double value, int decimals) {
  std::array<char, 32> buf{};
  const auto end = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals).ptr;
  return std::string(buf.data(), end);
}

// Two decimals below 100 Hz, one below 1 kHz, then kilohertz with two and
// one decimals; hzUnit follows the hertz forms only.
std::string FrequencyLabel(double hz, const char* hzUnit) {
  if (hz < 100) return Fixed(hz, 2) + hzUnit;
  if (hz < 1000) return Fixed(hz, 1) + hzUnit;
  if (hz < 10000) return Fixed(hz / 1000, 2) + " k";
  return Fixed(hz / 1000, 1) + " k";
}

template <std::size_t N>
const std::string& TableEntry(const std::array<std::string, N>& table, int first, int index) {
  if (index < first || index >= first + static_cast<int>(N)) {
    throw std::out_of_range("value table index " + std::to_string(index));
  }
  return table[index - first];
}

const std::array<std::string, 61>& FrequencyTable() {
  static const auto table = [] {
    std::array<std::string, 61> t;
    for (int i = 0; i < ValueRange::FrequencyOff; ++i) t[i] = FrequencyLabel(std::pow(10.0, (i + 26) / 20.0), " Hz");
    t[ValueRange::FrequencyOff] = "Off";
    return t;
  }();
  return table;
}

const std::array<std::string, 216>& FineFrequencyTable() {
  static const auto table = [] {
    std::array<std::string, 216> t;
    for (int i = ValueRange::FineFrequencyFirst; i <= ValueRange::FineFrequencyLast; ++i) {
      t[i - ValueRange::FineFrequencyFirst] = FrequencyLabel(std::pow(10.0, (i + 104) / 80.0), "");
    }
    return t;
  }();
  return table;
}

const std::array<std::string, 21> kTimeTable = {
    "1.0 ms", "1.4 ms", "2.0 ms", "3.0 ms", "5.0 ms", "7.0 ms", "10 ms",  "14 ms", "20 ms", "30 ms", "50 ms",
    "70 ms",  "100 ms", "140 ms", "200 ms", "300 ms", "500 ms", "700 ms", "1.0 s", "1.4 s", "2.0 s"};

const std::array<const char*, 17> kTempoTexts = {"Ignored", "1",     "1/2D",  "1/2",   "1/2T", "1/4D",
                                                 "1/4",     "1/4T",  "1/8D",  "1/8",   "1/8T", "1/16D",
                                                 "1/16",    "1/16T", "1/32D", "1/32",  "1/32T"};

const std::array<const char*, 16> kRatioTexts = {"Off",   "1.12:1", "1.25:1", "1.40:1", "1.60:1", "1.80:1",
                                                 "2.0:1", "2.5:1",  "3.2:1",  "4.0:1",  "5.6:1",  "8.0:1",
                                                 "16:1",  "32:1",   "64:1",   "inf:1"};

const std::array<const char*, 14> kWidthTexts = {"0.2", "0.25", "0.32", "0.4", "0.5", "0.63", "0.8",
                                                 "1.0", "1.25", "1.6",  "2.0", "2.5", "3.2",  "4.0"};

template <std::size_t N>
ValueList ByPosition(const std::array<const char*, N>& texts) {
  ValueList list;
  list.reserve(N);
  for (const char* text : texts) list.push_back({text, std::nullopt});
  return list;
}

ValueList IndexedRange(int first, int last, const std::string& (*text)(int)) {
  ValueList list;
  for (int i = first; i <= last; ++i) list.push_back({text(i), i});
  return list;
}

}  // namespace

const std::string& FrequencyText(int index) { return TableEntry(FrequencyTable(), 0, index); }

const std::string& FineFrequencyText(int index) {
  return TableEntry(FineFrequencyTable(), ValueRange::FineFrequencyFirst, index);
}

const std::string& TimeText(int index) { return TableEntry(kTimeTable, ValueRange::TimeFirst, index); }

std::string SpeedText(int index) {
  const double hz = std::pow(10.0, (index - 104) / 80.0);
  if (hz >= 1) return Fixed(hz, 2) + " Hz";
  return Fixed(hz, 3).substr(1) + " Hz";  // ".050 Hz": no leading zero
}

ValueList FrequencyList(int first, int last) { return IndexedRange(first, last, FrequencyText); }

ValueList FineFrequencyList(int first, int last) {
  ValueList list = IndexedRange(first, std::min(last, ValueRange::FineFrequencyLast), FineFrequencyText);
  list.push_back({"off", ValueRange::FineFrequencyOff});
  return list;
}

ValueList TimeList(int first, int last) { return IndexedRange(first, last, TimeText); }

ValueList SpeedList() {
  ValueList list;
  list.reserve(ValueRange::SpeedCount);
  for (int i = 0; i < ValueRange::SpeedCount; ++i) list.push_back({SpeedText(i), std::nullopt});
  return list;
}

ValueList TempoList() { return ByPosition(kTempoTexts); }

ValueList RatioList() { return ByPosition(kRatioTexts); }

ValueList WidthList() {
  ValueList list = ByPosition(kWidthTexts);
  for (int i = 0; i < static_cast<int>(list.size()); ++i) list[i].data = ValueRange::WidthFirst + i;
  return list;
}

ValueList IntegerList(int first, int last, std::string_view unit) {
  ValueList list;
  if (last >= first) list.reserve(last - first + 1);
  for (int n = first; n <= last; ++n) list.push_back({std::to_string(n) + " " + std::string(unit), n});
  return list;
}

ValueList DecimalList(double first, double last, double step, std::string_view unit,
                      std::string_view decimalSymbol) {
  ValueList list;
  const long steps = std::lround((last - first) / step);
  for (long k = 0; k <= steps; ++k) {
    std::string text = Fixed(first + k * step, 1);
    const auto point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, decimalSymbol);
    list.push_back({text + " " + std::string(unit), std::nullopt});
  }
  return list;
}
