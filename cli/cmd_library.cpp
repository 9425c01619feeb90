// lindel-cli library: the argument wiring of the preset library commands;
// the work is in LibraryCommands.

#include "Commands.h"
#include "LibraryCommands.h"

namespace {

struct LibraryOptions {
  std::string library;
  std::vector<std::string> words;  // the positionals after the entry id
  std::string id;
  bool flag = false;  // --json, --remove or --off
  std::string out;
};

int64_t EntryId(const std::string& text) { return ParseNumber(text, 1, INT64_MAX, "entry id"); }

// The options every library command has, and the runner of work on them.
Runner With(CLI::App& app, const std::function<void(CLI::App&, LibraryOptions&)>& add,
            int (*work)(const LibraryOptions&)) {
  auto o = std::make_shared<LibraryOptions>();
  app.add_option("--library", o->library, "the library file (default: the one the editor uses)")->type_name("F");
  add(app, *o);
  return [o, work] { return work(*o); };
}

void Id(CLI::App& app, LibraryOptions& o) { app.add_option("ID", o.id, "the entry's id"); }

// ID, then the positionals what names.
std::function<void(CLI::App&, LibraryOptions&)> IdAnd(const char* name, const char* help) {
  return [=](CLI::App& app, LibraryOptions& o) {
    Id(app, o);
    app.add_option(name, o.words, help);
  };
}

std::function<void(CLI::App&, LibraryOptions&)> IdAndFlag(const char* flag, const char* help) {
  return [=](CLI::App& app, LibraryOptions& o) {
    Id(app, o);
    app.add_flag(flag, o.flag, help);
  };
}

void Require(bool given, const char* what) {
  if (!given) throw UsageError(std::string("give ") + what);
}

const std::string& OneWord(const LibraryOptions& o, const char* what) {
  Require(!o.id.empty() && o.words.size() == 1, what);
  return o.words[0];
}

int64_t IdOnly(const LibraryOptions& o) {
  Require(!o.id.empty(), "one entry id");
  return EntryId(o.id);
}

Runner Import(CLI::App& app) {
  return With(
      app, [](CLI::App& a, LibraryOptions& o) { a.add_option("PATH", o.words, "preset and dump files and folders"); },
      [](const LibraryOptions& o) {
        Require(!o.words.empty(), "one or more files or folders");
        return LibraryImportPaths(o.library, o.words);
      });
}

Runner Search(CLI::App& app) {
  return With(
      app,
      [](CLI::App& a, LibraryOptions& o) {
        a.add_flag("--json", o.flag, "print every entry found in full, as JSON");
        a.add_option("TERM", o.words, "words of the name, tag:T, fav, hidden, or FIELD=TEXT")
            ->expected(0, CLI::detail::expected_max_vector_size);
      },
      [](const LibraryOptions& o) { return LibrarySearch(o.library, o.flag, o.words); });
}

Runner Show(CLI::App& app) {
  return With(app, Id, [](const LibraryOptions& o) { return LibraryShow(o.library, IdOnly(o)); });
}

Runner Tag(CLI::App& app) {
  return With(
      app,
      [](CLI::App& a, LibraryOptions& o) {
        IdAnd("TAG", "the tags")(a, o);
        a.add_flag("--remove", o.flag, "remove the tags instead");
      },
      [](const LibraryOptions& o) {
        Require(!o.id.empty() && !o.words.empty(), "an entry id and one or more tags");
        return LibraryTag(o.library, EntryId(o.id), o.words, o.flag);
      });
}

Runner Fav(CLI::App& app) {
  return With(app, IdAndFlag("--off", "no longer a favourite"),
              [](const LibraryOptions& o) { return LibraryFavourite(o.library, IdOnly(o), !o.flag); });
}

Runner Rename(CLI::App& app) {
  return With(app, IdAnd("NAME", "the new name"), [](const LibraryOptions& o) {
    const std::string& name = OneWord(o, "an entry id and the new name");
    return LibraryRename(o.library, EntryId(o.id), name);
  });
}

Runner Comment(CLI::App& app) {
  return With(app, IdAnd("TEXT", "the comment"), [](const LibraryOptions& o) {
    const std::string& comment = OneWord(o, "an entry id and the comment");
    return LibraryComment(o.library, EntryId(o.id), comment);
  });
}

Runner Hide(CLI::App& app) {
  return With(app, IdAndFlag("--off", "show it again"),
              [](const LibraryOptions& o) { return LibraryHide(o.library, IdOnly(o), !o.flag); });
}

Runner Purge(CLI::App& app) {
  return With(app, Id, [](const LibraryOptions& o) { return LibraryPurge(o.library, IdOnly(o)); });
}

Runner History(CLI::App& app) {
  return With(app, Id, [](const LibraryOptions& o) { return LibraryHistory(o.library, IdOnly(o)); });
}

Runner Export(CLI::App& app) {
  return With(
      app,
      [](CLI::App& a, LibraryOptions& o) {
        a.add_option("ID", o.words, "the entries' ids");
        a.add_option("-o", o.out, "the dump file written")->type_name("FILE")->required();
      },
      [](const LibraryOptions& o) {
        Require(!o.words.empty(), "one or more entry ids");
        std::vector<int64_t> ids;
        for (const std::string& id : o.words) ids.push_back(EntryId(id));
        return LibraryExport(o.library, ids, o.out);
      });
}

Runner Stats(CLI::App& app) {
  return With(
      app, [](CLI::App&, LibraryOptions&) {}, [](const LibraryOptions& o) { return LibraryStatsOf(o.library); });
}

}  // namespace

const std::vector<Command>& LibraryCommands() {
  static const std::vector<Command> subcommands = {
      {"import", "Keeps every valid preset of the files and folders.", "~/presets bank.syx", Import},
      {"search", "Lists the entries that match every term.", "tag:live delay=tape", Search},
      {"show", "Shows an entry's preset as text.", "12", Show},
      {"tag", "Adds tags to an entry (or removes them).", "12 live sunday", Tag},
      {"fav", "Makes an entry a favourite (or no longer).", "12", Fav},
      {"rename", "Renames an entry.", "12 \"Glass Lead\"", Rename},
      {"comment", "Sets an entry's comment.", "12 \"for the intro\"", Comment},
      {"hide", "Hides an entry from searches (or shows it again).", "12 --off", Hide},
      {"purge", "Removes an entry for good.", "12", Purge},
      {"history", "Lists an entry's edited versions.", "12", History},
      {"export", "Writes entries as one dump file.", "12 14 -o set.syx", Export},
      {"stats", "Counts what the library holds.", "--library my.db", Stats},
  };
  return subcommands;
}
