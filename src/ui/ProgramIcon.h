#pragma once

#include <QPixmap>

// The program's picture: a bent pipe with a drop of water, drawn at the size
// asked for. The application's own window icon takes its place when one is
// set.
QPixmap ProgramIconPicture(int size);
