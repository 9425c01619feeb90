// The library's tables and the steps from one schema version to the next.
// PRAGMA user_version holds the version; before a file of an older version
// is migrated, a copy of it is written beside it ("library.db.v1.bak").
#pragma once

#include <string>

#include "Sqlite.h"

inline constexpr int kLibrarySchemaVersion = 3;

// Brings the open database at path up to kLibrarySchemaVersion. A file of a
// newer version is refused (LibraryError): an older program must not touch it.
void MigrateLibrary(SqliteDb& db, const std::string& path);
