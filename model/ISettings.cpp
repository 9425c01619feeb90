#include "ISettings.h"

#include <algorithm>
#include <cctype>

std::string FoldCase(const std::string& text) {
  std::string out = text;
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string MemorySettings::Key(const std::string& section, const std::string& key) {
  return FoldCase(section) + "/" + FoldCase(key);
}

std::string MemorySettings::Get(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  const auto it = values_.find(Key(section, key));
  return it == values_.end() ? defaultValue : it->second;
}

void MemorySettings::Set(const std::string& section, const std::string& key, const std::string& value) {
  values_[Key(section, key)] = value;
}

bool MemorySettings::Has(const std::string& section, const std::string& key) const {
  return values_.count(Key(section, key)) > 0;
}
