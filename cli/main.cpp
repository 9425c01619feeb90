// lindel-cli: batch work on G-Major preset and dump files from the shell.
#include "CLog.h"
#include "Commands.h"

int main(int argc, char** argv) {
  CLog log(ProgramFolder());
  CLog::SetProgram(&log);
  return RunCommand("lindel-cli", LindelCli(), Args(argv + 1, argv + argc));
}
