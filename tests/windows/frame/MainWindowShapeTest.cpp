#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "windows/cover/frontespizio.h"
#include "windows/frame/clsResize.h"
#include "windows/gas/datigas.h"
#include "windows/start/scelta.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <functional>
#include <vector>

namespace {

// A control's designed place in twips; a negative width is not checked.
struct Designed {
    QString name;
    QRect twips;
};

using Design = std::vector<Designed>;

// The ten lines of a band: for each column its name, left and width (twips)
// and the control's height.
struct BandColumn {
    const char* name;
    int left;
    int width;
    int height;
};

Design band(std::initializer_list<BandColumn> columns) {
    Design design;
    for (int i = 1; i <= 10; ++i) {
        const int top = 2400 + 240 * (i - 1);
        for (const BandColumn& c : columns)
            design.push_back({QStringLiteral("%1(%2)").arg(QLatin1String(c.name)).arg(i),
                              QRect(c.left, top, c.width, c.height)});
    }
    return design;
}

Design waterDesign() {
    Design d = band({{"num", 360, 375, 255},
                     {"delriga", 720, 255, 255},
                     {"lungh", 960, 615, 285},
                     {"diam", 1560, 615, 285},
                     {"port", 2160, 615, 285},
                     {"tipoc", 2760, 855, 315},
                     {"sca", 3600, 615, 285},
                     {"c45", 4200, 615, 285},
                     {"c90", 4800, 615, 285},
                     {"c91", 5400, 615, 285},
                     {"tes", 6000, 615, 285},
                     {"croc", 6600, 615, 285},
                     {"sarac", 7200, 615, 285},
                     {"valv", 7800, 615, 285},
                     {"perd", 8400, 975, 255}});
    d.insert(d.end(), {{"testa_lungh", QRect(960, 1800, 615, 255)},
                       {"unita_lungh", QRect(960, 2040, 615, 255)},
                       {"gruppodati", QRect(360, 1560, 8055, 255)},
                       {"Label2", QRect(480, 840, 2175, 495)},
                       {"Label1", QRect(2640, 840, 855, 495)},
                       {"Label3", QRect(7200, 4920, 1215, 255)},
                       {"totperd", QRect(8400, 4920, 975, 255)},
                       {"passo", QRect(2400, 5640, 4695, 450)},
                       {"aiuto", QRect(120, 5760, 1095, 375)},
                       {"stamp", QRect(7200, 5760, 1095, 375)},
                       {"esco", QRect(8280, 5760, 1095, 375)}});
    return d;
}

// The gas window's columns are given by their left edges and heights.
Design gasDesign() {
    Design d = band({{"num", 360, -1, 255},
                     {"delriga", 720, -1, 255},
                     {"lungh", 960, -1, 285},
                     {"tipofi", 1560, -1, 315},
                     {"portgas", 2400, -1, 285},
                     {"tipoc", 3000, -1, 315},
                     {"diam", 3840, -1, 285},
                     {"visc", 4440, -1, 285},
                     {"rey", 5040, -1, 285},
                     {"attr", 5640, -1, 285},
                     {"vel", 6240, -1, 285},
                     {"mas", 6840, -1, 285},
                     {"pcs", 7440, -1, 285},
                     {"pci", 8040, -1, 285},
                     {"perd", 8640, -1, 255}});
    const char* const fittings[] = {"cu45", "cu90", "cu91", "rt", "rx", "rs", "rv", "luvirt"};
    for (int k = 0; k < 8; ++k)
        d.push_back({QString::fromLatin1(fittings[k]), QRect(3840 + 600 * k, 1200, -1, 285)});
    d.insert(d.end(), {{"Label1", QRect(2400, 600, -1, 255)},
                       {"totperd", QRect(8640, 4920, -1, 255)},
                       {"passo", QRect(2400, 5640, 4695, 450)},
                       {"aiuto", QRect(120, 5760, 1095, 375)}});
    return d;
}

Design coverDesign() {
    Design d;
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
        d.push_back({ProjectIdentification::fieldName(i), QRect(3000, 1560 + 240 * i, 5295, 285)});
    return d;
}

Design chooserDesign() {
    return {
        {"Label1", QRect(480, 360, 8520, 495)},      {"Option1(1)", QRect(480, 2040, 3255, 495)},
        {"Option1(2)", QRect(480, 3120, 3255, 495)}, {"Label3", QRect(3960, 3000, 5040, 735)},
        {"aiuto", QRect(480, 5160, 1695, 495)},      {"cmdesci", QRect(7305, 5160, 1695, 495)}};
}

void verifyDesign(const Form& w, const Design& design) {
    for (const Designed& control : design) {
        const QWidget* c = w.findChild<QWidget*>(control.name);
        QVERIFY2(c, qPrintable(control.name));
        const QRect expected(w.twipsX(control.twips.x()), w.twipsY(control.twips.y()),
                             w.twipsX(control.twips.width()), w.twipsY(control.twips.height()));
        QRect actual = c->geometry();
        if (control.twips.width() < 0)
            actual.setWidth(expected.width());
        if (actual != expected)
            qWarning("%s", qPrintable(control.name));
        QCOMPARE(actual, expected);
    }
}

// The three main windows, shown as the program shows them.
struct MainWindow {
    const char* name;
    std::function<Form&(ShellFixture&)> show;
    Design design;
};

std::vector<MainWindow> mainWindows() {
    return {
        {"dati", [](ShellFixture& f) -> Form& { return f.forms.show<dati>(); }, waterDesign()},
        {"datigas", [](ShellFixture& f) -> Form& { return f.forms.show<datigas>(); }, gasDesign()},
        {"frontespizio", [](ShellFixture& f) -> Form& { return f.forms.show<frontespizio>(); },
         coverDesign()}};
}

// The frame of a main window after a resize: the menu bar across the top
// with `finestra` at its right end, clear of the menus, and the toolbar
// across the client area at its own height, every button on it when the
// window is at least as wide as it opened.
void verifyFrame(Form& w, int openingWidth) {
    auto* menuBar = w.findChild<QMenuBar*>();
    auto* client = w.findChild<QWidget*>(QStringLiteral("clientArea"));
    auto* toolBar = w.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    auto* finestra = menuBar->findChild<QToolButton*>(QStringLiteral("finestra"));
    QCOMPARE(menuBar->geometry(), QRect(0, 0, w.width(), menuBar->height()));
    QCOMPARE(client->geometry(),
             QRect(0, menuBar->height(), w.width(), w.height() - menuBar->height()));
    QCOMPARE(toolBar->geometry(), QRect(0, 0, client->width(), w.twipsY(510)));
    if (w.width() < openingWidth)
        return;
    const QRect help = menuBar->actionGeometry(menuBar->actions().last());
    QVERIFY(finestra->isVisible());
    QVERIFY(finestra->geometry().left() > help.right());
    QVERIFY(finestra->geometry().right() >= menuBar->width() - 12);
    for (QAction* a : toolBar->actions()) {
        const QWidget* button = toolBar->widgetForAction(a);
        QVERIFY2(button && button->isVisible(), qPrintable(a->objectName()));
        QVERIFY(toolBar->rect().contains(button->geometry()));
    }
    for (const ControlLayout& entry : w.resizer()->layouts())
        QVERIFY2(!entry.control->inherits("QToolBar") && entry.control != finestra,
                 qPrintable(entry.control->objectName()));
}

} // namespace

class MainWindowShape_Test : public QObject {
    Q_OBJECT
private slots:
    void init() { unloadLog().clear(); }

    // Opened at its designed size, a window shows every control where it
    // was designed.
    void controlsStandAtTheirDesignedPlaces() {
        for (const MainWindow& m : mainWindows()) {
            ShellFixture f;
            Form& w = m.show(f);
            verifyDesign(w, m.design);
            if (QTest::currentTestFailed())
                QFAIL(m.name);
        }
        ShellFixture f;
        scelta& chooser = f.forms.show<scelta>();
        verifyDesign(chooser, chooserDesign());
        QCOMPARE(chooser.StatusBar1->geometry().bottom(), chooser.height() - 1);
    }

    // Whatever the sequence of sizes, the frame follows the window and the
    // controls come back to their design with the window's opening size.
    void resizingLeavesTheFrameToQt() {
        for (const MainWindow& m : mainWindows()) {
            ShellFixture f;
            Form& w = m.show(f);
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            const QSize opening = w.size();
            for (const QSize size :
                 {QSize(1280, 1000), opening, QSize(960, 680), QSize(300, 200), opening}) {
                w.resize(size);
                verifyFrame(w, opening.width());
                if (QTest::currentTestFailed())
                    QFAIL(qPrintable(QStringLiteral("%1 at %2x%3")
                                         .arg(QLatin1String(m.name))
                                         .arg(size.width())
                                         .arg(size.height())));
            }
            verifyDesign(w, m.design);
        }
    }

    // A maximised window touches the screen's bottom edge: its lowest
    // controls stop a few pixels above it, so that their lower border
    // shows; restored, they stand at their design again.
    void maximisedLeavesTheBottomRowOffTheEdge() {
        for (const MainWindow& m : mainWindows()) {
            ShellFixture f;
            Form& w = m.show(f);
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.showMaximized();
            QTRY_VERIFY(w.isMaximized());
            QWidget* area = w.findChild<QWidget*>(QStringLiteral("clientArea"));
            QVERIFY(area);
            int bottom = 0;
            for (const QWidget* c : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (c->isVisible())
                    bottom = std::max(bottom, c->geometry().bottom());
            }
            QVERIFY2(bottom <= area->height() - 4, m.name);
            w.showNormal();
            QTRY_VERIFY(!w.isMaximized());
            verifyDesign(w, m.design);
        }
    }

    // The window list's shortcuts run with the focus in a text box, where
    // the box would take Ctrl+A and Ctrl+C as select-all and copy; the
    // box's other keys stay its own.
    void windowListShortcutsOutrankTheBoxes() {
        struct Case {
            const char* window;
            QKeyCombination key;
            const char* shown;
        };
        const Case cases[] = {{"dati", Qt::CTRL | Qt::Key_A, "scelta"},
                              {"dati", Qt::CTRL | Qt::Key_C, "datigas"},
                              {"datigas", Qt::CTRL | Qt::Key_A, "scelta"},
                              {"datigas", Qt::CTRL | Qt::Key_D, "frontespizio"},
                              {"frontespizio", Qt::CTRL | Qt::Key_C, "datigas"},
                              {"frontespizio", Qt::CTRL | Qt::Key_B, "dati"}};
        for (const Case& c : cases) {
            ShellFixture f;
            f.forms.enrol<dati>();
            f.forms.enrol<datigas>();
            f.forms.enrol<frontespizio>();
            f.forms.showByName(QString::fromLatin1(c.window));
            Form* w = f.forms.find(QString::fromLatin1(c.window));
            QVERIFY(QTest::qWaitForWindowActive(w));
            auto* box = w->findChild<QLineEdit*>(qstrcmp(c.window, "frontespizio") == 0
                                                     ? QStringLiteral("luogo")
                                                     : QStringLiteral("lungh(1)"));
            box->setFocus();
            QTest::keyClicks(box, QStringLiteral("12"));
            QTest::keyClick(box, c.key.key(), c.key.keyboardModifiers());
            QVERIFY2(f.forms.isLoaded(QString::fromLatin1(c.shown)), c.shown);
            QVERIFY(f.forms.find(QString::fromLatin1(c.shown))->isVisible());
            QCOMPARE(box->selectedText(), QString());

            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); // undoes the typing
            QCOMPARE(box->text(), QString());
        }
    }
};

TUBAREX_QT_TEST(MainWindowShape_Test)
#include "MainWindowShapeTest.moc"
