// Commands with sub-commands of their own (`library`, `bank`): one dispatch,
// one way of naming the sub-command in errors.
#pragma once

#include <vector>

#include "CliArgs.h"
#include "Commands.h"

// Runs the sub-command args[0] of group ("library", "bank"); a library or
// database error is reported under "lindel-cli GROUP SUB".
int RunSubcommand(const char* group, const std::vector<Command>& subcommands, const Args& args);
