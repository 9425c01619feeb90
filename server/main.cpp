// lindel-db-server: the internet preset database the editor's "Internet
// Database..." window talks to, as a small self-hosted program.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <iostream>
#include <thread>

#include "Accounts.h"
#include "CliArgs.h"
#include "HttpFrontend.h"
#include "PresetDatabase.h"
#include "PresetDatabaseService.h"
#include "PresetImport.h"
#include "PresetStore.h"
#include "PresetUpload.h"
#include "UploadRateLimit.h"

namespace {

using Args = std::vector<std::string>;

constexpr int kDefaultUploadsPerMinute = 30;

constexpr const char* kUsage =
    "usage:\n"
    "  lindel-db-server --db FILE [--listen HOST:PORT] [--base PATH] [--open-uploads]\n"
    "                   [--uploads-per-minute N] [--workers N]\n"
    "      serves the database (default --listen 127.0.0.1:8080 --base /lindel\n"
    "      --uploads-per-minute 30 per address, 0: no limit --workers 64; port 0\n"
    "      picks a free port); uploads need an account's token unless --open-uploads;\n"
    "      stop it with Ctrl+C or SIGTERM\n"
    "  lindel-db-server import --db FILE [--song S] [--description D] PRESETS.syx...\n"
    "      stores every valid preset of the files (dump files: every slot)\n"
    "  lindel-db-server user add NAME --db FILE     prints the new account's upload token\n"
    "  lindel-db-server user list --db FILE\n"
    "  lindel-db-server user revoke NAME --db FILE\n"
    "  lindel-db-server hide|unhide|delete ID --db FILE\n"
    "      a hidden preset leaves the list and cannot be downloaded\n"
    "  lindel-db-server backup --db FILE -o COPY\n"
    "      a consistent copy, also while the server runs\n"
    "example:\n"
    "  lindel-db-server --db presets.db --listen 0.0.0.0:8080\n";

struct ListenAddress {
  std::string host;
  int port = 0;
};

// "HOST:PORT" or "[IPv6]:PORT".
ListenAddress ParseListen(const std::string& text) {
  const auto colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) throw UsageError("--listen takes HOST:PORT, not '" + text + "'");
  std::string host = text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  return {host, static_cast<int>(ParseNumber(text.substr(colon + 1), 0, 65535, "the port of --listen"))};
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

void NoPositional(const CliArgs& cli) {
  if (!cli.Positional().empty()) throw UsageError("unexpected argument '" + cli.Positional().front() + "'");
}

// The one positional argument a command takes.
std::string OnlyPositional(const CliArgs& cli, const std::string& what) {
  if (cli.Positional().size() != 1) throw UsageError("give one " + what);
  return cli.Positional().front();
}

int Serve(const Args& args) {
  const CliArgs cli(args, {"--db", "--listen", "--base", "--uploads-per-minute", "--workers"}, {"--open-uploads"});
  NoPositional(cli);
  const std::string db = cli.Required("--db");
  const ListenAddress listen = ParseListen(cli.Value("--listen").value_or(PresetDatabase::kDefaultServer));
  PresetStore store(db);
  Accounts accounts(db);
  UploadRateLimit limit(static_cast<int>(cli.Number("--uploads-per-minute", 0, 1000000).value_or(kDefaultUploadsPerMinute)));
  const UploadPolicy policy{cli.Flag("--open-uploads") ? nullptr : &accounts, &limit};
  PresetDatabaseService service(store, cli.Value("--base").value_or(PresetDatabase::kDefaultBasePath), policy);
  HttpFrontend frontend(service, std::cerr,
                        static_cast<int>(cli.Number("--workers", 1, 1024).value_or(HttpFrontend::kDefaultWorkers)));
  const int port = frontend.Bind(listen.host, listen.port);
  if (port < 0) {
    std::cerr << "lindel-db-server: cannot listen on " << listen.host << ":" << listen.port << "\n";
    return ExitCode::Failed;
  }
  std::cout << "listening on " << listen.host << ":" << port << ", base path " << service.BasePath()
            << ", database " << db << std::endl;
  const bool served = ServeUntilSignalled(frontend);
  std::cerr << "lindel-db-server: stopped\n";
  return served ? ExitCode::Ok : ExitCode::Failed;
}

int Import(const Args& args) {
  const CliArgs cli(args, {"--db", "--song", "--description"}, {});
  if (cli.Positional().empty()) throw UsageError("no preset files given");
  PresetStore store(cli.Required("--db"));
  const ImportReport report = ImportPresetFiles(store, cli.Positional(), cli.Value("--song").value_or(""),
                                                cli.Value("--description").value_or(""));
  for (const std::string& note : report.notes) std::cerr << "lindel-db-server import: " << note << "\n";
  std::cout << "imported " << report.added << " presets, " << report.duplicates << " already stored, "
            << report.refused << " refused\n";
  return report.refused == 0 ? ExitCode::Ok : ExitCode::Failed;
}

int User(const Args& args) {
  const CliArgs cli(args, {"--db"}, {});
  const auto& words = cli.Positional();
  const std::string action = words.empty() ? "" : words[0];
  Accounts accounts(cli.Required("--db"));
  if (action == "list" && words.size() == 1) {
    for (const Account& account : accounts.List()) std::cout << account.name << "\t" << account.added << "\n";
    return ExitCode::Ok;
  }
  if (words.size() != 2 || (action != "add" && action != "revoke")) throw UsageError("user takes add NAME, list or revoke NAME");
  const std::string& name = words[1];
  if (action == "add") {
    if (!IsValidUtf8(name) || CleanField(name) != name || name.find_first_not_of(' ') == std::string::npos) {
      throw UsageError("an account name is printable text, not '" + name + "'");
    }
    std::cout << accounts.Add(name) << "\n";
    return ExitCode::Ok;
  }
  if (accounts.Revoke(name)) return ExitCode::Ok;
  std::cerr << "lindel-db-server: no account named " << name << "\n";
  return ExitCode::Failed;
}

int Moderate(const std::string& action, const Args& args) {
  const CliArgs cli(args, {"--db"}, {});
  const long id = ParseNumber(OnlyPositional(cli, "preset id"), 1, 2147483647, "the preset id");
  PresetStore store(cli.Required("--db"));
  const bool found = action == "delete" ? store.Delete(id) : store.SetHidden(id, action == "hide");
  if (found) return ExitCode::Ok;
  std::cerr << "lindel-db-server: no preset with id " << id << "\n";
  return ExitCode::Failed;
}

int Backup(const Args& args) {
  const CliArgs cli(args, {"--db", "-o"}, {});
  NoPositional(cli);
  // Opened through the store so that a file that is not our database is refused.
  PresetStore store(cli.Required("--db"));
  SqliteDb(cli.Required("--db")).BackupTo(cli.Required("-o"));
  std::cout << "backed up " << store.Count() << " listed presets to " << cli.Required("-o") << "\n";
  return ExitCode::Ok;
}

int Run(const Args& all) {
  const std::string command = all.empty() ? "" : all[0];
  const Args rest(all.begin() + (all.empty() ? 0 : 1), all.end());
  if (command == "import") return Import(rest);
  if (command == "user") return User(rest);
  if (command == "hide" || command == "unhide" || command == "delete") return Moderate(command, rest);
  if (command == "backup") return Backup(rest);
  return Serve(all);
}

}  // namespace

int main(int argc, char** argv) {
  const Args all(argv + 1, argv + argc);
  if (!all.empty() && (all[0] == "--help" || all[0] == "-h" || all[0] == "help")) {
    std::cout << kUsage;
    return ExitCode::Ok;
  }
  try {
    return Run(all);
  } catch (const UsageError& e) {
    std::cerr << "lindel-db-server: " << e.what() << "\n" << kUsage;
    return ExitCode::Usage;
  } catch (const SqliteError& e) {
    std::cerr << "lindel-db-server: " << e.what() << "\n";
    return ExitCode::Failed;
  }
}
