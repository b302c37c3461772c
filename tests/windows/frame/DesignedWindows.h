#pragma once

#include "ProjectFixture.h"

#include "windows/start/scelta.h"

#include <QScrollBar>
#include <QTest>

#include <functional>
#include <vector>

// The windows laid out in twips that the user works in: the two data
// windows, the cover page and the chooser.
struct DesignedWindow {
    const char* name;
    std::function<Form&(ShellFixture&)> show;
    bool hasBand;
};

inline std::vector<DesignedWindow> designedWindows() {
    return {{"dati", [](ShellFixture& f) -> Form& { return f.forms.show<dati>(); }, true},
            {"datigas", [](ShellFixture& f) -> Form& { return f.forms.show<datigas>(); }, true},
            {"frontespizio", [](ShellFixture& f) -> Form& { return f.forms.show<frontespizio>(); },
             false},
            {"scelta", [](ShellFixture& f) -> Form& { return f.forms.show<scelta>(); }, false}};
}

// The program's shell with its main windows enrolled and the example project
// (15 water rows, 8 gas rows, the cover filled in) opened.
struct ExampleFixture : ProjectFixture {
    ExampleFixture() {
        [&] {
            QVERIFY(OpenProject(context, QStringLiteral(TUBAREX_EXAMPLES "/Tubarex-dati-palazzina"))
                        .ok());
        }();
    }
};

// Shows the window of that registry name and waits until it is active, as
// the user's window is.
inline Form& showActive(ShellFixture& f, const char* name) {
    f.forms.showByName(QString::fromLatin1(name));
    Form& w = *f.forms.find(QString::fromLatin1(name));
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w))
        qWarning("%s is not active", name);
    return w;
}

// The band's scroll bar of a data window.
inline QScrollBar* bandScrollBar(const Form& w) {
    return w.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
}
