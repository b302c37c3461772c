#include "DesignedWindows.h"
#include "QtTestRegistry.h"

#include "windows/frame/WindowFrame.h"
#include "windows/frame/clsResize.h"

class WindowPlacement_Test : public QObject {
    Q_OBJECT
private slots:
    // A window opening where another's corner stands moves down and right
    // by a title bar's height until every title bar below shows, and
    // starts again at the top left when it would leave the screen.
    void cascadeKeepsEveryTitleBarInView() {
        const struct {
            const char* name;
            QPoint proposed;
            QList<QPoint> others;
            QPoint placed;
        } cases[] = {
            {"alone", {100, 100}, {}, {100, 100}},
            {"over one", {100, 100}, {{100, 100}}, {130, 130}},
            {"over two", {100, 100}, {{130, 130}, {100, 100}}, {160, 160}},
            {"a title bar away", {100, 100}, {{100, 130}}, {100, 100}},
            {"nearly over", {100, 100}, {{110, 95}}, {130, 130}},
            {"elsewhere", {100, 100}, {{400, 100}}, {100, 100}},
            {"at the screen's edge", {780, 580}, {{780, 580}}, {0, 0}},
            {"at the edge, top left taken", {780, 580}, {{780, 580}, {0, 0}}, {30, 30}},
        };
        for (const auto& c : cases) {
            const QPoint placed =
                CascadePosition(c.proposed, c.others, 30, QSize(200, 200), QRect(0, 0, 1000, 800));
            QVERIFY2(placed == c.placed, qPrintable(QStringLiteral("%1: %2,%3")
                                                        .arg(QLatin1String(c.name))
                                                        .arg(placed.x())
                                                        .arg(placed.y())));
        }
    }

    // The designed windows open one over the other, each a step further,
    // and none can be made smaller than half its designed inner size.
    void windowsOpenCascadedAndNoSmallerThanHalf() {
        ExampleFixture f;
        QList<QPoint> corners;
        for (const DesignedWindow& d : designedWindows()) {
            Form& w = d.show(f);
            for (const QPoint& other : corners) {
                QVERIFY2(qAbs(w.x() - other.x()) >= w.twipsY(420) ||
                             qAbs(w.y() - other.y()) >= w.twipsY(420),
                         d.name);
            }
            corners.append(w.pos());
            const QSize designed(w.twipsX(w.resizer()->designWidth()),
                                 w.twipsY(w.resizer()->designHeight()));
            w.resize(1, 1);
            const QSize inner = clsResize::innerSize(&w);
            QVERIFY2(inner.width() >= designed.width() / 2 &&
                         inner.height() >= designed.height() / 2,
                     d.name);
            QVERIFY2(inner.width() <= designed.width() / 2 + 1, d.name);
        }
    }
};

TUBAREX_QT_TEST(WindowPlacement_Test)
#include "WindowPlacementTest.moc"
