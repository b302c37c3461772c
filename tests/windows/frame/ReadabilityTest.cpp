#include "DesignedWindows.h"
#include "QtTestRegistry.h"

#include "windows/frame/ClassicColour.h"
#include "windows/frame/WindowFrame.h"
#include "windows/frame/clsResize.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

namespace {

// A dark desktop theme: light text on dark surfaces.
QPalette darkPalette() {
    const QColor surface(45, 45, 48), field(30, 30, 30), text(235, 235, 235);
    QPalette p;
    for (const auto& [role, colour] : {std::pair{QPalette::Window, surface},
                                       {QPalette::WindowText, text},
                                       {QPalette::Base, field},
                                       {QPalette::AlternateBase, surface},
                                       {QPalette::Text, text},
                                       {QPalette::Button, surface},
                                       {QPalette::ButtonText, text},
                                       {QPalette::ToolTipBase, field},
                                       {QPalette::ToolTipText, text},
                                       {QPalette::Highlight, QColor(42, 130, 218)},
                                       {QPalette::HighlightedText, QColor(Qt::white)}})
        p.setColor(role, colour);
    return p;
}

// The colour a control's text is drawn in, and the colour under it.
std::pair<QColor, QColor> textAndBackground(QWidget* control) {
    QWidget* field = control;
    if (auto* list = qobject_cast<QComboBox*>(control); list && list->lineEdit())
        field = list->lineEdit();
    if (qobject_cast<QLineEdit*>(field))
        return {field->palette().color(QPalette::Text), field->palette().color(QPalette::Base)};
    if (qobject_cast<QPushButton*>(control))
        return {control->palette().color(QPalette::ButtonText),
                control->palette().color(QPalette::Button)};
    QWidget* painter = control;
    while (!painter->autoFillBackground() && !painter->isWindow())
        painter = painter->parentWidget();
    return {control->palette().color(control->foregroundRole()),
            painter->palette().color(painter->backgroundRole())};
}

bool showsText(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return !label->text().isEmpty();
    return qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
           qobject_cast<QAbstractButton*>(control) || qobject_cast<QGroupBox*>(control);
}

// Every control whose text reads poorly on what lies under it.
QStringList poorContrast(const Form& w) {
    QStringList poor;
    for (QWidget* control : clsResize::controlsOf(&w)) {
        // A disabled control is greyed on purpose.
        if (!control->isVisibleTo(&w) || !control->isEnabled() || !showsText(control))
            continue;
        const auto [text, background] = textAndBackground(control);
        const double ratio = ContrastRatio(text, background);
        if (ratio < 4.5)
            poor.append(QStringLiteral("%1 %2 su %3 (%4)")
                            .arg(control->objectName(), text.name(), background.name())
                            .arg(ratio, 0, 'f', 1));
    }
    return poor;
}

// The accessible name and description as a screen reader gets them; a
// list's by the box inside it, which has the focus (the list's own name on
// this desktop is its choice).
QString spoken(QWidget* control, QAccessible::Text what = QAccessible::Name) {
    if (auto* list = qobject_cast<QComboBox*>(control); list && list->lineEdit())
        control = list->lineEdit();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(what) : QString();
}

} // namespace

class Readability_Test : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QApplication::setPalette(QPalette()); }

    // Under a light or a dark desktop theme every text reads on its classic
    // colour: the cyan results, the yellow hint, a highlighted row, the
    // grey of the windows, and a background the user chose, light or dark.
    void everyTextReadsOnItsColour() {
        struct State {
            const char* name;
            std::function<void(Form&)> apply;
        };
        const auto highlight = [](Form& w) {
            if (auto* water = qobject_cast<dati*>(&w))
                water->num_MouseMove(3);
            if (auto* gas = qobject_cast<datigas*>(&w))
                gas->HighlightGasLine(3);
        };
        const auto background = [](QColor colour) {
            return [colour](Form& w) {
                if (auto* view = dynamic_cast<ProjectView*>(&w))
                    view->setBackgroundColour(colour);
            };
        };
        const State states[] = {{"as opened", [](Form&) {}},
                                {"row highlighted", highlight},
                                {"pale background", background(QColor(255, 255, 192))},
                                {"dark background", background(QColor(0, 0, 96))}};
        for (const bool dark : {false, true}) {
            QApplication::setPalette(dark ? darkPalette() : QPalette());
            for (const DesignedWindow& d : designedWindows()) {
                for (const State& state : states) {
                    ExampleFixture f;
                    Form& w = d.show(f);
                    state.apply(w);
                    const QStringList poor = poorContrast(w);
                    QVERIFY2(poor.isEmpty(),
                             qPrintable(QStringLiteral("%1, %2, %3:\n")
                                            .arg(dark ? u"scuro" : u"chiaro")
                                            .arg(QLatin1String(d.name), QLatin1String(state.name)) +
                                        poor.join(QLatin1Char('\n'))));
                }
            }
        }
    }

    // Boxes, lists and picture buttons say what they are and which row
    // they show, and follow the band as it moves; computed boxes say they
    // are read-only.
    void screenReadersHearWhatEachControlIs() {
        struct Case {
            const char* window;
            int bandTop;
            int highlighted; // band line pointed at first, 0 for none
            const char* control;
            const char* name;
        };
        const Case cases[] = {
            {"dati", 1, 0, "lungh(3)", "lunghezza del tronco 3"},
            {"dati", 11, 0, "lungh(3)", "lunghezza del tronco 13"},
            {"dati", 11, 0, "delriga(3)", "elimina il tronco 13"},
            {"dati", 1, 0, "tipoc(2)", "tipologia del tubo del tronco 2"},
            {"dati", 1, 0, "valv(10)", "valvole di ritegno del tronco 10"},
            {"dati", 1, 0, "Toolbar1(1)", "apri file"},
            {"datigas", 1, 0, "tipofi(1)", "diametro nominale del tronco 1"},
            {"datigas", 5, 0, "rey(2)", "numero di Reynolds del tronco 6"},
            {"datigas", 1, 4, "cu45", "curve a 45° del tronco 4"},
            {"datigas", 1, 4, "luvirt", "lunghezza virtuale del tronco 4"},
            {"datigas", 1, 0, "delriga(1)", "elimina il tronco 1"},
            {"frontespizio", 0, 0, "località", "località"},
            {"frontespizio", 0, 0, "Toolbar1(22)", "uscita da Tubarex"},
        };
        for (const Case& c : cases) {
            ExampleFixture f;
            Form& w = showActive(f, c.window);
            if (c.bandTop > 0)
                bandScrollBar(w)->setValue(c.bandTop);
            if (c.highlighted > 0)
                qobject_cast<datigas*>(&w)->HighlightGasLine(c.highlighted);
            const QString name = QString::fromUtf8(c.control);
            QWidget* control = w.findChild<QWidget*>(name);
            if (name.startsWith(u"Toolbar1(")) {
                auto* frame = w.findChild<WindowFrame*>();
                const int index = name.mid(9).chopped(1).toInt();
                control = frame->toolBar()->widgetForAction(frame->Toolbar1(index));
            }
            QVERIFY2(control, c.control);
            QCOMPARE(spoken(control), QString::fromUtf8(c.name));
        }
    }

    // No box, list or picture button goes without a name; every box that
    // cannot be typed into says so, by its state and its description.
    void everyFieldHasANameAndComputedOnesAreReadOnly() {
        for (const DesignedWindow& d : designedWindows()) {
            ExampleFixture f;
            Form& w = d.show(f);
            QList<QWidget*> fields;
            for (QWidget* control : w.findChildren<QWidget*>()) {
                const bool pictureButton = qobject_cast<QAbstractButton*>(control) &&
                                           static_cast<QAbstractButton*>(control)->text().isEmpty();
                if ((qobject_cast<QLineEdit*>(control) &&
                     !qobject_cast<QComboBox*>(control->parentWidget())) ||
                    qobject_cast<QComboBox*>(control) || pictureButton)
                    fields.append(control);
            }
            for (QWidget* field : fields) {
                if (!field->isVisibleTo(&w))
                    continue;
                QVERIFY2(!spoken(field).isEmpty(), qPrintable(field->objectName()));
                auto* edit = qobject_cast<QLineEdit*>(field);
                if (edit && edit->isReadOnly()) {
                    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(edit);
                    QVERIFY2(face->state().readOnly, qPrintable(edit->objectName()));
                    QVERIFY2(spoken(edit, QAccessible::Description).contains(u"sola lettura"),
                             qPrintable(edit->objectName()));
                }
            }
        }
    }
};

TUBAREX_QT_TEST(Readability_Test)
#include "ReadabilityTest.moc"
