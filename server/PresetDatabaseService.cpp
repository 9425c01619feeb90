#include "PresetDatabaseService.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "AnsiText.h"
#include "PresetDatabase.h"
#include "PresetStore.h"
#include "PresetUpload.h"

namespace {

ServiceResponse Text(int status, const std::string& text) { return {status, "text/plain; charset=utf-8", text + "\n", ""}; }

std::optional<int64_t> ParsePresetId(const std::string& text) {
  int64_t id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (id < 1 || id > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return id;
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

PresetDatabaseService::PresetDatabaseService(PresetStore& store, std::string_view basePath)
    : store_(store), basePath_(NormalizedPath(basePath)) {}

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
  };
  const std::string path = NormalizedPath(request.path);
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
  return {200, "text/plain; charset=windows-1252", std::string(ansi.begin(), ansi.end()), ""};
}

ServiceResponse PresetDatabaseService::Download(const ServiceRequest& request) {
  const auto found = request.query.find("id");
  const std::string text = found == request.query.end() ? "" : found->second;
  const auto id = ParsePresetId(text);
  if (!id) return Text(400, "id must be a whole number from 1 to 2147483647, not '" + text + "'");
  const auto image = store_.Download(*id);
  if (!image) return Text(404, "no preset with id " + std::to_string(*id));
  return {200, "application/octet-stream", std::string(image->begin(), image->end()), ""};
}

ServiceResponse PresetDatabaseService::Upload(const ServiceRequest& request) {
  if (!request.form) {
    return Text(415, "send multipart/form-data with the parts preset (the .syx file), name, song and description");
  }
  const auto& form = *request.form;
  if (!form.count("preset")) return Text(400, "the part 'preset' (the .syx file) is missing");
  const UploadCheck check = CheckUpload(
      {FormValue(form, "preset"), FormValue(form, "name"), FormValue(form, "song"), FormValue(form, "description")});
  if (!check.preset) return Text(400, check.problem);
  const StoreOutcome outcome = store_.Add(*check.preset);
  if (!outcome.added) return Text(409, "already stored as id " + std::to_string(outcome.id));
  return Text(201, "stored as id " + std::to_string(outcome.id));
}

ServiceResponse PresetDatabaseService::Health(const ServiceRequest&) {
  return {200, "application/json", "{\"status\":\"ok\",\"presets\":" + std::to_string(store_.Count()) + "}\n", ""};
}
