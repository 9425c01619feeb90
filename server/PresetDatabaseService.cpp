#include "PresetDatabaseService.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "Accounts.h"
#include "AnsiText.h"
#include "PresetDatabase.h"
#include "PresetStore.h"
#include "PresetUpload.h"
#include "UploadRateLimit.h"
#include "WebPages.h"

namespace {

ServiceResponse Text(int status, const std::string& text) {
  return {status, "text/plain; charset=utf-8", text + "\n", "", ""};
}

std::optional<int64_t> ParsePresetId(const std::string& text) {
  int64_t id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (id < 1 || id > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return id;
}

ServiceResponse Html(const std::string& html) { return {200, "text/html; charset=utf-8", html, "", ""}; }

std::string QueryValue(const ServiceRequest& request, const std::string& name) {
  const auto found = request.query.find(name);
  return found == request.query.end() ? "" : found->second;
}

std::optional<CatalogueQuery::Sort> ParseSort(const std::string& text) {
  if (text.empty() || text == "newest") return CatalogueQuery::Sort::Newest;
  if (text == "name") return CatalogueQuery::Sort::Name;
  if (text == "downloads") return CatalogueQuery::Sort::Downloads;
  return std::nullopt;
}

std::string FormValue(const std::map<std::string, std::string>& form, const std::string& name) {
  const auto it = form.find(name);
  return it == form.end() ? "" : it->second;
}

}  // namespace

std::string NormalizedPath(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '/' && (out.empty() || out.back() == '/')) {
      if (out.empty()) out += c;
      continue;
    }
    out += c;
  }
  if (!out.empty() && out.back() == '/') out.pop_back();
  if (!out.empty() && out.front() != '/') out.insert(out.begin(), '/');
  return out;
}

PresetDatabaseService::PresetDatabaseService(PresetStore& store, std::string_view basePath, UploadPolicy policy)
    : store_(store), basePath_(NormalizedPath(basePath)), policy_(policy) {}

ServiceResponse PresetDatabaseService::Handle(const ServiceRequest& request) {
  try {
    return Route(request);
  } catch (const std::exception& e) {
    return Text(500, std::string("database error: ") + e.what());
  }
}

ServiceResponse PresetDatabaseService::Route(const ServiceRequest& request) {
  using Handler = ServiceResponse (PresetDatabaseService::*)(const ServiceRequest&);
  struct Endpoint {
    const char* path;
    std::string_view method;
    Handler handle;
  };
  static constexpr Endpoint kEndpoints[] = {
      {PresetDatabase::kListPath, "POST", &PresetDatabaseService::List},
      {PresetDatabase::kPresetPath, "GET", &PresetDatabaseService::Download},
      {PresetDatabase::kUploadPath, "POST", &PresetDatabaseService::Upload},
      {PresetDatabase::kHealthPath, "GET", &PresetDatabaseService::Health},
      {"", "GET", &PresetDatabaseService::Catalogue},
      {"/share", "GET", &PresetDatabaseService::ShareForm},
  };
  const std::string path = NormalizedPath(request.path);
  const std::string presetPrefix = basePath_ + "/preset/";
  if (path.rfind(presetPrefix, 0) == 0 && (request.method == "GET" || request.method == "HEAD")) {
    return PresetPage(path.substr(presetPrefix.size()));
  }
  for (const Endpoint& endpoint : kEndpoints) {
    if (path != basePath_ + endpoint.path) continue;
    if (request.method != endpoint.method && !(request.method == "HEAD" && endpoint.method == "GET")) {
      ServiceResponse refused = Text(405, request.path + " takes " + std::string(endpoint.method) + " only");
      refused.allow = endpoint.method;
      return refused;
    }
    return (this->*endpoint.handle)(request);
  }
  return Text(404, "no such page: " + request.path);
}

ServiceResponse PresetDatabaseService::List(const ServiceRequest&) {
  std::string records;
  for (const PresetListRow& row : store_.List()) records += FormatPresetRecord(row);
  const std::vector<uint8_t> ansi = ToAnsi(records);
  return {200, "text/plain; charset=windows-1252", std::string(ansi.begin(), ansi.end()), "", ""};
}

ServiceResponse PresetDatabaseService::Download(const ServiceRequest& request) {
  const auto found = request.query.find("id");
  const std::string text = found == request.query.end() ? "" : found->second;
  const auto id = ParsePresetId(text);
  if (!id) return Text(400, "id must be a whole number from 1 to 2147483647, not '" + text + "'");
  // A HEAD asks whether the preset is there; only a GET is a download.
  const auto image = request.method == "HEAD" ? store_.Image(*id) : store_.Download(*id);
  if (!image) return Text(404, "no preset with id " + std::to_string(*id));
  return {200, "application/octet-stream", std::string(image->begin(), image->end()), "", ""};
}

std::variant<std::string, ServiceResponse> PresetDatabaseService::Uploader(const ServiceRequest& request) {
  if (policy_.limit && !policy_.limit->Allow(request.client)) {
    return Text(429, "too many uploads: at most " + std::to_string(policy_.limit->PerMinute()) +
                         " a minute from one address");
  }
  if (!policy_.accounts) return std::string();
  constexpr std::string_view kBearer = "Bearer ";
  const std::string& header = request.authorization;
  // Browsers cannot set the header from a form, so the web form sends the token as a part.
  const std::string formToken = request.form ? FormValue(*request.form, "token") : "";
  const auto holder = header.rfind(kBearer, 0) == 0 ? policy_.accounts->Holder(header.substr(kBearer.size()))
                      : !formToken.empty()          ? policy_.accounts->Holder(formToken)
                                                    : std::nullopt;
  if (!holder) {
    ServiceResponse refused = Text(401, "uploads need an account: send Authorization: Bearer TOKEN");
    refused.authenticate = "Bearer";
    return refused;
  }
  return *holder;
}

ServiceResponse PresetDatabaseService::Upload(const ServiceRequest& request) {
  const auto uploader = Uploader(request);
  if (const auto* refused = std::get_if<ServiceResponse>(&uploader)) return *refused;
  if (!request.form) {
    return Text(415, "send multipart/form-data with the parts preset (the .syx file), name, song and description");
  }
  const auto& form = *request.form;
  if (!form.count("preset")) return Text(400, "the part 'preset' (the .syx file) is missing");
  const UploadCheck check = CheckUpload(
      {FormValue(form, "preset"), FormValue(form, "name"), FormValue(form, "song"), FormValue(form, "description")});
  if (!check.preset) return Text(400, check.problem);
  NewPreset preset = *check.preset;
  preset.uploader = std::get<std::string>(uploader);
  const StoreOutcome outcome = store_.Add(preset);
  if (!outcome.added) return Text(409, "already stored as id " + std::to_string(outcome.id));
  return Text(201, "stored as id " + std::to_string(outcome.id));
}

ServiceResponse PresetDatabaseService::Health(const ServiceRequest&) {
  return {200, "application/json", "{\"status\":\"ok\",\"presets\":" + std::to_string(store_.Count()) + "}\n", "", ""};
}

ServiceResponse PresetDatabaseService::Catalogue(const ServiceRequest& request) {
  CatalogueQuery query;
  query.search = QueryValue(request, "q");
  const auto sort = ParseSort(QueryValue(request, "sort"));
  if (!sort) return Text(400, "sort is name, downloads or newest, not '" + QueryValue(request, "sort") + "'");
  query.sort = *sort;
  const std::string pageText = QueryValue(request, "page");
  const auto page = pageText.empty() ? std::optional<int64_t>(1) : ParsePresetId(pageText);
  if (!page) return Text(400, "page must be a whole number from 1, not '" + pageText + "'");
  query.page = static_cast<int>(*page);
  return Html(CataloguePageHtml(basePath_, query, store_.Catalogue(query)));
}

ServiceResponse PresetDatabaseService::PresetPage(const std::string& idText) {
  const auto id = ParsePresetId(idText);
  const auto entry = id ? store_.Entry(*id) : std::nullopt;
  const auto image = id ? store_.Image(*id) : std::nullopt;
  if (!entry || !image) return Text(404, "no preset with id " + idText);
  return Html(PresetPageHtml(basePath_, *entry, *image));
}

ServiceResponse PresetDatabaseService::ShareForm(const ServiceRequest&) {
  return Html(UploadFormHtml(basePath_, policy_.accounts != nullptr));
}
