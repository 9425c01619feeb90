#include "CliTest.h"

ProcessResult Cli(std::vector<std::string> args) {
  args.insert(args.begin(), LINDEL_CLI);
  return RunProcess(args);
}
