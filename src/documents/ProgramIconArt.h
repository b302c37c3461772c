#pragma once

#include <QImage>

class QPainter;

// The program's picture: an elbow of steel pipe with a drop of water, drawn
// on a square of `size` units. The window icon, the about window and the
// icons an installation adds (SVG and PNG, made at build time) all come
// from this one drawing.
void DrawProgramIcon(QPainter& painter, double size);

// The picture as a transparent image of size x size pixels.
QImage ProgramIconImage(int size);
