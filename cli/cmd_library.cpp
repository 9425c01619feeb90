// lindel-cli library: the argument wiring of the preset library commands;
// the work is in LibraryCommands.

#include "CliArgs.h"
#include "Commands.h"
#include "LibraryCommands.h"
#include "Subcommands.h"

namespace {

struct Parsed {
  CliArgs cli;
  std::string library;
  const Args& Positional() const { return cli.Positional(); }
};

Parsed Parse(const Args& args, std::set<std::string> values, const std::set<std::string>& flags) {
  values.insert("--library");
  CliArgs cli(args, values, flags);
  const std::string library = cli.Value("--library").value_or("");
  return {std::move(cli), library};
}

int64_t EntryId(const std::string& text) { return ParseNumber(text, 1, INT64_MAX, "entry id"); }

void Count(const Parsed& p, std::size_t least, std::size_t most, const char* what) {
  const std::size_t n = p.Positional().size();
  if (n < least || n > most) throw UsageError(std::string("give ") + what);
}

int Import(const Args& args) {
  const Parsed p = Parse(args, {}, {});
  Count(p, 1, SIZE_MAX, "one or more files or folders");
  return LibraryImportPaths(p.library, p.Positional());
}

int Search(const Args& args) {
  const Parsed p = Parse(args, {}, {"--json"});
  return LibrarySearch(p.library, p.cli.Flag("--json"), p.Positional());
}

int Show(const Args& args) {
  const Parsed p = Parse(args, {}, {});
  Count(p, 1, 1, "one entry id");
  return LibraryShow(p.library, EntryId(p.Positional()[0]));
}

int Tag(const Args& args) {
  const Parsed p = Parse(args, {}, {"--remove"});
  Count(p, 2, SIZE_MAX, "an entry id and one or more tags");
  return LibraryTag(p.library, EntryId(p.Positional()[0]), Args(p.Positional().begin() + 1, p.Positional().end()),
                    p.cli.Flag("--remove"));
}

int Fav(const Args& args) {
  const Parsed p = Parse(args, {}, {"--off"});
  Count(p, 1, 1, "one entry id");
  return LibraryFavourite(p.library, EntryId(p.Positional()[0]), !p.cli.Flag("--off"));
}

int Hide(const Args& args) {
  const Parsed p = Parse(args, {}, {"--off"});
  Count(p, 1, 1, "one entry id");
  return LibraryHide(p.library, EntryId(p.Positional()[0]), !p.cli.Flag("--off"));
}

int Rename(const Args& args) {
  const Parsed p = Parse(args, {}, {});
  Count(p, 2, 2, "an entry id and the new name");
  return LibraryRename(p.library, EntryId(p.Positional()[0]), p.Positional()[1]);
}

int Comment(const Args& args) {
  const Parsed p = Parse(args, {}, {});
  Count(p, 2, 2, "an entry id and the comment");
  return LibraryComment(p.library, EntryId(p.Positional()[0]), p.Positional()[1]);
}

int Purge(const Args& args) {
  const Parsed p = Parse(args, {}, {});
  Count(p, 1, 1, "one entry id");
  return LibraryPurge(p.library, EntryId(p.Positional()[0]));
}

int History(const Args& args) {
  const Parsed p = Parse(args, {}, {});
  Count(p, 1, 1, "one entry id");
  return LibraryHistory(p.library, EntryId(p.Positional()[0]));
}

int Export(const Args& args) {
  const Parsed p = Parse(args, {"-o"}, {});
  Count(p, 1, SIZE_MAX, "one or more entry ids");
  std::vector<int64_t> ids;
  for (const std::string& id : p.Positional()) ids.push_back(EntryId(id));
  return LibraryExport(p.library, ids, p.cli.Required("-o"));
}

int Stats(const Args& args) {
  const Parsed p = Parse(args, {}, {});
  Count(p, 0, 0, "no arguments but --library");
  return LibraryStatsOf(p.library);
}

const std::vector<Command>& Subcommands() {
  static const std::vector<Command> subcommands = {
      {"import", "import [--library F] PATH...", Import},
      {"search", "search [--library F] [--json] [TERM...]", Search},
      {"show", "show [--library F] ID", Show},
      {"tag", "tag [--library F] ID TAG... [--remove]", Tag},
      {"fav", "fav [--library F] ID [--off]", Fav},
      {"rename", "rename [--library F] ID NAME", Rename},
      {"comment", "comment [--library F] ID TEXT", Comment},
      {"hide", "hide [--library F] ID [--off]", Hide},
      {"purge", "purge [--library F] ID", Purge},
      {"history", "history [--library F] ID", History},
      {"export", "export [--library F] ID... -o FILE", Export},
      {"stats", "stats [--library F]", Stats},
  };
  return subcommands;
}

}  // namespace

int RunLibrary(const Args& args) { return RunSubcommand("library", Subcommands(), args); }
