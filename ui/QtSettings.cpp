#include "QtSettings.h"

QtSettings::QtSettings() : store_(QSettings::NativeFormat, QSettings::UserScope, "Lindel") {}

QtSettings::QtSettings(const QString& iniFile) : store_(iniFile, QSettings::IniFormat) {}

QString QtSettings::Key(const std::string& section, const std::string& key) {
  QString path = QString::fromStdString(FoldCase(section) + "/" + FoldCase(key));
  path.replace('\\', '/');
  return path;
}

// Keys are written folded, but a file written by hand or by another program
// may spell them otherwise: such a key is found ignoring case, and replaced
// in its own spelling.
QString QtSettings::StoredKey(const std::string& section, const std::string& key) const {
  const QString folded = Key(section, key);
  if (store_.contains(folded)) return folded;
  for (const QString& stored : store_.allKeys()) {
    if (stored.compare(folded, Qt::CaseInsensitive) == 0) return stored;
  }
  return folded;
}

std::string QtSettings::Get(const std::string& section, const std::string& key,
                            const std::string& defaultValue) const {
  const QVariant value = store_.value(StoredKey(section, key));
  return value.isValid() ? value.toString().toStdString() : defaultValue;
}

void QtSettings::Set(const std::string& section, const std::string& key, const std::string& value) {
  store_.setValue(StoredKey(section, key), QString::fromStdString(value));
}
