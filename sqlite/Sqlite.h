// A thin RAII layer over the SQLite C API: one connection, prepared
// statements with bound values, and an exception for every failure, so the
// store above it reads as plain steps.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class SqliteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SqliteDb {
 public:
  // Opens or creates the database file.
  explicit SqliteDb(const std::string& path);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // Runs statements that take no values and return no rows.
  void Exec(const std::string& sql);
  // Writes a consistent copy of the open database to path, while other
  // connections go on reading and writing. The copy appears whole or not at
  // all (written beside path, then renamed).
  void BackupTo(const std::string& path);
  // How long a statement waits for another connection's lock before failing.
  void SetBusyTimeout(int milliseconds);
  // The rowid of the last row this connection inserted.
  int64_t LastInsertId() const;
  sqlite3* Handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

class SqliteStatement {
 public:
  SqliteStatement(const SqliteDb& db, const char* sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Values are bound by position, counting from 1.
  SqliteStatement& Bind(int index, int64_t value);
  SqliteStatement& Bind(int index, const std::string& text);
  SqliteStatement& Bind(int index, std::span<const uint8_t> blob);
  SqliteStatement& BindNull(int index);
  // True while a row is ready; false once the statement is done.
  bool Step();
  // Ready for the next use with new values.
  void Reset();

  int64_t Int(int column) const;
  std::string Text(int column) const;
  std::vector<uint8_t> Blob(int column) const;
  bool IsNull(int column) const;

 private:
  void Check(int rc);
  [[noreturn]] void Fail();

  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// Begins a transaction that rolls back unless Commit is called.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteDb& db);
  ~SqliteTransaction();
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;
  void Commit();

 private:
  SqliteDb& db_;
  bool done_ = false;
};
