#pragma once

#include <QStringList>
#include <QTextStream>

// The command line front end of Tubarex: computes, checks and rewrites
// project data files without any window.
//   tubarex-cli calc FILE [--json]   both networks computed, as text or JSON
//   tubarex-cli check FILE           the messages of the input checks
//   tubarex-cli resave IN OUT        reads IN and writes it again to OUT
//   tubarex-cli print, form, sheet   the printed outputs (see CliOutputs.h)
// Exit status: 0 done; 1 a network with rows fails its check; 2 a file that
// cannot be read, is not a valid project or cannot be written, or a command
// line that cannot be understood.
int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err);
