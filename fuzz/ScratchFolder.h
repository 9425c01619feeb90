// A private folder for fuzz targets that must work on real files; made once
// per process in memory-backed storage when there is one, removed at exit.
#pragma once

#include <filesystem>

// The folder; Fresh() also empties it first.
const std::filesystem::path& ScratchFolder();
const std::filesystem::path& FreshScratchFolder();
