// The lindel-cli commands. Each takes the arguments after its name and
// returns the process exit code (see ExitCode).
#pragma once

#include <string>
#include <vector>

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* synopsis;
  int (*run)(const Args& args);
};

const std::vector<Command>& AllCommands();

int RunInfo(const Args& args);
int RunNew(const Args& args);
int RunSplit(const Args& args);
int RunModifiers(const Args& args);
int RunCopyBlock(const Args& args);
int RunExport(const Args& args);
int RunImport(const Args& args);
int RunDiff(const Args& args);
int RunPorts(const Args& args);
int RunRequest(const Args& args);
int RunTransmit(const Args& args);
int RunReceiveDump(const Args& args);
int RunSendDump(const Args& args);
int RunBackup(const Args& args);
int RunLibrary(const Args& args);
int RunRandomize(const Args& args);
int RunMutate(const Args& args);
int RunMorph(const Args& args);
int RunNudge(const Args& args);
int RunBank(const Args& args);
