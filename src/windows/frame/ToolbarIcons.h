#pragma once

#include <QIcon>

// The picture of toolbar button `index` (1..22) of the main windows, drawn in
// code; an empty icon for the separator positions.
QIcon ToolbarIcon(int index);

// The picture of the delete button of a band line: a red X.
QIcon DeleteRowIcon();
