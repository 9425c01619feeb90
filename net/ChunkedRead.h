// The reply read of the HTTP connection, apart from any network code: the
// body is taken in chunks of at most a buffer's size, each read preceded by
// a query for available data and a fixed pause. Tests drive it with a fake
// source; CHTTPConnection drives it with a network reply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class IReplySource {
 public:
  virtual ~IReplySource() = default;
  // Waits until data can be read or the reply has ended; the bytes readable
  // now (0: the reply has ended), or nothing when the transfer broke off.
  virtual std::optional<std::size_t> QueryAvailable() = 0;
  // Lets pending events run, then waits the fixed pause.
  virtual void Pause() = 0;
  // Up to maxBytes bytes (possibly none); nothing when the read fails.
  virtual std::optional<std::vector<uint8_t>> Read(std::size_t maxBytes) = 0;
};

// Reads the whole body into text, converted from ANSI. The first read is made
// even when nothing is reported available. False when a query or read fails;
// text then holds what was read before.
bool ReadChunked(IReplySource& source, std::size_t bufferSize, std::string& text);
