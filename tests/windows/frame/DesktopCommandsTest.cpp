#include "DesignedWindows.h"
#include "QtTestRegistry.h"

#include "windows/frame/BandEditing.h"
#include "windows/frame/NetworkView.h"
#include "windows/frame/WindowFrame.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <map>
#include <set>

namespace {

// Every key a window answers, with the entries that answer it: the
// shortcuts of its actions (menus, toolbar) and the keys its band takes
// before the boxes do. An entry shown in two places (the band's undo and
// its menu entry) is one entry, named alike.
std::map<int, std::set<QString>> keysOf(Form& w, bool band) {
    std::map<int, std::set<QString>> keys;
    for (QAction* action : w.findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts())
            keys[key[0].toCombined()].insert(action->objectName());
    }
    if (band) {
        for (const BandEditing::CommandKeys& command : BandEditing::keys()) {
            for (const QKeySequence& key : command.keys)
                keys[key[0].toCombined()].insert(QString::fromLatin1(command.entry));
        }
    }
    return keys;
}

QMenu* editMenu(Form& w) {
    QMenu* menu = w.findChild<QMenu*>(QStringLiteral("modif"));
    emit menu->aboutToShow();
    return menu;
}

QAction* entry(QMenu* menu, const char* name) {
    return menu->findChild<QAction*>(QString::fromLatin1(name));
}

// A wheel turned by `notches` (negative: towards the user) over `widget`.
void turnWheel(QWidget* widget, int notches) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

} // namespace

class DesktopCommands_Test : public QObject {
    Q_OBJECT
private slots:
    // No two entries of a window share a key, with the band's commands in
    // the edit menu and whatever the frame holds; in the three main windows
    // Ctrl+O, Ctrl+S, Ctrl+Maiusc+S and Ctrl+P stand beside Apri, Salva,
    // Salva con nome and the print, the classic Ctrl+A..D beside the
    // window list.
    void everyKeyHasOneEntry() {
        for (const DesignedWindow& d : designedWindows()) {
            ExampleFixture f;
            Form& w = d.show(f);
            if (d.hasBand)
                editMenu(w);
            auto keys = keysOf(w, d.hasBand);
            for (const auto& [key, entries] : keys) {
                const QString clash = QStringList(entries.begin(), entries.end()).join(u", ");
                QVERIFY2(entries.size() == 1,
                         qPrintable(
                             QStringLiteral("%1: %2 per %3")
                                 .arg(QLatin1String(d.name), QKeySequence(key).toString(), clash)));
            }
            if (qstrcmp(d.name, "scelta") == 0)
                continue;
            const bool cover = qstrcmp(d.name, "frontespizio") == 0;
            const std::pair<const char*, const char*> usual[] = {
                {"Ctrl+A", "fin1"},
                {"Ctrl+B", "fin2"},
                {"Ctrl+C", "fin3"},
                {"Ctrl+D", "fin4"},
                {"Ctrl+O", "apri"},
                {"Ctrl+S", "salva"},
                {"Ctrl+Shift+S", "salvanome"},
                {"Ctrl+P", cover ? "stampatutto" : "stampa"}};
            for (const auto& [key, name] : usual)
                QVERIFY2(keys[QKeySequence(QString::fromLatin1(key))[0].toCombined()] ==
                             std::set<QString>{QString::fromLatin1(name)},
                         qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(d.name),
                                                                 QLatin1String(key))));
        }
    }

    // The edit menu of a data window holds, after its classic entries, the
    // band's commands with their keys, each enabled only when it can act
    // on the band control that has the focus.
    void editMenuCommandsActWhenTheyCan() {
        const QStringList band{"annulla", "ripeti", "incollarighe", "copiarighe", "inserisciriga"};
        const struct {
            const char* window;
            const char* focus; // the control with the focus
            bool typed;        // a value typed there first
            const char* clipboard;
            QStringList enabled;
        } cases[] = {
            {"dati", "stamp", false, "", {"copiarighe"}},
            {"dati", "lungh(2)", false, "", {"copiarighe", "inserisciriga"}},
            {"dati",
             "diam(3)",
             true,
             "7",
             {"annulla", "copiarighe", "incollarighe", "inserisciriga"}},
            {"datigas", "stamp", false, "7", {"copiarighe"}},
            {"datigas", "portgas(4)", true, "", {"annulla", "copiarighe", "inserisciriga"}},
        };
        for (const auto& c : cases) {
            ExampleFixture f;
            Form& w = showActive(f, c.window);
            QGuiApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
            QWidget* focus = w.findChild<QWidget*>(QString::fromLatin1(c.focus));
            focus->setFocus();
            if (c.typed)
                QTest::keyClicks(focus, QStringLiteral("5"));
            QMenu* menu = editMenu(w);
            QStringList names;
            for (QAction* a : menu->actions()) {
                if (!a->isSeparator())
                    names.append(a->objectName());
            }
            QCOMPARE(names, QStringList({"colora", "controlla", "cancella"}) + band);
            for (const auto& [name, key] :
                 {std::pair{"annulla", "Ctrl+Z"}, {"ripeti", "Ctrl+Y"}, {"incollarighe", "Ctrl+V"}})
                QCOMPARE(entry(menu, name)->shortcut(), QKeySequence(QString::fromLatin1(key)));
            for (const QString& name : band)
                QVERIFY2(
                    entry(menu, qPrintable(name))->isEnabled() == c.enabled.contains(name),
                    qPrintable(QStringLiteral("%1 %2 %3")
                                   .arg(QLatin1String(c.window), QLatin1String(c.focus), name)));
        }
    }

    // The entries act as in the band's context menu: on the row whose box
    // has the focus, and undo takes the change back.
    void editMenuInsertsAtTheFocusedRowAndUndoes() {
        ExampleFixture f;
        auto& w = static_cast<dati&>(showActive(f, "dati"));
        const QString second = w.lungh(2)->text();
        const QString last = f.state.project.water.at(15, WaterColumn::lungh).displayText();
        w.box(WaterColumn::diam, 2)->setFocus();
        entry(editMenu(w), "inserisciriga")->trigger();
        QCOMPARE(w.lungh(2)->text(), QString());
        QCOMPARE(w.lungh(3)->text(), second);
        QCOMPARE(f.state.project.water.at(16, WaterColumn::lungh).displayText(), last);
        entry(editMenu(w), "annulla")->trigger();
        QCOMPARE(w.lungh(2)->text(), second);
        QCOMPARE(f.state.project.water.at(16, WaterColumn::lungh).displayText(), QString());
    }

    // The wheel over any control of the band moves the band three rows a
    // notch, as over the scroll bar, and no list changes its choice under
    // it (the tables stay as they were); elsewhere in the window it moves
    // nothing.
    void wheelOverTheBandMovesIt() {
        struct Case {
            const char* window;
            const char* control;
            int notches;
            int bandTop;
        };
        const Case cases[] = {
            {"dati", "lungh(3)", -1, 4},   {"dati", "tipoc(4)", -2, 7},
            {"dati", "num(5)", -1, 4},     {"dati", "delriga(2)", -1, 4},
            {"dati", "perd(10)", -1, 4},   {"dati", "VScroll1", -1, 4},
            {"dati", "passo", -1, 1},      {"datigas", "tipofi(2)", -1, 4},
            {"datigas", "rey(6)", -3, 10}, {"datigas", "cu45", -1, 1},
        };
        for (const Case& c : cases) {
            ExampleFixture f;
            Form& w = showActive(f, c.window);
            // Every row computed first, so that only a change made under the
            // wheel can tell the tables apart.
            dynamic_cast<NetworkView&>(w).PageThroughTable();
            bandScrollBar(w)->setValue(1);
            const WaterTable water = f.state.project.water.table();
            const GasSegmentTable gas = f.state.project.gas.table();
            turnWheel(w.findChild<QWidget*>(QString::fromLatin1(c.control)), c.notches);
            const QString what =
                QStringLiteral("%1 %2").arg(QLatin1String(c.window), QLatin1String(c.control));
            QVERIFY2(bandScrollBar(w)->value() == c.bandTop, qPrintable(what));
            QVERIFY2(f.state.project.water.table() == water && f.state.project.gas.table() == gas,
                     qPrintable(what));
            if (c.bandTop > 1) {
                turnWheel(w.findChild<QWidget*>(QString::fromLatin1(c.control)), -c.notches);
                QVERIFY2(bandScrollBar(w)->value() == 1, qPrintable(what));
            }
        }
    }
};

TUBAREX_QT_TEST(DesktopCommands_Test)
#include "DesktopCommandsTest.moc"
