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
};

struct StoreOutcome {
  int64_t id = 0;
  bool added = false;  // false: the same image was already stored under id
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
  // The image of preset id, counting the download; nothing for an unknown id.
  std::optional<PresetImage> Download(int64_t id);
  int64_t Count();

 private:
  struct Statements;
  StoreOutcome Insert(const NewPreset& preset);

  std::mutex mutex_;
  SqliteDb db_;
  std::unique_ptr<Statements> statements_;
};
