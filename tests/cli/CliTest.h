// Runs lindel-cli as a black box.
#pragma once

#include <string>
#include <vector>

#include "RunProcess.h"

ProcessResult Cli(std::vector<std::string> args);
