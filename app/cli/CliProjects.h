#pragma once

#include "cli/CliOutputs.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <functional>

// What the commands that take several project files share.

// A command line that cannot be understood: the message and where the help
// is; ExitFileError.
int UsageError(const CliCommandLine& line, const QString& message, QTextStream& err);

// Standard input can be read once: one FILE "-" at most (false, reported).
bool ReadsStandardInputOnce(const CliCommandLine& line, QTextStream& err);

// The JSON answer for several files: one object per file, in order, each
// naming its file; a file that cannot be loaded gives its message instead.
void PrintJsonList(const QJsonArray& list, QTextStream& out);
QJsonObject FileErrorJson(const QString& path, const QString& message);

// A JSON object as the commands print it.
void PrintJson(const QJsonObject& object, QTextStream& out);

// Loads every FILE of the command line in turn and hands each to `each`,
// which returns the file's exit status; returns the worst of them. A file
// that cannot be loaded is reported and counts as a file error. With --json
// and several files, the objects that `each` (and each failed load) add to
// the list are printed as one list at the end.
int EachProject(
    const CliCommandLine& line, const CliIo& io, bool json,
    const std::function<int(ApplicationState&, const QString& path, QJsonArray& list)>& each);

// What a command that reports on each project gives for one: its JSON
// object, its lines of text and its exit status.
struct ProjectReport {
    QJsonObject json;
    QStringList lines;
    int status = 0;
};

// EachProject for a command that reports on every project: with --json one
// object per file (with several files a list, each object naming its
// file), otherwise the lines, each file's block after a "Progetto: FILE"
// line and a blank line between blocks when there are several files.
int ReportEachProject(const CliCommandLine& line, const CliIo& io,
                      const std::function<ProjectReport(ApplicationState&)>& report);
