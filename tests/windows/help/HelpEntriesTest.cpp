#include "HelpFixture.h"
#include "QtTestRegistry.h"

#include "windows/cover/frontespizio.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"
#include "windows/start/scelta.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

// The registry as main() fills it: the main windows too.
void enrolMainWindows(Forms& forms) {
    forms.enrol<dati>();
    forms.enrol<datigas>();
    forms.enrol<frontespizio>();
}

bool visible(Forms& forms, const char* name) {
    const Form* form = forms.find(QString::fromLatin1(name));
    return form && form->isVisible();
}

} // namespace

// The help entries of the other windows: once the help windows are enrolled
// they are all enabled and open the right window.
class HelpEntries_Test : public QObject {
    Q_OBJECT
private slots:
    void withoutTheHelpWindowsTheEntriesAreDisabled() {
        ShellFixture f;
        dati& water = f.forms.show<dati>();
        QVERIFY(!water.frame()->item(QStringLiteral("guida"))->isEnabled());
        QVERIFY(!water.frame()->item(QStringLiteral("finestra"))->isEnabled());
        scelta& chooser = f.forms.show<scelta>();
        QVERIFY(!chooser.guida->isEnabled());
    }

    void everyMainWindowReachesTheSummaryTipsAndItsOwnPage() {
        struct Case {
            const char* window;
            const char* page;
            const char* tips; // name of the "&Suggerimenti..." item
        };
        for (const Case& c : {Case{"dati", "guidadati", "suggerimenti"},
                              Case{"datigas", "guidadatigas", "suggerimenti"},
                              Case{"frontespizio", "guidafrontespizio", "sugger"}}) {
            HelpFixture f;
            enrolMainWindows(f.forms);
            QVERIFY(f.forms.showByName(QString::fromLatin1(c.window)));
            Form* window = f.forms.find(QString::fromLatin1(c.window));
            WindowFrame* frame = window->findChild<WindowFrame*>();
            QVERIFY(frame);
            for (const char* item : {"guida", c.tips, "finestra"})
                QVERIFY2(frame->item(QString::fromLatin1(item))->isEnabled(), item);
            QVERIFY(frame->finestraButton()->isEnabled());
            QVERIFY(frame->Toolbar1(15)->isEnabled());
            QVERIFY(frame->Toolbar1(16)->isEnabled());

            frame->item(QStringLiteral("finestra"))->trigger();
            QVERIFY2(visible(f.forms, c.page), c.page);

            frame->item(QStringLiteral("guida"))->trigger();
            QVERIFY(visible(f.forms, "sommario"));
            f.forms.find(QStringLiteral("sommario"))->hide();
            auto* button = window->findChild<QPushButton*>(QStringLiteral("guidainlinea"));
            QVERIFY(button && button->isEnabled());
            button->click();
            QVERIFY(visible(f.forms, "sommario"));

            frame->item(QString::fromLatin1(c.tips))->trigger();
            QVERIFY(visible(f.forms, "frmTip"));
        }
    }

    void theOwnWindowEntryOffersThePageAfterTheQuestion() {
        HelpFixture f;
        dati& water = f.forms.show<dati>();
        f.services.messages.answer(MsgAnswer::No);
        water.frame()->item(QStringLiteral("fin2"))->trigger();
        QVERIFY(!f.forms.isLoaded(QStringLiteral("guidadati")));
        f.services.messages.answer(MsgAnswer::Yes);
        water.frame()->item(QStringLiteral("fin2"))->trigger();
        QVERIFY(visible(f.forms, "guidadati"));
        QCOMPARE(f.services.messages.shown.back().text,
                 QStringLiteral("E' questa la finestra 'Dati': si vuole la guida della finestra?"));

        datigas& gas = f.forms.show<datigas>();
        f.services.messages.answer(MsgAnswer::Yes);
        gas.frame()->item(QStringLiteral("fin3"))->trigger();
        QVERIFY(visible(f.forms, "guidadatigas"));

        frontespizio& cover = f.forms.show<frontespizio>();
        f.services.messages.answer(MsgAnswer::Yes);
        cover.frame()->item(QStringLiteral("fin4"))->trigger();
        QVERIFY(visible(f.forms, "guidafrontespizio"));
        QCOMPARE(f.services.messages.unanswered, 0);
    }

    void theChoosersGuideButtonShowsTheSummary() {
        HelpFixture f;
        scelta& chooser = f.forms.show<scelta>();
        QVERIFY(chooser.guida->isEnabled());
        chooser.guida->click();
        QVERIFY(visible(f.forms, "sommario"));
    }
};

TUBAREX_QT_TEST(HelpEntries_Test)

#include "HelpEntriesTest.moc"
