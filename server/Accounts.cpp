#include "Accounts.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <stdexcept>

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

Accounts::Accounts(const std::string& path) : db_(path) {
  db_.Exec("PRAGMA busy_timeout=5000");
  db_.Exec(
      "CREATE TABLE IF NOT EXISTS accounts ("
      " name TEXT PRIMARY KEY,"
      " token_sha256 TEXT NOT NULL UNIQUE,"
      " added TEXT NOT NULL DEFAULT (datetime('now')))");
}

std::string Accounts::Add(const std::string& name) {
  const std::lock_guard lock(mutex_);
  const std::string token = NewToken();
  SqliteStatement insert(db_, "INSERT INTO accounts (name, token_sha256) VALUES (?, ?)");
  insert.Bind(1, name).Bind(2, Sha256Hex(token)).Step();
  return token;
}

std::vector<Account> Accounts::List() {
  const std::lock_guard lock(mutex_);
  SqliteStatement list(db_, "SELECT name, added FROM accounts ORDER BY name");
  std::vector<Account> accounts;
  while (list.Step()) accounts.push_back({list.Text(0), list.Text(1)});
  return accounts;
}

bool Accounts::Revoke(const std::string& name) {
  const std::lock_guard lock(mutex_);
  SqliteStatement remove(db_, "DELETE FROM accounts WHERE name = ?");
  remove.Bind(1, name).Step();
  return sqlite3_changes(db_.Handle()) > 0;
}

std::optional<std::string> Accounts::Holder(const std::string& token) {
  const std::lock_guard lock(mutex_);
  SqliteStatement find(db_, "SELECT name FROM accounts WHERE token_sha256 = ?");
  find.Bind(1, Sha256Hex(token));
  if (!find.Step()) return std::nullopt;
  return find.Text(0);
}
