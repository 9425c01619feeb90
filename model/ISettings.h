// The per-user settings store: text values in sections and keys, a missing key
// yielding its default. Key names are compared without regard to case (the
// controller tool writes "value" and reads "Value"). The GUI backs it with
// QSettings under the application name "Lindel"; tests use MemorySettings.
#pragma once

#include <map>
#include <string>

class ISettings {
 public:
  virtual ~ISettings() = default;
  virtual std::string Get(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const = 0;
  virtual void Set(const std::string& section, const std::string& key, const std::string& value) = 0;
};

// Settings held in memory only.
class MemorySettings final : public ISettings {
 public:
  std::string Get(const std::string& section, const std::string& key,
                  const std::string& defaultValue) const override;
  void Set(const std::string& section, const std::string& key, const std::string& value) override;
  bool Has(const std::string& section, const std::string& key) const;

 private:
  static std::string Key(const std::string& section, const std::string& key);
  std::map<std::string, std::string> values_;
};

// "Lower Case" -> "lower case", ASCII only: setting keys are ASCII.
std::string FoldCase(const std::string& text);
