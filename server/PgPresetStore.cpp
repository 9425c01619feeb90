#include "PgPresetStore.h"

#include <algorithm>

namespace {

constexpr int kSchemaVersion = 1;
constexpr std::size_t kLargeImport = 1000;
// Serialises the schema check of servers that start together.
constexpr int64_t kSchemaLock = 0x4c696e64;

const char* const kCreateStatements[] = {
    "CREATE TABLE IF NOT EXISTS lindel_schema (version INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS presets ("
    " id BIGSERIAL PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " song TEXT NOT NULL,"
    " description TEXT NOT NULL,"
    " downloads BIGINT NOT NULL DEFAULT 0,"
    " image BYTEA NOT NULL UNIQUE CHECK (length(image) = 615),"
    " added TEXT NOT NULL DEFAULT to_char(now() AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS'),"
    " uploader TEXT NOT NULL DEFAULT '',"
    " hidden INTEGER NOT NULL DEFAULT 0)",
    // The images live out of line, so that a search reads narrow rows of text.
    "ALTER TABLE presets ALTER COLUMN image SET STORAGE EXTERNAL",
    "ALTER TABLE presets SET (toast_tuple_target = 128)",
    "CREATE INDEX IF NOT EXISTS presets_by_name ON presets (hidden, lower(name), id)",
    "CREATE INDEX IF NOT EXISTS presets_by_downloads ON presets (hidden, downloads DESC, id)",
    "CREATE TABLE IF NOT EXISTS accounts ("
    " name TEXT PRIMARY KEY,"
    " token_sha256 TEXT NOT NULL UNIQUE,"
    " added TEXT NOT NULL DEFAULT to_char(now() AT TIME ZONE 'UTC', 'YYYY-MM-DD HH24:MI:SS'))",
};

// The four texts a catalogue search looks in, as one: a trigram index over it
// answers a search without reading every row. \x01 never occurs in a stored
// text, so a match never spans two of them.
const std::string kSearchText = "(name || E'\\x01' || song || E'\\x01' || description || E'\\x01' || uploader)";

// The search index needs the pg_trgm extension, which the database's owner
// may create; without it a search reads every row, slower but the same.
// Uploads go into the index at once (no pending list), so searches stay fast
// between vacuums.
void CreateSearchIndex(PgConnection& connection) {
  connection.Exec("SAVEPOINT search_index");
  try {
    connection.Exec("CREATE EXTENSION IF NOT EXISTS pg_trgm");
    connection.Exec("CREATE INDEX IF NOT EXISTS presets_texts ON presets USING gin (" + kSearchText + " gin_trgm_ops) WITH (fastupdate = off)");
    connection.Exec("RELEASE SAVEPOINT search_index");
  } catch (const PgError&) {
    connection.Exec("ROLLBACK TO SAVEPOINT search_index");
  }
}

constexpr const char* kEntryColumns = "id, name, song, description, uploader, downloads, added";

std::string CatalogueWhere(const CatalogueQuery& query) {
  if (query.search.empty()) return " WHERE hidden = 0";
  return " WHERE hidden = 0 AND " + kSearchText + " ILIKE $1";
}

const char* CatalogueOrder(CatalogueQuery::Sort sort) {
  switch (sort) {
    case CatalogueQuery::Sort::Name: return " ORDER BY lower(name), id";
    case CatalogueQuery::Sort::Downloads: return " ORDER BY downloads DESC, id";
    case CatalogueQuery::Sort::Newest: break;
  }
  return " ORDER BY id DESC";
}

CatalogueEntry ReadEntry(const PgResult& rows, int row) {
  return {rows.Int(row, 0),  rows.Text(row, 1), rows.Text(row, 2), rows.Text(row, 3),
          rows.Text(row, 4), rows.Int(row, 5),  rows.Text(row, 6)};
}

StoreOutcome Insert(PgConnection& connection, const NewPreset& preset) {
  const PgResult inserted = connection.Exec(
      "INSERT INTO presets (name, song, description, image, uploader) VALUES ($1, $2, $3, $4, $5)"
      " ON CONFLICT (image) DO NOTHING RETURNING id",
      {preset.name, preset.song, preset.description, preset.image, preset.uploader});
  if (inserted.Rows() == 1) return {inserted.Int(0, 0), true};
  const PgResult found = connection.Exec("SELECT id FROM presets WHERE image = $1", {preset.image});
  if (found.Rows() != 1) throw PgError("the preset was deleted while it was stored again", "");
  return {found.Int(0, 0), false};
}

}  // namespace

void CreatePgSchema(PgConnection& connection) {
  PgTransaction transaction(connection);
  connection.Exec("SELECT pg_advisory_xact_lock($1)", {kSchemaLock});
  for (const char* statement : kCreateStatements) connection.Exec(statement);
  CreateSearchIndex(connection);
  const PgResult version = connection.Exec("SELECT coalesce(max(version), 0) FROM lindel_schema");
  const int64_t found = version.Int(0, 0);
  if (found > kSchemaVersion) {
    throw PgError("the database was made by a newer lindel-db-server (schema " + std::to_string(found) + ")", "");
  }
  if (found == 0) connection.Exec("INSERT INTO lindel_schema (version) VALUES ($1)", {int64_t{kSchemaVersion}});
  transaction.Commit();
}

PgPresetStore::PgPresetStore(const std::string& url) : pool_(url, kConnections) {
  auto connection = pool_.Borrow();
  CreatePgSchema(*connection);
}

StoreOutcome PgPresetStore::Add(const NewPreset& preset) {
  auto connection = pool_.Borrow();
  return Insert(*connection, preset);
}

std::vector<StoreOutcome> PgPresetStore::AddAll(const std::vector<NewPreset>& presets) {
  auto connection = pool_.Borrow();
  PgTransaction transaction(*connection);
  std::vector<StoreOutcome> outcomes;
  for (const NewPreset& preset : presets) outcomes.push_back(Insert(*connection, preset));
  transaction.Commit();
  // A large import changes the table more than the planner knows until
  // autovacuum comes round; searches would pick slow plans meanwhile.
  if (presets.size() >= kLargeImport) connection->Exec("ANALYZE presets");
  return outcomes;
}

std::vector<PresetListRow> PgPresetStore::List() {
  const PgResult rows =
      pool_.Borrow()->Exec("SELECT id, name, song, description, downloads FROM presets WHERE hidden = 0 ORDER BY id");
  std::vector<PresetListRow> list;
  for (int row = 0; row < rows.Rows(); ++row) {
    list.push_back({static_cast<int32_t>(rows.Int(row, 0)), rows.Text(row, 1), rows.Text(row, 2), rows.Text(row, 3),
                    rows.Text(row, 4)});
  }
  return list;
}

std::optional<PresetImage> PgPresetStore::Download(int64_t id) {
  return ImageOf("UPDATE presets SET downloads = downloads + 1 WHERE id = $1 AND hidden = 0 RETURNING image", id);
}

std::optional<PresetImage> PgPresetStore::Image(int64_t id) {
  return ImageOf("SELECT image FROM presets WHERE id = $1 AND hidden = 0", id);
}

std::optional<PresetImage> PgPresetStore::ImageOf(const std::string& sql, int64_t id) {
  const PgResult rows = pool_.Borrow()->Exec(sql, {id});
  if (rows.Rows() == 0) return std::nullopt;
  const std::vector<uint8_t> bytes = rows.Bytes(0, 0);
  PresetImage image{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
  return image;
}

CataloguePage PgPresetStore::Catalogue(const CatalogueQuery& query) {
  const std::string where = CatalogueWhere(query);
  std::vector<PgParam> params;
  if (!query.search.empty()) params.emplace_back(CatalogueLikePattern(query.search));
  auto connection = pool_.Borrow();
  CataloguePage page;
  page.matches = connection->Exec("SELECT count(*) FROM presets" + where, params).Int(0, 0);
  const std::string limit = " LIMIT " + std::to_string(CatalogueQuery::kPageSize) + " OFFSET " +
                            std::to_string(int64_t{std::max(query.page - 1, 0)} * CatalogueQuery::kPageSize);
  const PgResult rows = connection->Exec(
      std::string("SELECT ") + kEntryColumns + " FROM presets" + where + CatalogueOrder(query.sort) + limit, params);
  for (int row = 0; row < rows.Rows(); ++row) page.entries.push_back(ReadEntry(rows, row));
  return page;
}

std::optional<CatalogueEntry> PgPresetStore::Entry(int64_t id) {
  const PgResult rows =
      pool_.Borrow()->Exec(std::string("SELECT ") + kEntryColumns + " FROM presets WHERE id = $1 AND hidden = 0", {id});
  if (rows.Rows() == 0) return std::nullopt;
  return ReadEntry(rows, 0);
}

bool PgPresetStore::SetHidden(int64_t id, bool hidden) {
  return pool_.Borrow()->Exec("UPDATE presets SET hidden = $1 WHERE id = $2", {int64_t{hidden ? 1 : 0}, id}).Affected() > 0;
}

bool PgPresetStore::Delete(int64_t id) {
  return pool_.Borrow()->Exec("DELETE FROM presets WHERE id = $1", {id}).Affected() > 0;
}

int64_t PgPresetStore::Count() {
  return pool_.Borrow()->Exec("SELECT count(*) FROM presets WHERE hidden = 0").Int(0, 0);
}
