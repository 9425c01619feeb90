#include "DbServerProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kStopGraceMs = 5000;
constexpr const char* kListenPrefix = "listening on 127.0.0.1:";

[[noreturn]] void ExecServer(const DbServerProcess::Options& options, int stdoutFd) {
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  dup2(stdoutFd, STDOUT_FILENO);
  const int logFd = options.logFile.empty() ? open("/dev/null", O_WRONLY)
                                            : open(options.logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (logFd >= 0) dup2(logFd, STDERR_FILENO);
  std::vector<std::string> args = {options.program, "--db",   options.db, "--listen", "127.0.0.1:0",
                                   "--base",        options.basePath};
  args.insert(args.end(), options.extraArgs.begin(), options.extraArgs.end());
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

// The first line the server prints, or "" when none comes in time.
std::string ReadFirstLine(int fd) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  while (line.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd pfd{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&pfd, 1, static_cast<int>(left.count())) <= 0) return "";
    char buf[256];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) return "";
    line.append(buf, static_cast<std::size_t>(n));
  }
  return line.substr(0, line.find('\n'));
}

}  // namespace

DbServerProcess::DbServerProcess(const Options& options) {
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ == 0) ExecServer(options, out[1]);
  close(out[1]);
  if (pid_ < 0) {
    close(out[0]);
    throw std::runtime_error("fork failed");
  }
  stdoutFd_ = out[0];
  const std::string line = ReadFirstLine(stdoutFd_);
  if (line.rfind(kListenPrefix, 0) != 0) {
    const int status = Stop();
    throw std::runtime_error("lindel-db-server did not start (exit " + std::to_string(status) + "): " + line);
  }
  port_ = std::stoi(line.substr(std::string(kListenPrefix).size()));
  address_ = "127.0.0.1:" + std::to_string(port_);
}

DbServerProcess::~DbServerProcess() { Stop(); }

int DbServerProcess::Stop() {
  if (pid_ <= 0) return 0;
  kill(pid_, SIGTERM);
  return WaitForExit(kStopGraceMs);
}

void DbServerProcess::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  WaitForExit(kStopGraceMs);
}

int DbServerProcess::WaitForExit(int graceMs) {
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMs);
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
  close(stdoutFd_);
  stdoutFd_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
