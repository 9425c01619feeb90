#include "Subcommands.h"

#include <iostream>
#include <string>

#include "LibraryError.h"
#include "Sqlite.h"

namespace {

std::string Synopses(const char* group, const std::vector<Command>& subcommands) {
  std::string text;
  for (const Command& c : subcommands) text += std::string("\n  lindel-cli ") + group + " " + c.synopsis;
  return text;
}

int Failed(const char* group, const Command& c, const char* what) {
  std::cerr << "lindel-cli " << group << " " << c.name << ": " << what << "\n";
  return ExitCode::Usage;
}

}  // namespace

int RunSubcommand(const char* group, const std::vector<Command>& subcommands, const Args& args) {
  if (args.empty()) throw UsageError(std::string("give a ") + group + " command:" + Synopses(group, subcommands));
  for (const Command& c : subcommands) {
    if (args[0] != c.name) continue;
    try {
      return c.run(Args(args.begin() + 1, args.end()));
    } catch (const LibraryError& e) {
      return Failed(group, c, e.what());
    } catch (const SqliteError& e) {
      return Failed(group, c, e.what());
    }
  }
  throw UsageError("unknown " + std::string(group) + " command '" + args[0] + "'; use one of:" +
                   Synopses(group, subcommands));
}
