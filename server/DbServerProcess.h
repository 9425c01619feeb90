// Runs lindel-db-server as a child process on a free loopback port, for the
// tests and the load benchmark: started in the constructor, stopped (SIGTERM,
// then SIGKILL if it hangs) at the latest in the destructor, and asked to die
// with its parent so that a crashed test leaves nothing behind.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class DbServerProcess {
 public:
  // For tests and benchmarks that upload freely and fast.
  static inline const std::vector<std::string> kUnrestrictedUploads = {"--open-uploads", "--uploads-per-minute", "0"};

  struct Options {
    std::string program;  // path of lindel-db-server
    std::string db;
    std::string basePath = "/lindel";
    std::string logFile;  // the server's request log; empty: discarded
    std::vector<std::string> extraArgs;  // appended to the command line
  };

  // Throws std::runtime_error when the server does not come up.
  explicit DbServerProcess(const Options& options);
  ~DbServerProcess();
  DbServerProcess(const DbServerProcess&) = delete;
  DbServerProcess& operator=(const DbServerProcess&) = delete;

  // "127.0.0.1:PORT", the form the editor's Server setting takes.
  const std::string& Address() const { return address_; }
  int Port() const { return port_; }

  // Graceful stop; returns the exit status (128 + signal when killed).
  int Stop();
  // Ends the server abruptly, as a power cut or kill -9 would.
  void Kill();

 private:
  int WaitForExit(int graceMs);

  pid_t pid_ = -1;
  int stdoutFd_ = -1;
  int port_ = 0;
  std::string address_;
};
