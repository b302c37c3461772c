#include "ProjectFixture.h"
#include "QtTestRegistry.h"

#include "core/file/ProjectFile.h"
#include "core/session/Recovery.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"
#include "windows/project/RecoveryOffer.h"
#include "windows/start/ModTubarex.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A program with its copy of unsaved work in a folder of its own.
struct RecoveryFixture {
    QTemporaryDir dir;
    ShellFixture f;
    QString folder = dir.filePath(QStringLiteral("recupero"));
    std::unique_ptr<RecoveryCopy> copy = std::make_unique<RecoveryCopy>(f.state, folder);

    RecoveryFixture() {
        f.forms.enrol<dati>();
        f.forms.enrol<datigas>();
        f.forms.enrol<frontespizio>();
        QVERIFY(copy->start());
    }

    // The copies in the folder, this run's included.
    QStringList copies() const {
        return QDir(folder)
            .entryList({QStringLiteral("Tubarex-recupero-*")}, QDir::Files)
            .filter(QRegularExpression(QStringLiteral("\\d$")));
    }
    // A copy of `state`'s project left by a run that is gone.
    QString leaveCopy(const ApplicationState& state, const QString& name) const {
        const QString path = QDir(folder).filePath(name);
        [&] { QVERIFY(SaveProjectFile(state.project, path).ok()); }();
        return path;
    }
};

QByteArray projectBytes(const ApplicationState& state) {
    return BuildProjectFile(state.project).value();
}

} // namespace

class Recovery_Test : public QObject {
    Q_OBJECT
private slots:
    // A change to either table or to the cover is in the copy within two
    // seconds; a save removes it.
    void copyFollowsChangesAndGoesAfterSave() {
        const struct {
            const char* name;
            std::function<void(RecoveryFixture&)> change;
        } changes[] = {
            {"water",
             [](RecoveryFixture& r) {
                 QTest::keyClicks(r.f.forms.get<dati>().lungh(1), QStringLiteral("12"));
             }},
            {"cover",
             [](RecoveryFixture& r) {
                 r.f.forms.get<frontespizio>().field(0)->setText(QStringLiteral("Rete"));
             }},
        };
        for (const auto& c : changes) {
            RecoveryFixture r;
            r.f.forms.get<frontespizio>();
            QVERIFY2(!QFile::exists(r.copy->path()), c.name);
            c.change(r);
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(r.copy->path()), 2000);
            QFile written(r.copy->path());
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll(), projectBytes(r.f.state));

            const QString path = r.dir.filePath(QStringLiteral("rete"));
            r.f.services.dialogs.saveResults.push_back(path);
            r.f.state.project.water.StoreWaterCell(1, WaterColumn::lungh, QStringLiteral("12"));
            r.f.state.project.water.StoreWaterCell(1, WaterColumn::diam, QStringLiteral("50"));
            r.f.state.project.water.StoreWaterCell(1, WaterColumn::port, QStringLiteral("2"));
            r.f.state.project.water.PickWallType(1, 1);
            r.f.state.project.cover.progetto = QStringLiteral("Rete");
            r.f.forms.get<dati>().frame()->item(QStringLiteral("salvanome"))->trigger();
            QVERIFY2(QFile::exists(path), c.name);
            QVERIFY2(!QFile::exists(r.copy->path()), c.name);
        }
    }

    // The confirmed exit removes the copy; a refused exit keeps it. (No to
    // the question about unsaved changes first: nothing saved.)
    void confirmedExitRemovesTheCopy() {
        RecoveryFixture r;
        QTest::keyClicks(r.f.forms.get<dati>().lungh(1), QStringLiteral("5"));
        QVERIFY(r.copy->write());
        r.f.services.messages.answer(MsgAnswer::No);
        r.f.services.messages.answer(MsgAnswer::No);
        ConfirmExit(r.f.context);
        QVERIFY(QFile::exists(r.copy->path()));
        r.f.services.messages.answer(MsgAnswer::No);
        r.f.services.messages.answer(MsgAnswer::Yes);
        ConfirmExit(r.f.context);
        QVERIFY(!QFile::exists(r.copy->path()));
    }

    // A copy left by a run that is gone is offered with its date: Yes loads
    // it as the project, unsaved; No removes it.
    void leftCopyIsOffered() {
        ApplicationState crashed;
        crashed.project.water.StoreWaterCell(1, WaterColumn::lungh, QStringLiteral("40"));
        crashed.project.water.StoreWaterCell(2, WaterColumn::lungh, QStringLiteral("30"));
        crashed.project.gas.TypeGasCell(1, GasColumn::lungh, QStringLiteral("7"));
        crashed.project.cover.progetto = QStringLiteral("Palazzina");

        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            RecoveryFixture r;
            r.f.state.session.CurrentFileName = QStringLiteral("/altrove/Tubarex-dati-vecchio");
            const QString left = r.leaveCopy(crashed, QStringLiteral("Tubarex-recupero-1-1"));
            const QDateTime written = QFileInfo(left).lastModified();
            r.f.services.messages.answer(answer);
            QCOMPARE(OfferRecovery(r.f.context, *r.copy), answer == MsgAnswer::Yes);
            QCOMPARE(r.f.services.messages.shown.size(), size_t(1));
            QCOMPARE(r.f.services.messages.shown[0].text,
                     QStringLiteral("Sono stati trovati dati non archiviati di \u00absenza "
                                    "nome\u00bb del %1 alle %2: si vogliono recuperare?")
                         .arg(written.toString(QStringLiteral("dd/MM/yyyy")),
                              written.toString(QStringLiteral("HH:mm"))));
            QVERIFY(!QFile::exists(left));
            // Yes: the copy of a project never saved is still without a file.
            QCOMPARE(r.f.state.session.CurrentFileName,
                     answer == MsgAnswer::Yes ? QString()
                                              : QStringLiteral("/altrove/Tubarex-dati-vecchio"));
            if (answer == MsgAnswer::Yes) {
                QCOMPARE(r.f.state.project.water.rows(), 2);
                QCOMPARE(r.f.state.project.cover.progetto, QStringLiteral("Palazzina"));
                QCOMPARE(r.f.state.project.water.at(2, WaterColumn::lungh).displayText(),
                         QStringLiteral("30"));
                QCOMPARE(r.f.state.project.gas.rows(), 1);
                // Still unsaved work: this run's copy holds it now.
                QVERIFY(QFile::exists(r.copy->path()));
                QVERIFY(r.f.forms.find(QStringLiteral("dati"))->isVisible());
            } else {
                QCOMPARE(r.f.state.project.water.rows(), 0);
                QCOMPARE(r.copies(), QStringList());
            }
        }
    }

    // The copy knows the file its project belongs to: the offer names it,
    // and once restored, Salva writes that file again without asking.
    void restoredCopyGoesBackToItsFile() {
        RecoveryFixture crashed;
        const QString file = crashed.dir.filePath(QStringLiteral("Tubarex-dati-palazzina"));
        WriteProject(file, QStringLiteral("Palazzina"));
        QVERIFY(OpenProject(crashed.f.context, file).ok());
        QTest::keyClicks(crashed.f.forms.get<dati>().lungh(1), QStringLiteral("5"));
        QVERIFY(crashed.copy->write());

        // What the run leaves when it is killed: its copy, without its lock.
        RecoveryFixture next;
        const QDir left(crashed.folder);
        for (const QString& name : left.entryList(QDir::Files).filter(QRegularExpression("[^k]$")))
            QVERIFY(QFile::copy(left.filePath(name), QDir(next.folder).filePath(name)));
        next.f.services.messages.answer(MsgAnswer::Yes);
        QVERIFY(OfferRecovery(next.f.context, *next.copy));
        QVERIFY(next.f.services.messages.shown[0].text.startsWith(
            QStringLiteral("Sono stati trovati dati non archiviati di "
                           "\u00abTubarex-dati-palazzina\u00bb del ")));
        QCOMPARE(next.f.state.session.CurrentFileName, file);
        QVERIFY(next.f.state.session.modified);
        next.f.forms.get<dati>().frame()->item(QStringLiteral("salva"))->trigger();
        QVERIFY(next.f.services.dialogs.saveRequests.empty());
        QVERIFY(!next.f.state.session.modified);
        ApplicationState reread;
        QVERIFY(LoadProjectFile(reread, file).ok());
        QCOMPARE(reread.project.water.at(1, WaterColumn::lungh).displayText(),
                 QStringLiteral("105"));
    }

    // The copy of a run that is alive is never offered to another; once
    // the run is gone, it is.
    void copyOfALiveRunIsNotOffered() {
        RecoveryFixture r;
        ShellFixture other;
        other.state.project.water.StoreWaterCell(1, WaterColumn::lungh, QStringLiteral("5"));
        auto live = std::make_unique<RecoveryCopy>(other.state, r.folder);
        QVERIFY(live->start());
        QVERIFY(live->write());
        QVERIFY(r.copy->claimLeftovers().empty());
        QVERIFY(!OfferRecovery(r.f.context, *r.copy));
        QVERIFY(r.f.services.messages.shown.empty());
        live.reset(); // the run ends without the exit question
        const auto left = r.copy->claimLeftovers();
        QCOMPARE(left.size(), size_t(1));
        // Claimed: no third run offers it meanwhile.
        ShellFixture third;
        RecoveryCopy thirdCopy(third.state, r.folder);
        QVERIFY(thirdCopy.start());
        QVERIFY(thirdCopy.claimLeftovers().empty());
        r.copy->release(left[0], false);
        QCOMPARE(thirdCopy.claimLeftovers().size(), size_t(1));
    }

    // Rows a blank row leaves after the count (an inserted row, a length
    // deleted) are kept by the copy and come back as they were.
    void copyKeepsRowsAfterABlankRow() {
        RecoveryFixture r;
        ApplicationState& s = r.f.state;
        for (int row : {1, 3, 4})
            s.project.water.StoreWaterCell(row, WaterColumn::lungh, QString::number(row));
        s.project.water.StoreWaterCell(2, WaterColumn::lungh, QString());
        s.project.gas.TypeGasCell(2, GasColumn::lungh, QStringLiteral("9"));
        QVERIFY(r.copy->write());
        const WaterTable water = s.project.water.table();

        RecoveryFixture next;
        QVERIFY(QFile::copy(r.copy->path(),
                            QDir(next.folder).filePath(QStringLiteral("Tubarex-recupero-2-2"))));
        next.f.services.messages.answer(MsgAnswer::Yes);
        QVERIFY(OfferRecovery(next.f.context, *next.copy));
        QCOMPARE(next.f.state.project.water.rows(), 3);
        QCOMPARE(next.f.state.project.gas.rows(), 1);
        QCOMPARE(next.f.state.project.water.at(4, WaterColumn::lungh).displayText(),
                 QStringLiteral("4"));
        QCOMPARE(next.f.state.project.gas.at(2, GasColumn::lungh).displayText(),
                 QStringLiteral("9"));
        for (int row = 1; row <= 4; ++row)
            QCOMPARE(next.f.state.project.water.at(row, WaterColumn::lungh).displayText(),
                     water.at(row, WaterColumn::lungh).displayText());
    }
};

TUBAREX_QT_TEST(Recovery_Test)
#include "RecoveryTest.moc"
