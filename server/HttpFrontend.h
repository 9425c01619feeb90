// Serves a PresetDatabaseService over HTTP with cpp-httplib, writing one log
// line per request: time, client, request line, status, body bytes.
#pragma once

#include <memory>
#include <mutex>
#include <ostream>
#include <string>

namespace httplib {
class Server;
}
class PresetDatabaseService;

class HttpFrontend {
 public:
  static constexpr int kDefaultWorkers = 64;

  HttpFrontend(PresetDatabaseService& service, std::ostream& log, int workers = kDefaultWorkers);
  ~HttpFrontend();

  // Binds host:port (port 0: any free port); the bound port, or -1.
  int Bind(const std::string& host, int port);
  // Answers requests until Stop; false when the server could not run.
  bool Serve();
  // Safe from any thread.
  void Stop();

 private:
  void LogRequest(const std::string& line);

  std::unique_ptr<httplib::Server> server_;
  std::ostream& log_;
  std::mutex logMutex_;
};
