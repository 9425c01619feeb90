#include "SqlitePresetStore.h"

#include <algorithm>

namespace {

constexpr int kSchemaVersion = 2;

void CreateSchema(SqliteDb& db) {
  db.Exec("PRAGMA journal_mode=WAL");
  db.Exec("PRAGMA synchronous=FULL");
  db.Exec("PRAGMA busy_timeout=5000");
  SqliteStatement version(db, "PRAGMA user_version");
  version.Step();
  const int64_t found = version.Int(0);
  if (found > kSchemaVersion) {
    throw SqliteError("the database was made by a newer lindel-db-server (schema " + std::to_string(found) +
                      ")");
  }
  if (found == kSchemaVersion) return;
  SqliteTransaction transaction(db);
  db.Exec(
      "CREATE TABLE IF NOT EXISTS presets ("
      " id INTEGER PRIMARY KEY AUTOINCREMENT,"
      " name TEXT NOT NULL,"
      " song TEXT NOT NULL,"
      " description TEXT NOT NULL,"
      " downloads INTEGER NOT NULL DEFAULT 0,"
      " image BLOB NOT NULL UNIQUE CHECK (length(image) = 615),"
      " added TEXT NOT NULL DEFAULT (datetime('now')))");
  // Schema 2: who uploaded a preset, and whether a moderator hid it.
  db.Exec("ALTER TABLE presets ADD COLUMN uploader TEXT NOT NULL DEFAULT ''");
  db.Exec("ALTER TABLE presets ADD COLUMN hidden INTEGER NOT NULL DEFAULT 0");
  db.Exec("CREATE INDEX presets_by_name ON presets (hidden, name COLLATE NOCASE, id)");
  db.Exec("CREATE INDEX presets_by_downloads ON presets (hidden, downloads DESC, id)");
  // Counting a search's matches reads the texts alone, not the images beside them.
  db.Exec("CREATE INDEX presets_texts ON presets (hidden, name, song, description, uploader)");
  db.Exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
  transaction.Commit();
}

constexpr const char* kEntryColumns = "id, name, song, description, uploader, downloads, added";

std::string CatalogueWhere(const CatalogueQuery& query) {
  if (query.search.empty()) return " WHERE hidden = 0";
  return " WHERE hidden = 0 AND (name LIKE ?1 ESCAPE '\\' OR song LIKE ?1 ESCAPE '\\'"
         " OR description LIKE ?1 ESCAPE '\\' OR uploader LIKE ?1 ESCAPE '\\')";
}

const char* CatalogueOrder(CatalogueQuery::Sort sort) {
  switch (sort) {
    case CatalogueQuery::Sort::Name: return " ORDER BY name COLLATE NOCASE, id";
    case CatalogueQuery::Sort::Downloads: return " ORDER BY downloads DESC, id";
    case CatalogueQuery::Sort::Newest: break;
  }
  return " ORDER BY id DESC";
}

CatalogueEntry ReadEntry(const SqliteStatement& row) {
  return {row.Int(0), row.Text(1), row.Text(2), row.Text(3), row.Text(4), row.Int(5), row.Text(6)};
}

// A statement with RETURNING commits only once it has run to its end.
void Finish(SqliteStatement& statement) {
  while (statement.Step()) {
  }
  statement.Reset();
}

}  // namespace

struct SqlitePresetStore::Statements {
  explicit Statements(const SqliteDb& db)
      : insert(db,
               "INSERT INTO presets (name, song, description, image, uploader) VALUES (?, ?, ?, ?, ?)"
               " ON CONFLICT (image) DO NOTHING RETURNING id"),
        findImage(db, "SELECT id FROM presets WHERE image = ?"),
        list(db, "SELECT id, name, song, description, downloads FROM presets WHERE hidden = 0 ORDER BY id"),
        download(db, "UPDATE presets SET downloads = downloads + 1 WHERE id = ? AND hidden = 0 RETURNING image"),
        image(db, "SELECT image FROM presets WHERE id = ? AND hidden = 0"),
        setHidden(db, "UPDATE presets SET hidden = ? WHERE id = ?"),
        remove(db, "DELETE FROM presets WHERE id = ?"),
        count(db, "SELECT count(*) FROM presets WHERE hidden = 0") {}

  SqliteStatement insert;
  SqliteStatement findImage;
  SqliteStatement list;
  SqliteStatement download;
  SqliteStatement image;
  SqliteStatement setHidden;
  SqliteStatement remove;
  SqliteStatement count;
};

SqlitePresetStore::SqlitePresetStore(const std::string& path) : db_(path) {
  CreateSchema(db_);
  statements_ = std::make_unique<Statements>(db_);
}

SqlitePresetStore::~SqlitePresetStore() = default;

StoreOutcome SqlitePresetStore::Add(const NewPreset& preset) {
  const std::lock_guard lock(mutex_);
  return Insert(preset);
}

std::vector<StoreOutcome> SqlitePresetStore::AddAll(const std::vector<NewPreset>& presets) {
  const std::lock_guard lock(mutex_);
  SqliteTransaction transaction(db_);
  std::vector<StoreOutcome> outcomes;
  for (const NewPreset& preset : presets) outcomes.push_back(Insert(preset));
  transaction.Commit();
  return outcomes;
}

StoreOutcome SqlitePresetStore::Insert(const NewPreset& preset) {
  auto& insert = statements_->insert;
  insert.Bind(1, preset.name).Bind(2, preset.song).Bind(3, preset.description).Bind(4, preset.image).Bind(5, preset.uploader);
  if (insert.Step()) {
    const StoreOutcome outcome{insert.Int(0), true};
    Finish(insert);
    return outcome;
  }
  insert.Reset();
  auto& find = statements_->findImage;
  find.Bind(1, preset.image);
  find.Step();
  const StoreOutcome outcome{find.Int(0), false};
  find.Reset();
  return outcome;
}

std::vector<PresetListRow> SqlitePresetStore::List() {
  const std::lock_guard lock(mutex_);
  auto& list = statements_->list;
  std::vector<PresetListRow> rows;
  while (list.Step()) {
    rows.push_back({static_cast<int32_t>(list.Int(0)), list.Text(1), list.Text(2), list.Text(3),
                    std::to_string(list.Int(4))});
  }
  list.Reset();
  return rows;
}

std::optional<PresetImage> SqlitePresetStore::Download(int64_t id) {
  const std::lock_guard lock(mutex_);
  return ImageOf(statements_->download, id);
}

std::optional<PresetImage> SqlitePresetStore::Image(int64_t id) {
  const std::lock_guard lock(mutex_);
  return ImageOf(statements_->image, id);
}

std::optional<PresetImage> SqlitePresetStore::ImageOf(SqliteStatement& query, int64_t id) {
  query.Bind(1, id);
  if (!query.Step()) {
    query.Reset();
    return std::nullopt;
  }
  const std::vector<uint8_t> blob = query.Blob(0);
  Finish(query);
  PresetImage image{};
  std::copy_n(blob.begin(), std::min(blob.size(), image.size()), image.begin());
  return image;
}

CataloguePage SqlitePresetStore::Catalogue(const CatalogueQuery& query) {
  const std::lock_guard lock(mutex_);
  const std::string where = CatalogueWhere(query);
  const std::string pattern = CatalogueLikePattern(query.search);
  CataloguePage page;
  SqliteStatement count(db_, ("SELECT count(*) FROM presets" + where).c_str());
  if (!query.search.empty()) count.Bind(1, pattern);
  count.Step();
  page.matches = count.Int(0);
  const std::string sql = std::string("SELECT ") + kEntryColumns + " FROM presets" + where +
                          CatalogueOrder(query.sort) + " LIMIT ?2 OFFSET ?3";
  SqliteStatement select(db_, sql.c_str());
  if (!query.search.empty()) select.Bind(1, pattern);
  select.Bind(2, int64_t{CatalogueQuery::kPageSize})
      .Bind(3, int64_t{std::max(query.page - 1, 0)} * CatalogueQuery::kPageSize);
  while (select.Step()) page.entries.push_back(ReadEntry(select));
  return page;
}

std::optional<CatalogueEntry> SqlitePresetStore::Entry(int64_t id) {
  const std::lock_guard lock(mutex_);
  SqliteStatement select(db_, (std::string("SELECT ") + kEntryColumns + " FROM presets WHERE id = ? AND hidden = 0").c_str());
  select.Bind(1, id);
  if (!select.Step()) return std::nullopt;
  return ReadEntry(select);
}

bool SqlitePresetStore::SetHidden(int64_t id, bool hidden) {
  const std::lock_guard lock(mutex_);
  statements_->setHidden.Bind(1, hidden ? 1 : 0).Bind(2, id);
  return Changed(statements_->setHidden);
}

bool SqlitePresetStore::Delete(int64_t id) {
  const std::lock_guard lock(mutex_);
  statements_->remove.Bind(1, id);
  return Changed(statements_->remove);
}

bool SqlitePresetStore::Changed(SqliteStatement& statement) {
  Finish(statement);
  return sqlite3_changes(db_.Handle()) > 0;
}

int64_t SqlitePresetStore::Count() {
  const std::lock_guard lock(mutex_);
  auto& count = statements_->count;
  count.Step();
  const int64_t n = count.Int(0);
  count.Reset();
  return n;
}
