// What the internet database dialog and lindel-db-server agree on: the two
// request paths, the defaults that point the editor at a server users run
// themselves, and the list reply format. Standard C++ only, so the server and
// tests use it without Qt.
//
// List reply: records one after another, no line breaks; a record is five
// fields each followed by "|": id (decimal), name, song, description,
// downloads. A field never contains "|".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace PresetDatabase {

inline constexpr const char* kListPath = "/Lindel/list.php";
inline constexpr const char* kListQuery = "ID=on&name=on&description=on&song=on&downloads=on";
inline constexpr const char* kPresetPath = "/bintest.php";
inline constexpr const char* kUploadPath = "/upload";
inline constexpr const char* kHealthPath = "/health";

// lindel-db-server listens here unless told otherwise, and the dialog asks
// here until the user saves another configuration.
inline constexpr const char* kDefaultServer = "127.0.0.1:8080";
inline constexpr const char* kDefaultBasePath = "/lindel";

// The base path goes directly in front, with no separator added.
std::string ListRequestPath(const std::string& basePath);
std::string PresetRequestPath(const std::string& basePath, int32_t id);

}  // namespace PresetDatabase

struct PresetListRow {
  int32_t id = 0;
  std::string name;
  std::string song;
  std::string description;
  std::string downloads;
};

struct PresetListParse {
  std::vector<PresetListRow> rows;  // every whole record before any failure
  std::string error;                // empty when the whole reply was records
};

PresetListParse ParsePresetList(std::string_view reply);

// One record of the list reply; the text fields are cleaned first, so the
// reply always parses back to what was stored.
std::string FormatPresetRecord(const PresetListRow& row);

// Empty when the first 615 bytes are a G-Major preset image (header, end
// byte, checksum), else what is wrong. Bytes after the image are not looked at.
std::string PresetImageProblem(std::span<const uint8_t> bytes);

// "|" becomes "/" and control characters (C0, DEL, C1) become blanks; blanks
// at either end are dropped. Works on UTF-8 text.
std::string CleanField(std::string_view text);
