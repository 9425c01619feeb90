// lindel-cli bank: the argument wiring of the bank commands; the work is in
// BankCommands.

#include "BankCommands.h"
#include "BankPlan.h"
#include "CliArgs.h"
#include "Commands.h"
#include "MidiSession.h"
#include "SessionReader.h"
#include "Subcommands.h"

namespace {

struct Parsed {
  CliArgs cli;
  std::string library;
  const Args& Positional() const { return cli.Positional(); }
  const std::string& Name() const { return Positional()[0]; }
};

Parsed Parse(const Args& args, std::set<std::string> values, const std::set<std::string>& flags, std::size_t count,
             const char* what) {
  values.insert("--library");
  CliArgs cli(args, values, flags);
  if (cli.Positional().size() != count) throw UsageError(std::string("give ") + what);
  const std::string library = cli.Value("--library").value_or("");
  return {std::move(cli), library};
}

// "7" or "U7".
int Slot(const std::string& text) {
  const bool named = !text.empty() && (text[0] == 'U' || text[0] == 'u');
  return static_cast<int>(ParseNumber(named ? text.substr(1) : text, 1, kBankSlots, "slot (1-100 or U1-U100)"));
}

int64_t EntryId(const std::string& text) { return ParseNumber(text, 1, INT64_MAX, "entry id"); }

int New(const Args& args) {
  const Parsed p = Parse(args, {}, {}, 1, "the bank's name");
  return BankNew(p.library, p.Name());
}

int List(const Args& args) {
  const Parsed p = Parse(args, {}, {}, 0, "no arguments but --library");
  return BankList(p.library);
}

int Show(const Args& args) {
  const Parsed p = Parse(args, {}, {"--json"}, 1, "the bank's name");
  return BankShow(p.library, p.Name(), p.cli.Flag("--json"));
}

int Set(const Args& args) {
  const Parsed p = Parse(args, {}, {}, 3, "the bank's name, a slot and an entry id");
  return BankSet(p.library, p.Name(), Slot(p.Positional()[1]), EntryId(p.Positional()[2]));
}

int Move(const Args& args) {
  const Parsed p = Parse(args, {}, {}, 3, "the bank's name and the slots FROM and TO");
  return BankMove(p.library, p.Name(), Slot(p.Positional()[1]), Slot(p.Positional()[2]));
}

int Swap(const Args& args) {
  const Parsed p = Parse(args, {}, {}, 3, "the bank's name and two slots");
  return BankSwap(p.library, p.Name(), Slot(p.Positional()[1]), Slot(p.Positional()[2]));
}

int Clear(const Args& args) {
  const Parsed p = Parse(args, {}, {}, 2, "the bank's name and a slot");
  return BankClear(p.library, p.Name(), Slot(p.Positional()[1]));
}

int FromDump(const Args& args) {
  const Parsed p = Parse(args, {}, {}, 2, "the bank's name and a dump file");
  return BankFromDump(p.library, p.Name(), p.Positional()[1]);
}

int Export(const Args& args) {
  const Parsed p = Parse(args, {"-o"}, {}, 1, "the bank's name");
  return BankExport(p.library, p.Name(), p.cli.Required("-o"));
}

int Pull(const Args& args) {
  const Parsed p = Parse(args, {"--in", "--out", "--timeout"}, {}, 1, "the bank's name");
  MidiSession session(p.cli);
  return BankPull(p.library, p.Name(), session, {AnswerTimeout(p.cli)});
}

int Send(const Args& args) {
  const Parsed p = Parse(args, {"--in", "--out", "--timeout"}, {"--all", "--verify"}, 1, "the bank's name");
  MidiSession session(p.cli);
  return BankSend(p.library, p.Name(), session, {AnswerTimeout(p.cli), p.cli.Flag("--all"), p.cli.Flag("--verify")});
}

const std::vector<Command>& Subcommands() {
  static const std::vector<Command> subcommands = {
      {"new", "new [--library F] NAME", New},
      {"list", "list [--library F]", List},
      {"show", "show [--library F] NAME [--json]", Show},
      {"set", "set [--library F] NAME SLOT ID", Set},
      {"move", "move [--library F] NAME FROM TO", Move},
      {"swap", "swap [--library F] NAME A B", Swap},
      {"clear", "clear [--library F] NAME SLOT", Clear},
      {"from-dump", "from-dump [--library F] NAME DUMP", FromDump},
      {"export", "export [--library F] NAME -o DUMP", Export},
      {"pull", "pull [--library F] NAME --in DEV --out DEV [--timeout S]", Pull},
      {"send", "send [--library F] NAME --in DEV --out DEV [--all] [--verify] [--timeout S]", Send},
  };
  return subcommands;
}

}  // namespace

int RunBank(const Args& args) { return RunSubcommand("bank", Subcommands(), args); }
