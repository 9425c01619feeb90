#include "LibraryCommands.h"

#include <cstdio>
#include <ctime>
#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>

#include "CommandLine.h"
#include "LibraryError.h"
#include "LibraryExport.h"
#include "LibraryImport.h"
#include "LibraryPath.h"
#include "PresetLibrary.h"
#include "PresetText.h"

namespace {

using Json = nlohmann::json;

PresetLibrary Open(const std::string& libraryPath) { return PresetLibrary(LibraryPath(libraryPath)); }

LibraryEntry Require(const PresetLibrary& library, int64_t id) {
  std::optional<LibraryEntry> entry = library.Entry(id);
  if (!entry) throw LibraryError("no library entry " + std::to_string(id));
  return std::move(*entry);
}

std::string TimeText(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&t, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

Json SourceJson(const LibrarySource& s) {
  return {{"kind", s.kind}, {"detail", s.detail}, {"slot", s.slot < 0 ? Json(nullptr) : Json(s.slot)},
          {"seen", TimeText(s.seen)}};
}

Json EntryJson(const LibraryEntry& e) {
  Json sources = Json::array();
  for (const LibrarySource& s : e.sources) sources.push_back(SourceJson(s));
  return {{"id", e.row.id},
          {"name", e.row.name},
          {"aliases", e.aliases},
          {"tags", e.tags},
          {"favourite", e.row.favourite},
          {"hidden", e.row.hidden},
          {"comment", e.comment},
          {"fingerprint", e.fingerprint},
          {"sources", sources},
          {"first_seen", TimeText(e.firstSeen)},
          {"last_seen", TimeText(e.row.lastSeen)},
          {"parent", e.row.parent ? Json(*e.row.parent) : Json(nullptr)}};
}

// "  12  Clean Dual            * live, lead"
void PrintRow(const EntryRow& row, const char* mark = "") {
  std::cout << mark << std::right << std::setw(6) << row.id << "  " << std::left << std::setw(20) << row.name
            << (row.favourite ? " *" : "  ") << (row.hidden ? " (hidden)" : "")
            << (row.tags.empty() ? "" : "  " + row.tags) << "\n";
}

}  // namespace

int LibraryImportPaths(const std::string& libraryPath, const std::vector<std::string>& paths) {
  const std::vector<std::string> files = ImportFiles(paths);
  PresetLibrary library = Open(libraryPath);
  ImportCounts counts;
  for (const std::string& file : files) {
    ImportFile(library, file, counts, [](const std::string& why) { std::cerr << "refused: " << why << "\n"; });
  }
  std::cout << counts.Line() << "\n";
  return counts.refused == 0 ? ExitCode::Ok : ExitCode::Failed;
}

int LibrarySearch(const std::string& libraryPath, bool json, const std::vector<std::string>& terms) {
  const SearchQuery query = ParseSearch(terms);
  const PresetLibrary library = Open(libraryPath);
  const std::vector<EntryRow> rows = library.Search(query);
  if (!json) {
    for (const EntryRow& row : rows) PrintRow(row);
    return ExitCode::Ok;
  }
  Json list = Json::array();
  for (const EntryRow& row : rows) list.push_back(EntryJson(Require(library, row.id)));
  std::cout << list.dump(2) << "\n";
  return ExitCode::Ok;
}

int LibraryShow(const std::string& libraryPath, int64_t id) {
  PrintPresetText(ExportImage(Require(Open(libraryPath), id)));
  return ExitCode::Ok;
}

int LibraryTag(const std::string& libraryPath, int64_t id, const std::vector<std::string>& tags, bool remove) {
  PresetLibrary library = Open(libraryPath);
  remove ? library.RemoveTags(id, tags) : library.AddTags(id, tags);
  return ExitCode::Ok;
}

int LibraryFavourite(const std::string& libraryPath, int64_t id, bool on) {
  Open(libraryPath).SetFavourite(id, on);
  return ExitCode::Ok;
}

int LibraryHide(const std::string& libraryPath, int64_t id, bool on) {
  Open(libraryPath).SetHidden(id, on);
  return ExitCode::Ok;
}

int LibraryRename(const std::string& libraryPath, int64_t id, const std::string& name) {
  Open(libraryPath).Rename(id, name);
  return ExitCode::Ok;
}

int LibraryComment(const std::string& libraryPath, int64_t id, const std::string& comment) {
  Open(libraryPath).SetComment(id, comment);
  return ExitCode::Ok;
}

int LibraryPurge(const std::string& libraryPath, int64_t id) {
  Open(libraryPath).Purge(id);
  return ExitCode::Ok;
}

int LibraryHistory(const std::string& libraryPath, int64_t id) {
  for (const EntryRow& row : Open(libraryPath).History(id)) PrintRow(row, row.id == id ? "> " : "  ");
  return ExitCode::Ok;
}

int LibraryExport(const std::string& libraryPath, const std::vector<int64_t>& ids, const std::string& out) {
  ExportEntries(Open(libraryPath), ids, out);
  return ExitCode::Ok;
}

int LibraryStatsOf(const std::string& libraryPath) {
  const PresetLibrary library = Open(libraryPath);
  const LibraryStats s = library.Stats();
  std::cout << "library     " << library.Path() << "\n"
            << "entries     " << s.entries << " (" << s.hidden << " hidden, " << s.favourites << " favourites, "
            << s.versions << " edited versions)\n"
            << "names       " << s.aliases << "\n"
            << "sources     " << s.sources << "\n"
            << "tags        " << s.tags << "\n";
  return ExitCode::Ok;
}
