#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// The version line of an executable: its name and the version of the build
// ("tubarex 5.7.1"), the one the package carries.
QString VersionLine(const QString& program);

// What the program's command line asks to be told instead of opening its
// windows: the help for -h/--help, the version for -v/--version (an option
// anywhere before "--"), to be written on standard output before the program
// ends with status 0. Nothing for a command line that opens the windows.
// Needs no application object and no screen.
std::optional<QString> StartInformation(const QStringList& arguments);

// The language of every date and number the program writes (the cover's
// date, the report, the hints, the messages): Italian, whatever the
// system's language. Both programs make it the default locale at start.
QLocale ProgramLocale();
