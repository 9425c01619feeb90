// The framing of fuzz inputs made of several parts: each field is a 16-bit
// little-endian length followed by that many bytes. A length that runs past
// the end takes what is left, and missing fields are empty, so every input
// means something. The seed generator writes seeds with FieldWriter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class FieldReader {
 public:
  FieldReader(const uint8_t* data, std::size_t size) : rest_(data, size) {}

  std::span<const uint8_t> Bytes() {
    if (rest_.size() < 2) {
      rest_ = {};
      return {};
    }
    const std::size_t length = std::min<std::size_t>(rest_[0] | (rest_[1] << 8), rest_.size() - 2);
    const auto field = rest_.subspan(2, length);
    rest_ = rest_.subspan(2 + length);
    return field;
  }
  std::string Text() {
    const auto bytes = Bytes();
    return {bytes.begin(), bytes.end()};
  }
  // One byte of choice; 0 when the input is used up.
  uint8_t Choice() {
    if (rest_.empty()) return 0;
    const uint8_t c = rest_[0];
    rest_ = rest_.subspan(1);
    return c;
  }

 private:
  std::span<const uint8_t> rest_;
};

class FieldWriter {
 public:
  FieldWriter& Bytes(std::span<const uint8_t> bytes) {
    const std::size_t length = std::min<std::size_t>(bytes.size(), 0xFFFF);
    out_.push_back(static_cast<uint8_t>(length & 0xFF));
    out_.push_back(static_cast<uint8_t>(length >> 8));
    out_.insert(out_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    return *this;
  }
  FieldWriter& Text(std::string_view text) {
    return Bytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
  }
  FieldWriter& Choice(uint8_t c) {
    out_.push_back(c);
    return *this;
  }
  const std::vector<uint8_t>& Data() const { return out_; }

 private:
  std::vector<uint8_t> out_;
};
