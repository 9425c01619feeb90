#include "ListNumbers.h"

#include <QComboBox>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

// A list shorter than this is quicker to pick from than to turn.
constexpr int kDialMinimumItems = 12;

struct Reading {
  double written;
  double scale;  // 1000 for "k" and seconds, else 1
  bool hasUnit;
  double Value() const { return written * scale; }
};

double UnitScale(const QString& unit) {
  const QString u = unit.toLower();
  if (u == "k" || u == "khz" || u == "s" || u == "sec") return 1000.0;
  return 1.0;
}

std::optional<Reading> Read(const QString& text) {
  static const QRegularExpression pattern(R"(^\s*([-+]?(?:\d+[.,]?\d*|[.,]\d+))\s*([A-Za-z%]*(?:/[A-Za-z]+)?|:1)\s*$)");
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  QString number = match.captured(1);
  number.replace(',', '.');
  bool ok = false;
  const double written = number.toDouble(&ok);
  if (!ok) return std::nullopt;
  return Reading{written, UnitScale(match.captured(2)), !match.captured(2).isEmpty()};
}

// The numbers the items stand for, scaled or as written. Item data counts
// only in lists without numeric texts: a frequency list's "Off" carries an
// index, not a frequency.
std::vector<std::optional<double>> ItemNumbers(const QComboBox& list, bool scaled) {
  std::vector<std::optional<double>> numbers(list.count());
  bool byText = false;
  for (int i = 0; i < list.count(); ++i) {
    if (const auto reading = Read(list.itemText(i))) {
      numbers[i] = scaled ? reading->Value() : reading->written;
      byText = true;
    }
  }
  if (byText) return numbers;
  for (int i = 0; i < list.count(); ++i) {
    const QVariant data = list.itemData(i);
    if (data.isValid()) numbers[i] = data.toDouble();
  }
  return numbers;
}

// The first of the items nearest to value, with its distance.
std::pair<int, double> Nearest(const std::vector<std::optional<double>>& numbers, double value) {
  int nearest = -1;
  double distance = 0;
  for (int i = 0; i < static_cast<int>(numbers.size()); ++i) {
    if (!numbers[i]) continue;
    const double d = std::abs(*numbers[i] - value);
    if (nearest < 0 || d < distance) {
      nearest = i;
      distance = d;
    }
  }
  return {nearest, distance};
}

}  // namespace

std::optional<double> TextNumber(const QString& text) {
  const auto reading = Read(text);
  if (!reading) return std::nullopt;
  return reading->Value();
}

int NearestItem(const QComboBox& list, const QString& typed) {
  const auto reading = Read(typed);
  if (!reading) return -1;
  const auto scaled = Nearest(ItemNumbers(list, true), reading->Value());
  if (reading->hasUnit) return scaled.first;
  // A bare number may mean the list's base unit ("1500" Hz) or the unit the
  // texts are written in ("2.5" sec): the closer reading wins.
  const auto written = Nearest(ItemNumbers(list, false), reading->written);
  return written.second < scaled.second ? written.first : scaled.first;
}

bool IsNumericList(const QComboBox& list) {
  if (list.count() < kDialMinimumItems) return false;
  const auto numbers = ItemNumbers(list, true);
  const auto count = std::count_if(numbers.begin(), numbers.end(), [](const auto& n) { return n.has_value(); });
  // "Off" at one end still leaves a numeric list.
  return count >= list.count() - 2;
}
