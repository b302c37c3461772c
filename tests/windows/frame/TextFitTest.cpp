#include "DesignedWindows.h"
#include "QtTestRegistry.h"

#include "windows/frame/NetworkView.h"
#include "windows/frame/clsResize.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

namespace {

// The width a line edit gives its text: inside its frame, less the margin
// Qt keeps on either side of the text (two pixels) and its text margins.
int textRoom(const QLineEdit* edit) {
    QStyleOptionFrame frame;
    frame.initFrom(edit);
    frame.rect = edit->rect();
    frame.lineWidth = edit->hasFrame()
                          ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit)
                          : 0;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &frame, edit);
    const QMargins margins = edit->textMargins();
    return contents.width() - 4 - margins.left() - margins.right();
}

// A text that does not fit its control, as "control «text» needs/has".
QString cut(const QWidget* control, const QString& text, int needed, int room) {
    return QStringLiteral("%1 \u00ab%2\u00bb %3/%4")
        .arg(control->objectName(), text)
        .arg(needed)
        .arg(room);
}

// Every text of the window's designed controls that its control cuts off:
// captions, list entries, the values the boxes show, the hints of a status
// bar. The menu bar and the toolbar are Qt's to lay out.
QStringList cutTexts(const Form& w, const QStringList& statusHints = {}) {
    QStringList cuts;
    for (QWidget* control : clsResize::controlsOf(&w)) {
        if (!control->isVisibleTo(&w))
            continue;
        const QFontMetrics metrics = control->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(control)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap()) {
                const int needed = label->heightForWidth(label->width());
                if (needed > label->height())
                    cuts.append(cut(label, label->text(), needed, label->height()));
                continue;
            }
            const int needed = metrics.horizontalAdvance(label->text());
            const int room = label->contentsRect().width() - 2 * label->margin();
            if (needed > room)
                cuts.append(cut(label, label->text(), needed, room));
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            const int needed = metrics.horizontalAdvance(edit->text());
            if (needed > textRoom(edit))
                cuts.append(cut(edit, edit->text(), needed, textRoom(edit)));
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            QStringList texts{list->currentText()};
            for (int k = 0; k < list->count(); ++k)
                texts.append(list->itemText(k));
            const QLineEdit* editor = list->lineEdit();
            for (const QString& text : texts) {
                const int needed = editor->fontMetrics().horizontalAdvance(text);
                if (needed > textRoom(editor))
                    cuts.append(cut(list, text, needed, textRoom(editor)));
            }
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.rect = button->rect();
            const QString text = QString(button->text()).remove(QLatin1Char('&'));
            const int room = button->style()
                                 ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                                 .width();
            if (!text.isEmpty() && metrics.horizontalAdvance(text) > room)
                cuts.append(cut(button, text, metrics.horizontalAdvance(text), room));
        } else if (auto* option = qobject_cast<QRadioButton*>(control);
                   option || qobject_cast<QGroupBox*>(control)) {
            const QString text =
                option ? option->text() : static_cast<QGroupBox*>(control)->title();
            const int needed =
                option ? option->sizeHint().width() : control->minimumSizeHint().width();
            if (needed > control->width())
                cuts.append(cut(control, text, needed, control->width()));
        } else if (auto* bar = qobject_cast<QStatusBar*>(control)) {
            for (const QString& hint : statusHints) {
                const int needed = bar->fontMetrics().horizontalAdvance(hint);
                // The bar's own frame and margin around the message.
                const int room = bar->contentsRect().width() - 12;
                if (needed > room)
                    cuts.append(cut(bar, hint, needed, room));
            }
        }
    }
    return cuts;
}

// Every row of a data window shown in turn (the band paged through), the
// texts cut off on any page.
QStringList cutTextsOfEveryRow(Form& w, int rows) {
    QStringList cuts;
    QScrollBar* band = bandScrollBar(w);
    for (int top = 1; top <= std::max(1, rows - 9); top += 10) {
        band->setValue(top);
        cuts += cutTexts(w);
    }
    band->setValue(1);
    return cuts;
}

QStringList chooserHints(scelta& chooser) {
    QStringList hints;
    for (int i = 1; i <= 2; ++i) {
        chooser.Option1_MouseMove(i);
        hints.append(chooser.StatusBar1->currentMessage());
    }
    chooser.Form_MouseMove();
    hints.append(chooser.StatusBar1->currentMessage());
    return hints;
}

QStringList cutTextsOf(const char* name, ExampleFixture& f, Form& w) {
    if (qstrcmp(name, "dati") == 0)
        return cutTextsOfEveryRow(w, f.state.project.water.rows());
    if (qstrcmp(name, "datigas") == 0)
        return cutTextsOfEveryRow(w, f.state.project.gas.rows());
    if (auto* chooser = qobject_cast<scelta*>(&w))
        return cutTexts(w, chooserHints(*chooser));
    return cutTexts(w);
}

} // namespace

class TextFit_Test : public QObject {
    Q_OBJECT
private slots:
    // At the designed size every designed text shows whole in its control:
    // captions, heads and units, list entries, the example project's values
    // typed and computed, the hints.
    void everyTextFitsAtTheDesignedSize() {
        QStringList cuts;
        for (const DesignedWindow& d : designedWindows()) {
            ExampleFixture f;
            Form& w = d.show(f);
            if (auto* view = dynamic_cast<NetworkView*>(&w))
                view->PageThroughTable();
            cuts += cutTextsOf(d.name, f, w);
        }
        cuts.removeDuplicates();
        for (const QString& c : cuts)
            qWarning("%s", qPrintable(c));
        QVERIFY(cuts.isEmpty());
    }

    // In a data window made larger the fonts grow with it, by the smaller
    // of the two ratios, and every text still fits; made smaller, the
    // window keeps the designed fonts.
    void dataWindowFontsFollowTheWindow() {
        struct Case {
            double widthRatio;
            double heightRatio;
            double fontRatio;
        };
        const Case cases[] = {{2, 2, 2}, {2, 1.5, 1.5}, {1.25, 3, 1.25}, {0.8, 0.8, 1}};
        for (const DesignedWindow& d : designedWindows()) {
            if (!d.hasBand)
                continue;
            for (const Case& c : cases) {
                ExampleFixture f;
                Form& w = d.show(f);
                dynamic_cast<NetworkView&>(w).PageThroughTable();
                const QSize designed = clsResize::innerSize(&w);
                const QSize chrome = w.size() - designed;
                std::map<QWidget*, double> designedPoints;
                for (const ControlLayout& entry : w.resizer()->layouts())
                    designedPoints[entry.control] = entry.font.pointSizeF();
                w.resize(QSize(qRound(designed.width() * c.widthRatio),
                               qRound(designed.height() * c.heightRatio)) +
                         chrome);
                const QString what = QStringLiteral("%1 %2x%3")
                                         .arg(QLatin1String(d.name))
                                         .arg(c.widthRatio)
                                         .arg(c.heightRatio);
                for (const auto& [control, points] : designedPoints) {
                    QVERIFY2(qAbs(control->font().pointSizeF() - points * c.fontRatio) <= 0.25,
                             qPrintable(what + QLatin1Char(' ') + control->objectName()));
                }
                if (c.fontRatio > 1) {
                    const QStringList cuts = cutTextsOf(d.name, f, w);
                    QVERIFY2(cuts.isEmpty(),
                             qPrintable(what + QLatin1Char('\n') + cuts.join(QLatin1Char('\n'))));
                }
            }
        }
    }
};

TUBAREX_QT_TEST(TextFit_Test)
#include "TextFitTest.moc"
