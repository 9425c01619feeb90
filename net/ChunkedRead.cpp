#include "ChunkedRead.h"

#include "AnsiText.h"

bool ReadChunked(IReplySource& source, std::size_t bufferSize, std::string& text) {
  text.clear();
  if (!source.QueryAvailable()) return false;
  source.Pause();
  auto chunk = source.Read(bufferSize);
  while (chunk) {
    text += FromAnsi(*chunk);
    const auto available = source.QueryAvailable();
    if (!available) return false;
    source.Pause();
    if (*available == 0) return true;
    chunk = source.Read(bufferSize);
  }
  return false;
}
