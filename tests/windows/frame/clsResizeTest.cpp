#include "windows/frame/clsResize.h"
#include "windows/frame/Line.h"

#include "QtTestRegistry.h"

#include <QComboBox>
#include <QFrame>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using namespace ResizeMath;

namespace {

// A window of 600 x 400 pixels with named controls at known places.
struct TestWindow {
    TestWindow() {
        form = std::make_unique<QWidget>();
        form->resize(600, 400);
        button = make<QPushButton>("cmdOK", QRect(100, 50, 200, 30));
        other = make<QPushButton>("cmdAltro", QRect(20, 300, 120, 40));
    }
    template <typename W> W* make(const char* name, const QRect& geometry) {
        auto* widget = new W(form.get());
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(geometry);
        return widget;
    }
    std::unique_ptr<QWidget> form;
    QPushButton* button = nullptr;
    QPushButton* other = nullptr;
};

} // namespace

class clsResizeTest : public QObject {
    Q_OBJECT
private slots:
    // --- arithmetic -----------------------------------------------------
    void roundingGoesToEvenOnTies() {
        QCOMPARE(roundHalfEven(2.5), 2);
        QCOMPARE(roundHalfEven(3.5), 4);
        QCOMPARE(roundHalfEven(-2.5), -2);
        QCOMPARE(roundHalfEven(-3.5), -4);
        QCOMPARE(roundHalfEven(0.5), 0);
        QCOMPARE(roundHalfEven(2.4999), 2);
        QCOMPARE(roundHalfEven(2.5001), 3);
        QCOMPARE(roundHalfEven(-2.6), -3);
        QCOMPARE(roundHalfEven(1e12), std::numeric_limits<qint32>::max());
        QCOMPARE(roundHalfEven(-1e12), std::numeric_limits<qint32>::min());
    }

    void tagSelectsTheDimensionsThatFollow() {
        QCOMPARE(parseTag(QString()), (Follow{true, true, true, true}));
        QCOMPARE(parseTag(QStringLiteral("Lavori")), (Follow{true, true, true, true}));
        QCOMPARE(parseTag(QStringLiteral("x@h")), (Follow{true, true, true, true}));
        QCOMPARE(parseTag(QStringLiteral("@h")), (Follow{false, false, false, true}));
        QCOMPARE(parseTag(QStringLiteral("@L,T")), (Follow{true, true, false, false}));
        QCOMPARE(parseTag(QStringLiteral("@wH")), (Follow{false, false, true, true}));
        QCOMPARE(parseTag(QStringLiteral("@")), (Follow{false, false, false, false}));
        QCOMPARE(parseTag(QStringLiteral("@ l;t;w;h")), (Follow{true, true, true, true}));
    }

    void screenPlacementAtThreeQuartersIsCentred() {
        const ScreenPlacement p = placeOnScreen(15360, 11520, 75);
        QCOMPARE(p.width, 11520);
        QCOMPARE(p.height, 8640);
        QCOMPARE(p.left, 1920.0);
        QCOMPARE(p.top, 1440.0);
    }

    void screenPlacementAtFullFillsFromTheOrigin() {
        const ScreenPlacement p = placeOnScreen(15360, 11520, 100);
        QCOMPARE(p.width, 15360);
        QCOMPARE(p.height, 11520);
        QCOMPARE(p.left, 0.0);
        QCOMPARE(p.top, 0.0);
    }

    void screenPlacementFloorsTheSizeAndKeepsTheHalfTwip() {
        const ScreenPlacement p = placeOnScreen(1001, 999, 50);
        QCOMPARE(p.width, 500);
        QCOMPARE(p.height, 499);
        QCOMPARE(p.left, 250.5);
        QCOMPARE(p.top, 250.0);
        const ScreenPlacement odd = placeOnScreen(15360, 11520, 33);
        QCOMPARE(odd.width, 5068);  // 5068.8 floored
        QCOMPARE(odd.height, 3801); // 3801.6 floored
    }

    void twipsAndPixelsConvertAtTheLogicalResolution() {
        QCOMPARE(pixelsToTwips(1024, 96), 15360.0);
        QCOMPARE(pixelsToTwips(10, 120), 120.0);
        QCOMPARE(twipsToPixels(15360, 96), 1024);
        QCOMPARE(twipsToPixels(1447, 96), 96);   // 96.47
        QCOMPARE(twipsToPixels(1448, 96), 97);   // 96.53
        QCOMPARE(twipsToPixels(6195, 120), 516); // 516.25
    }

    // --- which widgets are controls ---------------------------------------
    void controlsAreTheNamedWidgetsOfTheWindowInCreationOrder() {
        TestWindow w;
        auto* frame = w.make<QFrame>("Frame1", QRect(300, 100, 200, 200));
        auto* inner = new QPushButton(frame);
        inner->setObjectName(QStringLiteral("comestampo(1)"));
        auto* unnamed = new QPushButton(w.form.get());
        auto* spin = w.make<QSpinBox>("passo", QRect(10, 10, 80, 20));
        auto* boxed = w.make<QWidget>("riquadro", QRect(0, 0, 50, 50));
        auto* layout = new QVBoxLayout(boxed);
        auto* placed = new QPushButton(boxed);
        placed->setObjectName(QStringLiteral("inLayout"));
        layout->addWidget(placed);
        auto* loose = new QPushButton(boxed); // a child the layout does not place
        loose->setObjectName(QStringLiteral("libero"));
        auto* combo = w.make<QComboBox>("tipoc", QRect(10, 40, 80, 20));
        combo->setEditable(true);

        const QList<QWidget*> controls = clsResize::controlsOf(w.form.get());
        const QList<QWidget*> expected{w.button, w.other, frame, inner, spin, boxed, loose, combo};
        QCOMPARE(controls, expected);
        QVERIFY(!controls.contains(unnamed));
        QVERIFY(!controls.contains(placed));
    }

    // The bars of a window belong to its frame: Qt lays them out and the
    // resizer leaves them, and whatever they hold, alone. The inner area,
    // where the controls stand, lies below the menu bar.
    void barsAreFrameAndTheInnerAreaLiesBelowTheMenuBar() {
        QWidget form;
        form.resize(600, 400);
        auto* layout = new QVBoxLayout(&form);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto* menuBar = new QMenuBar(&form);
        menuBar->setObjectName(QStringLiteral("menuBar"));
        menuBar->addMenu(QStringLiteral("&File"));
        auto* corner = new QToolButton(menuBar);
        corner->setObjectName(QStringLiteral("finestra"));
        menuBar->setCornerWidget(corner);
        layout->setMenuBar(menuBar);
        auto* client = new QWidget(&form);
        client->setObjectName(QStringLiteral("clientArea"));
        layout->addWidget(client);
        auto* tools = new QToolBar(client);
        tools->setObjectName(QStringLiteral("Toolbar1"));
        auto* inTools = new QPushButton(tools);
        inTools->setObjectName(QStringLiteral("nellaBarra"));
        tools->addWidget(inTools);
        auto* status = new QStatusBar(client);
        status->setObjectName(QStringLiteral("StatusBar1"));
        auto* button = new QPushButton(client);
        button->setObjectName(QStringLiteral("cmdOK"));
        button->setGeometry(100, 50, 200, 30);
        QCOMPARE(clsResize::controlsOf(&form), QList<QWidget*>{button});

        const int menuHeight = menuBar->sizeHint().height();
        const int innerHeight = 400 - menuHeight;
        clsResize resizer;
        resizer.setSourceForm(&form);
        resizer.ResizeControls();
        QCOMPARE(resizer.designHeight(),
                 roundHalfEven(pixelsToTwips(innerHeight, form.logicalDpiY())));
        form.resize(300, innerHeight * 2 + menuHeight);
        resizer.ResizeControls();
        QCOMPARE(button->geometry(), QRect(50, 100, 100, 60));
    }

    // --- capture and scaling ----------------------------------------------
    void firstResizeOnlyRecordsTheDesign() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        QVERIFY(resizer.needsCapture());
        resizer.ResizeControls();
        QVERIFY(!resizer.needsCapture());
        QCOMPARE(w.button->geometry(), QRect(100, 50, 200, 30));
        const double dpiX = w.form->logicalDpiX();
        const double dpiY = w.form->logicalDpiY();
        QCOMPARE(resizer.designWidth(), roundHalfEven(pixelsToTwips(600, dpiX)));
        QCOMPARE(resizer.designHeight(), roundHalfEven(pixelsToTwips(400, dpiY)));
        QCOMPARE(resizer.layouts().size(), std::size_t(2));
        QCOMPARE(resizer.layouts()[0].control.data(), w.button);
        QCOMPARE(resizer.layouts()[0].third, roundHalfEven(pixelsToTwips(200, dpiX)));

        w.form->resize(300, 400);
        resizer.ResizeControls();
        QCOMPARE(w.button->geometry(), QRect(50, 50, 100, 30));
        QCOMPARE(w.other->geometry(), QRect(10, 300, 60, 40));
    }

    void repeatedResizingDoesNotAccumulate() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        for (const QSize size : {QSize(333, 177), QSize(517, 391), QSize(121, 613), QSize(7, 5)}) {
            w.form->resize(size);
            resizer.ResizeControls();
        }
        w.form->resize(600, 400);
        resizer.ResizeControls();
        QCOMPARE(w.button->geometry(), QRect(100, 50, 200, 30));
        QCOMPARE(w.other->geometry(), QRect(20, 300, 120, 40));
    }

    void lineMovesByItsEndPoints() {
        TestWindow w;
        auto* line = new Line(w.form.get());
        line->setObjectName(QStringLiteral("Line2"));
        line->setEnds(60, 30, 540, 390);
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        const ControlLayout& entry = resizer.layouts().back();
        QCOMPARE(entry.control.data(), line);
        QCOMPARE(entry.first, roundHalfEven(pixelsToTwips(60, w.form->logicalDpiX())));
        QCOMPARE(entry.fourth, roundHalfEven(pixelsToTwips(390, w.form->logicalDpiY())));

        w.form->resize(300, 800);
        resizer.ResizeControls();
        QCOMPARE(line->x1(), 30);
        QCOMPARE(line->y1(), 60);
        QCOMPARE(line->x2(), 270);
        QCOMPARE(line->y2(), 780);
        // The widget follows its end points.
        QVERIFY(line->geometry().contains(QPoint(30, 60)));
        QVERIFY(line->geometry().contains(QPoint(270, 780)));
    }

    void lineTagPinsSomeEnds() {
        TestWindow w;
        auto* line = new Line(w.form.get());
        line->setObjectName(QStringLiteral("Line1"));
        line->setEnds(60, 30, 540, 390);
        line->setProperty("Tag", QStringLiteral("@w"));
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        w.form->resize(300, 800);
        resizer.ResizeControls();
        QCOMPARE(line->x1(), 60);
        QCOMPARE(line->y1(), 30);
        QCOMPARE(line->x2(), 270);
        QCOMPARE(line->y2(), 390);
    }

    void tagsChooseWhatFollows() {
        TestWindow w;
        auto* word = w.make<QPushButton>("parola", QRect(100, 100, 100, 20));
        word->setProperty("Tag", QStringLiteral("nota"));
        auto* onlyHeight = w.make<QPushButton>("alto", QRect(100, 100, 100, 20));
        onlyHeight->setProperty("Tag", QStringLiteral("@h"));
        auto* moved = w.make<QPushButton>("spostato", QRect(100, 100, 100, 20));
        moved->setProperty("Tag", QStringLiteral("@L,T"));
        auto* pinned = w.make<QPushButton>("fermo", QRect(100, 100, 100, 20));
        pinned->setProperty("Tag", QStringLiteral("@"));
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        w.form->resize(300, 800);
        resizer.ResizeControls();
        QCOMPARE(word->geometry(), QRect(50, 200, 50, 40));
        QCOMPARE(onlyHeight->geometry(), QRect(100, 100, 100, 40));
        QCOMPARE(moved->geometry(), QRect(50, 200, 100, 20));
        QCOMPARE(pinned->geometry(), QRect(100, 100, 100, 20));
    }

    void refusedHeightStaysWhileTheRestFollows() {
        TestWindow w;
        auto* combo = w.make<QComboBox>("tipoc(1)", QRect(200, 100, 120, 25));
        combo->setFixedHeight(25);
        auto* fixedWidth = w.make<QPushButton>("delriga(1)", QRect(40, 100, 17, 17));
        fixedWidth->setFixedWidth(17);
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        w.form->resize(300, 800);
        resizer.ResizeControls();
        QCOMPARE(combo->geometry(), QRect(100, 200, 60, 25));
        QCOMPARE(fixedWidth->geometry(), QRect(20, 200, 17, 34));
    }

    void nestedControlsScaleInsideTheirContainer() {
        TestWindow w;
        auto* frame = w.make<QFrame>("Frame1", QRect(300, 100, 200, 200));
        auto* option = new QPushButton(frame);
        option->setObjectName(QStringLiteral("comestampo(1)"));
        option->setGeometry(20, 40, 160, 30);
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        w.form->resize(300, 200);
        resizer.ResizeControls();
        QCOMPARE(frame->geometry(), QRect(150, 50, 100, 100));
        QCOMPARE(option->geometry(), QRect(10, 20, 80, 15));
    }

    void deletedControlIsSkipped() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        delete w.button;
        w.form->resize(300, 200);
        resizer.ResizeControls();
        QCOMPARE(w.other->geometry(), QRect(10, 150, 60, 20));
    }

    void minimisedWindowIsLeftAlone() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        w.form->setWindowState(Qt::WindowMinimized);
        resizer.ResizeControls();
        QVERIFY(resizer.needsCapture()); // nothing recorded while minimised

        w.form->setWindowState(Qt::WindowNoState);
        resizer.ResizeControls();
        QVERIFY(!resizer.needsCapture());

        w.form->setWindowState(Qt::WindowMinimized);
        w.form->resize(300, 200);
        resizer.ResizeControls();
        QCOMPARE(w.button->geometry(), QRect(100, 50, 200, 30));

        w.form->setWindowState(Qt::WindowNoState);
        resizer.ResizeControls();
        QCOMPARE(w.button->geometry(), QRect(50, 25, 100, 15));
    }

    void windowWithoutControlsRecordsNothing() {
        QWidget form;
        form.resize(600, 400);
        clsResize resizer;
        resizer.setSourceForm(&form);
        resizer.ResizeControls();
        QVERIFY(resizer.needsCapture());
    }

    void windowCapturedAtNoSizeIsNotScaled() {
        TestWindow w;
        w.form->resize(0, 0);
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        QCOMPARE(resizer.designWidth(), 0);
        w.form->resize(300, 200);
        resizer.ResizeControls();
        QCOMPARE(w.button->geometry(), QRect(100, 50, 200, 30));
    }

    void reInitialiseTakesTheCurrentStateAsDesign() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        w.form->resize(300, 200);
        resizer.ResizeControls();
        resizer.ReInitialise();
        w.form->resize(600, 400);
        resizer.ResizeControls();
        QCOMPARE(w.button->geometry(), QRect(100, 50, 200, 30));
        // Controls added after a capture are not scaled until the next one.
        auto* late = w.make<QPushButton>("tardi", QRect(10, 10, 40, 40));
        w.form->resize(300, 200);
        resizer.ResizeControls();
        QCOMPARE(late->geometry(), QRect(10, 10, 40, 40));
        resizer.ReInitialise();
        w.form->resize(600, 400);
        resizer.ResizeControls();
        QCOMPARE(late->geometry(), QRect(20, 20, 80, 80));
    }

    void settingTheWindowKeepsTheCapture() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        resizer.setSourceForm(w.form.get());
        QVERIFY(!resizer.needsCapture());
        QCOMPARE(resizer.sourceForm(), w.form.get());
    }

    void drawingIsUnfrozenOnlyByThePassThatFroze() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        resizer.ResizeControls();
        w.form->resize(300, 200);
        resizer.ResizeControls();
        QVERIFY(w.form->updatesEnabled());

        w.form->setUpdatesEnabled(false); // an outer pass holds the freeze
        w.form->resize(600, 400);
        resizer.ResizeControls();
        QVERIFY(!w.form->updatesEnabled());
        QCOMPARE(w.button->geometry(), QRect(100, 50, 200, 30));
    }

    // --- sizing to the screen -------------------------------------------------
    void fullScreenFillsTheAvailableArea() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        quint8 percent = 100;
        resizer.SizeFormToScreen(percent);
        const QRect area = w.form->screen()->availableGeometry();
        QCOMPARE(w.form->geometry(), area);
        // Captured before the size changed, then scaled to the new size.
        QCOMPARE(w.button->width(), qRound(200.0 * area.width() / 600));
        QCOMPARE(w.button->y(), qRound(50.0 * area.height() / 400));
    }

    void threeQuartersIsCentredOnTheScreen() {
        TestWindow w;
        clsResize resizer;
        resizer.setSourceForm(w.form.get());
        quint8 percent = 75;
        resizer.SizeFormToScreen(percent);
        const QRect area = w.form->screen()->availableGeometry();
        const double dpiX = w.form->logicalDpiX();
        const double dpiY = w.form->logicalDpiY();
        const ScreenPlacement p = placeOnScreen(pixelsToTwips(area.width(), dpiX),
                                                pixelsToTwips(area.height(), dpiY), 75);
        QCOMPARE(w.form->width(), twipsToPixels(p.width, dpiX));
        QCOMPARE(w.form->height(), twipsToPixels(p.height, dpiY));
        QCOMPARE(w.form->x(), area.x() + twipsToPixels(p.left, dpiX));
        QCOMPARE(w.form->y(), area.y() + twipsToPixels(p.top, dpiY));
        QVERIFY(qAbs((w.form->x() - area.x()) * 2 + w.form->width() - area.width()) <= 1);
        QCOMPARE(percent, quint8(75));
    }
};

TUBAREX_QT_TEST(clsResizeTest)
#include "clsResizeTest.moc"
