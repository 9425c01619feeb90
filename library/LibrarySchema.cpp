#include "LibrarySchema.h"

#include <array>
#include <filesystem>

#include "LibraryError.h"

namespace {

// One entry per version: the statements that lead from the one before.
constexpr std::array<const char*, kLibrarySchemaVersion> kMigrations = {
    R"sql(
CREATE TABLE entries(
  id INTEGER PRIMARY KEY,
  fingerprint TEXT NOT NULL,
  name TEXT NOT NULL,
  renamed INTEGER NOT NULL DEFAULT 0,
  favourite INTEGER NOT NULL DEFAULT 0,
  hidden INTEGER NOT NULL DEFAULT 0,
  comment TEXT NOT NULL DEFAULT '',
  parent INTEGER REFERENCES entries(id) ON DELETE SET NULL,
  first_seen INTEGER NOT NULL,
  last_seen INTEGER NOT NULL,
  blocks_on INTEGER NOT NULL,
  block_types INTEGER NOT NULL,
  tag_list TEXT NOT NULL DEFAULT '',
  search_text TEXT NOT NULL DEFAULT '');
-- The images apart, so that a search reads narrow rows.
CREATE TABLE images(
  entry INTEGER PRIMARY KEY REFERENCES entries(id) ON DELETE CASCADE,
  image BLOB NOT NULL);
CREATE INDEX entries_fingerprint ON entries(fingerprint);
CREATE INDEX entries_parent ON entries(parent);
CREATE TABLE aliases(
  entry INTEGER NOT NULL REFERENCES entries(id) ON DELETE CASCADE,
  name TEXT NOT NULL,
  first_seen INTEGER NOT NULL,
  UNIQUE(entry, name));
CREATE TABLE sources(
  id INTEGER PRIMARY KEY,
  entry INTEGER NOT NULL REFERENCES entries(id) ON DELETE CASCADE,
  kind TEXT NOT NULL,
  detail TEXT NOT NULL,
  slot INTEGER NOT NULL DEFAULT -1,
  seen INTEGER NOT NULL,
  UNIQUE(entry, kind, detail, slot));
CREATE TABLE tags(
  entry INTEGER NOT NULL REFERENCES entries(id) ON DELETE CASCADE,
  tag TEXT NOT NULL COLLATE NOCASE,
  PRIMARY KEY(entry, tag)) WITHOUT ROWID;
CREATE INDEX tags_tag ON tags(tag);
)sql",
    // Banks (plans of the device's 100 user slots) and what each device
    // was last known to hold; a purged entry leaves its slots empty/unknown.
    R"sql(
CREATE TABLE banks(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL UNIQUE COLLATE NOCASE,
  device TEXT NOT NULL DEFAULT '');
CREATE TABLE bank_slots(
  bank INTEGER NOT NULL REFERENCES banks(id) ON DELETE CASCADE,
  slot INTEGER NOT NULL CHECK(slot BETWEEN 1 AND 100),
  entry INTEGER NOT NULL REFERENCES entries(id) ON DELETE CASCADE,
  PRIMARY KEY(bank, slot)) WITHOUT ROWID;
CREATE TABLE device_slots(
  device TEXT NOT NULL,
  slot INTEGER NOT NULL CHECK(slot BETWEEN 1 AND 100),
  entry INTEGER NOT NULL REFERENCES entries(id) ON DELETE CASCADE,
  seen INTEGER NOT NULL,
  PRIMARY KEY(device, slot)) WITHOUT ROWID;
)sql",
    // Nearly every entry has no parent: leaving those out of the index
    // spares an import one index write per preset.
    R"sql(
DROP INDEX entries_parent;
CREATE INDEX entries_parent ON entries(parent) WHERE parent IS NOT NULL;
)sql",
};

int UserVersion(SqliteDb& db) {
  SqliteStatement version(db, "PRAGMA user_version");
  version.Step();
  return static_cast<int>(version.Int(0));
}

void WriteBackup(SqliteDb& db, const std::string& path, int version) {
  const std::string backup = path + ".v" + std::to_string(version) + ".bak";
  std::filesystem::remove(backup);
  SqliteStatement copy(db, "VACUUM INTO ?");
  copy.Bind(1, backup);
  copy.Step();
}

}  // namespace

void MigrateLibrary(SqliteDb& db, const std::string& path) {
  const int version = UserVersion(db);
  if (version == kLibrarySchemaVersion) return;
  if (version > kLibrarySchemaVersion) {
    throw LibraryError("the library " + path + " has schema version " + std::to_string(version) +
                       "; this program knows versions up to " + std::to_string(kLibrarySchemaVersion));
  }
  if (version > 0) WriteBackup(db, path, version);
  SqliteTransaction transaction(db);
  for (int step = version; step < kLibrarySchemaVersion; ++step) db.Exec(kMigrations[static_cast<std::size_t>(step)]);
  db.Exec("PRAGMA user_version = " + std::to_string(kLibrarySchemaVersion));
  transaction.Commit();
}
