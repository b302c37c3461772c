#pragma once

#include "cli/CliCommandLine.h"

#include <QByteArray>
#include <QStringList>
#include <QTextStream>

class QIODevice;
struct ApplicationState;

// Exit codes of RunCli.
inline constexpr int ExitFailedCheck = 1;
inline constexpr int ExitFileError = 2;

// The channels of one run: results as text on `out`, whose device (when it
// has one) also takes an OUT "-" as bytes; messages on `err`; the standard
// input for a FILE "-" (without one, such a file cannot be read).
struct CliIo {
    QTextStream& out;
    QTextStream& err;
    QIODevice* input = nullptr;
};

// How messages name the standard channels, given as "-".
inline constexpr char StandardInputName[] = "standard input";
inline constexpr char StandardOutputName[] = "standard output";

// Loads a project for a command, from the file at `path` or, for "-", from
// standard input: identity and message titles set, the data read and
// validated. Returns the message when it cannot be loaded (also written to
// `err`), empty when loaded.
QString LoadProjectForCli(ApplicationState& state, const QString& path, const CliIo& io);

// Writes the finished bytes of an output to standard output, after the text
// written there so far. 0, or ExitFileError with the message on `err`.
int WriteStandardOutput(const QByteArray& bytes, const CliIo& io);

// Writes the project as a data file to `target`, or to standard output for
// "-". 0, or ExitFileError with the message on `err`.
int WriteProjectForCli(const ApplicationState& state, const QString& target, const CliIo& io);

// Whether a command line needs the font machinery of a GUI application (a
// PDF is drawn with real fonts); the others run on a core application.
bool NeedsFonts(const QStringList& arguments);
