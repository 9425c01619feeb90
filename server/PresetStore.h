// The presets of the database server, kept in one SQLite file. Every write is
// committed with WAL and synchronous=FULL before it is acknowledged, so an
// answered upload survives a killed process or a power cut. Safe to share
// between the server's worker threads.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "PresetDatabase.h"
#include "PresetLayout.h"
#include "Sqlite.h"

struct NewPreset {
  PresetImage image{};
  std::string name;
  std::string song;
  std::string description;
  std::string uploader;  // the account name; empty for open uploads
};

struct StoreOutcome {
  int64_t id = 0;
  bool added = false;  // false: the same image was already stored under id
};

// What the web catalogue asks for: presets whose name, song, description or
// uploader holds search, in one order, one page at a time.
struct CatalogueQuery {
  enum class Sort { Newest, Name, Downloads };
  static constexpr int kPageSize = 50;

  std::string search;
  Sort sort = Sort::Newest;
  int page = 1;  // from 1
};

struct CatalogueEntry {
  int64_t id = 0;
  std::string name;
  std::string song;
  std::string description;
  std::string uploader;
  int64_t downloads = 0;
  std::string added;  // "YYYY-MM-DD HH:MM:SS", UTC
};

struct CataloguePage {
  std::vector<CatalogueEntry> entries;
  int64_t matches = 0;  // on every page together
};

class PresetStore {
 public:
  // Opens the file, creating it and its table on first use. Throws
  // SqliteError for a file that is not one of our databases.
  explicit PresetStore(const std::string& path);
  ~PresetStore();

  StoreOutcome Add(const NewPreset& preset);
  // All in one transaction: either every preset is stored or none.
  std::vector<StoreOutcome> AddAll(const std::vector<NewPreset>& presets);
  // Every preset in id order, downloads as decimal text.
  std::vector<PresetListRow> List();
  // Hidden presets are left out of everything below.
  // The image of preset id, counting the download; nothing for an unknown id.
  std::optional<PresetImage> Download(int64_t id);
  // The same without counting (HEAD requests).
  std::optional<PresetImage> Image(int64_t id);
  CataloguePage Catalogue(const CatalogueQuery& query);
  std::optional<CatalogueEntry> Entry(int64_t id);
  // Moderation; false for an unknown id.
  bool SetHidden(int64_t id, bool hidden);
  bool Delete(int64_t id);
  int64_t Count();

 private:
  struct Statements;
  StoreOutcome Insert(const NewPreset& preset);
  std::optional<PresetImage> ImageOf(SqliteStatement& query, int64_t id);
  // Runs a write; whether it touched a row.
  bool Changed(SqliteStatement& statement);

  std::mutex mutex_;
  SqliteDb db_;
  std::unique_ptr<Statements> statements_;
};
