#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/ProjectFile.h"
#include "core/Recovery.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/BandEditing.h"
#include "windows/frame/ModTubarex.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"
#include "windows/start/frmSplash.h"
#include "windows/water/RecoveryOffer.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The project's unsaved changes: marked in the three titles, asked about
// before anything replaces the project or the program ends.
namespace {

const QString WaterCaption = QStringLiteral("Perdite di carico acqua: dati per il calcolo");
const QString GasCaption = QStringLiteral("Perdite di carico gas: dati per il calcolo");
const QString CoverCaption = QStringLiteral("Tubarex: frontespizio per la relazione");

// Two projects on disk, the first one open in the three windows.
struct ProjectFixture {
    QTemporaryDir dir;
    ShellFixture f;
    QString first = dir.filePath(QStringLiteral("Tubarex-dati-primo"));
    QString second = dir.filePath(QStringLiteral("Tubarex-dati-secondo"));

    ProjectFixture() {
        f.forms.enrol<dati>();
        f.forms.enrol<datigas>();
        f.forms.enrol<frontespizio>();
        write(first, QStringLiteral("Primo"));
        write(second, QStringLiteral("Secondo"));
        f.forms.show<frontespizio>();
        f.forms.show<datigas>();
        f.forms.show<dati>();
        [&] { QCOMPARE(OpenProject(f.context, first), QString()); }();
    }

    static void write(const QString& path, const QString& name) {
        ApplicationState s;
        for (int r = 1; r <= 2; ++r) {
            StoreWaterCell(s, r, WaterColumn::lungh, QStringLiteral("10"));
            StoreWaterCell(s, r, WaterColumn::diam, QStringLiteral("50"));
            StoreWaterCell(s, r, WaterColumn::port, QStringLiteral("1.5"));
            PickWallType(s, r, 2);
            SetGasCell(s, r, GasColumn::lungh, QStringLiteral("4"));
        }
        RecountRows(s);
        CountGasRows(s);
        s.cover.progetto = name;
        [&] { QCOMPARE(SaveProjectFile(s, path), QString()); }();
    }

    dati& water() { return f.forms.get<dati>(); }
    datigas& gas() { return f.forms.get<datigas>(); }
    frontespizio& cover() { return f.forms.get<frontespizio>(); }

    QStringList titles() {
        return {water().windowTitle(), gas().windowTitle(), cover().windowTitle()};
    }
    QStringList titlesOf(const QString& name) const {
        return {name + QStringLiteral(" \u2013 ") + WaterCaption,
                name + QStringLiteral(" \u2013 ") + GasCaption,
                name + QStringLiteral(" \u2013 ") + CoverCaption};
    }
    QByteArray onDisk(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

class UnsavedChanges_Test : public QObject {
    Q_OBJECT
private slots:
    // Any change to either table or to the cover record puts the asterisk
    // into the three titles; a save takes it away, and so does an open.
    void everyChangeMarksTheProject_data() {
        QTest::addColumn<int>("change");
        const char* names[] = {
            "lunghezza acqua", "lunghezza gas",  "raccordo gas",         "incolla",
            "annulla",         "inserisci riga", "elimina riga",         "cancella acqua",
            "cancella gas",    "progetto",       "cancella frontespizio"};
        for (int k = 0; k < int(std::size(names)); ++k)
            QTest::newRow(names[k]) << k;
    }
    void everyChangeMarksTheProject() {
        QFETCH(int, change);
        ProjectFixture p;
        QCOMPARE(p.titles(), p.titlesOf(QStringLiteral("Tubarex-dati-primo")));
        QVERIFY(!p.f.state.modified);
        switch (change) {
        case 0:
            QTest::keyClicks(p.water().lungh(3), QStringLiteral("7"));
            break;
        case 1:
            QTest::keyClicks(p.gas().lungh(3), QStringLiteral("7"));
            break;
        case 2:
            QTest::keyClicks(p.gas().fitting(GasColumn::cu45), QStringLiteral("1"));
            break;
        case 3:
            QGuiApplication::clipboard()->setText(QStringLiteral("5\t60\n"));
            p.water().editing().pasteAt(3, WaterColumn::lungh);
            break;
        case 4:
            QTest::keyClicks(p.water().lungh(3), QStringLiteral("7"));
            p.cover().frame()->item(QStringLiteral("salva"))->trigger();
            QVERIFY(!p.f.state.modified);
            p.water().editing().undo();
            break;
        case 5:
            p.gas().editing().insertRowAt(1);
            break;
        case 6:
            QTest::mouseClick(p.water().delriga(1), Qt::LeftButton);
            break;
        case 7:
            p.water().frame()->item(QStringLiteral("cancella"))->trigger();
            break;
        case 8:
            p.gas().frame()->item(QStringLiteral("cancella"))->trigger();
            break;
        case 9:
            QTest::keyClicks(p.cover().progetto(), QStringLiteral(" bis"));
            break;
        default:
            p.cover().frame()->item(QStringLiteral("cancella"))->trigger();
            break;
        }
        QVERIFY(p.f.state.modified);
        QCOMPARE(p.titles(), p.titlesOf(QStringLiteral("Tubarex-dati-primo*")));

        // The cover cleared cannot be saved (no project name): an open
        // takes the mark away too.
        if (change == 10) {
            QCOMPARE(OpenProject(p.f.context, p.second), QString());
            QCOMPARE(p.titles(), p.titlesOf(QStringLiteral("Tubarex-dati-secondo")));
            return;
        }
        p.f.services.dialogs.saveResults.push_back(
            p.dir.filePath(QStringLiteral("Tubarex-dati-nuovo")));
        p.cover().frame()->item(QStringLiteral("salvanome"))->trigger();
        QVERIFY(!p.f.state.modified);
        QCOMPARE(p.titles(), p.titlesOf(QStringLiteral("Tubarex-dati-nuovo")));
    }

    // Every path that replaces the project asks first when there are
    // unsaved changes: Sì saves them and goes on, No goes on, Annulla
    // stops; the question names the project.
    void replacingTheProjectAsksFirst_data() {
        QTest::addColumn<int>("path");
        QTest::addColumn<int>("answer");
        const char* paths[] = {"Apri acqua", "Apri gas",       "Apri frontespizio",
                               "recupero",   "file all'avvio", "progetto recente"};
        const struct {
            const char* name;
            MsgAnswer answer;
        } answers[] = {
            {"Sì", MsgAnswer::Yes}, {"No", MsgAnswer::No}, {"Annulla", MsgAnswer::Cancel}};
        for (int k = 0; k < int(std::size(paths)); ++k) {
            for (const auto& a : answers)
                QTest::addRow("%s, %s", paths[k], a.name) << k << int(a.answer);
        }
    }
    void replacingTheProjectAsksFirst() {
        QFETCH(int, path);
        QFETCH(int, answer);
        ProjectFixture p;
        QTest::keyClicks(p.water().lungh(3), QStringLiteral("7"));
        const QByteArray before = p.onDisk(p.first);
        auto& messages = p.f.services.messages;
        p.f.services.dialogs.openResults.push_back(p.second);
        std::unique_ptr<RecoveryCopy> copy;
        switch (path) {
        case 0:
            messages.answer(MsgAnswer(answer));
            p.water().frame()->item(QStringLiteral("apri"))->trigger();
            break;
        case 1:
            messages.answer(MsgAnswer(answer));
            p.gas().frame()->item(QStringLiteral("apri"))->trigger();
            break;
        case 2:
            messages.answer(MsgAnswer(answer));
            p.cover().frame()->item(QStringLiteral("apri"))->trigger();
            break;
        case 3: {
            const QString folder = p.dir.filePath(QStringLiteral("recupero"));
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::copy(p.second,
                                QDir(folder).filePath(QStringLiteral("Tubarex-recupero-1-1"))));
            copy = std::make_unique<RecoveryCopy>(p.f.state, folder);
            QVERIFY(copy->start());
            messages.answer(MsgAnswer::Yes); // recover it
            messages.answer(MsgAnswer(answer));
            OfferRecovery(p.f.context, *copy);
            messages.shown.erase(messages.shown.begin());
            break;
        }
        case 4:
            messages.answer(MsgAnswer(answer));
            OpenProjectAtStart(p.f.context, p.second);
            break;
        default: {
            messages.answer(MsgAnswer(answer));
            p.f.state.recent.add(p.second);
            QMenu* file = p.gas().frame()->menu(QStringLiteral("file"));
            emit file->aboutToShow();
            file->findChild<QAction*>(QStringLiteral("recente(1)"))->trigger();
            break;
        }
        }
        QVERIFY(!messages.shown.empty());
        const RecordedMessage& question = messages.shown.front();
        QCOMPARE(question.text,
                 QStringLiteral("Salvare le modifiche a \u00abTubarex-dati-primo\u00bb?"));
        QCOMPARE(question.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(question.icon, NoticeIcon::Question);
        QCOMPARE(messages.unanswered, 0);

        const bool saved = MsgAnswer(answer) == MsgAnswer::Yes;
        const bool replaced = MsgAnswer(answer) != MsgAnswer::Cancel;
        QCOMPARE(p.onDisk(p.first) != before, saved);
        QCOMPARE(p.f.state.cover.progetto,
                 replaced ? QStringLiteral("Secondo") : QStringLiteral("Primo"));
        QCOMPARE(p.f.state.modified, !replaced || path == 3);
    }

    // The exit keeps its question; unsaved changes are asked about first,
    // and Annulla leaves everything as it was.
    void exitAsksToSaveFirst_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Sì") << int(MsgAnswer::Yes);
        QTest::newRow("No") << int(MsgAnswer::No);
        QTest::newRow("Annulla") << int(MsgAnswer::Cancel);
    }
    void exitAsksToSaveFirst() {
        QFETCH(int, answer);
        ProjectFixture p;
        QTest::keyClicks(p.water().lungh(3), QStringLiteral("7"));
        const QByteArray before = p.onDisk(p.first);
        auto& messages = p.f.services.messages;
        messages.answer(MsgAnswer(answer));
        messages.answer(MsgAnswer::Yes);
        ConfirmExit(p.f.context, &p.water());
        QCOMPARE(messages.shown.front().text,
                 QStringLiteral("Salvare le modifiche a \u00abTubarex-dati-primo\u00bb?"));
        if (MsgAnswer(answer) == MsgAnswer::Cancel) {
            QCOMPARE(messages.shown.size(), size_t(1));
            QVERIFY(p.water().isVisible());
            return;
        }
        QCOMPARE(messages.shown.size(), size_t(2));
        QCOMPARE(messages.shown[1].text, QStringLiteral("Vuoi uscire da Tubarex?"));
        QCOMPARE(p.onDisk(p.first) != before, MsgAnswer(answer) == MsgAnswer::Yes);
        QVERIFY(!p.f.forms.isLoaded(QStringLiteral("dati")));
    }

    // Closing a window from its title bar only closes it, unless it is the
    // last one on the screen: that is the exit, with its question.
    void titleBarCloseOfTheLastWindowIsTheExit() {
        ProjectFixture p;
        auto& messages = p.f.services.messages;
        p.cover().close();
        p.gas().close();
        QVERIFY(messages.shown.empty());
        QVERIFY(!p.f.forms.isLoaded(QStringLiteral("frontespizio")));

        messages.answer(MsgAnswer::No);
        QVERIFY(!p.water().close());
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].text, QStringLiteral("Vuoi uscire da Tubarex?"));
        QVERIFY(p.water().isVisible());

        QTest::keyClicks(p.water().lungh(3), QStringLiteral("7"));
        messages.answer(MsgAnswer::No);
        messages.answer(MsgAnswer::Yes);
        p.water().close();
        QCOMPARE(messages.shown.size(), size_t(3));
        QCOMPARE(messages.shown[1].text,
                 QStringLiteral("Salvare le modifiche a \u00abTubarex-dati-primo\u00bb?"));
        QVERIFY(!p.f.forms.isLoaded(QStringLiteral("dati")));
        QVERIFY(p.f.forms.isLoaded(QStringLiteral("frmSplash")));
    }

    // A project never saved is "senza nome".
    void newProjectIsUntitled() {
        ShellFixture f;
        QCOMPARE(f.forms.get<dati>().windowTitle(),
                 QStringLiteral("senza nome \u2013 ") + WaterCaption);
        QTest::keyClicks(f.forms.get<dati>().lungh(1), QStringLiteral("3"));
        QCOMPARE(f.forms.get<datigas>().windowTitle(),
                 QStringLiteral("senza nome* \u2013 ") + GasCaption);
    }
};

TUBAREX_QT_TEST(UnsavedChanges_Test)
#include "UnsavedChangesTest.moc"
