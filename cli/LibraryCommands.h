// The work of the lindel-cli library commands, on values already parsed.
// Each opens the library at libraryPath ("" for the default place) and
// returns the exit code; a LibraryError is reported by the caller (exit 2).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

int LibraryImportPaths(const std::string& libraryPath, const std::vector<std::string>& paths);
int LibrarySearch(const std::string& libraryPath, bool json, const std::vector<std::string>& terms);
int LibraryShow(const std::string& libraryPath, int64_t id);
int LibraryTag(const std::string& libraryPath, int64_t id, const std::vector<std::string>& tags, bool remove);
int LibraryFavourite(const std::string& libraryPath, int64_t id, bool on);
int LibraryHide(const std::string& libraryPath, int64_t id, bool on);
int LibraryRename(const std::string& libraryPath, int64_t id, const std::string& name);
int LibraryComment(const std::string& libraryPath, int64_t id, const std::string& comment);
int LibraryPurge(const std::string& libraryPath, int64_t id);
int LibraryHistory(const std::string& libraryPath, int64_t id);
int LibraryExport(const std::string& libraryPath, const std::vector<int64_t>& ids, const std::string& out);
int LibraryStatsOf(const std::string& libraryPath);
