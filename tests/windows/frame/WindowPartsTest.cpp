// The colours of the data windows' bands as pointing and typing leave them:
// the line pointed at turns yellow alone, the next keystroke gives that line
// its colours back, and no other line's colours change on the way.
#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "windows/gas/datigas.h"
#include "windows/water/dati.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>

#include <map>

namespace {

// The band line of a widget, from its name ("lungh(5)") or from its list's
// name for the editor of a list; 0 outside the band.
int lineOf(const QObject* widget) {
    static const QRegularExpression indexed(QStringLiteral("\\((\\d+)\\)$"));
    for (const QObject* o = widget; o; o = o->parent()) {
        const QRegularExpressionMatch m = indexed.match(o->objectName());
        if (m.hasMatch())
            return m.captured(1).toInt();
        if (!o->objectName().isEmpty())
            return 0;
    }
    return 0;
}

// Counts, by band line, the widgets of a window whose palette changes.
class PaletteWatch : public QObject {
public:
    explicit PaletteWatch(QWidget& window)
        : m_window(window) {
        qApp->installEventFilter(this);
    }
    ~PaletteWatch() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange && watched->isWidgetType() &&
            m_window.isAncestorOf(static_cast<QWidget*>(watched)))
            ++changed[lineOf(watched)];
        return false;
    }
    int total() const {
        int n = 0;
        for (const auto& [line, count] : changed)
            n += count;
        return n;
    }

    std::map<int, int> changed;

private:
    QWidget& m_window;
};

// 20 complete rows in each network.
void fillBoth(ApplicationState& s) {
    for (int r = 1; r <= 20; ++r) {
        s.project.water.StoreWaterCell(r, WaterColumn::lungh, QString::number(r + 10));
        s.project.water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("27.2"));
        s.project.water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("0.85"));
        s.project.water.PickWallType(r, 2);
        s.project.gas.TypeGasCell(r, GasColumn::lungh, QString::number(r + 10));
        s.project.gas.ApplyNominalDiameter(r, 4);
        s.project.gas.TypeGasCell(r, GasColumn::portgas, QStringLiteral("2.4"));
        s.project.gas.TypeGasCell(r, GasColumn::tipoc, QStringLiteral("metano"));
    }
}

QWidget& openWindow(ShellFixture& f, const QString& network) {
    fillBoth(f.state);
    if (network == QStringLiteral("acqua"))
        return f.forms.show<dati>();
    return f.forms.show<datigas>();
}

template <typename T> T* control(QWidget& window, const char* name, int line) {
    return window.findChild<T*>(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(line));
}

void moveMouseOver(QWidget* w) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

} // namespace

class WindowParts_Test : public QObject {
    Q_OBJECT
private slots:
    void bandColours_data() {
        QTest::addColumn<QString>("network");
        QTest::newRow("acqua") << QStringLiteral("acqua");
        QTest::newRow("gas") << QStringLiteral("gas");
    }

    // Typing changes no colour; pointing at a row number colours that line
    // alone, and the next keystroke gives back the colours of that line
    // alone.
    void bandColours() {
        QFETCH(QString, network);
        ShellFixture f;
        QWidget& w = openWindow(f, network);
        QLineEdit* length = control<QLineEdit>(w, "lungh", 5);
        QVERIFY(length);
        {
            PaletteWatch watch(w);
            QTest::keyClick(length, Qt::Key_7);
            QTest::keyClick(length, Qt::Key_Backspace);
            QCOMPARE(watch.total(), 0);
        }
        {
            PaletteWatch watch(w);
            moveMouseOver(control<QLabel>(w, "num", 3));
            QVERIFY(watch.total() > 0);
            QCOMPARE(watch.changed[3], watch.total());
        }
        {
            PaletteWatch watch(w);
            QTest::keyClick(length, Qt::Key_7);
            QVERIFY(watch.total() > 0);
            QCOMPARE(watch.changed[3], watch.total());
        }
        const QColor cyan(0, 255, 255);
        QCOMPARE(control<QLabel>(w, "num", 3)->palette().color(QPalette::Window), cyan);
        QCOMPARE(control<QLabel>(w, "perd", 3)->palette().color(QPalette::Window), cyan);
        QCOMPARE(control<QLineEdit>(w, "lungh", 3)->palette().color(QPalette::Base),
                 length->palette().color(QPalette::Base));
    }
};

TUBAREX_QT_TEST(WindowParts_Test)
#include "WindowPartsTest.moc"
