#include "cli/Cli.h"
#include "cli/CliOutputs.h"
#include "core/file/SafeFile.h"
#include "core/session/StartOptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[]) {
    // Past a file-size limit a write fails and is reported, exit status 2.
    IgnoreFileSizeSignal();
#ifdef Q_OS_WIN
    // A PDF or a data file passes through the standard channels byte for
    // byte, never with its line ends translated.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // Dates and numbers in Italian whatever the system's language.
    QLocale::setDefault(ProgramLocale());
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
    // Unbuffered, so that a failed write is known when it happens, with the
    // system's reason.
    QFile input;
    input.open(fileno(stdin), QIODevice::ReadOnly | QIODevice::Unbuffered);
    QFile output;
    output.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream out(&output);
    QTextStream err(stderr);
    const int status = RunCli(QCoreApplication::arguments(), out, err, &input);
    err.flush();
    return status;
}
