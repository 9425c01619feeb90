// The lindel-cli commands. Each Define function adds the command's options
// to its CLI::App and returns the run over them (see CommandLine.h).
#pragma once

#include "CommandLine.h"

// lindel-cli itself: every command below as a sub-command.
const Command& LindelCli();

Runner DefineInfo(CLI::App& app);
Runner DefineNew(CLI::App& app);
Runner DefineSplit(CLI::App& app);
Runner DefineModifiers(CLI::App& app);
Runner DefineCopyBlock(CLI::App& app);
Runner DefineExport(CLI::App& app);
Runner DefineImport(CLI::App& app);
Runner DefineDiff(CLI::App& app);
Runner DefinePorts(CLI::App& app);
Runner DefineRequest(CLI::App& app);
Runner DefineTransmit(CLI::App& app);
Runner DefineReceiveDump(CLI::App& app);
Runner DefineSendDump(CLI::App& app);
Runner DefineBackup(CLI::App& app);
Runner DefineRandomize(CLI::App& app);
Runner DefineMutate(CLI::App& app);
Runner DefineMorph(CLI::App& app);
Runner DefineNudge(CLI::App& app);
const std::vector<Command>& LibraryCommands();
const std::vector<Command>& BankCommands();
