// The request handling of lindel-db-server, free of sockets: the HTTP
// front end turns each request into a ServiceRequest and sends back the
// ServiceResponse, so tests and fuzzers call Handle directly.
//
//   POST base/Lindel/list.php      every preset as list records (windows-1252)
//   GET  base/bintest.php?id=N     the 615 bytes of preset N; counts a download
//   POST base/upload               multipart: preset (file), name, song, description;
//                                  Authorization: Bearer TOKEN unless uploads are open
//   GET  base/health               {"status":"ok","presets":N}
//   GET  base/  base/preset/N  base/share   the pages for browsers
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

class Accounts;
class PresetStore;
class UploadRateLimit;

struct UploadPolicy {
  Accounts* accounts = nullptr;     // nullptr: anyone may upload
  UploadRateLimit* limit = nullptr;  // nullptr: no limit
};

struct ServiceRequest {
  std::string method;
  std::string path;  // without the query
  std::multimap<std::string, std::string> query;
  // The parts of a multipart/form-data body; empty optional for any other body.
  std::optional<std::map<std::string, std::string>> form;
  std::string authorization{};  // the Authorization header
  std::string client{};         // the peer's address
};

struct ServiceResponse {
  int status = 200;
  std::string contentType = "text/plain; charset=utf-8";
  std::string body;
  std::string allow;         // the methods a path takes, for 405 answers
  std::string authenticate;  // the scheme a 401 answer asks for
};

class PresetDatabaseService {
 public:
  PresetDatabaseService(PresetStore& store, std::string_view basePath, UploadPolicy policy = {});

  ServiceResponse Handle(const ServiceRequest& request);
  const std::string& BasePath() const { return basePath_; }

 private:
  ServiceResponse Route(const ServiceRequest& request);
  // Every handler takes the request, so the routing table can hold them all.
  ServiceResponse List(const ServiceRequest& request);
  ServiceResponse Download(const ServiceRequest& request);
  ServiceResponse Upload(const ServiceRequest& request);
  ServiceResponse Health(const ServiceRequest& request);
  ServiceResponse Catalogue(const ServiceRequest& request);
  ServiceResponse PresetPage(const std::string& idText);
  ServiceResponse ShareForm(const ServiceRequest& request);

  // The account name an upload is made under, or the refusal.
  std::variant<std::string, ServiceResponse> Uploader(const ServiceRequest& request);

  PresetStore& store_;
  std::string basePath_;
  UploadPolicy policy_;
};

// "" or "/a/b": one leading slash, no trailing one, no doubled ones.
std::string NormalizedPath(std::string_view path);
