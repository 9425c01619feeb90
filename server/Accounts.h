// The upload accounts of the database server: a name and a token that only
// the account holder knows. Tokens are stored as SHA-256 digests, so a copy
// of the database gives nobody the right to upload. Safe to share between
// the server's worker threads.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Sqlite.h"

struct Account {
  std::string name;
  std::string added;  // "YYYY-MM-DD HH:MM:SS", UTC
};

class Accounts {
 public:
  // Opens the accounts of the database file, creating their table.
  explicit Accounts(const std::string& path);

  // Creates the account and returns its new token; throws SqliteError when
  // the name is taken.
  std::string Add(const std::string& name);
  std::vector<Account> List();
  // False for an unknown name.
  bool Revoke(const std::string& name);
  // The account a token belongs to.
  std::optional<std::string> Holder(const std::string& token);

 private:
  std::mutex mutex_;
  SqliteDb db_;
};

// Lower-case hex SHA-256 of text.
std::string Sha256Hex(const std::string& text);
