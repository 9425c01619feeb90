// The preset library: one entry per sound (see Fingerprint.h), with every
// name it arrived under, every place it came from, tags, favourite, hidden,
// a comment and the entry it was edited from. Nothing leaves it but Purge.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PresetLayout.h"
#include "SearchQuery.h"
#include "Sqlite.h"

// Where a preset came from. kind: "file" (detail the path, slot the slot),
// "dump", "device", "internet" (detail the database id) or "editor".
struct LibrarySource {
  std::string kind;
  std::string detail;
  int slot = -1;     // -1: no slot
  int64_t seen = 0;  // seconds since 1970; 0 when kept: now
};

// What a list of entries shows.
struct EntryRow {
  int64_t id = 0;
  std::string name;
  std::string tags;  // joined by ", "
  bool favourite = false;
  bool hidden = false;
  unsigned blocksOn = 0;  // bit i: LibraryBlocks()[i] is on
  int64_t lastSeen = 0;
  std::optional<int64_t> parent;
};

struct LibraryEntry {
  EntryRow row;
  std::vector<std::string> aliases;  // in the order they first arrived
  std::vector<std::string> tags;
  std::string comment;
  std::string fingerprint;
  std::vector<LibrarySource> sources;
  int64_t firstSeen = 0;
  PresetImage image{};  // the latest image the sound arrived in
};

struct KeepResult {
  int64_t id = 0;
  bool added = false;  // false: the sound was there already
};

struct LibraryStats {
  int64_t entries = 0, hidden = 0, favourites = 0, aliases = 0, sources = 0, tags = 0, versions = 0;
};

class PresetLibrary {
 public:
  // Opens or creates the file (and its folder), in WAL mode with a busy
  // time-out, migrated to the current schema. Throws LibraryError with a
  // message that names the file and what to do.
  explicit PresetLibrary(const std::string& path);

  const std::string& Path() const { return path_; }
  // Keeps many presets at once: they are on disk together when it commits.
  SqliteTransaction Batch() { return SqliteTransaction(db_); }
  // For the stores that keep their own tables in the same file (banks).
  SqliteDb& Database() { return db_; }

  // A valid preset image. The same sound again adds its name (as an alias,
  // and as the name unless the user renamed the entry) and the source.
  KeepResult Keep(const PresetImage& image, const LibrarySource& source);
  // The edited sound as a new entry linked to parent (or the entry that
  // already holds that sound).
  KeepResult KeepVersion(const PresetImage& image, int64_t parent, const LibrarySource& source);

  std::optional<LibraryEntry> Entry(int64_t id) const;
  std::vector<EntryRow> Search(const SearchQuery& query) const;
  // The entry's lineage: from the first version down to every later one,
  // each after the one it was edited from.
  std::vector<EntryRow> History(int64_t id) const;
  LibraryStats Stats() const;

  void AddTags(int64_t id, const std::vector<std::string>& tags);
  void RemoveTags(int64_t id, const std::vector<std::string>& tags);
  void SetFavourite(int64_t id, bool favourite);
  void SetHidden(int64_t id, bool hidden);
  // The name stays until the user renames it again; later arrivals only add aliases.
  void Rename(int64_t id, const std::string& name);
  void SetComment(int64_t id, const std::string& comment);
  // Deletes the entry for good; later versions lose their link to it.
  void Purge(int64_t id);

 private:
  std::optional<int64_t> FindSound(const PresetImage& image, const std::string& fingerprint);
  int64_t AddEntry(const PresetImage& image, const std::string& fingerprint, const std::string& name, int64_t now);
  void Arrived(int64_t id, const PresetImage& image, const std::string& name, const LibrarySource& source,
               int64_t now);
  void AddNameAndSource(int64_t id, const std::string& name, const LibrarySource& source, int64_t now);
  void RefreshSearchText(int64_t id);
  // The statement for sql, made once and ready for new values.
  SqliteStatement& Prepared(const char* sql) const;
  void RequireEntry(int64_t id) const;
  void UpdateFlag(const char* sql, int64_t id, int64_t value);

  std::string path_;
  SqliteDb db_;
  mutable std::map<const char*, std::unique_ptr<SqliteStatement>> statements_;
};
