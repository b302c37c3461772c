#pragma once

#include <QStringList>
#include <QTextStream>

class QIODevice;

// The command line front end of Tubarex: computes, checks and rewrites
// project data files without any window.
//   tubarex-cli calc [--json | --csv[=,|.]] FILE...   both networks computed
//   tubarex-cli check [--json] FILE...     the messages of the input checks
//   tubarex-cli resave IN OUT              reads IN and writes it again to OUT
//   tubarex-cli print, form, sheet, report the printed outputs (CliOutputs.h)
//   tubarex-cli [COMMAND] --help, tubarex-cli --version
// A FILE "-" is read from `input`, an OUT "-" written to the device of `out`.
// Exit status: 0 done; 1 a network with rows fails its check; 2 a file that
// cannot be read, is not a valid project or cannot be written, or a command
// line that cannot be understood; with several files, the highest of them.
int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err,
           QIODevice* input = nullptr);
