#include "ProbeWindows.h"
#include "QtTestRegistry.h"

#include "core/file/ProjectFile.h"
#include "core/model/WaterTable.h"
#include "core/session/StartOptions.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/ProjectStatus.h"
#include "windows/frame/WindowFrame.h"
#include "windows/project/RecoveryOffer.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

// A gas window that records the colour it is given.
namespace covertest {

class datigas : public ProbeForm, public ProjectView {
    Q_OBJECT
public:
    explicit datigas(AppContext& context, QWidget* parent = nullptr)
        : ProbeForm(context, parent)
        , m_files(context, this) {}
    void projectOpened() override {}
    void setBackgroundColour(const QColor& colour) override { background = colour; }
    ProjectFileCommands& files() override { return m_files; }
    QColor background;

private:
    ProjectFileCommands m_files;
};

} // namespace covertest

namespace {

const QColor Grey(192, 192, 192);

// Types a text into every field but the one named `skip` (the date is
// cleared first, so that each field holds exactly what was typed).
void typeAllBut(frontespizio& w, const QString& skip) {
    w.data()->clear();
    for (int i = 0; i < ProjectIdentification::FieldCount; ++i) {
        if (ProjectIdentification::fieldName(i) != skip)
            QTest::keyClicks(w.field(i), QStringLiteral("campo %1, via Roma").arg(i));
    }
}

const RecordedMessage& lastMessage(const ShellFixture& f) {
    return f.services.messages.shown.back();
}

void fillWaterRows(ApplicationState& s, int n) {
    for (int r = 1; r <= n; ++r) {
        s.project.water.StoreWaterCell(r, WaterColumn::lungh, QStringLiteral("10"));
        s.project.water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("50"));
        s.project.water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("1.5"));
        s.project.water.PickWallType(r, 2);
    }
}

QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
}

// The next control the Tab key reaches from `w`.
QWidget* nextTab(QWidget* w) {
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

} // namespace

class frontespizio_Test : public QObject {
    Q_OBJECT
private slots:
    void dateIsWrittenInTheLocaleWithoutAMonthStop() {
        QCOMPARE(CoverDateText(QLocale(QLocale::Italian), QDate(2026, 12, 7)),
                 QStringLiteral("lunedì, 7 dic 2026"));
        // A locale whose short month carries a full stop.
        const QString german = CoverDateText(QLocale(QLocale::German), QDate(2026, 2, 1));
        QVERIFY2(!german.contains(QLatin1Char('.')), qPrintable(german));
        QVERIFY(german.endsWith(QStringLiteral(" 1 Feb 2026")));
    }

    // Under another language (the system's is not Italian either: ctest
    // runs the window tests with LC_ALL=C.UTF-8) the cover's date, a save's
    // hint and the recovery question still read in Italian, with Latin digits.
    void datesAreItalianWhateverTheLanguage() {
        for (const QLocale& foreign : {QLocale(QLocale::English, QLocale::UnitedStates),
                                       QLocale(QLocale::Arabic, QLocale::Egypt)}) {
            QVERIFY2(QLocale::system().language() != QLocale::Italian,
                     "to be run under a system language other than Italian");
            const QLocale previous;
            QLocale::setDefault(foreign);
            ShellFixture f;
            const QString cover = f.forms.get<frontespizio>().data()->text();
            const QDateTime when(QDate(2026, 12, 9), QTime(17, 5));
            const QString hint = SavedHint(QStringLiteral("/tmp/Tubarex-dati-x"), when);
            const QString question = RecoveryQuestion(when, QStringLiteral("Tubarex-dati-x"));
            QLocale::setDefault(previous);
            QCOMPARE(cover, CoverDateText(QLocale(QLocale::Italian), QDate::currentDate()));
            QVERIFY2(hint.endsWith(QStringLiteral(" alle 17:05")), qPrintable(hint));
            QVERIFY2(question.contains(QStringLiteral(" del 09/12/2026 alle 17:05:")),
                     qPrintable(question));
        }
    }

    void loadDatesTheRecordAndShowsTheOwner() {
        ShellFixture f;
        f.state.program.OwnerName = QStringLiteral("Studio Rossi");
        f.state.program.OwnerAddress = QStringLiteral("via Verdi 3, Bari");
        // A record made before the window exists is what its boxes show.
        f.state.project.cover.progetto = QStringLiteral("Acquedotto");
        f.state.project.cover.data = QStringLiteral("ieri");
        frontespizio& w = f.forms.get<frontespizio>();
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("senza nome \u2013 Tubarex: frontespizio per la relazione"));
        const QString today = CoverDateText(ProgramLocale(), QDate::currentDate());
        QCOMPARE(w.data()->text(), today);
        QCOMPARE(f.state.project.cover.data, today);
        QCOMPARE(w.progetto()->text(), QStringLiteral("Acquedotto"));
        QCOMPARE(w.localita()->text(), QString());
        QCOMPARE(w.Labelstudio->text(), QStringLiteral("Studio Rossi"));
        QCOMPARE(w.labelindirizzo->text(), QStringLiteral("via Verdi 3, Bari"));
        QCOMPARE(w.passo->text(), QStringLiteral("Digitare i dati per ogni campo o prelevare un "
                                                 "file dall'archivio."));
        QCOMPARE(w.ReportFontSize, qint16(12));
        QCOMPARE(w.ReportFontName, QStringLiteral("Courier new"));
        QVERIFY(w.comestampo[0]->isChecked());
        QCOMPARE(w.comestampo[0]->text(), QStringLiteral("Stampa con Word"));
        QVERIFY(!w.comestampo[1]->isChecked());
        QVERIFY(w.stampa->isEnabled());
        QVERIFY(w.frame()->item(QStringLiteral("stampatutto"))->isEnabled());
        QVERIFY(w.frame()->Toolbar1(6)->isEnabled());
        QVERIFY(w.frame()->item(QStringLiteral("solodati"))->isEnabled());
        // No help summary is enrolled.
        QVERIFY(!w.guidainlinea->isEnabled());
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("località")), w.localita());
    }

    // Before its load sizes it, the window has its designed geometry.
    // The data sheet goes to a document whatever the print option, and
    // empty fields still give the whole table.
    void dataSheetIsADocumentEvenWithEmptyFields() {
        ShellFixture f;
        f.state.program.OwnerName = QStringLiteral("Studio Rossi");
        f.state.program.OwnerAddress = QStringLiteral("via Verdi 3, Bari");
        frontespizio& w = f.forms.get<frontespizio>();
        w.data()->clear();
        w.comestampo[1]->setChecked(true);
        w.frame()->item(QStringLiteral("solodati"))->trigger();
        QCOMPARE(f.services.dialogs.printerRequests, 0);
        QVERIFY(f.services.messages.shown.empty());
        QCOMPARE(f.services.documents.shown.size(), size_t(1));
        const WordDocument& doc = f.services.documents.shown[0].document;
        QCOMPARE(doc.tableCount(), 1);
        const WordTableContent& table = doc.table(1);
        QCOMPARE(table.rows, 10);
        QCOMPARE(table.cell(2, 1).text, QStringLiteral("progetto"));
        QCOMPARE(table.cell(2, 2).text, QString());
        QCOMPARE(table.cell(7, 2).text, QString());
        QCOMPARE(table.cell(9, 2).text, w.Labelstudio->text());
        QCOMPARE(table.cell(10, 2).text, w.labelindirizzo->text());
        QCOMPARE(w.passo->text(), QStringLiteral("sto caricando WORD"));
    }

    void helpSummaryAndExitButtons() {
        ShellFixture f;
        f.forms.enrol<probe::sommario>();
        frontespizio& w = f.forms.get<frontespizio>();
        QVERIFY(w.guidainlinea->isEnabled());
        click(w.guidainlinea);
        QVERIFY(f.forms.isLoaded(QStringLiteral("sommario")));
        f.services.messages.answer(MsgAnswer::No);
        click(w.cmdesci);
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QVERIFY(lastMessage(f).defaultNo);
        QVERIFY(f.forms.isLoaded(QStringLiteral("frontespizio")));
    }

    void boxesStandAtTheirDesignedPlaces() {
        ShellFixture f;
        frontespizio w(f.context);
        for (int i = 0; i < ProjectIdentification::FieldCount; ++i) {
            const QRect g = w.field(i)->geometry();
            QCOMPARE(g.left(), w.twipsX(3000));
            QCOMPARE(g.top(), w.twipsY(1560 + 240 * i));
            QCOMPARE(g.width(), w.twipsX(5295));
        }
    }

    void tabOrderLeavesDataAndAllegatiLast() {
        ShellFixture f;
        frontespizio& w = f.forms.get<frontespizio>();
        QCOMPARE(nextTab(w.progetto()), w.localita());
        QCOMPARE(nextTab(w.committente()), w.luogo());
        QCOMPARE(nextTab(w.luogo()), w.comestampo[0]);
        QCOMPARE(nextTab(w.cmdesci), w.data());
        QCOMPARE(nextTab(w.data()), w.allegati());
    }

    void typingStoresTheRecordAtOnce() {
        ShellFixture f;
        frontespizio& w = f.forms.get<frontespizio>();
        QTest::keyClicks(w.localita(), QStringLiteral("Bari"));
        QCOMPARE(f.state.project.cover.localita, QStringLiteral("Bari"));
        // A quote would split the value in the data file.
        QTest::keyClicks(w.allegati(), QStringLiteral("a\"b"));
        QCOMPARE(f.state.project.cover.allegati, QStringLiteral("ab"));
    }

    void freshWindowReportsNothingTyped() {
        ShellFixture f;
        frontespizio& w = f.forms.get<frontespizio>();
        w.frame()->Toolbar1(20)->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(lastMessage(f).text, QStringLiteral("Non è stato immesso alcun dato."));
        QCOMPARE(lastMessage(f).icon, NoticeIcon::Question);
        QCOMPARE(lastMessage(f).title, f.state.program.CheckTitle);
    }

    void checkIgnoresLuogoButNeedsData() {
        ShellFixture f;
        frontespizio& w = f.forms.get<frontespizio>();
        typeAllBut(w, QStringLiteral("luogo"));
        w.frame()->item(QStringLiteral("controllodat"))->trigger();
        QCOMPARE(lastMessage(f).text, QStringLiteral("I dati sono stati immessi correttamente."));
        QCOMPARE(lastMessage(f).icon, NoticeIcon::Information);

        typeAllBut(w, QStringLiteral("data"));
        QCOMPARE(f.state.project.cover.data, QString());
        w.controllodat_Click();
        QCOMPARE(lastMessage(f).text, QStringLiteral("Inserire dati per ogni campo."));
        QCOMPARE(lastMessage(f).icon, NoticeIcon::Exclamation);
    }

    void clearEmptiesEveryFieldAndLeavesDataEmpty() {
        ShellFixture f;
        frontespizio& w = f.forms.get<frontespizio>();
        typeAllBut(w, QString());
        w.comestampo[1]->setChecked(true);
        w.frame()->Toolbar1(21)->trigger();
        for (int i = 0; i < ProjectIdentification::FieldCount; ++i) {
            QCOMPARE(w.field(i)->text(), QString());
            QCOMPARE(f.state.project.cover.field(i), QString());
        }
        QVERIFY(w.comestampo[1]->isChecked());
        QVERIFY(f.services.messages.shown.empty());
    }

    void ownerLabelsRefuseChanges() {
        ShellFixture f;
        f.state.program.OwnerName = QStringLiteral("Studio Rossi");
        frontespizio& w = f.forms.show<frontespizio>();
        click(w.Labelstudio);
        click(w.labelindirizzo);
        QCOMPARE(f.services.messages.shown.size(), size_t(2));
        for (const RecordedMessage& m : f.services.messages.shown) {
            QCOMPARE(m.text, QStringLiteral("Attenzione: dato non modificabile, rivolgersi a "
                                            "Software Solariva, produttrice del programma."));
            QCOMPARE(m.icon, NoticeIcon::Critical);
            QCOMPARE(m.title, f.state.program.CheckTitle);
        }
        QCOMPARE(w.Labelstudio->text(), QStringLiteral("Studio Rossi"));
    }

    void helpHasSixLines() {
        ShellFixture f;
        frontespizio& w = f.forms.get<frontespizio>();
        click(w.aiuto);
        const QStringList lines = lastMessage(f).text.split(QLatin1Char('\r'));
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[1], QStringLiteral("- la data viene impostata in automatico, ma è "
                                          "modificabile;"));
        QVERIFY(lines[2].contains(QStringLiteral("studio tecnico")));
        QCOMPARE(lastMessage(f).title, f.state.program.HelpTitle);
        QCOMPARE(lastMessage(f).icon, NoticeIcon::Information);
    }

    void greyRecoloursWindowsNeverShown() {
        ShellFixture f;
        f.forms.enrol<dati>();
        f.forms.enrol<covertest::datigas>();
        frontespizio& w = f.forms.show<frontespizio>();
        f.services.messages.answer(MsgAnswer::Yes);
        w.frame()->Toolbar1(13)->trigger();
        QCOMPARE(lastMessage(f).text,
                 QStringLiteral("Colori uguali e riposanti (grigio) per tutte le finestre?"));
        QCOMPARE(lastMessage(f).title,
                 f.state.program.ProgramName + QStringLiteral(": colore di sfondo"));
        auto* water = qobject_cast<dati*>(f.forms.find(QStringLiteral("dati")));
        auto* gas = qobject_cast<covertest::datigas*>(f.forms.find(QStringLiteral("datigas")));
        QVERIFY(water && gas);
        QVERIFY(water->isHidden() && gas->isHidden());
        QCOMPARE(water->background(), Grey);
        QCOMPARE(gas->background, Grey);
        QCOMPARE(w.background(), Grey);
        QVERIFY(f.services.dialogs.colourRequests.empty());

        // Already grey: the colour dialog, whose colour is kept as the scheme.
        f.services.dialogs.colourResults.push_back(0x00336699u);
        w.colorare_Click();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(f.services.dialogs.colourRequests.size(), size_t(1));
        QCOMPARE(f.services.dialogs.colourRequests[0], 0x00C0C0C0u);
        QCOMPARE(f.state.view.ColourScheme, 0x00336699u);
        QCOMPARE(w.background(), QColor(0x33, 0x66, 0x99));
        QCOMPARE(water->background(), Grey);
    }

    void noAnswerOpensTheColourDialogAndCancelKeepsColour() {
        ShellFixture f;
        frontespizio& w = f.forms.get<frontespizio>();
        const QColor before = w.background();
        f.services.messages.answer(MsgAnswer::No);
        w.colorare_Click();
        QCOMPARE(f.services.dialogs.colourRequests.size(), size_t(1));
        QCOMPARE(w.background(), before);
    }

    // Water rows only: the gas section is its count alone, and the file
    // reopens with the same cover fields, the date included.
    void waterOnlyProjectSavesAndReopens() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-scuola"));
        ShellFixture f;
        f.forms.enrol<dati>();
        f.forms.enrol<frontespizio>();
        frontespizio& w = f.forms.get<frontespizio>();
        fillWaterRows(f.state, 2);
        f.state.project.gas.ClearGasTable();
        typeAllBut(w, QStringLiteral("data"));
        f.services.dialogs.saveResults.push_back(path);
        w.frame()->item(QStringLiteral("salva"))->trigger();
        QVERIFY(f.services.messages.shown.empty());
        const QStringList lines = fileLines(path);
        QCOMPARE(lines.size(), 6); // the last CR LF ends the cover record
        QCOMPARE(lines[0], QStringLiteral("2"));
        QCOMPARE(lines[3], QStringLiteral("0"));
        QVERIFY(lines[4].startsWith(QStringLiteral("\"campo 0, via Roma\"")));
        QCOMPARE(f.state.session.CurrentFileName, path);

        const ProjectIdentification saved = f.state.project.cover;
        w.cancella_Click();
        QTest::keyClicks(w.data(), QStringLiteral("oggi"));
        f.services.dialogs.openResults.push_back(path);
        // The fields changed are not saved, as asked.
        f.services.messages.answer(MsgAnswer::No);
        w.frame()->Toolbar1(1)->trigger();
        QCOMPARE(f.state.project.cover, saved);
        for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
            QCOMPARE(w.field(i)->text(), saved.field(i));
        QCOMPARE(w.data()->text(), QString());
        QCOMPARE(w.localita()->text(), QStringLiteral("campo 1, via Roma"));
    }

    // Today's date goes into the record at the window's first load only:
    // closed from its title bar and opened again, the window shows the
    // record as it stands, and a save writes it unchanged.
    void reloadKeepsTheRecord() {
        ShellFixture f;
        f.forms.enrol<frontespizio>();
        // Another window stays on the screen: the close is not the exit.
        f.forms.show<probe::dati>();
        frontespizio& first = f.forms.show<frontespizio>();
        QCOMPARE(f.state.project.cover.data, CoverDateText(ProgramLocale(), QDate::currentDate()));
        typeAllBut(first, QString());
        first.data()->setText(QStringLiteral("lunedì, 7 dic 2026"));
        const ProjectIdentification record = f.state.project.cover;
        first.close();
        ShellFixture::flush();
        QVERIFY(!f.forms.isLoaded(QStringLiteral("frontespizio")));

        frontespizio& again = f.forms.show<frontespizio>();
        QCOMPARE(f.state.project.cover, record);
        for (int i = 0; i < ProjectIdentification::FieldCount; ++i)
            QCOMPARE(again.field(i)->text(), record.field(i));
    }

    // Apri and Elimina are the water window's commands: its dialog keeps
    // the name last used, whichever window ran them.
    void openAndDeleteAreTheWaterWindows() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-dati-ponte"));
        {
            ApplicationState saved;
            fillWaterRows(saved, 1);
            saved.project.gas.ClearGasTable();
            saved.project.cover.progetto = QStringLiteral("Ponte");
            QVERIFY(SaveProjectFile(saved.project, path).ok());
        }
        ShellFixture f;
        f.forms.enrol<dati>();
        f.forms.enrol<frontespizio>();
        frontespizio& w = f.forms.show<frontespizio>();
        f.services.dialogs.openResults.push_back(path);
        w.frame()->item(QStringLiteral("apri"))->trigger();
        QCOMPARE(f.state.project.cover.progetto, QStringLiteral("Ponte"));
        QCOMPARE(w.progetto()->text(), QStringLiteral("Ponte"));
        auto* water = qobject_cast<dati*>(f.forms.find(QStringLiteral("dati")));
        QVERIFY(water);
        QCOMPARE(water->files().dialogFileName(), path);

        w.frame()->Toolbar1(4)->trigger(); // cancelled
        QCOMPARE(f.services.dialogs.openRequests.size(), size_t(2));
        QCOMPARE(f.services.dialogs.openRequests[1].title, f.state.program.DeleteDialogTitle);
        QCOMPARE(f.services.dialogs.openRequests[1].fileName, path);
        QVERIFY(QFile::exists(path));
        f.services.dialogs.openResults.push_back(path);
        w.frame()->item(QStringLiteral("eliminare"))->trigger();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(water->files().dialogTitle(), f.state.program.DeleteDialogTitle);
    }

    void saveWithoutNetworksIsRefused() {
        QTemporaryDir dir;
        ShellFixture f;
        frontespizio& w = f.forms.get<frontespizio>();
        typeAllBut(w, QString());
        f.services.dialogs.saveResults.push_back(dir.filePath(QStringLiteral("Tubarex-dati-x")));
        w.frame()->item(QStringLiteral("salvanome"))->trigger();
        QCOMPARE(f.services.messages.shown.size(), size_t(1));
        QCOMPARE(lastMessage(f).text,
                 QStringLiteral("Non esistono dati riconosciuti: digitare correttamente i dati."));
        QCOMPARE(lastMessage(f).icon, NoticeIcon::Critical);
        QCOMPARE(lastMessage(f).title, f.state.program.HelpTitle);
        QVERIFY(f.services.dialogs.saveRequests.empty());
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void saveWithoutProgettoShowsThisWindow() {
        ShellFixture f;
        f.forms.enrol<frontespizio>();
        frontespizio& w = f.forms.get<frontespizio>();
        fillWaterRows(f.state, 1);
        w.frame()->Toolbar1(2)->trigger();
        QCOMPARE(lastMessage(f).text,
                 QStringLiteral("E' necessario digitare almeno il dato del 'progetto'."));
        QVERIFY(f.services.dialogs.saveRequests.empty());
        QVERIFY(w.isVisible());
    }
};

TUBAREX_QT_TEST(frontespizio_Test)
#include "frontespizioTest.moc"
