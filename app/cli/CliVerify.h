#pragma once

#include "cli/CliOutputs.h"

// tubarex-cli verify [--json] FILE...: the verdict of each network of each
// project against its limits (paths from the source to every terminal
// segment, the critical path). Exit status 0 when every network that has
// rows complies, 1 when a limit is exceeded, a network fails its input
// check or the project has no rows, 2 when a file cannot be read.
int VerifyCommand(const CliCommandLine& line, const CliIo& io);
