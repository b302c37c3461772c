#include "cli/Cli.h"
#include "cli/CliOutputs.h"
#include "shell/SafeFile.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    // Past a file-size limit a write fails and is reported, exit status 2.
    IgnoreFileSizeSignal();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // A PDF needs real fonts, hence a GUI application; it never opens a
    // window, so it always runs on the offscreen platform, whatever the
    // environment names (a screen may be missing, or the name mistyped).
    std::unique_ptr<QCoreApplication> app;
    if (NeedsFonts(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunCli(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}
