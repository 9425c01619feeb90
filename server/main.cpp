// lindel-db-server: the internet preset database the editor's "Internet
// Database..." window talks to, as a small self-hosted program.
#include <pthread.h>
#include <signal.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <charconv>
#include <iostream>
#include <thread>

#include "Accounts.h"
#include "HttpFrontend.h"
#include "PresetDatabase.h"
#include "PresetDatabaseService.h"
#include "PresetImport.h"
#include "Pg.h"
#include "PresetStore.h"
#include "SqlitePresetStore.h"
#include "PresetUpload.h"
#include "UploadRateLimit.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kDefaultUploadsPerMinute = 30;
constexpr int64_t kLargestId = 2147483647;

struct ListenAddress {
  std::string host;
  int port = 0;
};

// "HOST:PORT" or "[IPv6]:PORT".
ListenAddress ParseListen(const std::string& text) {
  const auto colon = text.rfind(':');
  int port = -1;
  const char* end = text.data() + text.size();
  if (colon != std::string::npos && colon != 0) {
    const auto [last, ec] = std::from_chars(text.data() + colon + 1, end, port);
    if (ec != std::errc() || last != end) port = -1;
  }
  if (port < 0 || port > 65535) throw CLI::ValidationError("--listen", "takes HOST:PORT (port 0 to 65535), not '" + text + "'");
  std::string host = text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  return {host, port};
}

// Runs the frontend until SIGINT or SIGTERM. The signals are blocked in
// every thread and taken by one waiting thread, which stops the server
// outside any signal handler.
bool ServeUntilSignalled(HttpFrontend& frontend) {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::atomic<bool> signalled = false;
  std::thread waiter([&] {
    int received = 0;
    sigwait(&signals, &received);
    signalled = true;
    frontend.Stop();
  });
  const bool served = frontend.Serve();
  if (!signalled) pthread_kill(waiter.native_handle(), SIGTERM);
  waiter.join();
  return served;
}

struct ServeOptions {
  std::string db;
  std::string listen = PresetDatabase::kDefaultServer;
  std::string base = PresetDatabase::kDefaultBasePath;
  bool openUploads = false;
  int uploadsPerMinute = kDefaultUploadsPerMinute;
  int workers = HttpFrontend::kDefaultWorkers;
};

int Serve(const ServeOptions& options) {
  const ListenAddress listen = ParseListen(options.listen);
  const std::unique_ptr<PresetStore> store = OpenPresetStore(options.db);
  const std::unique_ptr<Accounts> accounts = OpenAccounts(options.db);
  UploadRateLimit limit(options.uploadsPerMinute);
  const UploadPolicy policy{options.openUploads ? nullptr : accounts.get(), &limit};
  PresetDatabaseService service(*store, options.base, policy);
  HttpFrontend frontend(service, std::cerr, options.workers);
  const int port = frontend.Bind(listen.host, listen.port);
  if (port < 0) {
    std::cerr << "lindel-db-server: cannot listen on " << listen.host << ":" << listen.port << "\n";
    return kExitFailed;
  }
  std::cout << "listening on " << listen.host << ":" << port << ", base path " << service.BasePath()
            << ", database " << options.db << std::endl;
  const bool served = ServeUntilSignalled(frontend);
  std::cerr << "lindel-db-server: stopped\n";
  return served ? kExitOk : kExitFailed;
}

// The values the sub-commands are given; one of them runs.
struct Command {
  std::string db;
  std::string song;
  std::string description;
  std::vector<std::string> files;
  std::string name;
  int64_t id = 0;
  std::string output;
};

int Import(const Command& c) {
  const std::unique_ptr<PresetStore> store = OpenPresetStore(c.db);
  const ImportReport report = ImportPresetFiles(*store, c.files, c.song, c.description);
  for (const std::string& note : report.notes) std::cerr << "lindel-db-server import: " << note << "\n";
  std::cout << "imported " << report.added << " presets, " << report.duplicates << " already stored, "
            << report.refused << " refused\n";
  return report.refused == 0 ? kExitOk : kExitFailed;
}

int Failed(const std::string& message) {
  std::cerr << "lindel-db-server: " << message << "\n";
  return kExitFailed;
}

int UserAdd(const Command& c) {
  if (!IsValidUtf8(c.name) || CleanField(c.name) != c.name || c.name.empty()) {
    throw CLI::ValidationError("NAME", "an account name is printable text, not '" + c.name + "'");
  }
  std::cout << OpenAccounts(c.db)->Add(c.name) << "\n";
  return kExitOk;
}

int UserList(const Command& c) {
  for (const Account& account : OpenAccounts(c.db)->List()) std::cout << account.name << "\t" << account.added << "\n";
  return kExitOk;
}

int UserRevoke(const Command& c) { return OpenAccounts(c.db)->Revoke(c.name) ? kExitOk : Failed("no account named " + c.name); }

int Moderate(const Command& c, const std::string& action) {
  const std::unique_ptr<PresetStore> store = OpenPresetStore(c.db);
  const bool found = action == "delete" ? store->Delete(c.id) : store->SetHidden(c.id, action == "hide");
  return found ? kExitOk : Failed("no preset with id " + std::to_string(c.id));
}

int Backup(const Command& c) {
  if (IsPostgresUrl(c.db)) return Failed("backup copies SQLite files; back up a PostgreSQL database with pg_dump");
  // Opened through the store so that a file that is not our database is refused.
  SqlitePresetStore store(c.db);
  SqliteDb(c.db).BackupTo(c.output);
  std::cout << "backed up " << store.Count() << " listed presets to " << c.output << "\n";
  return kExitOk;
}

// "lindel-db-server user " for the user command.
std::string ParentPath(const CLI::App& parent) {
  return parent.get_parent() ? ParentPath(*parent.get_parent()) + parent.get_name() + " " : parent.get_name() + " ";
}

// example: the arguments after the command's name.
CLI::App* AddCommand(CLI::App& parent, const std::string& name, const std::string& what, const std::string& example,
                     Command& c) {
  CLI::App* command = parent.add_subcommand(name, what);
  command->set_version_flag("--version", LINDEL_VERSION);
  command->footer("example:\n  " + ParentPath(parent) + name + " " + example);
  command->add_option("--db", c.db, "the database file, or postgresql://USER@HOST:PORT/NAME")->required();
  return command;
}

// The sub-command that was being parsed when an error came: the deepest one given.
std::string CommandPath(const CLI::App& app) {
  std::string path = "lindel-db-server";
  const CLI::App* at = &app;
  while (!at->get_subcommands().empty()) {
    at = at->get_subcommands().front();
    path += " " + at->get_name();
  }
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Serves the internet preset database the editor's \"Internet Database...\" window lists and "
               "downloads from, with a web catalogue; stop it with Ctrl+C or SIGTERM.",
               "lindel-db-server");
  app.set_version_flag("--version", LINDEL_VERSION);
  app.footer("example:\n  lindel-db-server --db presets.db --listen 0.0.0.0:8080");
  ServeOptions serve;
  app.add_option("--db", serve.db, "the database file (created on first start), or postgresql://USER@HOST:PORT/NAME");
  app.add_option("--listen", serve.listen, "HOST:PORT to serve on; port 0 picks a free one")->capture_default_str();
  app.add_option("--base", serve.base, "the base path in front of every request")->capture_default_str();
  app.add_flag("--open-uploads", serve.openUploads, "anyone may upload, without an account's token");
  app.add_option("--uploads-per-minute", serve.uploadsPerMinute, "uploads one address may make a minute; 0: no limit")
      ->check(CLI::Range(0, 1000000))
      ->capture_default_str();
  app.add_option("--workers", serve.workers, "connections served at once")->check(CLI::Range(1, 1024))->capture_default_str();

  Command c;
  std::function<int()> run = [&] {
    if (serve.db.empty()) throw CLI::RequiredError("--db");
    return Serve(serve);
  };
  CLI::App* import = AddCommand(app, "import", "stores every valid preset of the files (dump files: every slot)",
                                "--db presets.db --song \"Song\" bank.syx", c);
  import->add_option("--song", c.song, "the song of every preset");
  import->add_option("--description", c.description, "the description of every preset");
  import->add_option("PRESETS", c.files, "preset or dump files (.syx)")->required();
  import->callback([&] { run = [&] { return Import(c); }; });

  CLI::App* user = app.add_subcommand("user", "the accounts that may upload")->require_subcommand(1);
  user->set_version_flag("--version", LINDEL_VERSION);
  user->footer("example:\n  lindel-db-server user list --db presets.db");
  CLI::App* add = AddCommand(*user, "add", "creates an account and prints its upload token", "--db presets.db alice", c);
  add->add_option("NAME", c.name, "the account's name")->required();
  add->callback([&] { run = [&] { return UserAdd(c); }; });
  AddCommand(*user, "list", "every account and when it was made", "--db presets.db", c)->callback([&] { run = [&] { return UserList(c); }; });
  CLI::App* revoke = AddCommand(*user, "revoke", "removes the account; its token stops working", "--db presets.db alice", c);
  revoke->add_option("NAME", c.name, "the account's name")->required();
  revoke->callback([&] { run = [&] { return UserRevoke(c); }; });

  for (const auto& [action, what] : {std::pair{"hide", "takes a preset out of the list, the catalogue and downloads"},
                                     std::pair{"unhide", "shows a hidden preset again"},
                                     std::pair{"delete", "removes a preset for good"}}) {
    CLI::App* moderate = AddCommand(app, action, what, "--db presets.db 12", c);
    moderate->add_option("ID", c.id, "the preset's id")->required()->check(CLI::Range(int64_t{1}, kLargestId));
    moderate->callback([&, name = std::string(action)] { run = [&, name] { return Moderate(c, name); }; });
  }
  CLI::App* backup = AddCommand(app, "backup", "writes a consistent copy, also while the server runs",
                                "--db presets.db -o copy.db", c);
  backup->add_option("-o,--output", c.output, "the copy's file")->required();
  backup->callback([&] { run = [&] { return Backup(c); }; });

  try {
    app.parse(argc, argv);
    return run();
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::Error& e) {
    const std::string command = CommandPath(app);
    std::cerr << command << ": " << e.what() << "\nsee " << command << " --help\n";
    return kExitUsage;
  } catch (const SqliteError& e) {
    return Failed(e.what());
  } catch (const PgError& e) {
    return Failed(e.what());
  }
}
