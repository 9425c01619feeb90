// The clipboard for one block of a preset: the offset its bytes came from and
// a copy of them. Paste puts them back at that same offset in whichever
// preset receives them; the modifier slots belong to no block and never move.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

class CEffectBlock {
 public:
  // The offset the bytes were copied from; -1 while nothing is copied.
  int32_t Block() const { return block_; }
  // Copies the area at iBlock out of data: 4 bytes for the routing word (157)
  // and the tap tempo (161), 64 for every block area. Refused (false,
  // nothing changed) when the area would not lie inside data.
  bool Copy(int32_t iBlock, std::span<const uint8_t> data);
  // Writes the copied bytes back at Block() in data; false when nothing was
  // copied or the area does not fit.
  bool Paste(std::span<uint8_t> data) const;

  static constexpr std::size_t kMaxLength = 64;
  // After a 4-byte copy the other 60 bytes are 0.
  const std::array<uint8_t, kMaxLength>& Buffer() const { return buffer_; }

 private:
  int32_t block_ = -1;
  std::array<uint8_t, kMaxLength> buffer_{};
};

// How many bytes a copy at iBlock moves: 4 at 157 and 161, else 64.
std::size_t BlockAreaLength(int32_t iBlock);
