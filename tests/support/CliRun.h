#pragma once

#include "cli/Cli.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// One run of the command line: exit status, standard output and error as
// text.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun cli(QStringList args) {
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    args.prepend(QStringLiteral("tubarex-cli"));
    r.status = RunCli(args, out, err);
    out.flush();
    err.flush();
    return r;
}
