#include <gtest/gtest.h>

#include "PresetDatabase.h"

namespace {

std::vector<std::vector<std::string>> Columns(const PresetListParse& parsed) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& r : parsed.rows) rows.push_back({std::to_string(r.id), r.name, r.song, r.description, r.downloads});
  return rows;
}

TEST(PresetList, RecordsGiveRowsWithTheirIdsKeepingEmptyAndBlankFields) {
  using Rows = std::vector<std::vector<std::string>>;
  const std::pair<const char*, Rows> cases[] = {
      {"12|Clean|Intro|Warm clean tone|7|13|Lead|Solo|Boost|42|",
       {{"12", "Clean", "Intro", "Warm clean tone", "7"}, {"13", "Lead", "Solo", "Boost", "42"}}},
      {"", {}},
      {" 5 ||  | a b |0|", {{"5", "", "  ", " a b ", "0"}}}};
  for (const auto& [reply, rows] : cases) {
    const PresetListParse parsed = ParsePresetList(reply);
    EXPECT_EQ(parsed.error, "") << reply;
    EXPECT_EQ(Columns(parsed), rows) << reply;
  }
}

struct BrokenReply {
  const char* label;
  const char* reply;
  std::size_t rowsKept;
  const char* error;  // part of the logged text
};

class BrokenReplies : public ::testing::TestWithParam<BrokenReply> {};

TEST_P(BrokenReplies, FailAtTheBreakKeepingTheRowsBefore) {
  const PresetListParse parsed = ParsePresetList(GetParam().reply);
  EXPECT_EQ(parsed.rows.size(), GetParam().rowsKept);
  EXPECT_NE(parsed.error.find(GetParam().error), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, BrokenReplies,
    ::testing::Values(
        BrokenReply{"TrailingLineBreak", "1|A|B|C|0|2|D|E|F|3|\r\n", 2, "record 3 is incomplete"},
        BrokenReply{"FourFieldsAtTheEnd", "1|A|B|C|0|2|D|E|F|", 1, "record 2 is incomplete (five fields ending in \"|\" expected): \"2|D|E|F|\""},
        BrokenReply{"NoSeparatorAtAll", "<html>Not Found</html>", 0, "record 1 is incomplete"},
        BrokenReply{"LastFieldUnterminated", "1|A|B|C|0", 0, "record 1 is incomplete"},
        BrokenReply{"IdNotANumber", "x|A|B|C|0|", 0, "not a whole number: \"x\""},
        BrokenReply{"EmptyId", "1|A|B|C|0||A|B|C|0|", 1, "record 2 has an id"},
        BrokenReply{"IdTooLarge", "2147483648|A|B|C|0|", 0, "not a whole number"},
        BrokenReply{"IdWithFraction", "1.5|A|B|C|0|", 0, "not a whole number"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PresetList, FormattedRecordsParseBackCleaned) {
  const PresetListRow row{-3, "A|B", "tab\there", "new\nline\x01", "9"};
  const std::string record = FormatPresetRecord(row);
  EXPECT_EQ(record, "-3|A/B|tab here|new line|9|");
  const PresetListParse parsed = ParsePresetList(record + record);
  ASSERT_EQ(parsed.rows.size(), 2u);
  EXPECT_EQ(parsed.rows[1].id, -3);
  EXPECT_EQ(parsed.rows[1].name, "A/B");
}

TEST(PresetList, CleaningReplacesC1ControlsButKeepsOtherText) {
  EXPECT_EQ(CleanField("a\xC2\x85" "b"), "a b");
  EXPECT_EQ(CleanField("\xC2\xA9 caf\xC3\xA9"), "\xC2\xA9 caf\xC3\xA9");
  EXPECT_EQ(CleanField("  \t "), "");
}

TEST(PresetRequests, BasePathGoesDirectlyInFront) {
  EXPECT_EQ(PresetDatabase::ListRequestPath("/gm"),
            "/gm/Lindel/list.php?ID=on&name=on&description=on&song=on&downloads=on");
  EXPECT_EQ(PresetDatabase::PresetRequestPath("", 42), "/bintest.php?id=42");
}

}  // namespace
