// The presets in a PostgreSQL database, so that several server processes on
// several machines serve one catalogue. An image is stored once however many
// servers receive it at the same moment: the unique image column decides.
#pragma once

#include "Pg.h"
#include "PresetStore.h"

class PgPresetStore : public PresetStore {
 public:
  // Connections at most, shared by the worker threads.
  static constexpr std::size_t kConnections = 8;

  explicit PgPresetStore(const std::string& url);

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
  std::optional<PresetImage> ImageOf(const std::string& sql, int64_t id);

  PgPool pool_;
};

// Creates the tables of presets and accounts when they are missing; throws
// PgError for a database made by a newer server.
void CreatePgSchema(PgConnection& connection);
