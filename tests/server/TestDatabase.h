// The database a server test runs on: a file in the test's folder, or, when
// LINDEL_TEST_POSTGRES names a PostgreSQL server (scripts/pg-services.sh
// sets it), a database of its own on that server. One name gives one
// database for the whole test, so a test can reopen what it stored.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>

#include "Pg.h"
#include "TempDir.h"

inline bool OnPostgres() { return std::getenv("LINDEL_TEST_POSTGRES") != nullptr; }

inline std::string TestDatabase(const TempDir& dir, const std::string& name) {
  const char* server = std::getenv("LINDEL_TEST_POSTGRES");
  if (!server) return dir.File(name);
  static std::map<std::string, std::string> made;
  const std::string key = dir.File(name);
  if (auto found = made.find(key); found != made.end()) return found->second;
  const std::string database = "t" + std::to_string(getpid()) + "_" + std::to_string(made.size());
  return made[key] = CreatePgDatabase(server, database);
}
