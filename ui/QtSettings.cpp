#include "QtSettings.h"

QtSettings::QtSettings() : store_(QSettings::NativeFormat, QSettings::UserScope, "Lindel") {}

QtSettings::QtSettings(const QString& iniFile) : store_(iniFile, QSettings::IniFormat) {}

QString QtSettings::Key(const std::string& section, const std::string& key) {
  QString path = QString::fromStdString(FoldCase(section) + "/" + FoldCase(key));
  path.replace('\\', '/');
  return path;
}

std::string QtSettings::Get(const std::string& section, const std::string& key,
                            const std::string& defaultValue) const {
  const QVariant value = store_.value(Key(section, key));
  return value.isValid() ? value.toString().toStdString() : defaultValue;
}

void QtSettings::Set(const std::string& section, const std::string& key, const std::string& value) {
  store_.setValue(Key(section, key), QString::fromStdString(value));
}
