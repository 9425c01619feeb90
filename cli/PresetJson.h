// A preset as a JSON document and back: what `lindel-cli export` writes and
// `import` reads.
//
//   {"format": "lindel-preset", "version": 1, "name": "Clean Lead",
//    "number": {"value": 101, "text": "U1"},
//    "blocks": {"Compressor": {"On/Off": {"value": 0, "text": "On"},
//                              "Ratio": {"value": 6, "text": "2.0:1"}, ...}, ...},
//    "modifiers": {"FIL Mix": {"modifier": "M1", "minOut": 0, "midOut": 50, "maxOut": 100}, ...},
//    "raw": {"4": "05", "185": "05 00 00 00"}}
//
// Blocks, fields and modifier parameters are named as the editors caption
// them (ParameterCatalog), in the editors' order. A field may be given as
// its text, its value, or both (which must agree); {"value": n, "text": null}
// keeps a value that no list item holds, as the device may store one.
// "raw" holds the bytes the values above do not make (unused fields, the
// device byte, bits no control shows), so that export then import gives the
// same 615 bytes. Missing modifier parameters get the default assignment
// (off, 0/50/100); every block field must be given.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "PresetLayout.h"

using Json = nlohmann::ordered_json;

inline constexpr const char* kPresetFormat = "lindel-preset";
inline constexpr int kPresetFormatVersion = 1;

Json PresetToJson(const PresetImage& image);

// Parses a document. A key given twice in one object is refused, as only
// one of the two could be taken: std::invalid_argument naming the key.
// Text that is no JSON: Json::parse_error.
Json ParseDocument(const std::string& text);

struct JsonImport {
  std::optional<PresetImage> image;  // with its checksum; only when there was no error
  std::vector<std::string> errors;   // each starts with the field it is about: "Compressor / Ratio: ..."
};

JsonImport PresetFromJson(const Json& document);

// The document as text, one field a line: a field, the number and an
// assignment each stay on one line, and so does each raw run, so a changed
// value is a changed line.
std::string DocumentText(const Json& document);
