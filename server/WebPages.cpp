#include "WebPages.h"

#include <algorithm>

#include "PresetValues.h"

namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:0 auto;max-width:60rem;padding:0 .75rem;line-height:1.4}"
    "header{display:flex;gap:1rem;align-items:baseline;border-bottom:1px solid #ccc;padding:.5rem 0}"
    "header a{font-weight:bold}table{border-collapse:collapse;width:100%}"
    "td,th{text-align:left;padding:.25rem .5rem;border-bottom:1px solid #eee;vertical-align:top}"
    "form.search{display:flex;flex-wrap:wrap;gap:.5rem;margin:1rem 0}input,select,button{font-size:1rem}"
    "label{display:block;margin:.5rem 0}label input{display:block;width:100%;max-width:30rem}"
    ".download{display:inline-block;padding:.5rem 1rem;background:#246;color:#fff;border-radius:.3rem}"
    ".pages{display:flex;gap:1rem;margin:1rem 0}.off{color:#888}"
    "@media (max-width:40rem){td.more,th.more{display:none}}";

std::string Page(const std::string& base, const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>" +
         HtmlEscaped(title) + "</title><style>" + kStyle + "</style></head><body><header><a href=\"" + base +
         "/\">Lindel presets</a><a href=\"" + base + "/share\">Upload</a></header><main>" + body +
         "</main></body></html>\n";
}

const char* SortName(CatalogueQuery::Sort sort) {
  switch (sort) {
    case CatalogueQuery::Sort::Name: return "name";
    case CatalogueQuery::Sort::Downloads: return "downloads";
    case CatalogueQuery::Sort::Newest: break;
  }
  return "newest";
}

std::string SearchForm(const std::string& base, const CatalogueQuery& query) {
  std::string form = "<form class=\"search\" method=\"get\" action=\"" + base +
                     "/\"><input type=\"search\" name=\"q\" placeholder=\"Search name, song, description, uploader\" "
                     "value=\"" + HtmlEscaped(query.search) + "\"><select name=\"sort\">";
  for (const auto sort : {CatalogueQuery::Sort::Newest, CatalogueQuery::Sort::Name, CatalogueQuery::Sort::Downloads}) {
    const std::string name = SortName(sort);
    form += "<option value=\"" + name + "\"" + (sort == query.sort ? " selected" : "") + ">" + name + "</option>";
  }
  return form + "</select><button type=\"submit\">Search</button></form>";
}

std::string EntryRow(const std::string& base, const CatalogueEntry& entry) {
  return "<tr><td><a href=\"" + base + "/preset/" + std::to_string(entry.id) + "\">" + HtmlEscaped(entry.name) +
         "</a></td><td>" + HtmlEscaped(entry.song) + "</td><td class=\"more\">" + HtmlEscaped(entry.description) +
         "</td><td>" + HtmlEscaped(entry.uploader) + "</td><td>" + std::to_string(entry.downloads) +
         "</td><td class=\"more\">" + HtmlEscaped(entry.added.substr(0, 10)) + "</td></tr>";
}

std::string PageLink(const std::string& base, const CatalogueQuery& query, int page, const char* caption) {
  return "<a href=\"" + base + "/?q=" + PercentEncoded(query.search) + "&amp;sort=" + SortName(query.sort) +
         "&amp;page=" + std::to_string(page) + "\">" + caption + "</a>";
}

std::string Paging(const std::string& base, const CatalogueQuery& query, int64_t matches) {
  const int64_t pages = std::max<int64_t>(1, (matches + CatalogueQuery::kPageSize - 1) / CatalogueQuery::kPageSize);
  std::string links = "<nav class=\"pages\">";
  if (query.page > 1) links += PageLink(base, query, query.page - 1, "Previous");
  links += "<span>Page " + std::to_string(query.page) + " of " + std::to_string(pages) + "</span>";
  if (query.page < pages) links += PageLink(base, query, query.page + 1, "Next");
  return links + "</nav>";
}

std::string BlockSection(const BlockValues& block) {
  std::string rows;
  for (const FieldValue& value : block.fields) {
    const std::string_view caption = value.field.caption.empty() ? value.field.name : value.field.caption;
    const std::string text = value.text.value_or(std::to_string(value.value));
    rows += std::string("<tr") + (value.field.active ? "" : " class=\"off\"") + "><th>" + HtmlEscaped(caption) +
            "</th><td>" + HtmlEscaped(text) + "</td></tr>";
  }
  return "<section><h2>" + HtmlEscaped(block.block->name) + "</h2><table>" + rows + "</table></section>";
}

}  // namespace

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string PercentEncoded(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || c == '-' || c == '_' || c == '.' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

std::string CataloguePageHtml(const std::string& base, const CatalogueQuery& query, const CataloguePage& page) {
  std::string rows;
  for (const CatalogueEntry& entry : page.entries) rows += EntryRow(base, entry);
  const std::string table =
      page.entries.empty()
          ? "<p>No presets found.</p>"
          : "<table><thead><tr><th>Name</th><th>Song</th><th class=\"more\">Description</th><th>Uploader</th>"
            "<th>Downloads</th><th class=\"more\">Date</th></tr></thead><tbody>" + rows + "</tbody></table>";
  return Page(base, "Lindel presets", "<h1>Presets</h1>" + SearchForm(base, query) + "<p>" +
                                          std::to_string(page.matches) + " presets</p>" + table +
                                          Paging(base, query, page.matches));
}

std::string PresetPageHtml(const std::string& base, const CatalogueEntry& entry, const PresetImage& image) {
  std::string blocks;
  for (const BlockValues& block : ReadPresetValues(image).blocks) blocks += BlockSection(block);
  const std::string facts = "<table><tr><th>Song</th><td>" + HtmlEscaped(entry.song) +
                            "</td></tr><tr><th>Description</th><td>" + HtmlEscaped(entry.description) +
                            "</td></tr><tr><th>Uploader</th><td>" + HtmlEscaped(entry.uploader) +
                            "</td></tr><tr><th>Downloads</th><td>" + std::to_string(entry.downloads) +
                            "</td></tr><tr><th>Date</th><td>" + HtmlEscaped(entry.added) + "</td></tr></table>";
  const std::string download = "<p><a class=\"download\" href=\"" + base + "/bintest.php?id=" +
                               std::to_string(entry.id) + "\" download=\"preset-" + std::to_string(entry.id) +
                               ".syx\">Download .syx</a></p>";
  return Page(base, entry.name, "<h1>" + HtmlEscaped(entry.name) + "</h1>" + facts + download + blocks);
}

std::string UploadFormHtml(const std::string& base, bool tokenNeeded) {
  const std::string token =
      tokenNeeded ? "<label>Upload token <input type=\"password\" name=\"token\" required></label>" : "";
  return Page(base, "Upload a preset",
              "<h1>Upload a preset</h1><form method=\"post\" enctype=\"multipart/form-data\" action=\"" + base +
                  "/upload\"><label>Preset (.syx) <input type=\"file\" name=\"preset\" accept=\".syx\" required>"
                  "</label><label>Name <input name=\"name\" maxlength=\"40\"></label><label>Song <input name=\"song\" "
                  "maxlength=\"80\"></label><label>Description <input name=\"description\" maxlength=\"300\"></label>" +
                  token + "<button type=\"submit\">Upload</button></form>");
}
