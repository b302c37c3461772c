#pragma once

#include <QIcon>
#include <QPixmap>

// The program's picture (see shell/ProgramIconArt.h) at the sizes a window
// manager and a task bar ask for; the application sets it as the icon of
// every window.
QIcon ProgramIcon();

// The picture at the size asked for, for the about window. The
// application's own window icon takes its place when one is set.
QPixmap ProgramIconPicture(int size);
