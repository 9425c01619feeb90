// lindel-cli import: a preset from the JSON that export writes (or one made
// or edited by hand). Every problem is named with its field; a document with
// any problem writes nothing.
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "CPreset.h"
#include "Commands.h"
#include "PresetFiles.h"
#include "PresetJson.h"

namespace {

std::string ReadSource(const std::string& source) {
  if (source == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream file(source, std::ios::binary);
  std::ostringstream text;
  if (!file || !(text << file.rdbuf())) throw UsageError("cannot read " + Quoted(source));
  return text.str();
}

Json Parse(const std::string& source) {
  try {
    return ParseDocument(ReadSource(source));
  } catch (const Json::parse_error& e) {
    std::string reason = e.what();
    reason.erase(0, reason.find("] ") == std::string::npos ? 0 : reason.find("] ") + 2);  // the library's tag
    throw UsageError(Quoted(source) + " is no JSON: " + reason);
  } catch (const std::invalid_argument& e) {
    throw UsageError(Quoted(source) + ": " + e.what());
  }
}

struct ImportOptions {
  std::string source;
  std::string out;
};

int Import(const ImportOptions& o) {
  if (o.source.empty()) throw UsageError("give exactly one JSON file, or - for standard input");
  const std::string& source = o.source;
  const std::string& out = o.out;
  const JsonImport result = PresetFromJson(Parse(source));
  if (!result.image) {
    for (const std::string& error : result.errors) std::cerr << "lindel-cli import: " << error << "\n";
    std::cerr << "lindel-cli import: nothing written\n";
    return ExitCode::Usage;
  }
  CPreset preset;
  if (!preset.LoadFromByteArray(*result.image) || !preset.Save(out, 0)) throw UsageError("cannot write " + Quoted(out));
  std::cout << out << "\n";
  return ExitCode::Ok;
}

}  // namespace

Runner DefineImport(CLI::App& app) {
  auto o = std::make_shared<ImportOptions>();
  app.add_option("JSON", o->source, "the JSON document, or - for standard input");
  app.add_option("-o", o->out, "the preset file written")->type_name("FILE")->required();
  return [o] { return Import(*o); };
}
