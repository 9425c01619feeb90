#include "AnsiText.h"

#include <array>

namespace {

// Unicode code points of bytes 0x80 to 0x9F; the rest of Windows-1252 equals
// Latin-1. Zero marks the bytes Windows-1252 leaves undefined.
constexpr std::array<char32_t, 32> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ByteToCodePoint(uint8_t b) {
  if (b >= 0x80 && b <= 0x9F && kHighTable[b - 0x80] != 0) return kHighTable[b - 0x80];
  return b;
}

uint8_t CodePointToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<uint8_t>(cp);
  for (std::size_t i = 0; i < kHighTable.size(); ++i) {
    if (kHighTable[i] == cp) return static_cast<uint8_t>(0x80 + i);
  }
  if (cp >= 0x80 && cp <= 0x9F) return static_cast<uint8_t>(cp);  // undefined bytes round-trip
  return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one code point at pos and advances pos; returns 0xFFFD on bad input.
char32_t NextCodePoint(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<uint8_t>(s[pos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return 0xFFFD;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= s.size() || (static_cast<uint8_t>(s[pos]) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (static_cast<uint8_t>(s[pos++]) & 0x3F);
  }
  return cp;
}

}  // namespace

std::vector<uint8_t> ToAnsi(std::string_view utf8) {
  std::vector<uint8_t> out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) out.push_back(CodePointToByte(NextCodePoint(utf8, pos)));
  return out;
}

std::string FromAnsi(const uint8_t* bytes, std::size_t count) {
  std::string out;
  out.reserve(count);
  for (std::size_t i = 0; i < count; ++i) AppendUtf8(out, ByteToCodePoint(bytes[i]));
  return out;
}

std::string FromAnsi(const std::vector<uint8_t>& bytes) { return FromAnsi(bytes.data(), bytes.size()); }

std::size_t Utf8Length(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++n) NextCodePoint(utf8, pos);
  return n;
}
