// Runs a program as a black box and captures its exit code, stdout and stderr.
#pragma once

#include <string>
#include <vector>

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// args[0] is the program; stdinText is fed to its standard input.
ProcessResult RunProcess(const std::vector<std::string>& args, const std::string& stdinText = "");
