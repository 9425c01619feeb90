// The per-user settings store on QSettings under the application name
// "Lindel". Sections and keys are stored in lower case, so that look-ups
// ignore case; "MIDIController\preset1" names the sub-section preset1.
#pragma once

#include <QSettings>

#include "ISettings.h"

class QtSettings final : public ISettings {
 public:
  // The user's settings of the program.
  QtSettings();
  // Settings kept in one INI file (tests).
  explicit QtSettings(const QString& iniFile);

  std::string Get(const std::string& section, const std::string& key,
                  const std::string& defaultValue) const override;
  void Set(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  static QString Key(const std::string& section, const std::string& key);
  QString StoredKey(const std::string& section, const std::string& key) const;
  mutable QSettings store_;
};
