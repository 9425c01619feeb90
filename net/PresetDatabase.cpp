#include "PresetDatabase.h"

#include <array>
#include <charconv>
#include <optional>

#include "CPreset.h"

namespace {

constexpr char kFieldEnd = '|';
constexpr std::size_t kFieldsPerRecord = 5;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A decimal whole number with optional sign and surrounding blanks, within
// the 32-bit range.
std::optional<int32_t> ParseId(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return id;
}

std::string QuotedExcerpt(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown(text.substr(0, kShown));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return "\"" + shown + (text.size() > kShown ? "...\"" : "\"");
}

}  // namespace

namespace PresetDatabase {

std::string ListRequestPath(const std::string& basePath) {
  return basePath + kListPath + "?" + kListQuery;
}

std::string PresetRequestPath(const std::string& basePath, int32_t id) {
  return basePath + kPresetPath + "?id=" + std::to_string(id);
}

}  // namespace PresetDatabase

PresetListParse ParsePresetList(std::string_view reply) {
  PresetListParse result;
  std::size_t pos = 0;
  while (pos < reply.size()) {
    const std::size_t recordStart = pos;
    std::array<std::string_view, kFieldsPerRecord> fields;
    for (auto& field : fields) {
      const std::size_t end = reply.find(kFieldEnd, pos);
      if (end == std::string_view::npos) {
        result.error = "Preset list record " + std::to_string(result.rows.size() + 1) +
                       " is incomplete (five fields ending in \"|\" expected): " +
                       QuotedExcerpt(reply.substr(recordStart));
        return result;
      }
      field = reply.substr(pos, end - pos);
      pos = end + 1;
    }
    const auto id = ParseId(fields[0]);
    if (!id) {
      result.error = "Preset list record " + std::to_string(result.rows.size() + 1) +
                     " has an id that is not a whole number: " + QuotedExcerpt(fields[0]);
      return result;
    }
    result.rows.push_back({*id, std::string(fields[1]), std::string(fields[2]), std::string(fields[3]),
                           std::string(fields[4])});
  }
  return result;
}

std::string FormatPresetRecord(const PresetListRow& row) {
  std::string record = std::to_string(row.id) + kFieldEnd;
  for (const std::string* field : {&row.name, &row.song, &row.description, &row.downloads}) {
    record += CleanField(*field);
    record += kFieldEnd;
  }
  return record;
}

std::string PresetImageProblem(std::span<const uint8_t> bytes) {
  if (bytes.size() < kPresetSize) {
    return std::to_string(bytes.size()) + " bytes, shorter than a preset (" + std::to_string(kPresetSize) + ")";
  }
  const std::span<const uint8_t, kPresetSize> image(bytes.data(), kPresetSize);
  if (!HasPresetHeader(image)) return "no G-Major preset header";
  if (!HasEndByte(image)) return "the last byte is not F7";
  if (!ChecksumMatches(image)) return "bad checksum";
  return "";
}

std::string CleanField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool c1Control = c == 0xC2 && i + 1 < text.size() &&
                           static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                           static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c1Control) {
      out += ' ';
      ++i;
    } else if (c < 0x20 || c == 0x7F) {
      out += ' ';
    } else {
      out += c == kFieldEnd ? '/' : static_cast<char>(c);
    }
  }
  const auto first = out.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}
