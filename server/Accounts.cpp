#include "Accounts.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <mutex>
#include <stdexcept>

#include "PgPresetStore.h"
#include "Sqlite.h"

namespace {

constexpr std::size_t kTokenBytes = 24;

std::string Hex(const unsigned char* bytes, std::size_t count) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (std::size_t i = 0; i < count; ++i) {
    hex += kDigits[bytes[i] >> 4];
    hex += kDigits[bytes[i] & 0xF];
  }
  return hex;
}

std::string NewToken() {
  std::array<unsigned char, kTokenBytes> bytes{};
  if (RAND_bytes(bytes.data(), bytes.size()) != 1) throw std::runtime_error("no random bytes for a token");
  return Hex(bytes.data(), bytes.size());
}

}  // namespace

std::string Sha256Hex(const std::string& text) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int size = 0;
  if (EVP_Digest(text.data(), text.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1) {
    throw std::runtime_error("SHA-256 failed");
  }
  return Hex(digest.data(), size);
}

std::string Accounts::Add(const std::string& name) {
  const std::string token = NewToken();
  Insert(name, Sha256Hex(token));
  return token;
}

std::optional<std::string> Accounts::Holder(const std::string& token) { return NameFor(Sha256Hex(token)); }

namespace {

class SqliteAccounts : public Accounts {
 public:
  explicit SqliteAccounts(const std::string& path) : db_(path) {
    db_.Exec("PRAGMA busy_timeout=5000");
    db_.Exec(
        "CREATE TABLE IF NOT EXISTS accounts ("
        " name TEXT PRIMARY KEY,"
        " token_sha256 TEXT NOT NULL UNIQUE,"
        " added TEXT NOT NULL DEFAULT (datetime('now')))");
  }

  std::vector<Account> List() override {
    const std::lock_guard lock(mutex_);
    SqliteStatement list(db_, "SELECT name, added FROM accounts ORDER BY name");
    std::vector<Account> accounts;
    while (list.Step()) accounts.push_back({list.Text(0), list.Text(1)});
    return accounts;
  }

  bool Revoke(const std::string& name) override {
    const std::lock_guard lock(mutex_);
    SqliteStatement remove(db_, "DELETE FROM accounts WHERE name = ?");
    remove.Bind(1, name).Step();
    return sqlite3_changes(db_.Handle()) > 0;
  }

 protected:
  void Insert(const std::string& name, const std::string& tokenDigest) override {
    const std::lock_guard lock(mutex_);
    SqliteStatement insert(db_, "INSERT INTO accounts (name, token_sha256) VALUES (?, ?)");
    insert.Bind(1, name).Bind(2, tokenDigest).Step();
  }

  std::optional<std::string> NameFor(const std::string& tokenDigest) override {
    const std::lock_guard lock(mutex_);
    SqliteStatement find(db_, "SELECT name FROM accounts WHERE token_sha256 = ?");
    find.Bind(1, tokenDigest);
    if (!find.Step()) return std::nullopt;
    return find.Text(0);
  }

 private:
  std::mutex mutex_;
  SqliteDb db_;
};

class PgAccounts : public Accounts {
 public:
  explicit PgAccounts(const std::string& url) : connection_(url) { CreatePgSchema(connection_); }

  std::vector<Account> List() override {
    const std::lock_guard lock(mutex_);
    const PgResult rows = connection_.Exec("SELECT name, added FROM accounts ORDER BY name");
    std::vector<Account> accounts;
    for (int row = 0; row < rows.Rows(); ++row) accounts.push_back({rows.Text(row, 0), rows.Text(row, 1)});
    return accounts;
  }

  bool Revoke(const std::string& name) override {
    const std::lock_guard lock(mutex_);
    return connection_.Exec("DELETE FROM accounts WHERE name = $1", {name}).Affected() > 0;
  }

 protected:
  void Insert(const std::string& name, const std::string& tokenDigest) override {
    const std::lock_guard lock(mutex_);
    connection_.Exec("INSERT INTO accounts (name, token_sha256) VALUES ($1, $2)", {name, tokenDigest});
  }

  std::optional<std::string> NameFor(const std::string& tokenDigest) override {
    const std::lock_guard lock(mutex_);
    const PgResult rows = connection_.Exec("SELECT name FROM accounts WHERE token_sha256 = $1", {tokenDigest});
    if (rows.Rows() == 0) return std::nullopt;
    return rows.Text(0, 0);
  }

 private:
  std::mutex mutex_;
  PgConnection connection_;
};

}  // namespace

std::unique_ptr<Accounts> OpenAccounts(const std::string& db) {
  if (IsPostgresUrl(db)) return std::make_unique<PgAccounts>(db);
  return std::make_unique<SqliteAccounts>(db);
}
