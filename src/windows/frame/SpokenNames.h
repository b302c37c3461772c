#pragma once

#include <QString>

class QToolBar;
class QWidget;

// What a screen reader says of the controls that show no text of their own
// (the boxes, the lists, the picture buttons): what each one is, and for a
// control of a band the row it shows, which changes as the band moves.

// "lunghezza del tronco 3" for `what` "lunghezza" and row 3.
QString RowControlName(const QString& what, int row);

// "elimina il tronco 3": the delete button of the line showing row 3.
QString DeleteRowName(int row);

// Gives a control its accessible name, only when it changes: a band renames
// its ten lines at every move.
void SetSpokenName(QWidget* control, const QString& name);

// A box or label that shows a computed value, which the user does not type:
// its description says so, besides the read-only state of a box. A label
// keeps its text as its name, the value a screen reader reads: `what` (a
// row's name, which changes as the band moves) leads its description.
void DescribeAsComputed(QWidget* control, const QString& what = QString());

// The picture buttons of a toolbar are named by their tooltips.
void NameIconButtons(QToolBar* bar);
