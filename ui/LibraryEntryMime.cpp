#include "LibraryEntryMime.h"

#include <QMimeData>
#include <QString>

std::vector<int64_t> DecodeLibraryEntries(const QMimeData& data) {
  std::vector<int64_t> ids;
  const QString text = QString::fromUtf8(data.data(kLibraryEntriesMime));
  for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
    bool ok = false;
    const qlonglong id = line.trimmed().toLongLong(&ok);
    if (ok && id > 0) ids.push_back(id);
  }
  return ids;
}
