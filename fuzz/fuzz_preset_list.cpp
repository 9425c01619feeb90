// The internet database's list reply: the chunked read of a reply that may
// break off anywhere, then the record parser, whose rows must format back
// into records that parse to the same rows.
#include <cstdlib>

#include "ChunkedRead.h"
#include "FuzzFields.h"
#include "PresetDatabase.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// A reply body handed out in pieces whose sizes, and whether the transfer
// breaks off, come from the fuzz input.
class FuzzedReply : public IReplySource {
 public:
  FuzzedReply(std::span<const uint8_t> body, FieldReader& plan) : body_(body), plan_(plan) {}

  std::optional<std::size_t> QueryAvailable() override {
    if (plan_.Choice() == 0xFF) return std::nullopt;
    return std::min<std::size_t>(body_.size(), 1 + plan_.Choice() * 16);
  }
  void Pause() override {}
  std::optional<std::vector<uint8_t>> Read(std::size_t maxBytes) override {
    if (plan_.Choice() == 0xFE) return std::nullopt;
    const std::size_t n = std::min(maxBytes, body_.size());
    std::vector<uint8_t> chunk(body_.begin(), body_.begin() + static_cast<std::ptrdiff_t>(n));
    body_ = body_.subspan(n);
    return chunk;
  }

 private:
  std::span<const uint8_t> body_;
  FieldReader& plan_;
};

void RequireRoundTrip(const PresetListParse& parsed) {
  for (const PresetListRow& row : parsed.rows) {
    const PresetListParse again = ParsePresetList(FormatPresetRecord(row));
    Require(again.error.empty() && again.rows.size() == 1);
    const PresetListRow& back = again.rows.front();
    Require(back.id == row.id && back.name == CleanField(row.name) && back.song == CleanField(row.song) &&
            back.description == CleanField(row.description) && back.downloads == CleanField(row.downloads));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FieldReader in(data, size);
  const std::string direct = in.Text();
  const PresetListParse parsed = ParsePresetList(direct);
  RequireRoundTrip(parsed);
  (void)PresetImageProblem({reinterpret_cast<const uint8_t*>(direct.data()), direct.size()});

  const auto body = in.Bytes();
  std::string text;
  FuzzedReply reply(body, in);
  if (ReadChunked(reply, 1 + in.Choice() % 64, text)) RequireRoundTrip(ParsePresetList(text));
  return 0;
}
