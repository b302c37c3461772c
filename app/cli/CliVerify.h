#pragma once

#include "cli/CliOutputs.h"

// The commands on the verification and the sizing of the networks.

// tubarex-cli verify [--json] FILE...: the verdict of each network of each
// project against its limits (paths from the source to every terminal
// segment, the critical path). Exit status 0 when every network that has
// rows complies, 1 when a limit is exceeded, a network fails its input
// check or the project has no rows, 2 when a file cannot be read.
int VerifyCommand(const CliCommandLine& line, const CliIo& io);

// tubarex-cli size FILE OUT [--series NAME] [--json]: every network that
// has rows sized (water: from the series named, else the project's, else
// "acciaio zincato (serie media)"), written to OUT with the series in its
// block, and the table of changes printed (on standard error when OUT is
// standard output). Exit status 0 when the sized project meets every
// limit, 1 when some segment cannot (OUT is not written), 2 when a file
// cannot be read or written or the series does not exist.
int SizeCommand(const CliCommandLine& line, const CliIo& io);
