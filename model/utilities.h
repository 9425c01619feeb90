// Septet codecs: numbers stored as 7-bit groups, least significant first, as
// the device sends them; and the numeric core of the text-to-byte conversion.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// 14-bit value in 2 bytes at index (0 to 16383).
int ReadValue14(std::span<const uint8_t> bytes, int index);
// Bits above 13 of value are dropped.
void WriteValue14(int value, int index, std::span<uint8_t> bytes);

// 24-bit value in 4 bytes at index. Signed reads extend bit 23; a fourth byte
// of 0x08 or more keeps its high bits, so the result may leave the 24-bit range.
int32_t ReadValue28(std::span<const uint8_t> bytes, int index, bool bSigned);
// Stores the low 24 bits of value (two's complement for negatives).
void WriteValue28(int32_t value, int index, std::span<uint8_t> bytes);

// Whole-number conversion of a text box's text with rounding. 0-127 is
// returned; 128-255 shows "Value must be 0 to 127" and returns bDefault; any
// other text returns bDefault silently.
uint8_t Txt2Byte(std::string_view text, uint8_t bDefault);
