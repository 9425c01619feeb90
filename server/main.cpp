// lindel-db-server: the internet preset database the editor's "Internet
// Database..." window talks to, as a small self-hosted program.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <iostream>
#include <thread>

#include "CliArgs.h"
#include "HttpFrontend.h"
#include "PresetDatabase.h"
#include "PresetDatabaseService.h"
#include "PresetImport.h"
#include "PresetStore.h"

namespace {

using Args = std::vector<std::string>;

constexpr const char* kUsage =
    "usage:\n"
    "  lindel-db-server --db FILE [--listen HOST:PORT] [--base PATH]\n"
    "      serves the database (default --listen 127.0.0.1:8080 --base /lindel;\n"
    "      port 0 picks a free port); stop it with Ctrl+C or SIGTERM\n"
    "  lindel-db-server import --db FILE [--song S] [--description D] PRESETS.syx...\n"
    "      stores every valid preset of the files (dump files: every slot)\n";

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

int Serve(const Args& args) {
  const CliArgs cli(args, {"--db", "--listen", "--base"}, {});
  if (!cli.Positional().empty()) throw UsageError("unexpected argument '" + cli.Positional().front() + "'");
  const std::string db = cli.Required("--db");
  const ListenAddress listen = ParseListen(cli.Value("--listen").value_or(PresetDatabase::kDefaultServer));
  PresetStore store(db);
  PresetDatabaseService service(store, cli.Value("--base").value_or(PresetDatabase::kDefaultBasePath));
  HttpFrontend frontend(service, std::cerr);
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

}  // namespace

int main(int argc, char** argv) {
  const Args all(argv + 1, argv + argc);
  if (!all.empty() && (all[0] == "--help" || all[0] == "-h" || all[0] == "help")) {
    std::cout << kUsage;
    return ExitCode::Ok;
  }
  const bool importing = !all.empty() && all[0] == "import";
  try {
    return importing ? Import(Args(all.begin() + 1, all.end())) : Serve(all);
  } catch (const UsageError& e) {
    std::cerr << "lindel-db-server: " << e.what() << "\n" << kUsage;
    return ExitCode::Usage;
  } catch (const SqliteError& e) {
    std::cerr << "lindel-db-server: " << e.what() << "\n";
    return ExitCode::Failed;
  }
}
