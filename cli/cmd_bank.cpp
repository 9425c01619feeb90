// lindel-cli bank: the argument wiring of the bank commands; the work is in
// BankCommands.

#include "BankCommands.h"
#include "BankPlan.h"
#include "Commands.h"
#include "MidiSession.h"
#include "SessionReader.h"

namespace {

struct BankOptions {
  std::string library;
  std::string name;
  std::vector<std::string> more;  // the positionals after the name
  std::string out;
  bool json = false;
  Devices devices;
  std::chrono::milliseconds timeout{};
  bool all = false;
  bool verify = false;
};

using Work = int (*)(const BankOptions&);

// "7" or "U7".
int Slot(const std::string& text) {
  const bool named = !text.empty() && (text[0] == 'U' || text[0] == 'u');
  return static_cast<int>(ParseNumber(named ? text.substr(1) : text, 1, kBankSlots, "slot (1-100 or U1-U100)"));
}

int64_t EntryId(const std::string& text) { return ParseNumber(text, 1, INT64_MAX, "entry id"); }

// A positional after NAME and its help.
struct Positional {
  const char* name;
  const char* help;
};

constexpr const char* kSlotHelp = "a slot, 1-100 or U1-U100";

// The options every bank command has, the positionals after NAME (when it
// takes one), and the run of work once their count is right.
Runner With(CLI::App& app, bool named, std::vector<Positional> after, const char* what, Work work,
            const std::function<void(CLI::App&, BankOptions&)>& add = {}) {
  auto o = std::make_shared<BankOptions>();
  app.add_option("--library", o->library, "the library file (default: the one the editor uses)")->type_name("F");
  if (named) app.add_option("NAME", o->name, "the bank's name");
  std::vector<std::shared_ptr<std::string>> values;
  for (const Positional& positional : after) {
    values.push_back(std::make_shared<std::string>());
    app.add_option(positional.name, *values.back(), positional.help);
  }
  if (add) add(app, *o);
  return [o, values, named, what, work] {
    bool given = !named || !o->name.empty();
    for (const auto& value : values) {
      given = given && !value->empty();
      o->more.push_back(*value);
    }
    if (!given) throw UsageError(std::string("give ") + what);
    return work(*o);
  };
}

void AddTransfer(CLI::App& app, BankOptions& o) {
  AddDevices(app, o.devices);
  AddAnswerTimeout(app, o.timeout);
}

int Pull(const BankOptions& o) {
  MidiSession session(o.devices);
  return BankPull(o.library, o.name, session, {o.timeout});
}

int Send(const BankOptions& o) {
  MidiSession session(o.devices);
  return BankSend(o.library, o.name, session, {o.timeout, o.all, o.verify});
}

Runner New(CLI::App& app) {
  return With(app, true, {}, "the bank's name", [](const BankOptions& o) { return BankNew(o.library, o.name); });
}

Runner List(CLI::App& app) {
  return With(app, false, {}, "", [](const BankOptions& o) { return BankList(o.library); });
}

Runner Show(CLI::App& app) {
  return With(
      app, true, {}, "the bank's name", [](const BankOptions& o) { return BankShow(o.library, o.name, o.json); },
      [](CLI::App& a, BankOptions& o) { a.add_flag("--json", o.json, "print the slots as JSON"); });
}

Runner Set(CLI::App& app) {
  return With(app, true, {{"SLOT", kSlotHelp}, {"ID", "a library entry id"}}, "the bank's name, a slot and an entry id", [](const BankOptions& o) {
    return BankSet(o.library, o.name, Slot(o.more[0]), EntryId(o.more[1]));
  });
}

Runner Move(CLI::App& app) {
  return With(app, true, {{"FROM", kSlotHelp}, {"TO", kSlotHelp}}, "the bank's name and the slots FROM and TO", [](const BankOptions& o) {
    return BankMove(o.library, o.name, Slot(o.more[0]), Slot(o.more[1]));
  });
}

Runner Swap(CLI::App& app) {
  return With(app, true, {{"A", kSlotHelp}, {"B", kSlotHelp}}, "the bank's name and two slots", [](const BankOptions& o) {
    return BankSwap(o.library, o.name, Slot(o.more[0]), Slot(o.more[1]));
  });
}

Runner Clear(CLI::App& app) {
  return With(app, true, {{"SLOT", kSlotHelp}}, "the bank's name and a slot",
              [](const BankOptions& o) { return BankClear(o.library, o.name, Slot(o.more[0])); });
}

Runner FromDump(CLI::App& app) {
  return With(app, true, {{"DUMP", "the dump file (.syx)"}}, "the bank's name and a dump file",
              [](const BankOptions& o) { return BankFromDump(o.library, o.name, o.more[0]); });
}

Runner Export(CLI::App& app) {
  return With(
      app, true, {}, "the bank's name", [](const BankOptions& o) { return BankExport(o.library, o.name, o.out); },
      [](CLI::App& a, BankOptions& o) {
        a.add_option("-o", o.out, "the dump file written")->type_name("DUMP")->required();
      });
}

Runner PullCommand(CLI::App& app) { return With(app, true, {}, "the bank's name", Pull, AddTransfer); }

Runner SendCommand(CLI::App& app) {
  return With(app, true, {}, "the bank's name", Send, [](CLI::App& a, BankOptions& o) {
    AddTransfer(a, o);
    a.add_flag("--all", o.all, "send every slot, also those the device is known to hold");
    a.add_flag("--verify", o.verify, "then ask for the sent presets back and compare");
  });
}

}  // namespace

const std::vector<Command>& BankCommands() {
  static const std::vector<Command> subcommands = {
      {"new", "Makes an empty bank.", "Live", New},
      {"list", "Lists the banks.", "--library my.db", List},
      {"show", "Shows a bank's slots and whether the device holds them.", "Live --json", Show},
      {"set", "Puts a library entry into a slot.", "Live U7 12", Set},
      {"move", "Moves a slot's entry to another slot.", "Live 7 9", Move},
      {"swap", "Swaps two slots.", "Live 7 9", Swap},
      {"clear", "Empties a slot.", "Live 7", Clear},
      {"from-dump", "Plans a bank from a dump file, keeping its presets in the library.", "Live bank.syx", FromDump},
      {"export", "Writes a bank as a dump file.", "Live -o live.syx", Export},
      {"pull", "Reads the device's user presets into a bank.", "Live --in 1 --out 1", PullCommand},
      {"send", "Sends the slots the device does not hold yet.", "Live --in 1 --out 1 --verify", SendCommand},
  };
  return subcommands;
}
