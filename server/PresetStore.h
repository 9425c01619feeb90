// The presets of the database server and what the web catalogue asks of them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PresetDatabase.h"
#include "PresetLayout.h"

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

// Where the server keeps its presets: one SQLite file, or a PostgreSQL
// database that several server processes share. Every write is committed
// before it is acknowledged. Safe to share between the worker threads.
class PresetStore {
 public:
  virtual ~PresetStore() = default;

  // Storing an image that is there already returns its id, added false.
  virtual StoreOutcome Add(const NewPreset& preset) = 0;
  // All in one transaction: either every preset is stored or none.
  virtual std::vector<StoreOutcome> AddAll(const std::vector<NewPreset>& presets) = 0;
  // Every preset in id order, downloads as decimal text.
  virtual std::vector<PresetListRow> List() = 0;
  // Hidden presets are left out of everything below.
  // The image of preset id, counting the download; nothing for an unknown id.
  virtual std::optional<PresetImage> Download(int64_t id) = 0;
  // The same without counting (HEAD requests).
  virtual std::optional<PresetImage> Image(int64_t id) = 0;
  virtual CataloguePage Catalogue(const CatalogueQuery& query) = 0;
  virtual std::optional<CatalogueEntry> Entry(int64_t id) = 0;
  // Moderation; false for an unknown id.
  virtual bool SetHidden(int64_t id, bool hidden) = 0;
  virtual bool Delete(int64_t id) = 0;
  virtual int64_t Count() = 0;
};

// db is a file name or a postgresql:// URL. Creates the tables on first use;
// throws SqliteError or PgError for a database that cannot be opened or is
// not one of ours.
std::unique_ptr<PresetStore> OpenPresetStore(const std::string& db);

// Texts a catalogue search matches: LIKE's wildcards in it match only themselves.
std::string CatalogueLikePattern(const std::string& search);
