#include "PresetUpload.h"

#include <algorithm>

#include "AnsiText.h"

namespace {

// The preset's own 20-character name, without the padding.
std::string StoredName(const PresetImage& image) {
  std::string name = FromAnsi(image.data() + Offset::Name, Offset::NameLength);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.pop_back();
  return name;
}

// The cleaned field, or why it is refused.
std::optional<std::string> CleanedField(const std::string& what, const std::string& raw, std::size_t limit,
                                        std::string& problem) {
  if (!IsValidUtf8(raw)) {
    problem = what + " is not UTF-8 text";
    return std::nullopt;
  }
  std::string clean = CleanField(raw);
  // The editor's list is windows-1252: anything else would reach it as '?'.
  if (FromAnsi(ToAnsi(clean)) != clean) {
    problem = what + " holds characters that windows-1252 cannot hold";
    return std::nullopt;
  }
  if (Utf8Length(clean) > limit) {
    problem = what + " is longer than " + std::to_string(limit) + " characters";
    return std::nullopt;
  }
  return clean;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

struct CleanFields {
  std::string name;
  std::string song;
  std::string description;
  std::string problem;  // the first field refused; the fields after it are left empty
};

CleanFields CheckFields(const std::string& rawName, const PresetUpload& upload) {
  CleanFields fields;
  const struct {
    const char* what;
    const std::string& raw;
    std::size_t limit;
    std::string& clean;
  } checks[] = {{"name", rawName, UploadLimit::Name, fields.name},
                {"song", upload.song, UploadLimit::Song, fields.song},
                {"description", upload.description, UploadLimit::Description, fields.description}};
  for (const auto& check : checks) {
    const auto clean = CleanedField(check.what, check.raw, check.limit, fields.problem);
    if (!clean) return fields;
    check.clean = *clean;
  }
  return fields;
}

// What a lead byte says about its sequence: extra bytes to follow (-1 for a
// byte that cannot lead), its own value bits and the smallest code point the
// sequence may hold (anything lower is an overlong form).
struct Utf8Lead {
  int extra;
  char32_t bits;
  char32_t lowest;
};

Utf8Lead ReadLead(unsigned char lead) {
  if (lead < 0x80) return {0, lead, 0};
  if ((lead & 0xE0) == 0xC0) return {1, lead & 0x1Fu, 0x80};
  if ((lead & 0xF0) == 0xE0) return {2, lead & 0x0Fu, 0x800};
  if ((lead & 0xF8) == 0xF0) return {3, lead & 0x07u, 0x10000};
  return {-1, 0, 0};
}

}  // namespace

std::string ImageProblem(std::span<const uint8_t> bytes) {
  if (bytes.size() != kPresetSize) {
    return "a preset is " + std::to_string(kPresetSize) + " bytes, this is " + std::to_string(bytes.size());
  }
  return PresetImageProblem(bytes);
}

UploadCheck CheckUpload(const PresetUpload& upload) {
  UploadCheck check;
  const auto* bytes = reinterpret_cast<const uint8_t*>(upload.preset.data());
  if (const std::string problem = ImageProblem({bytes, upload.preset.size()}); !problem.empty()) {
    check.problem = "preset refused: " + problem;
    return check;
  }
  NewPreset preset;
  std::copy_n(bytes, kPresetSize, preset.image.begin());
  const CleanFields fields = CheckFields(IsBlank(upload.name) ? StoredName(preset.image) : upload.name, upload);
  if (!fields.problem.empty()) {
    check.problem = fields.problem;
    return check;
  }
  preset.name = fields.name.empty() ? "Untitled" : fields.name;
  preset.song = fields.song;
  preset.description = fields.description;
  check.preset = preset;
  return check;
}

std::string TextProblem(const PresetUpload& upload) { return CheckFields(upload.name, upload).problem; }

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const Utf8Lead form = ReadLead(lead);
    if (form.extra < 0 || i + form.extra >= text.size()) return false;
    char32_t cp = form.bits;
    for (int k = 1; k <= form.extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < form.lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += form.extra + 1;
  }
  return true;
}
