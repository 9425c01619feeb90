// A library search: terms that must all hold. A plain word is found in the
// name, the aliases, the tags and the comment (any case, part of a word is
// enough); "tag:NAME", "fav", "hidden" (hidden entries are listed only
// then), "BLOCK:on", "BLOCK:off", "BLOCK=TYPE" and "routing=ROUTING" with
// the editor's texts (any case; the start of exactly one text is enough).
#pragma once

#include <string>
#include <vector>

struct SearchQuery {
  std::string where;                // an SQL condition on the entries table
  std::vector<std::string> values;  // bound to its ?s in order
};

// Throws LibraryError naming a term that means nothing.
SearchQuery ParseSearch(const std::vector<std::string>& terms);
// Splits a search box's text at blanks; "double quotes" keep blanks in a term.
std::vector<std::string> SplitTerms(const std::string& text);
