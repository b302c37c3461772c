#include "ProjectFixture.h"
#include "QtTestRegistry.h"

#include "core/session/Recovery.h"
#include "windows/frame/BandEditing.h"
#include "windows/frame/WindowFrame.h"
#include "windows/project/RecoveryOffer.h"
#include "windows/start/ModTubarex.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

// The project's unsaved changes: marked in the three titles, asked about
// before anything replaces the project or the program ends.
namespace {

const QString SaveQuestion =
    QStringLiteral("Salvare le modifiche a \u00abTubarex-dati-primo\u00bb?");

// Two projects on disk, the first one open in the three windows.
struct TwoProjects : ProjectFixture {
    QString first = write(QStringLiteral("Tubarex-dati-primo"), QStringLiteral("Primo"));
    QString second = write(QStringLiteral("Tubarex-dati-secondo"), QStringLiteral("Secondo"));

    TwoProjects() {
        forms.show<frontespizio>();
        forms.show<datigas>();
        forms.show<dati>();
        [&] { QVERIFY(OpenProject(context, first).ok()); }();
    }
    // The three titles, each with the window's caption after the name.
    QStringList titles() {
        return {
            water().windowTitle().section(QStringLiteral(" \u2013 Perdite di carico acqua"), 0, 0),
            gas().windowTitle().section(QStringLiteral(" \u2013 Perdite di carico gas"), 0, 0),
            cover().windowTitle().section(QStringLiteral(" \u2013 Tubarex: frontespizio"), 0, 0)};
    }
    QByteArray onDisk(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

using Step = void (*)(TwoProjects&);

// A change through each route that can reach the project.
const std::pair<const char*, Step> Changes[] = {
    {"lunghezza acqua",
     [](TwoProjects& p) { QTest::keyClicks(p.water().lungh(1), QStringLiteral("7")); }},
    {"raccordo gas",
     [](TwoProjects& p) {
         QTest::keyClicks(p.gas().fitting(GasColumn::cu45), QStringLiteral("1"));
     }},
    {"elimina riga",
     [](TwoProjects& p) { QTest::mouseClick(p.water().delriga(1), Qt::LeftButton); }},
    {"annulla dopo il salvataggio",
     [](TwoProjects& p) {
         QTest::keyClicks(p.water().lungh(1), QStringLiteral("7"));
         p.cover().frame()->item(QStringLiteral("salva"))->trigger();
         QVERIFY(!p.state.session.modified);
         p.water().editing().undo();
     }},
    {"progetto",
     [](TwoProjects& p) { QTest::keyClicks(p.cover().progetto(), QStringLiteral(" bis")); }},
};

// Every path that replaces the project with the second one.
const std::pair<const char*, Step> Replacements[] = {
    {"Apri acqua",
     [](TwoProjects& p) { p.water().frame()->item(QStringLiteral("apri"))->trigger(); }},
    {"Apri gas", [](TwoProjects& p) { p.gas().frame()->item(QStringLiteral("apri"))->trigger(); }},
    {"Apri frontespizio",
     [](TwoProjects& p) { p.cover().frame()->item(QStringLiteral("apri"))->trigger(); }},
    {"progetto recente",
     [](TwoProjects& p) {
         p.state.session.recent.add(p.second);
         QMenu* file = p.gas().frame()->menu(QStringLiteral("file"));
         emit file->aboutToShow();
         file->findChild<QAction*>(QStringLiteral("recente(1)"))->trigger();
     }},
    {"file all'avvio", [](TwoProjects& p) { OpenProjectAtStart(p.context, p.second); }},
    {"recupero",
     [](TwoProjects& p) {
         const QString folder = p.dir.filePath(QStringLiteral("recupero"));
         QVERIFY(QDir().mkpath(folder));
         QVERIFY(QFile::copy(p.second, folder + QStringLiteral("/Tubarex-recupero-1-1")));
         RecoveryCopy copy(p.state, folder);
         QVERIFY(copy.start());
         p.services.messages.answers.push_front(MsgAnswer::Yes); // the copy is wanted
         OfferRecovery(p.context, copy);
         p.services.messages.shown.erase(p.services.messages.shown.begin());
     }},
};

const std::pair<const char*, MsgAnswer> Answers[] = {
    {"S\u00ec", MsgAnswer::Yes}, {"No", MsgAnswer::No}, {"Annulla", MsgAnswer::Cancel}};

} // namespace

class UnsavedChanges_Test : public QObject {
    Q_OBJECT
private slots:
    // Any change to either table or to the cover record puts the asterisk
    // into the three titles; a save takes it away.
    void everyChangeMarksTheProject_data() {
        QTest::addColumn<int>("change");
        for (int k = 0; k < int(std::size(Changes)); ++k)
            QTest::newRow(Changes[k].first) << k;
    }
    void everyChangeMarksTheProject() {
        QFETCH(int, change);
        TwoProjects p;
        QCOMPARE(p.titles(), QStringList(3, QStringLiteral("Tubarex-dati-primo")));
        Changes[change].second(p);
        QVERIFY(p.state.session.modified);
        QCOMPARE(p.titles(), QStringList(3, QStringLiteral("Tubarex-dati-primo*")));

        p.services.dialogs.saveResults.push_back(p.dir.filePath(QStringLiteral("Tubarex-dati-n")));
        p.cover().frame()->item(QStringLiteral("salvanome"))->trigger();
        QVERIFY(!p.state.session.modified);
        QCOMPARE(p.titles(), QStringList(3, QStringLiteral("Tubarex-dati-n")));
    }

    // An undo or a redo that brings the project back to what its file held
    // when it was last opened or saved takes the asterisk away; any other
    // difference (a step away from it, the cover changed) keeps it.
    void undoingBackToTheFileClearsTheMark() {
        TwoProjects p;
        const auto marked = [&](bool modified) {
            QCOMPARE(p.state.session.modified, modified);
            QCOMPARE(p.titles(), QStringList(3, modified ? QStringLiteral("Tubarex-dati-primo*")
                                                         : QStringLiteral("Tubarex-dati-primo")));
        };
        QTest::keyClicks(p.water().lungh(1), QStringLiteral("7"));
        marked(true);
        p.water().editing().undo();
        marked(false);
        p.water().editing().redo();
        marked(true);

        // Saved with the 7; another change, undone, is the saved state again.
        p.water().frame()->item(QStringLiteral("salva"))->trigger();
        marked(false);
        QTest::keyClicks(p.gas().fitting(GasColumn::cu45), QStringLiteral("1"));
        marked(true);
        p.gas().editing().undo();
        marked(false);
        p.water().editing().undo();
        marked(true);
        p.water().editing().redo();
        marked(false);

        QTest::keyClicks(p.cover().progetto(), QStringLiteral(" bis"));
        QTest::keyClicks(p.water().lungh(2), QStringLiteral("1"));
        p.water().editing().undo();
        marked(true);
    }

    // Every path that replaces the project asks first when there are
    // unsaved changes, naming the project: Sì saves them and goes on, No
    // goes on (an opened file is unchanged, a recovered copy is not),
    // Annulla stops.
    void replacingTheProjectAsksFirst_data() {
        QTest::addColumn<int>("path");
        QTest::addColumn<MsgAnswer>("answer");
        for (int k = 0; k < int(std::size(Replacements)); ++k) {
            for (const auto& [name, answer] : Answers)
                QTest::addRow("%s, %s", Replacements[k].first, name) << k << answer;
        }
    }
    void replacingTheProjectAsksFirst() {
        QFETCH(int, path);
        QFETCH(MsgAnswer, answer);
        TwoProjects p;
        QTest::keyClicks(p.water().lungh(1), QStringLiteral("7"));
        const QByteArray before = p.onDisk(p.first);
        p.services.dialogs.openResults.push_back(p.second);
        p.services.messages.answer(answer);
        Replacements[path].second(p);
        QVERIFY(!p.services.messages.shown.empty());
        QCOMPARE(p.services.messages.shown[0].text, SaveQuestion);
        QCOMPARE(p.services.messages.shown[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(p.services.messages.shown[0].icon, NoticeIcon::Question);
        QCOMPARE(p.services.messages.unanswered, 0);

        const bool replaced = answer != MsgAnswer::Cancel;
        QCOMPARE(p.onDisk(p.first) != before, answer == MsgAnswer::Yes);
        QCOMPARE(p.state.project.cover.progetto,
                 replaced ? QStringLiteral("Secondo") : QStringLiteral("Primo"));
        QCOMPARE(p.state.session.modified,
                 !replaced || qstrcmp(Replacements[path].first, "recupero") == 0);
    }

    // The exit, by its command or by closing the last window on the screen
    // from its title bar (closing another only closes it), keeps its
    // question; unsaved changes are asked about first, and Annulla leaves
    // everything as it was.
    void exitAsksToSaveFirst_data() {
        QTest::addColumn<bool>("titleBar");
        QTest::addColumn<MsgAnswer>("answer");
        for (const bool titleBar : {false, true}) {
            for (const auto& [name, answer] : Answers)
                QTest::addRow("%s, %s", titleBar ? "chiusura" : "Esci", name) << titleBar << answer;
        }
    }
    void exitAsksToSaveFirst() {
        QFETCH(bool, titleBar);
        QFETCH(MsgAnswer, answer);
        TwoProjects p;
        auto& messages = p.services.messages;
        if (titleBar) {
            p.cover().close();
            p.gas().close();
            QVERIFY(messages.shown.empty());
            QVERIFY(!p.forms.isLoaded(QStringLiteral("frontespizio")));
        }
        QTest::keyClicks(p.water().lungh(1), QStringLiteral("7"));
        const QByteArray before = p.onDisk(p.first);
        messages.answer(answer);
        messages.answer(MsgAnswer::Yes);
        titleBar ? void(p.water().close()) : ConfirmExit(p.context, &p.water());
        QStringList asked;
        for (const RecordedMessage& m : messages.shown)
            asked.append(m.text);
        const bool cancelled = answer == MsgAnswer::Cancel;
        QStringList expected{SaveQuestion};
        if (!cancelled)
            expected.append(QStringLiteral("Vuoi uscire da Tubarex?"));
        QCOMPARE(asked, expected);
        QCOMPARE(p.onDisk(p.first) != before, answer == MsgAnswer::Yes);
        QCOMPARE(p.forms.isLoaded(QStringLiteral("dati")), cancelled);
    }
};

TUBAREX_QT_TEST(UnsavedChanges_Test)
#include "UnsavedChangesTest.moc"
