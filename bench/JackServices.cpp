#include "JackServices.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

ChildCost RunChild(const std::vector<std::string>& args) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  ChildCost cost;
  cost.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  cost.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                    (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  cost.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return cost;
}

JackServices::JackServices(const std::string& servicesScript, const std::string& simulator)
    : script_(servicesScript),
      dir_(std::filesystem::temp_directory_path() / ("lindel-bench-" + std::to_string(::getpid()))) {
  const std::string start = "bash '" + script_ + "' start '" + dir_.string() + "' '" + simulator + "'";
  if (std::system(start.c_str()) != 0) throw std::runtime_error("cannot start the MIDI services");
  std::ifstream env(dir_ / "env");
  for (std::string line; std::getline(env, line);) {  // export NAME='value'
    const auto eq = line.find('=');
    std::string value = line.substr(eq + 1);
    if (value.size() >= 2 && value.front() == '\'') value = value.substr(1, value.size() - 2);
    ::setenv(line.substr(7, eq - 7).c_str(), value.c_str(), 1);
  }
}

JackServices::~JackServices() {
  const std::string stop = "bash '" + script_ + "' stop '" + dir_.string() + "'";
  if (std::system(stop.c_str()) != 0) std::fprintf(stderr, "stopping the MIDI services failed\n");
  std::filesystem::remove_all(dir_);
}

std::vector<std::string> CliOnSimulator(const std::string& cli, std::vector<std::string> args) {
  const std::string sim = std::getenv("LINDEL_SIM_NAME");
  args.insert(args.begin(), cli);
  args.insert(args.end(), {"--in", sim, "--out", sim});
  return args;
}
