#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "core/file/ProjectFile.h"
#include "windows/frame/DataTextValidator.h"
#include "windows/project/ProjectFileCommands.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// Stand-ins of the windows that show the project: they count what the file
// commands tell them.
namespace cmdtest {

class ViewProbe : public ProbeForm, public ProjectView {
    Q_OBJECT
public:
    explicit ViewProbe(AppContext& context, QWidget* parent = nullptr)
        : ProbeForm(context, parent)
        , m_files(context, this) {}
    void projectOpened() override { ++opened; }
    void setBackgroundColour(const QColor& colour) override { background = colour; }
    ProjectFileCommands& files() override { return m_files; }
    int opened = 0;
    QColor background;

private:
    ProjectFileCommands m_files;
};

class dati : public ViewProbe {
    Q_OBJECT
public:
    using ViewProbe::ViewProbe;
};

class datigas : public ViewProbe {
    Q_OBJECT
public:
    using ViewProbe::ViewProbe;
};

// The cover window dates the record when it loads, as the real one does.
class frontespizio : public ViewProbe {
    Q_OBJECT
public:
    using ViewProbe::ViewProbe;
    void Form_Load() override {
        ProbeForm::Form_Load();
        m_ctx.state.project.cover.data = QStringLiteral("oggi");
    }
};

} // namespace cmdtest

namespace {

// A project of two complete water rows named "Acquedotto".
void fillProject(ApplicationState& s) {
    for (int r = 1; r <= 2; ++r) {
        s.project.water.StoreWaterCell(r, WaterColumn::lungh, QStringLiteral("10"));
        s.project.water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("50"));
        s.project.water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("1.5"));
        s.project.water.PickWallType(r, 2);
    }
    s.project.cover.progetto = QStringLiteral("Acquedotto");
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool alwaysPasses() {
    return true;
}

} // namespace

class ProjectFileCommands_Test : public QObject {
    Q_OBJECT
private slots:
    // Input boxes refuse the texts the data file cannot hold.
    void validatorRefusesQuoteAndForeignCharacters() {
        DataTextValidator v;
        int pos = 0;
        QString ok = QStringLiteral("tubo d'acciaio, 3€ à");
        QCOMPARE(v.validate(ok, pos), QValidator::Acceptable);
        QString quote = QStringLiteral("12\"");
        QCOMPARE(v.validate(quote, pos), QValidator::Invalid);
        QString greek = QStringLiteral("Δp");
        QCOMPARE(v.validate(greek, pos), QValidator::Invalid);
        // A block of cells: tabs and line breaks of every kind.
        for (const char16_t* block : {u"5\t50", u"5\n6", u"5\r\n6", u"7\r", u"a\u2028b",
                                      u"a\u2029b", u"a\u0085b", u"a\vb", u"a\fb"}) {
            QString text = QString::fromUtf16(block);
            QCOMPARE(v.validate(text, pos), QValidator::Invalid);
        }
    }

    void typingAndPastingForbiddenTextIsRefused() {
        QLineEdit edit;
        edit.setValidator(new DataTextValidator(&edit));
        QTest::keyClicks(&edit, QStringLiteral("1\"2"));
        QCOMPARE(edit.text(), QStringLiteral("12"));
        edit.insert(QStringLiteral("Ω"));
        QCOMPARE(edit.text(), QStringLiteral("12"));
        edit.insert(QStringLiteral("é"));
        QCOMPARE(edit.text(), QStringLiteral("12é"));
    }

    void openCancelledChangesNothing() {
        ShellFixture f;
        f.state.session.CurrentFileName = QStringLiteral("/prima");
        ProjectFileCommands files(f.context, nullptr);
        QVERIFY(!files.Open());
        QCOMPARE(f.services.dialogs.openRequests.size(), size_t(1));
        const FileDialogRequest& r = f.services.dialogs.openRequests.front();
        QCOMPARE(r.title, QStringLiteral("Apri file"));
        QCOMPARE(r.fileName, QString());
        QCOMPARE(r.filter,
                 QStringLiteral("Tutti i file (*.*) | *.*|File Tubarex-dati- | Tubarex-dati-*"));
        QCOMPARE(r.filterIndex, 2);
        QCOMPARE(f.state.session.CurrentFileName, QStringLiteral("/prima"));
        QVERIFY(f.services.messages.shown.empty());
    }

    void openInvalidFileReportsAndKeepsProject() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-rotto"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("abc\r\n");
        file.close();
        ShellFixture f;
        f.forms.enrol<cmdtest::frontespizio>();
        fillProject(f.state);
        f.services.dialogs.openResults.push_back(path);
        ProjectFileCommands files(f.context, nullptr);
        QVERIFY(!files.Open());
        QVERIFY(!f.forms.isLoaded(QStringLiteral("frontespizio")));
        QCOMPARE(f.state.project.cover.data, QString());
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Critical);
        QCOMPARE(f.services.messages.shown[0].title, f.state.program.CheckTitle);
        QVERIFY(f.services.messages.shown[0].text.contains(path));
        QCOMPARE(f.state.project.water.rows(), 2);
        QCOMPARE(f.state.session.CurrentFileName, QString());
    }

    // Saving asks for a name once; the next save writes the same file, and
    // opening it back refreshes the windows and loads the gas window.
    void saveThenOpenRoundTrip() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-prova"));
        ShellFixture f;
        f.forms.enrol<cmdtest::datigas>();
        f.forms.enrol<cmdtest::frontespizio>();
        fillProject(f.state);
        f.services.dialogs.saveResults.push_back(path);
        ProjectFileCommands files(f.context, nullptr);
        QVERIFY(files.Save(alwaysPasses));
        QCOMPARE(f.services.dialogs.saveRequests.size(), size_t(1));
        const FileDialogRequest& r = f.services.dialogs.saveRequests.front();
        QCOMPARE(r.title, QStringLiteral("Salva file con nome"));
        QCOMPARE(r.fileName, QStringLiteral("Tubarex-dati-"));
        QCOMPARE(r.filter, QStringLiteral("File Tubarex-dati- | Tubarex-dati-*"));
        QCOMPARE(r.filterIndex, 1);
        QCOMPARE(f.state.session.CurrentFileName, path);
        QVERIFY(contents(path).startsWith("2\r\n"));
        // The cover window was loaded (and dated) before the save read it.
        QVERIFY(contents(path).contains("\"oggi\""));

        f.state.project.water.StoreWaterCell(3, WaterColumn::lungh, QStringLiteral("7"));
        QVERIFY(files.Save(alwaysPasses));
        QCOMPARE(f.services.dialogs.saveRequests.size(), size_t(1));
        QVERIFY(contents(path).startsWith("3\r\n"));

        f.state.project.water.ClearWaterTable();
        f.state.view.WaterBandTop = 40;
        f.state.session.CurrentFileName.clear();
        f.services.dialogs.openResults.push_back(path);
        QVERIFY(files.Open());
        QCOMPARE(f.state.project.water.rows(), 3);
        QCOMPARE(f.state.view.WaterBandTop, 1);
        QCOMPARE(f.state.session.CurrentFileName, path);
        QCOMPARE(f.state.project.cover.data, QStringLiteral("oggi"));
        auto* gas = qobject_cast<cmdtest::datigas*>(f.forms.find(QStringLiteral("datigas")));
        QVERIFY(gas);
        QCOMPARE(gas->opened, 1);
        QVERIFY(gas->isHidden());
    }

    void saveAsAlwaysAsksAndCancelWritesNothing() {
        QTemporaryDir dir;
        ShellFixture f;
        fillProject(f.state);
        f.state.session.CurrentFileName = dir.filePath(QStringLiteral("Tubarex-dati-vecchio"));
        ProjectFileCommands files(f.context, nullptr);
        QVERIFY(!files.SaveAs(alwaysPasses));
        QCOMPARE(f.services.dialogs.saveRequests.size(), size_t(1));
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // A "Salva con nome" that writes nothing (refused by the check or for a
    // missing project name, cancelled, or failing to write) leaves the
    // current file as it was: the next Salva writes the file the user has
    // open, not the name just refused.
    void saveAsThatWritesNothingKeepsTheCurrentFile() {
        enum class Outcome { Refused, NoProject, Cancelled, WriteFails };
        for (const Outcome outcome :
             {Outcome::Refused, Outcome::NoProject, Outcome::Cancelled, Outcome::WriteFails}) {
            QTemporaryDir dir;
            const QString open = dir.filePath(QStringLiteral("Tubarex-dati-aperto"));
            const QString other = dir.filePath(QStringLiteral("Tubarex-dati-nuovo"));
            ShellFixture f;
            fillProject(f.state);
            f.state.session.CurrentFileName = open;
            ProjectFileCommands files(f.context, nullptr);
            if (outcome == Outcome::NoProject)
                f.state.project.cover.progetto.clear();
            if (outcome != Outcome::Cancelled)
                f.services.dialogs.saveResults.push_back(
                    outcome == Outcome::WriteFails
                        ? dir.filePath(QStringLiteral("manca/Tubarex-dati-nuovo"))
                        : other);
            QVERIFY(!files.SaveAs([outcome] { return outcome != Outcome::Refused; }));
            QCOMPARE(f.state.session.CurrentFileName, open);
            QVERIFY(!QFile::exists(other));

            f.state.project.cover.progetto = QStringLiteral("Acquedotto");
            f.services.dialogs.saveResults.clear();
            const size_t asked = f.services.dialogs.saveRequests.size();
            QVERIFY(files.Save(alwaysPasses));
            QCOMPARE(f.services.dialogs.saveRequests.size(), asked);
            QVERIFY(QFile::exists(open));
            QVERIFY(!QFile::exists(other));
        }
    }

    // Salva con nome to a new name that is written makes it the current file.
    void saveAsWrittenChangesTheCurrentFile() {
        QTemporaryDir dir;
        ShellFixture f;
        fillProject(f.state);
        f.state.session.CurrentFileName = dir.filePath(QStringLiteral("Tubarex-dati-aperto"));
        const QString other = dir.filePath(QStringLiteral("Tubarex-dati-copia"));
        f.services.dialogs.saveResults.push_back(other);
        ProjectFileCommands files(f.context, nullptr);
        QVERIFY(files.SaveAs(alwaysPasses));
        QCOMPARE(f.state.session.CurrentFileName, other);
        QVERIFY(QFile::exists(other));
    }

    // The water and cover windows keep the current file when their open is
    // cancelled; the gas window forgets it.
    void cancelledOpenKeepsOrForgetsTheCurrentFile() {
        for (const bool forgets : {false, true}) {
            ShellFixture f;
            f.state.session.CurrentFileName = QStringLiteral("/prima");
            ProjectFileCommands files(f.context, nullptr,
                                      forgets ? CancelledOpen::ForgetsCurrentFile
                                              : CancelledOpen::KeepsCurrentFile);
            QVERIFY(!files.Open());
            QCOMPARE(f.state.session.CurrentFileName,
                     forgets ? QString() : QStringLiteral("/prima"));
        }
    }

    void saveStopsOnFailedCheckOrMissingProject() {
        ShellFixture f;
        f.forms.enrol<probe::frontespizio>();
        fillProject(f.state);
        ProjectFileCommands files(f.context, nullptr);
        QVERIFY(!files.Save([] { return false; }));
        QVERIFY(f.services.messages.shown.empty());
        QVERIFY(!f.forms.isLoaded(QStringLiteral("frontespizio")));

        f.state.project.cover.progetto.clear();
        QVERIFY(!files.Save(alwaysPasses));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].text,
                 QStringLiteral("E' necessario digitare almeno il dato del 'progetto'."));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Critical);
        QVERIFY(f.forms.find(QStringLiteral("frontespizio"))->isVisible());
        QVERIFY(f.services.dialogs.saveRequests.empty());
    }

    void saveFailureIsReported() {
        QTemporaryDir dir;
        ShellFixture f;
        fillProject(f.state);
        f.state.session.CurrentFileName = dir.filePath(QStringLiteral("manca/Tubarex-dati-x"));
        ProjectFileCommands files(f.context, nullptr);
        QVERIFY(!files.Save(alwaysPasses));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Critical);
        QCOMPARE(f.services.messages.shown[0].title, f.state.program.CheckTitle);
    }

    // The file is deleted at once; the current file name stays, and the
    // dialog keeps the last name used.
    void deleteKeepsCurrentFileName() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-via"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        ShellFixture f;
        f.state.session.CurrentFileName = path;
        f.services.dialogs.openResults.push_back(path);
        ProjectFileCommands files(f.context, nullptr);
        QVERIFY(files.Delete());
        QVERIFY(!QFile::exists(path));
        QCOMPARE(f.state.session.CurrentFileName, path);
        const FileDialogRequest& r = f.services.dialogs.openRequests.front();
        QCOMPARE(r.title, f.state.program.DeleteDialogTitle);
        QCOMPARE(r.fileName, QStringLiteral("Tubarex-dati-"));
        QCOMPARE(r.filter,
                 QStringLiteral("Tutti i file (*.*)|*.*|File Tubarex-dati- | Tubarex-dati-*"));
        QCOMPARE(r.filterIndex, 2);
        QVERIFY(!files.Delete());
        QCOMPARE(f.services.dialogs.openRequests.back().fileName, path);

        // The next Salva recreates the deleted file without asking, and a
        // text with commas comes back whole.
        fillProject(f.state);
        f.state.project.cover.localita = QStringLiteral("Via Roma, 1, Mantova");
        QVERIFY(files.Save(alwaysPasses));
        QVERIFY(f.services.dialogs.saveRequests.empty());
        QVERIFY(QFile::exists(path));
        f.state.project.cover.localita.clear();
        f.services.dialogs.openResults.push_back(path);
        QVERIFY(files.Open());
        QCOMPARE(f.state.project.cover.localita, QStringLiteral("Via Roma, 1, Mantova"));
    }

    // Started with a data file: the water window shows the project at once.
    void startWithFileShowsWaterWindow() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-avvio"));
        {
            ApplicationState source;
            fillProject(source);
            QVERIFY(SaveProjectFile(source.project, path).ok());
        }
        ShellFixture f;
        f.state = ApplicationState();
        f.forms.enrol<cmdtest::dati>();
        QVERIFY(OpenProjectAtStart(f.context, path));
        QVERIFY(!f.state.program.ProgramName.isEmpty());
        QCOMPARE(f.state.project.water.rows(), 2);
        QCOMPARE(f.state.session.CurrentFileName, path);
        auto* water = qobject_cast<cmdtest::dati*>(f.forms.find(QStringLiteral("dati")));
        QVERIFY(water);
        QVERIFY(water->isVisible());
        QVERIFY(water->opened >= 1);
        QVERIFY(f.services.messages.shown.empty());
    }

    void startWithUnreadableFileIsReported() {
        QTemporaryDir dir;
        ShellFixture f;
        f.state = ApplicationState();
        f.forms.enrol<cmdtest::dati>();
        QVERIFY(!OpenProjectAtStart(f.context, dir.filePath(QStringLiteral("manca"))));
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.messages.shown[0].icon, NoticeIcon::Critical);
        QVERIFY(!f.state.program.CheckTitle.isEmpty());
        QCOMPARE(f.services.messages.shown[0].title, f.state.program.CheckTitle);
        QVERIFY(!f.forms.isLoaded(QStringLiteral("dati")));
        QCOMPARE(f.state.project.water.count(), std::optional<int>());
    }

    void greyBackgroundReachesEveryProjectWindow() {
        ShellFixture f;
        f.forms.enrol<cmdtest::datigas>();
        SetProjectWindowsBackground(f.context, QColor(192, 192, 192));
        auto* gas = qobject_cast<cmdtest::datigas*>(f.forms.find(QStringLiteral("datigas")));
        QVERIFY(gas);
        QCOMPARE(gas->background, QColor(192, 192, 192));
        QVERIFY(!f.forms.isLoaded(QStringLiteral("frontespizio")));
    }
};

TUBAREX_QT_TEST(ProjectFileCommands_Test)
#include "ProjectFileCommandsTest.moc"
