#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Why the program's windows cannot open, told before the GUI application is
// made (Qt would abort with a message in English), or empty when they can as
// far as can be told. On Linux and the other X11 or Wayland systems the
// windows need DISPLAY or WAYLAND_DISPLAY, unless the platform is chosen
// with QT_QPA_PLATFORM or with "-platform" among the arguments.
QString MissingDisplayMessage(const QStringList& arguments, const QProcessEnvironment& environment);
