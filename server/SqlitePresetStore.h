// The presets in one SQLite file, committed with WAL and synchronous=FULL
// before an upload is acknowledged, so an answered upload survives a killed
// process or a power cut.
#pragma once

#include <memory>
#include <mutex>

#include "PresetStore.h"
#include "Sqlite.h"

class SqlitePresetStore : public PresetStore {
 public:
  explicit SqlitePresetStore(const std::string& path);
  ~SqlitePresetStore() override;

  StoreOutcome Add(const NewPreset& preset) override;
  std::vector<StoreOutcome> AddAll(const std::vector<NewPreset>& presets) override;
  std::vector<PresetListRow> List() override;
  std::optional<PresetImage> Download(int64_t id) override;
  std::optional<PresetImage> Image(int64_t id) override;
  CataloguePage Catalogue(const CatalogueQuery& query) override;
  std::optional<CatalogueEntry> Entry(int64_t id) override;
  bool SetHidden(int64_t id, bool hidden) override;
  bool Delete(int64_t id) override;
  int64_t Count() override;

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
