// Conversion between the program's UTF-8 strings and the one-byte-per-character
// Windows-1252 ("ANSI") text that preset names, files and HTTP replies hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Characters that Windows-1252 cannot hold become '?'. Invalid UTF-8 bytes too.
std::vector<uint8_t> ToAnsi(std::string_view utf8);

// Every byte maps to one character; the five bytes that Windows-1252 leaves
// undefined map to the C1 control of the same number, as Windows does.
std::string FromAnsi(const uint8_t* bytes, std::size_t count);
std::string FromAnsi(const std::vector<uint8_t>& bytes);

// Number of characters (code points) in a UTF-8 string.
std::size_t Utf8Length(std::string_view utf8);
