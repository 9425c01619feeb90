#include "utilities.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "Dialogs.h"

int ReadValue14(std::span<const uint8_t> bytes, int index) {
  return bytes[index] + 128 * bytes[index + 1];
}

void WriteValue14(int value, int index, std::span<uint8_t> bytes) {
  bytes[index] = static_cast<uint8_t>(value & 0x7F);
  bytes[index + 1] = static_cast<uint8_t>((value & 0x3F80) >> 7);
}

int32_t ReadValue28(std::span<const uint8_t> bytes, int index, bool bSigned) {
  const int32_t v = bytes[index] + (bytes[index + 1] << 7) + (bytes[index + 2] << 14) +
                    (bytes[index + 3] << 21);
  if (bSigned && (v & 0x800000)) return -((v ^ 0xFFFFFF) + 1);
  return v;
}

void WriteValue28(int32_t value, int index, std::span<uint8_t> bytes) {
  const auto u = static_cast<uint32_t>(value);
  bytes[index + 3] = static_cast<uint8_t>((u >> 21) & 0x07);
  bytes[index + 2] = static_cast<uint8_t>((u >> 14) & 0x7F);
  bytes[index + 1] = static_cast<uint8_t>((u >> 7) & 0x7F);
  bytes[index] = static_cast<uint8_t>(u & 0x7F);
}

namespace {

// Text to a whole number the way a text box's conversion does it: surrounding
// blanks allowed, decimals rounded half to even; false when it is no number.
bool ToRoundedNumber(std::string_view text, double& out) {
  const std::string s(text);
  const char* begin = s.c_str();
  char* end = nullptr;
  const double d = std::strtod(begin, &end);
  if (end == begin) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0' || !std::isfinite(d)) return false;
  out = std::nearbyint(d);
  return true;
}

}  // namespace

uint8_t Txt2Byte(std::string_view text, uint8_t bDefault) {
  double n = 0;
  if (!ToRoundedNumber(text, n) || n < 0 || n > 255) return bDefault;
  if (n <= 127) return static_cast<uint8_t>(n);
  ShowMessage("Value must be 0 to 127");
  return bDefault;
}
