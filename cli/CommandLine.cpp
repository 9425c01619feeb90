#include "CommandLine.h"

#include <charconv>
#include <iostream>

namespace {

bool IsStandard(const CLI::Option* option) {
  return option->get_name() == "--help" || option->get_name() == "--version";
}

std::string Usage(const CLI::Option* option) {
  if (option->get_positional()) {
    std::string text = option->get_name(true, false);
    if (option->get_expected_max() >= CLI::detail::expected_max_vector_size) text += "...";
    return option->get_expected_min() == 0 ? "[" + text + "]" : text;
  }
  std::string text = option->get_name();
  if (!option->get_type_name().empty()) text += " " + option->get_type_name();
  return option->get_required() ? text : "[" + text + "]";
}

std::string Synopsis(const CLI::App& app) {
  std::string text;
  for (const CLI::Option* option : app.get_options()) {
    if (!IsStandard(option)) text += (text.empty() ? "" : " ") + Usage(option);
  }
  return text;
}

// The usage line shows our synopsis: CLI11 would bracket the positionals
// whose count the commands check themselves.
class Formatter : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App* app, std::string name) const override {
    if (app->get_prefix_command()) {
      return "usage: " + name + " COMMAND [ARGS]\n       " + name + " --help | --version\n       " + name +
             " COMMAND --help\n";
    }
    return "usage: " + name + " " + Synopsis(*app) + "\n       " + name + " --help | --version\n";
  }
  // A positional's name says what it is; CLI11 would add "TEXT".
  std::string make_option_opts(const CLI::Option* option) const override {
    return option->get_positional() ? std::string() : CLI::Formatter::make_option_opts(option);
  }
};

std::string Listing(const std::string& path, const std::vector<Command>& commands) {
  std::string text = "commands:\n";
  // The about line under each synopsis also makes each command an item of its own in the man page.
  for (const Command& c : commands) {
    text += "  " + path + " " + c.name + " " + Synopsis(c) + "\n      " + c.about + "\n";
  }
  return text;
}

void RefuseLeftovers(const CLI::App& app) {
  const std::vector<std::string> left = app.remaining();
  if (left.empty()) return;
  if (left[0].size() > 1 && left[0][0] == '-') {
    throw UsageError("unknown option " + left[0] + "; see " + app.get_name() + " --help");
  }
  throw UsageError("unexpected argument '" + left[0] + "'");
}

void RefuseMissing(const CLI::App& app) {
  for (const CLI::Option* option : app.get_options()) {
    if (option->get_required() && option->count() == 0) throw UsageError("missing option " + option->get_name());
  }
}

// Throws UsageError for arguments the command does not take; CLI::Success
// for --help and --version.
void Parse(CLI::App& app, const Args& args) {
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::Success&) {
    throw;
  } catch (const CLI::RequiredError&) {
    RefuseLeftovers(app);
    RefuseMissing(app);
    throw;
  } catch (const CLI::Error& e) {
    throw UsageError(std::string(e.what()) + "; see " + app.get_name() + " --help");
  }
  if (!app.get_prefix_command()) RefuseLeftovers(app);
}

const Command* Find(const std::vector<Command>& commands, const std::string& name) {
  for (const Command& c : commands) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

// The sub-command named first among the arguments left after the group's own.
Runner DefineGroup(CLI::App& app, const std::vector<Command>& subcommands) {
  app.prefix_command();
  return [&app, &subcommands] {
    const Args left = app.remaining();
    const std::string path = app.get_name();
    const std::string group = path.substr(path.find(' ') == std::string::npos ? path.size() : path.find(' ') + 1);
    const std::string kind = group.empty() ? "command" : group + " command";
    if (left.empty()) throw UsageError("give a " + kind + ":\n" + Listing(path, subcommands));
    const Command* sub = Find(subcommands, left[0]);
    if (!sub) {
      if (left[0].size() > 1 && left[0][0] == '-') RefuseLeftovers(app);
      throw UsageError("unknown " + kind + " '" + left[0] + "'; use one of:\n" + Listing(path, subcommands));
    }
    return RunCommand(path + " " + sub->name, *sub, Args(left.begin() + 1, left.end()));
  };
}

Runner Define(CLI::App& app, const Command& c) {
  app.formatter(std::make_shared<Formatter>());
  const std::string program = app.get_name().substr(0, app.get_name().find(' '));
  app.set_version_flag("--version", program + " " + LINDEL_VERSION);
  app.allow_extras();
  const std::string example = "example:\n  " + app.get_name() + " " + c.example;
  if (!c.subcommands) {
    app.footer(example);
    return c.define(app);
  }
  app.footer(Listing(app.get_name(), c.subcommands()) + "\n" + example);
  return DefineGroup(app, c.subcommands());
}

}  // namespace

int RunCommand(const std::string& path, const Command& c, const Args& args) {
  CLI::App app(c.about, path);
  const Runner run = Define(app, c);
  try {
    Parse(app, args);
    return run();
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const std::runtime_error& e) {
    std::cerr << path << ": " << e.what() << "\n";
    return ExitCode::Usage;
  }
}

std::string Synopsis(const Command& c) {
  if (!c.subcommands) {
    CLI::App app;
    c.define(app);
    return Synopsis(app);
  }
  std::string names;
  for (const Command& sub : c.subcommands()) names += (names.empty() ? "" : "|") + std::string(sub.name);
  return names + " ...";
}

long ParseNumber(const std::string& text, long min, long max, const std::string& what) {
  long n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < min || n > max) {
    throw UsageError(what + " must be a whole number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", not '" + text + "'");
  }
  return n;
}

CLI::Option* AddNumber(CLI::App& app, const std::string& name, long& value, long min, long max,
                       const std::string& help) {
  return AddParsed<long>(app, name, value, "N", [=](const std::string& text) { return ParseNumber(text, min, max, name); },
                         help)
      ->default_str(std::to_string(value));
}

CLI::Option* AddNumber(CLI::App& app, const std::string& name, std::optional<long>& value, long min, long max,
                       const std::string& help) {
  return AddParsed<std::optional<long>>(
      app, name, value, "N", [=](const std::string& text) { return ParseNumber(text, min, max, name); }, help);
}
