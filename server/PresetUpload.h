// Checks what a client offers the database before anything is stored: the
// preset image passes the editor's own checks (header, end byte, checksum),
// the text fields are valid UTF-8 that windows-1252 can hold, within their limits and are cleaned of
// the list separator and control characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "PresetStore.h"

namespace UploadLimit {
constexpr std::size_t Name = 40;  // characters, after cleaning
constexpr std::size_t Song = 80;
constexpr std::size_t Description = 300;
constexpr std::size_t Body = 64 * 1024;  // bytes of a whole upload request
}  // namespace UploadLimit

struct PresetUpload {
  std::string preset;  // the raw bytes of one .syx preset
  std::string name;    // empty or blank: the name stored in the preset
  std::string song;
  std::string description;
};

struct UploadCheck {
  std::optional<NewPreset> preset;  // set when accepted
  std::string problem;              // why not, as one sentence for the client
};

UploadCheck CheckUpload(const PresetUpload& upload);

// Empty when the text fields are acceptable, else the first problem.
std::string TextProblem(const PresetUpload& upload);

// Empty for a valid preset image, else what is wrong with it.
std::string ImageProblem(std::span<const uint8_t> bytes);

bool IsValidUtf8(std::string_view text);
