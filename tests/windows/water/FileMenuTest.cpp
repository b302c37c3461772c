#include "ProjectFixture.h"
#include "QtTestRegistry.h"

#include "core/session/UserFlowCatalogue.h"
#include "core/session/UserSeries.h"
#include "windows/frame/WindowFrame.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

// What the File menus offer beyond the classic entries: the recent
// projects, dialogs in the project's folder, the saved hint.
namespace {

// A main window shown, and its frame: water, gas, cover.
Form& shown(ProjectFixture& p, int window) {
    return window == 0   ? static_cast<Form&>(p.forms.show<dati>())
           : window == 1 ? static_cast<Form&>(p.forms.show<datigas>())
                         : p.forms.show<frontespizio>();
}

WindowFrame* frameOf(ProjectFixture& p, int window) {
    return shown(p, window).findChild<WindowFrame*>();
}

// The File menu, as it is about to open.
QMenu* fileMenu(WindowFrame* frame) {
    QMenu* file = frame->menu(QStringLiteral("file"));
    emit file->aboutToShow();
    return file;
}

QAction* fileEntry(WindowFrame* frame, const char* name) {
    return fileMenu(frame)->findChild<QAction*>(QString::fromLatin1(name));
}

// The recent entries of a File menu, each as "text|tooltip".
QStringList recentEntries(WindowFrame* frame) {
    QStringList entries;
    for (QAction* a : fileMenu(frame)->actions()) {
        if (a->objectName().startsWith(QLatin1String("recente(")))
            entries.append(a->text() + QLatin1Char('|') + a->toolTip());
    }
    return entries;
}

} // namespace

class FileMenu_Test : public QObject {
    Q_OBJECT
private slots:
    // Files opened or saved from any window are listed in the three File
    // menus after the classic entries, newest first, with their path as a
    // tooltip; an entry opens its project; one whose file is gone is
    // refused with the message of Apri and leaves the list, the project
    // staying as it was; "Svuota elenco" empties it.
    void recentProjectsInTheFileMenus() {
        ProjectFixture p;
        const QString a = p.write(QStringLiteral("Tubarex-dati-a"), QStringLiteral("A"));
        const QString b = p.write(QStringLiteral("Tubarex-dati-b"), QStringLiteral("B"));
        p.services.dialogs.openResults.push_back(a);
        frameOf(p, 1)->item(QStringLiteral("apri"))->trigger();
        p.services.dialogs.saveResults.push_back(b);
        frameOf(p, 2)->item(QStringLiteral("salvanome"))->trigger();
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(recentEntries(frameOf(p, k)),
                     (QStringList{"&1 Tubarex-dati-b|" + b, "&2 Tubarex-dati-a|" + a}));
            QAction* first = fileEntry(frameOf(p, k), "recente(1)");
            const QList<QAction*> entries = frameOf(p, k)->menu(QStringLiteral("file"))->actions();
            QVERIFY(entries.indexOf(first) >
                    entries.indexOf(frameOf(p, k)->item(k == 2 ? QStringLiteral("esci")
                                                               : QStringLiteral("usci"))));
        }
        fileEntry(frameOf(p, 0), "recente(2)")->trigger();
        QCOMPARE(p.state.session.CurrentFileName, a);
        QCOMPARE(p.state.project.cover.progetto, QStringLiteral("A"));

        QVERIFY(QFile::remove(b));
        fileEntry(frameOf(p, 2), "recente(2)")->trigger();
        QCOMPARE(p.services.messages.shown.size(), size_t(1));
        QVERIFY(p.services.messages.shown[0].text.startsWith(
            QStringLiteral("Impossibile aprire il file")));
        QCOMPARE(p.services.messages.shown[0].icon, NoticeIcon::Critical);
        QCOMPARE(recentEntries(frameOf(p, 1)), QStringList{"&1 Tubarex-dati-a|" + a});
        QCOMPARE(p.state.project.cover.progetto, QStringLiteral("A"));

        fileEntry(frameOf(p, 1), "svuotaelenco")->trigger();
        QVERIFY(recentEntries(frameOf(p, 0)).isEmpty());
        QVERIFY(!fileEntry(frameOf(p, 0), "svuotaelenco")->isEnabled());
    }

    // A project opened with a fixture type and a water series this machine
    // lacks offers them once: No writes nothing; Yes adds them to the
    // user's files, after which nothing is offered again.
    void whatTheProjectCarriesIsOfferedOnOpen() {
        ProjectFixture p;
        const QString path = p.write(QStringLiteral("Tubarex-dati-a"), QStringLiteral("A"));
        ApplicationState carried;
        QVERIFY(LoadProjectFile(carried, path).ok());
        carried.project.water.SetWaterOutlets(1, {{QStringLiteral("fontanella"), 1}});
        SetWaterFlows(carried, {WaterFlowMethod::Curve,
                                {},
                                {QStringLiteral("curva dello studio"), {{1, 0.1}, {10, 0.6}}},
                                {{QStringLiteral("fontanella"), 0.12, 1, {}}}});
        SetWaterSeries(carried,
                       PipeSeries{QStringLiteral("inox del cantiere"), {15, 20, 26}, {}, false});
        QVERIFY(SaveProjectFile(carried.project, path).ok());
        const QString catalogue = p.dir.filePath(QStringLiteral("utenze-acqua.ini"));
        const QString series = p.dir.filePath(QStringLiteral("serie-acqua.ini"));
        QVERIFY(OpenProject(p.context, path).ok());

        p.services.messages.answer(MsgAnswer::No);
        QVERIFY(!OfferCatalogueGaps(p.context, nullptr, catalogue, series));
        QVERIFY(p.services.messages.shown.back().text.contains(QStringLiteral(
            "- il tipo di utenza «fontanella»\n- la curva di contemporaneità «curva dello studio»\n"
            "- la serie di tubi «inox del cantiere»")));
        QVERIFY(!QFile::exists(catalogue) && !QFile::exists(series));

        p.services.messages.answer(MsgAnswer::Yes);
        QVERIFY(OfferCatalogueGaps(p.context, nullptr, catalogue, series));
        QCOMPARE(LoadUserFlowCatalogue(catalogue).types.at(0).flowLs, 0.12);
        QCOMPARE(LoadUserFlowCatalogue(catalogue).curves.at(0).points.size(), size_t(2));
        QCOMPARE(LoadUserSeries(series).at(0).name, QStringLiteral("inox del cantiere"));
        const size_t asked = p.services.messages.shown.size();
        QVERIFY(!OfferCatalogueGaps(p.context, nullptr, catalogue, series));
        QCOMPARE(p.services.messages.shown.size(), asked);
        QCOMPARE(p.services.messages.unanswered, 0);
    }

    // The dialogs open in the current project's folder, whichever window
    // asks, and without a project in the folder last used; never in the
    // process's working folder.
    void dialogsOpenInTheProjectsFolder() {
        ProjectFixture p;
        const QString folder = p.dir.filePath(QStringLiteral("progetti"));
        const QString other = p.dir.filePath(QStringLiteral("altri"));
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(other));
        const QString a = p.write(QStringLiteral("progetti/Tubarex-dati-a"), QStringLiteral("A"));
        auto& dialogs = p.services.dialogs;
        frameOf(p, 0)->item(QStringLiteral("apri"))->trigger();
        QVERIFY(!dialogs.openRequests.back().folder.isEmpty());
        QVERIFY(dialogs.openRequests.back().folder != QDir::currentPath());

        // The folder last used, with no project yet.
        dialogs.openResults.push_back(other + QStringLiteral("/nessuno"));
        frameOf(p, 2)->item(QStringLiteral("eliminare"))->trigger();
        frameOf(p, 1)->item(QStringLiteral("apri"))->trigger();
        QCOMPARE(dialogs.openRequests.back().folder, other);

        // The project's, once there is one.
        QVERIFY(OpenProject(p.context, a).ok());
        for (int k = 0; k < 3; ++k) {
            frameOf(p, k)->item(QStringLiteral("salvanome"))->trigger();
            QCOMPARE(dialogs.saveRequests.size(), size_t(k + 1));
            QCOMPARE(dialogs.saveRequests.back().folder, folder);
            frameOf(p, k)->item(QStringLiteral("eliminare"))->trigger();
            QCOMPARE(dialogs.openRequests.back().folder, folder);
        }
    }

    // After a save the hint box of the window that saved says where and
    // when, until the next change.
    void savedHintUntilTheNextChange() {
        for (int k = 0; k < 3; ++k) {
            ProjectFixture p;
            const QString a = p.write(QStringLiteral("Tubarex-dati-a"), QStringLiteral("A"));
            QVERIFY(OpenProject(p.context, a).ok());
            QLabel* hint = shown(p, k).findChild<QLabel*>(QStringLiteral("passo"));
            const QString before = hint->text();
            const QTime now = QTime::currentTime();
            frameOf(p, k)->item(QStringLiteral("salva"))->trigger();
            QVERIFY2(hint->text().startsWith(QStringLiteral("Archiviato in \u00ab") +
                                             QDir::toNativeSeparators(a) +
                                             QStringLiteral("\u00bb alle ")),
                     qPrintable(hint->text()));
            const QTime shown = QTime::fromString(hint->text().right(5), QStringLiteral("HH:mm"));
            QVERIFY(shown.isValid() && qAbs(shown.secsTo(now)) < 120);

            QTest::keyClicks(p.cover().luogo(), QStringLiteral("Roma"));
            QCOMPARE(hint->text(), before);
        }
    }
};

TUBAREX_QT_TEST(FileMenu_Test)
#include "FileMenuTest.moc"
