#include <gtest/gtest.h>

#include "ChunkedRead.h"

namespace {

// A reply body handed out in reads; records what the reader did.
class FakeReply : public IReplySource {
 public:
  explicit FakeReply(std::string body) : body_(std::move(body)) {}

  std::optional<std::size_t> QueryAvailable() override {
    events.push_back("query");
    if (failQueryAt && reads.size() == *failQueryAt) return std::nullopt;
    return body_.size() - pos_;
  }
  void Pause() override { events.push_back("pause"); }
  std::optional<std::vector<uint8_t>> Read(std::size_t maxBytes) override {
    events.push_back("read");
    if (failReadAt && reads.size() == *failReadAt) return std::nullopt;
    const std::size_t n = std::min(maxBytes, body_.size() - pos_);
    reads.push_back(n);
    std::vector<uint8_t> chunk(body_.begin() + static_cast<std::ptrdiff_t>(pos_),
                               body_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return chunk;
  }

  std::vector<std::string> events;
  std::vector<std::size_t> reads;
  std::optional<std::size_t> failReadAt;   // fails the read after this many good ones
  std::optional<std::size_t> failQueryAt;  // fails the query after this many good reads

 private:
  std::string body_;
  std::size_t pos_ = 0;
};

// 4500 characters with blanks at both sides of each chunk edge.
std::string BodyOf4500() {
  std::string body;
  for (int i = 0; i < 4500; ++i) body += static_cast<char>('a' + i % 26);
  for (int edge : {1999, 2000, 3999, 4000, 4499}) body[edge] = ' ';
  return body;
}

TEST(ChunkedRead, ReplyOf4500BytesIsReadInThreeChunks) {
  FakeReply reply(BodyOf4500());
  std::string text;
  EXPECT_TRUE(ReadChunked(reply, 2000, text));
  EXPECT_EQ(reply.reads, (std::vector<std::size_t>{2000, 2000, 500}));
  EXPECT_EQ(text, BodyOf4500()) << "blanks at the chunk edges are kept";
  EXPECT_EQ(reply.events, (std::vector<std::string>{"query", "pause", "read", "query", "pause", "read", "query",
                                                    "pause", "read", "query", "pause"}))
      << "a query and a pause before every read, and after the last";
}

TEST(ChunkedRead, EmptyBodyIsReadOnceAndGivesEmptyText) {
  FakeReply reply("");
  std::string text = "left over";
  EXPECT_TRUE(ReadChunked(reply, 2000, text));
  EXPECT_EQ(text, "");
  EXPECT_EQ(reply.events, (std::vector<std::string>{"query", "pause", "read", "query", "pause"}));
}

TEST(ChunkedRead, AFailedReadOrABrokenTransferFailsKeepingWhatWasRead) {
  FakeReply failedRead(BodyOf4500()), broken(BodyOf4500());
  failedRead.failReadAt = 1;
  broken.failQueryAt = 2;
  std::string text;
  EXPECT_FALSE(ReadChunked(failedRead, 2000, text));
  EXPECT_EQ(text, BodyOf4500().substr(0, 2000));
  EXPECT_FALSE(ReadChunked(broken, 2000, text));
  EXPECT_EQ(text, BodyOf4500().substr(0, 4000));
}

}  // namespace
