// Library entries dragged out of the Library pane: their ids, one a line as
// text, under one MIME type. The one place that reads that format.
#pragma once

#include <cstdint>
#include <vector>

class QMimeData;

inline constexpr const char* kLibraryEntriesMime = "application/x-lindel-library-entries";

// The entry ids the data carries, in order; none when it carries no entries
// (lines that are no ids are passed over).
std::vector<int64_t> DecodeLibraryEntries(const QMimeData& data);
