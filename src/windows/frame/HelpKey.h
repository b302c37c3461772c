#pragma once

#include <QLatin1String>
#include <QString>

#include <functional>

class Forms;
class QAction;
class QWidget;

// F1 anywhere in `window` shows the help page that `page` names when the key
// is pressed (a registry name of WindowNames.h). Not even a dialog that
// holds every other window holds the page it opens: the page can be read,
// scrolled and closed while the dialog stays open and usable. Nothing happens
// for a page not enrolled.
QAction* AddHelpKey(QWidget& window, Forms& forms, std::function<QString()> page);
QAction* AddHelpKey(QWidget& window, Forms& forms, QLatin1String page);
