#include "SearchQuery.h"

#include <algorithm>

#include "LibraryError.h"
#include "SoundSummary.h"

namespace {

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& t : texts) joined += (joined.empty() ? "" : ", ") + t;
  return joined;
}

// The position of the text equal to wanted, else of the only one starting with it.
std::size_t ChooseText(const std::vector<std::string>& texts, const std::string& wanted, const std::string& term) {
  const auto exact = std::find(texts.begin(), texts.end(), wanted);
  if (exact != texts.end()) return static_cast<std::size_t>(exact - texts.begin());
  std::vector<std::string> starting;
  std::copy_if(texts.begin(), texts.end(), std::back_inserter(starting),
               [&](const std::string& t) { return !wanted.empty() && t.rfind(wanted, 0) == 0; });
  if (starting.size() == 1) return static_cast<std::size_t>(std::find(texts.begin(), texts.end(), starting[0]) - texts.begin());
  throw LibraryError("search term '" + term + "': " + (starting.empty() ? "use one of " : "which one: ") +
                     Joined(starting.empty() ? texts : starting));
}

class QueryBuilder {
 public:
  void Add(std::string condition, std::vector<std::string> values = {}) {
    query_.where += " AND (" + condition + ")";
    for (std::string& v : values) query_.values.push_back(std::move(v));
  }
  void Term(const std::string& term);
  SearchQuery Finish() {
    if (!withHidden_) query_.where = "hidden = 0" + query_.where;
    else query_.where = "1" + query_.where;
    return query_;
  }

 private:
  bool BlockTerm(const std::string& lower, const std::string& term);
  // Our own small numbers, written into the condition.
  void TypeIs(int shift, unsigned mask, std::size_t position) {
    Add("((block_types >> " + std::to_string(shift) + ") & " + std::to_string(mask) + ") = " + std::to_string(position));
  }

  SearchQuery query_;
  bool withHidden_ = false;
};

void QueryBuilder::Term(const std::string& term) {
  const std::string lower = Lowercase(term);
  if (lower == "fav") return Add("favourite = 1");
  if (lower == "hidden") {
    withHidden_ = true;
    return;
  }
  if (lower.rfind("tag:", 0) == 0 && lower.size() > 4) {
    return Add("EXISTS (SELECT 1 FROM tags WHERE tags.entry = entries.id AND tags.tag = ?)", {term.substr(4)});
  }
  if (BlockTerm(lower, term)) return;
  Add("instr(search_text, ?) > 0", {lower});
}

// BLOCK:on, BLOCK:off, BLOCK=TYPE and routing=ROUTING; false for any other term.
bool QueryBuilder::BlockTerm(const std::string& lower, const std::string& term) {
  const std::size_t mark = lower.find_first_of(":=");
  if (mark == std::string::npos) return false;
  const std::string name = lower.substr(0, mark);
  const std::string value = lower.substr(mark + 1);
  if (name == "routing" && lower[mark] == '=') {
    TypeIs(kRoutingShift, 3, ChooseText(RoutingTexts(), value, term));
    return true;
  }
  const LibraryBlock* block = FindLibraryBlock(name);
  if (!block) return false;
  if (lower[mark] == ':') {
    if (value != "on" && value != "off") throw LibraryError("search term '" + term + "': use " + name + ":on or " + name + ":off");
    const auto bit = std::to_string(1u << (block - LibraryBlocks().data()));
    Add("(blocks_on & " + bit + ") " + (value == "on" ? "!= 0" : "= 0"));
    return true;
  }
  const std::vector<std::string> types = BlockTypeTexts(*block);
  if (types.empty()) throw LibraryError("search term '" + term + "': the " + name + " block has no types");
  TypeIs(kTypeBits * static_cast<int>(block - LibraryBlocks().data()), 7, ChooseText(types, value, term));
  return true;
}

}  // namespace

SearchQuery ParseSearch(const std::vector<std::string>& terms) {
  QueryBuilder builder;
  for (const std::string& term : terms) {
    if (!term.empty()) builder.Term(term);
  }
  return builder.Finish();
}

std::vector<std::string> SplitTerms(const std::string& text) {
  std::vector<std::string> terms;
  std::string term;
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') {
      quoted = !quoted;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (!term.empty()) terms.push_back(std::move(term));
      term.clear();
    } else {
      term += c;
    }
  }
  if (!term.empty()) terms.push_back(std::move(term));
  return terms;
}
