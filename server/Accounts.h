// The upload accounts of the database server: a name and a token that only
// the account holder knows. Tokens are stored as SHA-256 digests, so a copy
// of the database gives nobody the right to upload. Safe to share between
// the server's worker threads.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>


struct Account {
  std::string name;
  std::string added;  // "YYYY-MM-DD HH:MM:SS", UTC
};

class Accounts {
 public:
  virtual ~Accounts() = default;

  // Creates the account and returns its new token; throws SqliteError or
  // PgError when the name is taken.
  std::string Add(const std::string& name);
  virtual std::vector<Account> List() = 0;
  // False for an unknown name.
  virtual bool Revoke(const std::string& name) = 0;
  // The account a token belongs to.
  std::optional<std::string> Holder(const std::string& token);

 protected:
  virtual void Insert(const std::string& name, const std::string& tokenDigest) = 0;
  virtual std::optional<std::string> NameFor(const std::string& tokenDigest) = 0;
};

// The accounts of db (a file name or a postgresql:// URL), creating their
// table on first use.
std::unique_ptr<Accounts> OpenAccounts(const std::string& db);

// Lower-case hex SHA-256 of text.
std::string Sha256Hex(const std::string& text);
