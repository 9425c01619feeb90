// A small RAII layer over libpq: one connection, statements with text or
// binary parameters, results freed on every path, failures as PgError.
#pragma once

#include <libpq-fe.h>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class PgError : public std::runtime_error {
 public:
  PgError(const std::string& what, std::string sqlState) : std::runtime_error(what), sqlState_(std::move(sqlState)) {}
  // The five-character SQLSTATE ("23505" for a unique violation), empty when
  // the connection itself failed.
  const std::string& SqlState() const { return sqlState_; }

 private:
  std::string sqlState_;
};

// One parameter: text, or bytes sent as binary (bytea).
struct PgParam {
  PgParam(std::string text) : value(std::move(text)) {}
  PgParam(const char* text) : value(text) {}
  PgParam(int64_t number) : value(std::to_string(number)) {}
  template <std::size_t N>
  PgParam(const std::array<uint8_t, N>& bytes) : value(bytes.begin(), bytes.end()), binary(true) {}

  std::string value;
  bool binary = false;
};

class PgResult {
 public:
  explicit PgResult(PGresult* result) : result_(result, PQclear) {}
  int Rows() const { return PQntuples(result_.get()); }
  std::string Text(int row, int column) const { return PQgetvalue(result_.get(), row, column); }
  int64_t Int(int row, int column) const { return std::stoll(Text(row, column)); }
  // A bytea column.
  std::vector<uint8_t> Bytes(int row, int column) const;
  // Rows an UPDATE or DELETE touched.
  int64_t Affected() const;

 private:
  std::unique_ptr<PGresult, void (*)(PGresult*)> result_;
};

class PgConnection {
 public:
  // url: postgresql://USER@HOST:PORT/NAME (any form libpq takes). Throws PgError.
  explicit PgConnection(const std::string& url);
  ~PgConnection();
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // Runs one statement; throws PgError when it fails. A connection the
  // server dropped is opened again first.
  PgResult Exec(const std::string& sql, const std::vector<PgParam>& params = {});

 private:

  PGconn* conn_ = nullptr;
};

// Connections for the server's worker threads: each statement or transaction
// borrows one, so uploads on several threads commit side by side.
class PgPool {
 public:
  // Opens the first connection at once, so a wrong URL fails here.
  PgPool(std::string url, std::size_t size);

  class Lease {
   public:
    Lease(PgPool& pool, std::unique_ptr<PgConnection> connection) : pool_(pool), connection_(std::move(connection)) {}
    ~Lease() { pool_.Return(std::move(connection_)); }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    PgConnection* operator->() { return connection_.get(); }
    PgConnection& operator*() { return *connection_; }

   private:
    PgPool& pool_;
    std::unique_ptr<PgConnection> connection_;
  };

  Lease Borrow();

 private:
  void Return(std::unique_ptr<PgConnection> connection);

  const std::string url_;
  const std::size_t size_;
  std::mutex mutex_;
  std::condition_variable returned_;
  std::vector<std::unique_ptr<PgConnection>> idle_;
  std::size_t open_ = 0;
};

// A transaction on a borrowed connection: rolled back unless committed.
class PgTransaction {
 public:
  explicit PgTransaction(PgConnection& connection) : connection_(connection) { connection_.Exec("BEGIN"); }
  ~PgTransaction();
  void Commit();

 private:
  PgConnection& connection_;
  bool done_ = false;
};

bool IsPostgresUrl(const std::string& db);

// Creates database name on the server at serverUrl (a URL without a database
// name) and returns its URL; for tests and benchmarks.
std::string CreatePgDatabase(const std::string& serverUrl, const std::string& name);
