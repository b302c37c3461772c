#pragma once

#include <QString>
#include <QStringList>

// The program's own files (the tips file, the splash music) lie beside the
// executable in the build folder, and in share/tubarex in an installation.

// Where they are looked for, in order: the executable's folder, the data
// folder of the installation the executable belongs to (../share/tubarex),
// then "tubarex" in each of the system's data folders.
QStringList ProgramFileFolders();

// The first of `folders` holding a file called `name`; when none does, the
// name in the first folder, so that a message can name where it belongs.
QString FindProgramFile(const QString& name, const QStringList& folders = ProgramFileFolders());

// The version shown by the program: the build's version with the minor and
// patch numbers in two digits ("5.07.01" for 5.7.1).
QString ProgramVersionText();

// The build's release date as day-month-year ("07-08-2003").
QString ProgramDateText();
