// lindel-db-server's request handling on arbitrary uploads: the preset file,
// name, song and description of a multipart form, each any bytes, sent to a
// fresh in-memory database. A stored preset must then be listed as a record
// that parses back and download as the very bytes uploaded.
#include <cstdlib>

#include "FuzzFields.h"
#include "PresetDatabase.h"
#include "PresetDatabaseService.h"
#include "SqlitePresetStore.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

ServiceRequest UploadRequest(FieldReader& in) {
  ServiceRequest request{"POST", "/lindel/upload", {}, std::map<std::string, std::string>{}};
  const uint8_t parts = in.Choice();
  const char* names[] = {"preset", "name", "song", "description"};
  for (int i = 0; i < 4; ++i) {
    std::string value = in.Text();
    if (!(parts & (1 << i))) request.form->emplace(names[i], std::move(value));
  }
  if (parts & 0x10) request.form.reset();  // not a multipart body
  if (parts & 0x20) request.path = in.Text();
  return request;
}

void RequireStoredExactly(PresetDatabaseService& service, const ServiceRequest& upload, const std::string& reply) {
  const std::string id = reply.substr(reply.rfind(' ') + 1, reply.size() - reply.rfind(' ') - 2);
  const ServiceResponse list = service.Handle({"POST", "/lindel/Lindel/list.php", {}, std::nullopt});
  Require(list.status == 200);
  const PresetListParse parsed = ParsePresetList(list.body);
  Require(parsed.error.empty() && parsed.rows.size() == 1 && std::to_string(parsed.rows[0].id) == id);
  const ServiceResponse download = service.Handle({"GET", "/lindel/bintest.php", {{"id", id}}, std::nullopt});
  Require(download.status == 200 && download.body == upload.form->at("preset"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FieldReader in(data, size);
  const ServiceRequest upload = UploadRequest(in);
  SqlitePresetStore store(":memory:");
  PresetDatabaseService service(store, "/lindel");
  const ServiceResponse response = service.Handle(upload);
  Require(response.status == 201 || (response.status >= 400 && response.status < 500));
  if (response.status == 201) RequireStoredExactly(service, upload, response.body);
  return 0;
}
