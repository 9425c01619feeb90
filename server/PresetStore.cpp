#include "PresetStore.h"

#include <algorithm>

namespace {

constexpr int kSchemaVersion = 1;

void CreateSchema(SqliteDb& db) {
  db.Exec("PRAGMA journal_mode=WAL");
  db.Exec("PRAGMA synchronous=FULL");
  db.Exec("PRAGMA busy_timeout=5000");
  SqliteStatement version(db, "PRAGMA user_version");
  version.Step();
  const int64_t found = version.Int(0);
  if (found > kSchemaVersion) {
    throw SqliteError("the database was made by a newer lindel-db-server (schema " + std::to_string(found) + ")",
                      SQLITE_MISMATCH);
  }
  if (found == kSchemaVersion) return;
  db.Exec(
      "CREATE TABLE IF NOT EXISTS presets ("
      " id INTEGER PRIMARY KEY AUTOINCREMENT,"
      " name TEXT NOT NULL,"
      " song TEXT NOT NULL,"
      " description TEXT NOT NULL,"
      " downloads INTEGER NOT NULL DEFAULT 0,"
      " image BLOB NOT NULL UNIQUE CHECK (length(image) = 615),"
      " added TEXT NOT NULL DEFAULT (datetime('now')))");
  db.Exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
}

// A statement with RETURNING commits only once it has run to its end.
void Finish(SqliteStatement& statement) {
  while (statement.Step()) {
  }
  statement.Reset();
}

}  // namespace

struct PresetStore::Statements {
  explicit Statements(const SqliteDb& db)
      : insert(db,
               "INSERT INTO presets (name, song, description, image) VALUES (?, ?, ?, ?)"
               " ON CONFLICT (image) DO NOTHING RETURNING id"),
        findImage(db, "SELECT id FROM presets WHERE image = ?"),
        list(db, "SELECT id, name, song, description, downloads FROM presets ORDER BY id"),
        download(db, "UPDATE presets SET downloads = downloads + 1 WHERE id = ? RETURNING image"),
        count(db, "SELECT count(*) FROM presets") {}

  SqliteStatement insert;
  SqliteStatement findImage;
  SqliteStatement list;
  SqliteStatement download;
  SqliteStatement count;
};

PresetStore::PresetStore(const std::string& path) : db_(path) {
  CreateSchema(db_);
  statements_ = std::make_unique<Statements>(db_);
}

PresetStore::~PresetStore() = default;

StoreOutcome PresetStore::Add(const NewPreset& preset) {
  const std::lock_guard lock(mutex_);
  return Insert(preset);
}

std::vector<StoreOutcome> PresetStore::AddAll(const std::vector<NewPreset>& presets) {
  const std::lock_guard lock(mutex_);
  SqliteTransaction transaction(db_);
  std::vector<StoreOutcome> outcomes;
  for (const NewPreset& preset : presets) outcomes.push_back(Insert(preset));
  transaction.Commit();
  return outcomes;
}

StoreOutcome PresetStore::Insert(const NewPreset& preset) {
  auto& insert = statements_->insert;
  insert.Bind(1, preset.name).Bind(2, preset.song).Bind(3, preset.description).Bind(4, preset.image);
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

std::vector<PresetListRow> PresetStore::List() {
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

std::optional<PresetImage> PresetStore::Download(int64_t id) {
  const std::lock_guard lock(mutex_);
  auto& download = statements_->download;
  download.Bind(1, id);
  if (!download.Step()) {
    download.Reset();
    return std::nullopt;
  }
  const std::vector<uint8_t> blob = download.Blob(0);
  Finish(download);
  PresetImage image{};
  std::copy_n(blob.begin(), std::min(blob.size(), image.size()), image.begin());
  return image;
}

int64_t PresetStore::Count() {
  const std::lock_guard lock(mutex_);
  auto& count = statements_->count;
  count.Step();
  const int64_t n = count.Int(0);
  count.Reset();
  return n;
}
