#pragma once

#include <QStringList>
#include <QTextStream>

class QIODevice;

// The command line front end of Tubarex: computes, checks, verifies, sizes,
// prints and rewrites project data files without any window. Each command
// is registered once (CliCommands.cpp) with the help that tells how to call
// it; `arguments` start with the executable's name.
// A FILE "-" is read from `input`, an OUT "-" written to the device of `out`.
// Exit status: 0 done; 1 a network with rows fails its check; 2 a file that
// cannot be read, is not a valid project or cannot be written, or a command
// line that cannot be understood; with several files, the highest of them.
int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err,
           QIODevice* input = nullptr);
