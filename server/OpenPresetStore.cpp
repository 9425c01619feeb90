#include "PgPresetStore.h"
#include "PresetStore.h"
#include "SqlitePresetStore.h"

std::unique_ptr<PresetStore> OpenPresetStore(const std::string& db) {
  if (IsPostgresUrl(db)) return std::make_unique<PgPresetStore>(db);
  return std::make_unique<SqlitePresetStore>(db);
}

std::string CatalogueLikePattern(const std::string& search) {
  std::string pattern = "%";
  for (char c : search) {
    if (c == '%' || c == '_' || c == '\\') pattern += '\\';
    pattern += c;
  }
  return pattern + "%";
}
