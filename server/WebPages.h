// The server's pages for browsers: the catalogue, one page per preset and
// the upload form. Plain HTML with a little CSS that reads on a phone; every
// stored text is escaped.
#pragma once

#include <string>
#include <string_view>

#include "PresetLayout.h"
#include "PresetStore.h"

std::string HtmlEscaped(std::string_view text);
// For a query value in a link.
std::string PercentEncoded(std::string_view text);

std::string CataloguePageHtml(const std::string& base, const CatalogueQuery& query, const CataloguePage& page);
std::string PresetPageHtml(const std::string& base, const CatalogueEntry& entry, const PresetImage& image);
// tokenNeeded: the form asks for the upload token.
std::string UploadFormHtml(const std::string& base, bool tokenNeeded);
