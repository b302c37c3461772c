#include "core/session/DisplayCheck.h"

QString MissingDisplayMessage(const QStringList& arguments,
                              const QProcessEnvironment& environment) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID) && !defined(Q_OS_IOS)
    const auto set = [&](const char* name) {
        return !environment.value(QString::fromLatin1(name)).isEmpty();
    };
    if (set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM") ||
        arguments.contains(QStringLiteral("-platform")))
        return QString();
    return QStringLiteral("tubarex: nessuno schermo grafico disponibile (le variabili DISPLAY e "
                          "WAYLAND_DISPLAY non sono impostate), quindi le finestre del programma "
                          "non si possono aprire.\n"
                          "Per usarlo su uno schermo virtuale: xvfb-run tubarex\n"
                          "Per calcoli e stampe senza finestre: tubarex-cli --help\n");
#else
    Q_UNUSED(arguments);
    Q_UNUSED(environment);
    return QString();
#endif
}
