// tubarex [FILE]: the program with its windows. The splash is the first
// window, or the water (or gas) window when a data file is named; the
// process ends when the last window is unloaded.
#include "core/file/SafeFile.h"
#include "core/session/ApplicationState.h"
#include "core/session/DisplayCheck.h"
#include "core/session/InstallationSettings.h"
#include "core/session/Recovery.h"
#include "core/session/StartOptions.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/Forms.h"
#include "windows/frame/ProgramIcon.h"
#include "windows/frame/QtServices.h"
#include "windows/gas/datigas.h"
#include "windows/help/HelpWindows.h"
#include "windows/help/informa.h"
#include "windows/help/supportoclienti.h"
#include "windows/project/ProjectFileCommands.h"
#include "windows/project/RecoveryOffer.h"
#include "windows/start/ModTubarex.h"
#include "windows/start/frmSplash.h"
#include "windows/start/frmTip.h"
#include "windows/verify/portate.h"
#include "windows/verify/verifica.h"
#include "windows/water/dati.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Past a file-size limit a save fails and is reported, like a full disk.
    IgnoreFileSizeSignal();

    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments.append(QString::fromLocal8Bit(argv[i]));
    // --help and --version answer before any window or file is touched.
    if (const auto information = StartInformation(rawArguments)) {
        std::fputs(information->toLocal8Bit().constData(), stdout);
        return 0;
    }

    // Without a screen Qt would abort in English; say it in Italian instead.
    const QString noScreen =
        MissingDisplayMessage(rawArguments, QProcessEnvironment::systemEnvironment());
    if (!noScreen.isEmpty()) {
        std::fputs(noScreen.toLocal8Bit().constData(), stderr);
        return 2;
    }

    // Dates and numbers in Italian whatever the system's language, in Qt's
    // own dialogs too.
    QLocale::setDefault(ProgramLocale());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tubarex"));
    QApplication::setOrganizationName(QStringLiteral("tubarex"));
    // Every window shows the program's icon; the desktop entry names the
    // program to the task bar.
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("tubarex"));
    // The registry, not the last visible window, decides when the program ends:
    // the splash may be hidden behind the chooser and still be loaded.
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt's own dialogs (printer, files, colours) speak Italian like the rest.
    QTranslator qtItalian;
    if (qtItalian.load(ProgramLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    ApplicationState state;
    LoadOwnerSettings(state, InstallationSettingsCandidates());
    state.session.recent.keepIn(RecentProjects::defaultFile());

    QtServices services;
    Forms forms;
    ModTubarex procedures;
    AppContext context{state, forms, services.bundle, procedures};
    forms.setContext(&context);
    QObject::connect(&forms, &Forms::lastWindowUnloaded, &app, &QCoreApplication::quit);

    // The windows that menus and buttons open by name.
    forms.enrol<dati>();
    forms.enrol<datigas>();
    forms.enrol<frontespizio>();
    forms.enrol<verifica>();
    forms.enrol<portate>();
    forms.enrol<frmTip>();
    forms.enrol<informa>();
    forms.enrol<supportoclienti>();
    EnrolHelpWindows(forms);

    // Unsaved work is copied as it is made; a copy left by a run that did
    // not end through the exit question is offered first.
    RecoveryCopy recovery(state, RecoveryCopy::defaultFolder());
    // Without its folder the program runs without a copy of unsaved work.
    static_cast<void>(recovery.start());
    const bool restored = OfferRecovery(context, recovery);

    // `tubarex FILE` opens that project in the water window (the gas window
    // for a project with only gas segments), without the splash, after the
    // question about the work just restored, if any; a file that cannot be
    // opened is reported and the program starts as usual.
    const QStringList arguments = QCoreApplication::arguments();
    const bool opened = arguments.size() >= 2 && OpenProjectAtStart(context, arguments.at(1));
    if (!restored && !opened)
        forms.show<frmSplash>();
    return QApplication::exec();
}
