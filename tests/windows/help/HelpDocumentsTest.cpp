#include "QtTestRegistry.h"

#include "core/model/GasTable.h"
#include "core/model/Notice.h"
#include "core/model/NumberText.h"
#include "core/model/WaterTable.h"
#include "core/session/ApplicationState.h"
#include "documents/DocxWriter.h"
#include "documents/HelpDocuments.h"
#include "documents/HelpTexts.h"
#include "windows/help/HelpPage.h"
#include "windows/project/ProjectFileCommands.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

ApplicationState identity() {
    ApplicationState state;
    InitApplicationState(state);
    return state;
}

// The first run of a paragraph (the font it was typed with).
const WordRun& firstRun(const WordParagraph* p) {
    return p->runs.front();
}

int pageBreaks(const WordDocument& doc) {
    int count = 0;
    for (const WordParagraph* p : doc.paragraphs()) {
        for (const WordRun& run : p->runs)
            count += run.pageBreak ? 1 : 0;
    }
    return count;
}

bool allJustified(const WordDocument& doc) {
    for (const WordParagraph* p : doc.paragraphs()) {
        if (p->alignment != WordAlignment::Justify)
            return false;
    }
    return true;
}

} // namespace

// The help documents and the help texts, without any window.
class HelpDocuments_Test : public QObject {
    Q_OBJECT
private slots:
    void pagePrintTypesHeaderTitleAndText() {
        const ApplicationState state = identity();
        const WordDocument doc =
            PrintHelpToWord(state, QStringLiteral("ARCHIVIO DATI"),
                            QStringLiteral("primo paragrafo\n\nsecondo paragrafo"));
        const auto paragraphs = doc.paragraphs();
        QStringList texts;
        for (const WordParagraph* p : paragraphs)
            texts.append(p->text());
        QCOMPARE(texts, (QStringList{state.program.ProgramName, state.program.ProgramSubtitle,
                                     QString(), QString(), QStringLiteral("Guida: ARCHIVIO DATI"),
                                     QString(), QStringLiteral("primo paragrafo"), QString(),
                                     QStringLiteral("secondo paragrafo"), QString()}));
        QCOMPARE(firstRun(paragraphs[0]).fontName, QStringLiteral("Century Gothic"));
        QCOMPARE(firstRun(paragraphs[0]).fontSize, 20.0);
        QCOMPARE(firstRun(paragraphs[1]).fontSize, 16.0);
        QCOMPARE(firstRun(paragraphs[4]).fontSize, 16.0);
        QCOMPARE(firstRun(paragraphs[6]).fontSize, 12.0);
        QCOMPARE(firstRun(paragraphs[8]).fontName, QStringLiteral("Century Gothic"));
        QVERIFY(allJustified(doc));
        // The page print applies no standard set-up.
        QVERIFY(!doc.paperA4());
        QVERIFY(doc.borderDistances().empty());
        QCOMPARE(pageBreaks(doc), 0);
    }

    void licencePrintHasTheStandardSetUp() {
        const ApplicationState state = identity();
        const WordDocument doc = LicenceDocument(state, LicenceText());
        QVERIFY(doc.paperA4());
        QCOMPARE(doc.lineSpacing(), 12.0);
        QCOMPARE(doc.borderDistances(), (std::vector<int>{2, 2, 2, 2}));
        const auto paragraphs = doc.paragraphs();
        QCOMPARE(paragraphs[0]->text(), state.program.ProgramName);
        QCOMPARE(paragraphs[1]->text(), state.program.ProgramSubtitle);
        QCOMPARE(paragraphs[4]->text(), QStringLiteral("CONTRATTO DI LICENZA D'USO"));
        QCOMPARE(firstRun(paragraphs[4]).fontSize, 12.0);
        QCOMPARE(firstRun(paragraphs[4]).fontName, QStringLiteral("Century Gothic"));
        QVERIFY(allJustified(doc));
    }

    void wholeHelpHasTheHeaderOnceAndEveryTopicSeparatedByPageBreaks() {
        const ApplicationState state = identity();
        const WordDocument doc = WholeHelpDocument(state, HelpTopics());
        QVERIFY(doc.paperA4());
        QVERIFY(allJustified(doc));

        const auto paragraphs = doc.paragraphs();
        int headers = 0;
        QStringList headings;
        std::vector<double> headingSizes;
        std::vector<bool> breakBefore;
        for (const WordParagraph* p : paragraphs) {
            headers += p->text() == state.program.ProgramName ? 1 : 0;
            if (p->text().startsWith(QStringLiteral("Guida: "))) {
                headings.append(p->text());
                headingSizes.push_back(p->runs.back().fontSize);
                breakBefore.push_back(p->hasPageBreak() && p->runs.front().pageBreak);
            }
        }
        QCOMPARE(headers, 1);
        QCOMPARE(paragraphs[1]->text(), state.program.ProgramSubtitle);
        QCOMPARE(headings, (QStringList{QStringLiteral("Guida: MANUALE D'USO RAPIDO"),
                                        QStringLiteral("Guida: FUNZIONAMENTO DEL PROGRAMMA"),
                                        QStringLiteral("Guida: ARCHIVIO DATI"),
                                        QStringLiteral("Guida: COME STAMPARE"),
                                        QStringLiteral("Guida: FINESTRA DATI ACQUA"),
                                        QStringLiteral("Guida: FINESTRA DATI GAS"),
                                        QStringLiteral("Guida: FINESTRA FRONTESPIZIO"),
                                        QStringLiteral("Guida: VERIFICA DELLA RETE"),
                                        QStringLiteral("Guida: DIMENSIONAMENTO DELLA RETE"),
                                        QStringLiteral("Guida: SERIE DI TUBI PER L'ACQUA"),
                                        QStringLiteral("Guida: UTENZE E PORTATE"),
                                        QStringLiteral("Guida: PROGETTI RECENTI"),
                                        QStringLiteral("Guida: ANTEPRIMA DI STAMPA"),
                                        QStringLiteral("Guida: DATI DELLO STUDIO"),
                                        QStringLiteral("Guida: ANNULLA E RIPETI"),
                                        QStringLiteral("Guida: INCOLLARE UN BLOCCO DI CELLE")}));
        // The first heading keeps the subtitle's 16 points, the later ones
        // are typed at 12 like the texts.
        std::vector<double> sizes(headings.size(), 12);
        sizes.front() = 16;
        QCOMPARE(headingSizes, sizes);
        // A page break opens every topic but the first, and nothing follows
        // the last text.
        std::vector<bool> breaks(headings.size(), true);
        breaks.front() = false;
        QCOMPARE(breakBefore, breaks);
        QCOMPARE(pageBreaks(doc), static_cast<int>(headings.size()) - 1);
        const QString lastText = HelpTopics().back().text;
        QCOMPARE(paragraphs.back()->text(),
                 lastText.mid(lastText.lastIndexOf(QLatin1Char('\n')) + 1));
        QVERIFY(!paragraphs.back()->hasPageBreak());
    }

    void wholeHelpIsSavedInTheDocumentsFolder() {
        const ApplicationState state = identity();
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(WholeHelpPath(state), folder + QStringLiteral("/Tubarex-guida.docx"));
    }

    // Printing the whole help again writes the file anew in its place.
    void savingTheWholeHelpAgainReplacesTheFile() {
        ApplicationState state = identity();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tubarex-guida.docx"));
        QVERIFY(SaveDocx(WholeHelpDocument(state, HelpTopics()), path));
        const qint64 whole = QFileInfo(path).size();
        std::vector<HelpTopic> one(HelpTopics().begin(), HelpTopics().begin() + 1);
        QVERIFY(SaveDocx(WholeHelpDocument(state, one), path));
        const qint64 shorter = QFileInfo(path).size();
        QVERIFY2(shorter < whole, qPrintable(QStringLiteral("%1 %2").arg(shorter).arg(whole)));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("PK"));
    }

    void everyTopicBeginsWithItsOwnWords() {
        const std::vector<std::pair<QString, QString>> starts = {
            {QStringLiteral("manuale"),
             QStringLiteral("Il programma TUBAREX calcola le perdite di carico che si hanno in un "
                            "tubo attraversato da liquido o da gas.")},
            {QStringLiteral("guidafunzionamento"),
             QStringLiteral("TUBAREX è un programma di semplice uso che consente di calcolare per "
                            "un massimo di 500 tronchi le perdite di carico totali nelle "
                            "tubazioni.")},
            {QStringLiteral("guidaarchivio"),
             QStringLiteral("E' possibile memorizzare in appositi files i dati immessi per ogni "
                            "finestra e richiamarli al momento opportuno.")},
            {QStringLiteral("guidastampa"),
             QStringLiteral("Si possono stampare liberamente tutte le finestre riguardanti la "
                            "guida.")},
            {QStringLiteral("guidadati"),
             QStringLiteral("La prima finestra riguarda l'introduzione dei dati completi per "
                            "tutti i tronchi della rete.")},
            {QStringLiteral("guidadatigas"),
             QStringLiteral("La finestra relativa al calcolo delle perdite di carico per "
                            "tubazioni che trasportano gas è di semplice ed immediato "
                            "utilizzo.")},
            {QStringLiteral("guidafrontespizio"),
             QStringLiteral("La terza finestra riguarda i dati destinati al frontespizio della "
                            "Relazione da stampare.")},
        };
        // The classic topics come first.
        QVERIFY(HelpTopics().size() > starts.size());
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const HelpTopic& topic = HelpTopics()[i];
            QCOMPARE(HelpPageWindow(topic.subject), starts[i].first);
            // The whole first sentence, then a blank or a paragraph end.
            const QString& first = starts[i].second;
            QVERIFY2(topic.text.startsWith(first), qPrintable(starts[i].first));
            QVERIFY2(topic.text.at(first.size()).isSpace(), qPrintable(starts[i].first));
        }
        for (const HelpTopic& topic : HelpTopics())
            QCOMPARE(&FindHelpTopic(topic.subject), &topic);
    }

    // The numbers the pages state are the ones the program computes with.
    void waterTextsStateTheProgramsNumbers() {
        const QString manual = FindHelpTopic(HelpSubject::Manual).text;
        const QString working = FindHelpTopic(HelpSubject::Working).text;
        const QString window = FindHelpTopic(HelpSubject::WaterData).text;
        const QString rows = NumberToText(MaxRows);
        QVERIFY(manual.contains(rows + QStringLiteral(" tronchi")));
        QVERIFY(working.contains(rows + QStringLiteral(" tronchi")));
        QVERIFY(window.contains(QStringLiteral("fino a ") + rows));
        QVERIFY(working.contains(QStringLiteral("B * Q^2/D^5 *L")));
        for (int k = 1; k <= WallTypeCount; ++k) {
            const QString wall = WallTypeNames()[static_cast<size_t>(k)] + QStringLiteral(" (") +
                                 NumberToText(WallTypeCoefficients[static_cast<size_t>(k)]) +
                                 QStringLiteral(")");
            QVERIFY2(working.contains(wall), qPrintable(wall));
        }
        for (double coefficient : WaterFittingCoefficients) {
            const QString stated =
                QStringLiteral(" ") + NumberToText(coefficient) + QStringLiteral(" m");
            QVERIFY2(working.contains(stated), qPrintable(stated));
        }
        // The worked example of the page, computed by the program.
        ApplicationState state;
        const char* values[] = {"100", "100", "10", "liscio", "0.002", "", "2"};
        for (int c = WaterColumn::lungh; c <= WaterColumn::c90; ++c)
            state.project.water.StoreWaterCell(1, c, QString::fromLatin1(values[c - 1]));
        const QString loss =
            NumberToText(state.project.water.at(1, WaterColumn::perd).numberValue());
        QVERIFY2(working.contains(QStringLiteral("perdita di ") + loss + QStringLiteral(" m")),
                 qPrintable(loss));
        // The comma ends a number: the pages give the same example as the
        // program reads it.
        const QString comma =
            QStringLiteral("12,5 vale ") + NumberToText(ReadNumber(QStringLiteral("12,5")));
        QVERIFY(manual.contains(comma));
        QVERIFY(window.contains(comma));
    }

    void otherTextsStateTheProgramsRules() {
        const QString archive = FindHelpTopic(HelpSubject::Archive).text;
        const QString gas = FindHelpTopic(HelpSubject::GasData).text;
        const QString print = FindHelpTopic(HelpSubject::Printing).text;
        const QString cover = FindHelpTopic(HelpSubject::Cover).text;
        // The data-file name the save dialog offers.
        const QString filter = ProjectFileCommands::SaveFilter();
        const QString prefix = filter.mid(filter.lastIndexOf(QLatin1Char(' ')) + 1).chopped(1);
        QCOMPARE(prefix, QStringLiteral("Tubarex-dati-"));
        QVERIFY(archive.contains(QLatin1Char('\'') + prefix));
        QVERIFY(archive.contains(QStringLiteral("freccia a destra")));
        QVERIFY(archive.contains(QStringLiteral("File...Elimina...")));
        // The inch series of the gas list, first and last sizes.
        QVERIFY(gas.contains(QStringLiteral("da ") + NominalDiameters()[1] + QStringLiteral(" a ") +
                             NominalDiameters().back()));
        QVERIFY(gas.contains(QStringLiteral("metano o GPL")));
        QVERIFY(gas.contains(NumberToText(MaxRows)));
        QVERIFY(print.contains(QStringLiteral("Tubarex-guida.docx")));
        QVERIFY(print.contains(QStringLiteral("File... Stampa...")));
        QVERIFY(cover.contains(QStringLiteral("Courier a 12 punti")));
        QVERIFY(cover.contains(QStringLiteral("'progetto'")));
    }

    void licenceIsTheProjectsMitLicence() {
        const QString licence = LicenceText();
        QVERIFY(licence.contains(QStringLiteral("licenza MIT")));
        QVERIFY(licence.contains(QStringLiteral("file LICENSE")));
        // The notice of the licence file, in its own words.
        QFile file(QStringLiteral(TUBAREX_SOURCE_DIR "/LICENSE"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString original = QString::fromUtf8(file.readAll());
        QVERIFY(original.startsWith(QStringLiteral("MIT License")));
        const qsizetype at = original.indexOf(QStringLiteral("Copyright (c) "));
        const QString year = original.mid(at + 14, 4);
        QVERIFY(licence.contains(QStringLiteral("Copyright (c) ") + year));
    }
};

TUBAREX_QT_TEST(HelpDocuments_Test)

#include "HelpDocumentsTest.moc"
