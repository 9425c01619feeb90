#include "Pg.h"


namespace {

std::string Trimmed(const char* message) {
  std::string text = message ? message : "";
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

std::vector<uint8_t> PgResult::Bytes(int row, int column) const {
  std::size_t size = 0;
  unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(PQgetvalue(result_.get(), row, column)), &size);
  if (!bytes) throw PgError("out of memory reading a bytea column", "");
  std::vector<uint8_t> copy(bytes, bytes + size);
  PQfreemem(bytes);
  return copy;
}

int64_t PgResult::Affected() const {
  const char* count = PQcmdTuples(result_.get());
  return *count ? std::stoll(count) : 0;
}

PgConnection::PgConnection(const std::string& url) : conn_(PQconnectdb(url.c_str())) {
  if (PQstatus(conn_) != CONNECTION_OK) {
    const std::string message = "cannot open database " + url + ": " + Trimmed(PQerrorMessage(conn_));
    PQfinish(conn_);
    throw PgError(message, "");
  }
  // Notices ("relation already exists, skipping") are not for the log.
  PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);
}

PgConnection::~PgConnection() { PQfinish(conn_); }

PgResult PgConnection::Exec(const std::string& sql, const std::vector<PgParam>& params) {
  if (PQstatus(conn_) != CONNECTION_OK) PQreset(conn_);
  std::vector<const char*> values;
  std::vector<int> lengths;
  std::vector<int> formats;
  for (const PgParam& param : params) {
    values.push_back(param.value.data());
    lengths.push_back(static_cast<int>(param.value.size()));
    formats.push_back(param.binary ? 1 : 0);
  }
  PGresult* result = PQexecParams(conn_, sql.c_str(), static_cast<int>(params.size()), nullptr, values.data(),
                                  lengths.data(), formats.data(), 0);
  const ExecStatusType status = PQresultStatus(result);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    PgError error(Trimmed(result ? PQresultErrorMessage(result) : PQerrorMessage(conn_)), state ? state : "");
    PQclear(result);
    throw error;
  }
  return PgResult(result);
}

PgPool::PgPool(std::string url, std::size_t size) : url_(std::move(url)), size_(size) {
  idle_.push_back(std::make_unique<PgConnection>(url_));
  open_ = 1;
}

PgPool::Lease PgPool::Borrow() {
  std::unique_lock lock(mutex_);
  returned_.wait(lock, [&] { return !idle_.empty() || open_ < size_; });
  if (!idle_.empty()) {
    std::unique_ptr<PgConnection> connection = std::move(idle_.back());
    idle_.pop_back();
    return Lease(*this, std::move(connection));
  }
  ++open_;
  lock.unlock();
  try {
    return Lease(*this, std::make_unique<PgConnection>(url_));
  } catch (...) {
    const std::lock_guard relock(mutex_);
    --open_;
    returned_.notify_one();
    throw;
  }
}

void PgPool::Return(std::unique_ptr<PgConnection> connection) {
  const std::lock_guard lock(mutex_);
  idle_.push_back(std::move(connection));
  returned_.notify_one();
}

PgTransaction::~PgTransaction() {
  if (done_) return;
  try {
    connection_.Exec("ROLLBACK");
  } catch (const PgError&) {
    // The connection is gone; the server has rolled back already.
  }
}

void PgTransaction::Commit() {
  connection_.Exec("COMMIT");
  done_ = true;
}

bool IsPostgresUrl(const std::string& db) {
  return db.rfind("postgresql://", 0) == 0 || db.rfind("postgres://", 0) == 0;
}

std::string CreatePgDatabase(const std::string& serverUrl, const std::string& name) {
  PgConnection(serverUrl + "/postgres").Exec("CREATE DATABASE " + name);
  return serverUrl + "/" + name;
}
