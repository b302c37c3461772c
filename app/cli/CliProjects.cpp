#include "cli/CliProjects.h"
#include "cli/CliCommands.h"

#include "core/file/SafeFile.h"
#include "core/session/ApplicationState.h"

#include <QJsonDocument>

#include <algorithm>

int UsageError(const CliCommandLine& line, const QString& message, QTextStream& err) {
    err << "tubarex-cli: " << message << '\n'
        << "Per l'aiuto: tubarex-cli " << line.command->name << " --help\n";
    return ExitFileError;
}

bool ReadsStandardInputOnce(const CliCommandLine& line, QTextStream& err) {
    if (line.arguments.count(QStringLiteral("-")) <= 1)
        return true;
    UsageError(line,
               QStringLiteral("%1 si può leggere una volta sola: un solo FILE \"-\".")
                   .arg(QuotedPath(QLatin1String(StandardInputName))),
               err);
    return false;
}

void PrintJsonList(const QJsonArray& list, QTextStream& out) {
    out << QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Indented));
}

void PrintJson(const QJsonObject& object, QTextStream& out) {
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

QJsonObject FileErrorJson(const QString& path, const QString& message) {
    QJsonObject object;
    object.insert(QStringLiteral("file"), path);
    object.insert(QStringLiteral("error"), message);
    return object;
}

int EachProject(
    const CliCommandLine& line, const CliIo& io, bool json,
    const std::function<int(ApplicationState&, const QString& path, QJsonArray& list)>& each) {
    int status = 0;
    QJsonArray list;
    for (const QString& path : line.arguments) {
        ApplicationState state;
        const Result<> loaded = LoadProjectForCli(state, path, io);
        if (loaded) {
            status = std::max(status, each(state, path, list));
        } else {
            status = std::max(status, ExitFileError);
            list.append(FileErrorJson(path, loaded.error()));
        }
    }
    if (json && line.arguments.size() > 1)
        PrintJsonList(list, io.out);
    return status;
}

int ReportEachProject(const CliCommandLine& line, const CliIo& io,
                      const std::function<ProjectReport(ApplicationState&)>& report) {
    if (!ReadsStandardInputOnce(line, io.err))
        return ExitFileError;
    const bool json = line.has("json");
    const bool several = line.arguments.size() > 1;
    bool first = true;
    return EachProject(line, io, json,
                       [&](ApplicationState& state, const QString& path, QJsonArray& list) {
                           ProjectReport r = report(state);
                           if (json) {
                               if (several) {
                                   r.json.insert(QStringLiteral("file"), path);
                                   list.append(r.json);
                               } else {
                                   PrintJson(r.json, io.out);
                               }
                               return r.status;
                           }
                           if (several) {
                               if (!first)
                                   io.out << '\n';
                               io.out << "Progetto: " << path << '\n';
                           }
                           first = false;
                           for (const QString& text : r.lines)
                               io.out << text << '\n';
                           return r.status;
                       });
}
