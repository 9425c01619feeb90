#include "PresetLibrary.h"

#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>

#include "AnsiText.h"
#include "Fingerprint.h"
#include "LibraryError.h"
#include "LibrarySchema.h"
#include "SoundSummary.h"

namespace {

constexpr int kBusyTimeoutMs = 10'000;  // another program importing at the same time
// Pages held in memory (KiB, as SQLite counts a negative cache size): enough
// for the indexes of a large import, which otherwise are read back again.
constexpr int kCacheKiB = 16'384;

std::string Writable(const std::string& path) {
  const std::filesystem::path folder = std::filesystem::absolute(path).parent_path();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw LibraryError("cannot create the library folder " + folder.string() + ": " + error.message());
  // WAL mode writes files beside the database, so the folder must take them.
  // A folder without any write permission is refused even for root.
  const auto perms = std::filesystem::status(folder, error).permissions();
  using std::filesystem::perms::none;
  const auto writeBits = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                         std::filesystem::perms::others_write;
  if (access(folder.c_str(), W_OK) != 0 || (perms & writeBits) == none) {
    throw LibraryError("the library folder " + folder.string() +
                       " is read-only; make it writable or choose another file with --library or LINDEL_LIBRARY");
  }
  return path;
}

SqliteDb OpenDatabase(const std::string& path) {
  try {
    return SqliteDb(path);
  } catch (const SqliteError& e) {
    throw LibraryError(e.what());
  }
}

std::string TrimmedName(const PresetImage& image) {
  std::string name = FromAnsi(image.data() + Offset::Name, Offset::NameLength);
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

int64_t Now() { return static_cast<int64_t>(std::time(nullptr)); }

EntryRow ReadRow(const SqliteStatement& s) {
  EntryRow row;
  row.id = s.Int(0);
  row.name = s.Text(1);
  row.tags = s.Text(2);
  row.favourite = s.Int(3) != 0;
  row.hidden = s.Int(4) != 0;
  row.blocksOn = static_cast<unsigned>(s.Int(5));
  row.lastSeen = s.Int(6);
  if (!s.IsNull(7)) row.parent = s.Int(7);
  return row;
}

constexpr const char* kRowColumns = "id, name, tag_list, favourite, hidden, blocks_on, last_seen, parent";

std::vector<EntryRow> ReadRows(SqliteStatement& s) {
  std::vector<EntryRow> rows;
  while (s.Step()) rows.push_back(ReadRow(s));
  return rows;
}

std::vector<std::string> ReadTexts(const SqliteDb& db, const char* sql, int64_t id) {
  SqliteStatement s(db, sql);
  s.Bind(1, id);
  std::vector<std::string> texts;
  while (s.Step()) texts.push_back(s.Text(0));
  return texts;
}

}  // namespace

PresetLibrary::PresetLibrary(const std::string& path) : path_(Writable(path)), db_(OpenDatabase(path_)) {
  try {
    db_.SetBusyTimeout(kBusyTimeoutMs);
    db_.Exec("PRAGMA journal_mode = WAL");
    db_.Exec("PRAGMA synchronous = NORMAL");
    db_.Exec("PRAGMA foreign_keys = ON");
    db_.Exec("PRAGMA cache_size = -" + std::to_string(kCacheKiB));
    MigrateLibrary(db_, path_);
  } catch (const SqliteError& e) {
    throw LibraryError("cannot use the library " + path_ + ": " + e.what());
  }
}

KeepResult PresetLibrary::Keep(const PresetImage& image, const LibrarySource& source) {
  const std::string fingerprint = Fingerprint(image);
  const std::string name = TrimmedName(image);
  const int64_t now = source.seen ? source.seen : Now();
  if (const std::optional<int64_t> found = FindSound(image, fingerprint)) {
    Arrived(*found, image, name, source, now);
    return {*found, false};
  }
  const int64_t id = AddEntry(image, fingerprint, name, now);
  AddNameAndSource(id, name, source, now);
  return {id, true};
}

KeepResult PresetLibrary::KeepVersion(const PresetImage& image, int64_t parent, const LibrarySource& source) {
  RequireEntry(parent);
  const KeepResult result = Keep(image, source);
  if (result.added) UpdateFlag("UPDATE entries SET parent = ? WHERE id = ?", result.id, parent);
  return result;
}

SqliteStatement& PresetLibrary::Prepared(const char* sql) const {
  std::unique_ptr<SqliteStatement>& statement = statements_[sql];
  if (!statement) statement = std::make_unique<SqliteStatement>(db_, sql);
  statement->Reset();
  return *statement;
}

std::optional<int64_t> PresetLibrary::FindSound(const PresetImage& image, const std::string& fingerprint) {
  SqliteStatement& find =
      Prepared("SELECT id, image FROM entries JOIN images ON images.entry = entries.id WHERE fingerprint = ?");
  find.Bind(1, fingerprint);
  while (find.Step()) {
    const std::vector<uint8_t> stored = find.Blob(1);
    if (stored.size() == kPresetSize && SameSound(std::span<const uint8_t, kPresetSize>(stored.data(), kPresetSize), image)) {
      return find.Int(0);
    }
  }
  return std::nullopt;
}

int64_t PresetLibrary::AddEntry(const PresetImage& image, const std::string& fingerprint, const std::string& name,
                                int64_t now) {
  const SoundSummary summary = Summarize(image);
  // The search text as RefreshSearchText makes it for one name and no tags.
  const std::string lower = Lowercase(name);
  SqliteStatement& add = Prepared(
      "INSERT INTO entries(fingerprint, name, first_seen, last_seen, blocks_on, block_types, search_text) "
      "VALUES(?, ?, ?, ?, ?, ?, ?)");
  add.Bind(1, fingerprint).Bind(2, name).Bind(3, now).Bind(4, now);
  add.Bind(5, int64_t{summary.blocksOn}).Bind(6, int64_t{summary.types}).Bind(7, lower + "\n" + lower + "\n\n");
  add.Step();
  const int64_t id = db_.LastInsertId();
  SqliteStatement& store = Prepared("INSERT INTO images(entry, image) VALUES(?, ?)");
  store.Bind(1, id).Bind(2, image);
  store.Step();
  return id;
}

void PresetLibrary::Arrived(int64_t id, const PresetImage& image, const std::string& name,
                            const LibrarySource& source, int64_t now) {
  SqliteStatement& entry = Prepared(
      "UPDATE entries SET last_seen = max(last_seen, ?), name = CASE WHEN renamed THEN name ELSE ? END WHERE id = ?");
  entry.Bind(1, now).Bind(2, name).Bind(3, id);
  entry.Step();
  SqliteStatement& latest = Prepared("UPDATE images SET image = ? WHERE entry = ?");
  latest.Bind(1, image).Bind(2, id);
  latest.Step();
  AddNameAndSource(id, name, source, now);
  RefreshSearchText(id);
}

void PresetLibrary::AddNameAndSource(int64_t id, const std::string& name, const LibrarySource& source, int64_t now) {
  SqliteStatement& alias = Prepared("INSERT OR IGNORE INTO aliases(entry, name, first_seen) VALUES(?, ?, ?)");
  alias.Bind(1, id).Bind(2, name).Bind(3, now);
  alias.Step();
  SqliteStatement& from = Prepared(
      "INSERT INTO sources(entry, kind, detail, slot, seen) VALUES(?, ?, ?, ?, ?) "
      "ON CONFLICT(entry, kind, detail, slot) DO UPDATE SET seen = excluded.seen");
  from.Bind(1, id).Bind(2, source.kind).Bind(3, source.detail).Bind(4, int64_t{source.slot}).Bind(5, now);
  from.Step();
}

void PresetLibrary::RefreshSearchText(int64_t id) {
  SqliteStatement refresh(db_, R"sql(
UPDATE entries SET
  tag_list = coalesce((SELECT group_concat(tag, ', ') FROM (SELECT tag FROM tags WHERE entry = entries.id ORDER BY tag)), ''),
  search_text = lower(name || char(10) ||
    coalesce((SELECT group_concat(name, char(10)) FROM aliases WHERE entry = entries.id), '') || char(10) ||
    coalesce((SELECT group_concat(tag, char(10)) FROM tags WHERE entry = entries.id), '') || char(10) || comment)
WHERE id = ?)sql");
  refresh.Bind(1, id);
  refresh.Step();
}

void PresetLibrary::RequireEntry(int64_t id) const {
  SqliteStatement exists(db_, "SELECT 1 FROM entries WHERE id = ?");
  exists.Bind(1, id);
  if (!exists.Step()) throw LibraryError("no library entry " + std::to_string(id));
}

void PresetLibrary::UpdateFlag(const char* sql, int64_t id, int64_t value) {
  RequireEntry(id);
  SqliteStatement update(db_, sql);
  update.Bind(1, value).Bind(2, id);
  update.Step();
}

std::optional<LibraryEntry> PresetLibrary::Entry(int64_t id) const {
  SqliteStatement s(db_, (std::string("SELECT ") + kRowColumns +
                          ", comment, fingerprint, first_seen, image FROM entries JOIN images ON images.entry = id "
                          "WHERE id = ?").c_str());
  s.Bind(1, id);
  if (!s.Step()) return std::nullopt;
  LibraryEntry entry;
  entry.row = ReadRow(s);
  entry.comment = s.Text(8);
  entry.fingerprint = s.Text(9);
  entry.firstSeen = s.Int(10);
  const std::vector<uint8_t> image = s.Blob(11);
  std::copy_n(image.begin(), std::min(image.size(), kPresetSize), entry.image.begin());
  entry.aliases = ReadTexts(db_, "SELECT name FROM aliases WHERE entry = ? ORDER BY first_seen, rowid", id);
  entry.tags = ReadTexts(db_, "SELECT tag FROM tags WHERE entry = ? ORDER BY tag", id);
  SqliteStatement sources(db_, "SELECT kind, detail, slot, seen FROM sources WHERE entry = ? ORDER BY id");
  sources.Bind(1, id);
  while (sources.Step()) {
    entry.sources.push_back({sources.Text(0), sources.Text(1), static_cast<int>(sources.Int(2)), sources.Int(3)});
  }
  return entry;
}

std::vector<EntryRow> PresetLibrary::Search(const SearchQuery& query) const {
  const std::string sql = std::string("SELECT ") + kRowColumns + " FROM entries WHERE " + query.where + " ORDER BY id";
  SqliteStatement s(db_, sql.c_str());
  for (std::size_t i = 0; i < query.values.size(); ++i) s.Bind(static_cast<int>(i + 1), query.values[i]);
  return ReadRows(s);
}

std::vector<EntryRow> PresetLibrary::History(int64_t id) const {
  RequireEntry(id);
  const std::string sql = std::string(R"sql(
WITH RECURSIVE
  up(id, parent) AS (SELECT id, parent FROM entries WHERE id = ?1
                     UNION SELECT e.id, e.parent FROM entries e JOIN up ON e.id = up.parent),
  root(id) AS (SELECT id FROM up WHERE parent IS NULL OR parent NOT IN (SELECT id FROM entries)),
  down(id, depth, path) AS (SELECT id, 0, printf('%020d', id) FROM root
                            UNION SELECT e.id, down.depth + 1, down.path || printf('/%020d', e.id)
                            FROM entries e JOIN down ON e.parent = down.id)
SELECT )sql") + kRowColumns + " FROM entries JOIN down USING(id) ORDER BY down.path";
  SqliteStatement s(db_, sql.c_str());
  s.Bind(1, id);
  return ReadRows(s);
}

LibraryStats PresetLibrary::Stats() const {
  SqliteStatement s(db_, R"sql(SELECT
  (SELECT count(*) FROM entries), (SELECT count(*) FROM entries WHERE hidden),
  (SELECT count(*) FROM entries WHERE favourite), (SELECT count(*) FROM aliases),
  (SELECT count(*) FROM sources), (SELECT count(DISTINCT tag) FROM tags),
  (SELECT count(*) FROM entries WHERE parent IS NOT NULL))sql");
  s.Step();
  return {s.Int(0), s.Int(1), s.Int(2), s.Int(3), s.Int(4), s.Int(5), s.Int(6)};
}

void PresetLibrary::AddTags(int64_t id, const std::vector<std::string>& tags) {
  RequireEntry(id);
  SqliteTransaction transaction(db_);
  SqliteStatement add(db_, "INSERT OR IGNORE INTO tags(entry, tag) VALUES(?, ?)");
  for (const std::string& tag : tags) {
    add.Bind(1, id).Bind(2, tag);
    add.Step();
    add.Reset();
  }
  RefreshSearchText(id);
  transaction.Commit();
}

void PresetLibrary::RemoveTags(int64_t id, const std::vector<std::string>& tags) {
  RequireEntry(id);
  SqliteTransaction transaction(db_);
  SqliteStatement remove(db_, "DELETE FROM tags WHERE entry = ? AND tag = ?");
  for (const std::string& tag : tags) {
    remove.Bind(1, id).Bind(2, tag);
    remove.Step();
    remove.Reset();
  }
  RefreshSearchText(id);
  transaction.Commit();
}

void PresetLibrary::SetFavourite(int64_t id, bool favourite) {
  UpdateFlag("UPDATE entries SET favourite = ? WHERE id = ?", id, favourite);
}

void PresetLibrary::SetHidden(int64_t id, bool hidden) {
  UpdateFlag("UPDATE entries SET hidden = ? WHERE id = ?", id, hidden);
}

void PresetLibrary::Rename(int64_t id, const std::string& name) {
  RequireEntry(id);
  // The device holds 20 characters of its code page; the name is kept as
  // the device will show it.
  std::vector<uint8_t> ansi = ToAnsi(name);
  if (ansi.size() > Offset::NameLength) ansi.resize(Offset::NameLength);
  const std::string shown = FromAnsi(ansi);
  SqliteTransaction transaction(db_);
  SqliteStatement rename(db_, "UPDATE entries SET name = ?, renamed = 1 WHERE id = ?");
  rename.Bind(1, shown).Bind(2, id);
  rename.Step();
  RefreshSearchText(id);
  transaction.Commit();
}

void PresetLibrary::SetComment(int64_t id, const std::string& comment) {
  RequireEntry(id);
  SqliteTransaction transaction(db_);
  SqliteStatement set(db_, "UPDATE entries SET comment = ? WHERE id = ?");
  set.Bind(1, comment).Bind(2, id);
  set.Step();
  RefreshSearchText(id);
  transaction.Commit();
}

void PresetLibrary::Purge(int64_t id) {
  RequireEntry(id);
  SqliteStatement purge(db_, "DELETE FROM entries WHERE id = ?");
  purge.Bind(1, id);
  purge.Step();
}
