#include "Sqlite.h"

#include <cstdio>

namespace {

[[noreturn]] void Throw(sqlite3* db, const std::string& context, int rc) {
  const std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  throw SqliteError(context + ": " + message);
}

}  // namespace

// No locking inside SQLite: a connection is only ever used by one thread at
// a time (the server's stores hold their own locks), and the per-call
// mutexes are several percent of an import of many presets.
SqliteDb::SqliteDb(const std::string& path) {
  const int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                 nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteError("cannot open database " + path + ": " + message);
  }
}

SqliteDb::~SqliteDb() { sqlite3_close(db_); }

void SqliteDb::Exec(const std::string& sql) {
  const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) Throw(db_, sql, rc);
}

void SqliteDb::BackupTo(const std::string& path) {
  const std::string partial = path + ".partial";
  std::remove(partial.c_str());
  {
    SqliteDb copy(partial);
    sqlite3_backup* backup = sqlite3_backup_init(copy.Handle(), "main", db_, "main");
    if (!backup) Throw(copy.Handle(), "backup to " + path, SQLITE_ERROR);
    int rc = SQLITE_OK;
    // A few pages at a time: a writer that changes the source restarts the
    // copy, and between steps writers are not held up.
    while ((rc = sqlite3_backup_step(backup, 256)) == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
      if (rc != SQLITE_OK) sqlite3_sleep(10);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
      std::remove(partial.c_str());
      Throw(copy.Handle(), "backup to " + path, rc);
    }
    copy.Exec("PRAGMA journal_mode=DELETE");
  }
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    throw SqliteError("cannot rename the backup to " + path);
  }
}
void SqliteDb::SetBusyTimeout(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

int64_t SqliteDb::LastInsertId() const { return sqlite3_last_insert_rowid(db_); }

SqliteStatement::SqliteStatement(const SqliteDb& db, const char* sql) : db_(db.Handle()) {
  const int rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
  if (rc != SQLITE_OK) Throw(db_, sql, rc);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

SqliteStatement& SqliteStatement::Bind(int index, int64_t value) {
  Check(sqlite3_bind_int64(stmt_, index, value));
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, const std::string& text) {
  Check(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::span<const uint8_t> blob) {
  Check(sqlite3_bind_blob(stmt_, index, blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT));
  return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index) {
  Check(sqlite3_bind_null(stmt_, index));
  return *this;
}

bool SqliteStatement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  Fail();
}

void SqliteStatement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string SqliteStatement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
}

std::vector<uint8_t> SqliteStatement::Blob(int column) const {
  const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
  return data ? std::vector<uint8_t>(data, data + sqlite3_column_bytes(stmt_, column)) : std::vector<uint8_t>();
}

bool SqliteStatement::IsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

void SqliteStatement::Check(int rc) {
  if (rc != SQLITE_OK) Fail();
}

void SqliteStatement::Fail() {
  const std::string message = std::string(sqlite3_sql(stmt_)) + ": " + sqlite3_errmsg(db_);
  // Left ready for its next use, whatever the caller does with the error.
  Reset();
  throw SqliteError(message);
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : db_(db) { db_.Exec("BEGIN IMMEDIATE"); }

SqliteTransaction::~SqliteTransaction() {
  if (!done_) sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::Commit() {
  db_.Exec("COMMIT");
  done_ = true;
}
