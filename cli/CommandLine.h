// lindel-cli's command lines on CLI11. Each command adds its own options and
// positionals to a CLI::App and returns what runs on the parsed values;
// RunCommand parses, answers --help and --version and reports every problem
// as "lindel-cli COMMAND: ..." with the usage exit code.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// Exit codes of every command.
namespace ExitCode {
constexpr int Ok = 0;
constexpr int Failed = 1;  // an invalid slot, a failed transfer
constexpr int Usage = 2;   // bad arguments or an unreadable file
}  // namespace ExitCode

// Thrown for a usage or I/O error; RunCommand prints it and exits with 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using Args = std::vector<std::string>;
using Runner = std::function<int()>;

struct Command {
  const char* name;
  const char* about;    // what it does, one sentence
  const char* example;  // the arguments of one typical use
  // A command of its own: adds its options to app and returns the run on them.
  Runner (*define)(CLI::App& app) = nullptr;
  // Or a command with sub-commands ("library", "bank").
  const std::vector<Command>& (*subcommands)() = nullptr;
};

// Runs c, named path ("lindel-cli bank set"), on args and returns the exit
// code. A usage, library or database error (any std::runtime_error) is
// printed as "PATH: what" and gives ExitCode::Usage.
int RunCommand(const std::string& path, const Command& c, const Args& args);

// "[--json] FILE...", or "import|search|... ..." for sub-commands.
std::string Synopsis(const Command& c);

// Parses a whole number within [min, max] or throws UsageError naming what.
long ParseNumber(const std::string& text, long min, long max, const std::string& what);

// An option whose text parse turns into value, throwing UsageError in our
// words; typeName is shown in the help ("N", "S").
template <typename T>
CLI::Option* AddParsed(CLI::App& app, const std::string& name, T& value, const std::string& typeName,
                       std::function<T(const std::string&)> parse, const std::string& help) {
  return app
      .add_option_function<std::string>(
          name, [&value, parse](const std::string& text) { value = parse(text); }, help)
      ->type_name(typeName);
}

// A whole number within [min, max]; the help shows value as the default.
CLI::Option* AddNumber(CLI::App& app, const std::string& name, long& value, long min, long max,
                       const std::string& help);
// The same without a default: value stays empty unless given.
CLI::Option* AddNumber(CLI::App& app, const std::string& name, std::optional<long>& value, long min, long max,
                       const std::string& help);
