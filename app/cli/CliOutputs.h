#pragma once

#include "cli/CliCommandLine.h"
#include "core/model/Result.h"

#include <QByteArray>
#include <QStringList>
#include <QTextStream>

class QIODevice;
struct ApplicationState;
class Project;
struct ProjectData;

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

// Reads a data file for a command, from the file at `path` or, for "-",
// from standard input, read and validated as it is: nothing computed. A
// failure is also written to `err`.
Result<ProjectData> ReadProjectForCli(const QString& path, const CliIo& io);

// Loads a project for a command as ReadProjectForCli reads it: identity and
// message titles set, every row computed.
Result<> LoadProjectForCli(ApplicationState& state, const QString& path, const CliIo& io);

// Writes the finished bytes of an output to standard output, after the text
// written there so far. 0, or ExitFileError with the message on `err`.
int WriteStandardOutput(const QByteArray& bytes, const CliIo& io);

// Writes the project, or a file as it was read, as a data file to `target`,
// or to standard output for "-". 0, or ExitFileError with the message on
// `err`.
int WriteProjectForCli(const Project& project, const QString& target, const CliIo& io);
int WriteProjectForCli(const ProjectData& data, const QString& target, const CliIo& io);

// Whether a command line needs the font machinery of a GUI application (a
// PDF is drawn with real fonts); the others run on a core application.
bool NeedsFonts(const QStringList& arguments);
