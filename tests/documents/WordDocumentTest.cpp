#include "documents/WordDocument.h"
#include "core/session/ApplicationState.h"
#include "documents/CoverSheet.h"
#include "documents/GasPrintout.h"
#include "documents/HelpDocuments.h"
#include "documents/HelpTexts.h"
#include "documents/TechnicalReport.h"
#include "documents/WaterPrintout.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

namespace {

// A report-like start: the standard set-up and a title.
WordDocument startedDocument() {
    WordDocument doc;
    doc.StandardSetup();
    doc.setFontSize(24);
    doc.TypeText(QStringLiteral("PERDITE DI CARICO NELLE TUBAZIONI\r\r"));
    doc.setFontSize(12);
    return doc;
}

// A table placed as the report places its tables: after a new empty
// paragraph at the end, sized, filled, formatted.
int addFilledTable(WordDocument& doc, int rows, int columns, double points,
                   const QString& text = QStringLiteral("12.34")) {
    doc.addParagraphAtEnd();
    const int t = doc.addTableAtEnd(rows, columns);
    doc.setTableFontSize(t, points);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            doc.setCellText(t, r, c, r == 1 ? QStringLiteral("colonna") : text);
    doc.autoFormat(t, 9);
    return t;
}

QString lineOf(int characters) {
    return QString(characters, QLatin1Char('x'));
}

} // namespace

TEST(WordDocumentModel, TypedTextSplitsIntoParagraphsOnCarriageReturns) {
    WordDocument doc;
    doc.TypeText(QStringLiteral("uno\rdue\r\ntre\r\rquattro"));
    const auto paragraphs = doc.paragraphs();
    ASSERT_EQ(paragraphs.size(), 5u);
    EXPECT_EQ(paragraphs[0]->text(), QStringLiteral("uno"));
    EXPECT_EQ(paragraphs[1]->text(), QStringLiteral("due")); // CR LF is one line end
    EXPECT_EQ(paragraphs[2]->text(), QStringLiteral("tre"));
    EXPECT_TRUE(paragraphs[3]->runs.empty());
    EXPECT_EQ(paragraphs[4]->text(), QStringLiteral("quattro"));
    for (const WordParagraph* p : paragraphs)
        EXPECT_FALSE(p->hasPageBreak());
}

TEST(WordDocumentModel, PageBreakStaysInsideTheParagraphBetweenItsTexts) {
    WordDocument doc;
    doc.TypeText(QStringLiteral("indirizzo\x0c"));
    doc.setFontSize(16);
    doc.TypeText(QStringLiteral("Criteri\r"));
    const auto paragraphs = doc.paragraphs();
    ASSERT_EQ(paragraphs.size(), 2u);
    const auto& runs = paragraphs[0]->runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, QStringLiteral("indirizzo"));
    EXPECT_TRUE(runs[1].pageBreak);
    EXPECT_EQ(runs[2].text, QStringLiteral("Criteri"));
    EXPECT_EQ(runs[2].fontSize, 16);
    EXPECT_EQ(paragraphs[0]->text(), QStringLiteral("indirizzoCriteri"));
}

TEST(WordDocumentModel, FontChosenInAnEmptyParagraphIsTheSizeOfItsLine) {
    WordDocument doc = startedDocument(); // title at 24, a blank line, then 12
    const auto paragraphs = doc.paragraphs();
    ASSERT_EQ(paragraphs.size(), 3u);
    EXPECT_EQ(paragraphs[0]->runs.at(0).fontName, QStringLiteral("Century Gothic"));
    EXPECT_EQ(paragraphs[0]->runs.at(0).fontSize, 24);
    EXPECT_EQ(paragraphs[1]->markSize, 24); // the blank line under the title
    EXPECT_EQ(paragraphs[2]->markSize, 12); // chosen before anything was typed there
    EXPECT_EQ(paragraphs[2]->markFont, QStringLiteral("Century Gothic"));

    // A font chosen after text was typed leaves that paragraph's mark alone.
    doc.TypeText(QStringLiteral("testo"));
    doc.setFontSize(8);
    EXPECT_EQ(doc.paragraphs().back()->markSize, 12);
}

TEST(WordDocumentModel, TablesGoAtTheEndAndTextFollowsThem) {
    WordDocument doc;
    doc.TypeText(QStringLiteral("prima\r"));
    doc.addParagraphAtEnd();
    const int t = doc.addTableAtEnd(3, 2);
    doc.setCellText(t, 3, 2, QStringLiteral("ultima"));
    doc.addParagraphAtEnd();
    doc.TypeText(QStringLiteral("dopo"));

    ASSERT_EQ(t, 1);
    EXPECT_EQ(doc.table(1).cell(3, 2).text, QStringLiteral("ultima"));
    const auto& blocks = doc.blocks();
    int tableAt = -1, afterAt = -1;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].isTable)
            tableAt = static_cast<int>(i);
        else if (blocks[i].paragraph.text() == QStringLiteral("dopo"))
            afterAt = static_cast<int>(i);
    }
    ASSERT_GE(tableAt, 1);
    EXPECT_EQ(blocks[0].paragraph.text(), QStringLiteral("prima"));
    EXPECT_GT(afterAt, tableAt);
}

TEST(WordDocumentModel, CellsOutsideTheTableAreLeftAlone) {
    WordDocument doc;
    const int t = doc.addTableAtEnd(2, 3);
    doc.setCellText(t, 1, 4, QStringLiteral("fuori")); // would be row 2, column 1
    doc.setCellText(t, 3, 1, QStringLiteral("fuori"));
    doc.setCellText(t, 0, 1, QStringLiteral("fuori"));
    doc.setCellText(2, 1, 1, QStringLiteral("fuori"));
    doc.setTableFontSize(0, 30);
    doc.autoFormat(5, 9);
    doc.selectColumn(3, 1);
    doc.setAlignment(WordAlignment::Right); // still at the insertion point
    for (const WordCell& cell : doc.table(t).cells) {
        EXPECT_TRUE(cell.text.isEmpty());
        EXPECT_EQ(cell.alignment, WordAlignment::Left);
    }
    EXPECT_EQ(doc.table(t).autoFormat, 0);
    EXPECT_EQ(doc.paragraphs().back()->alignment, WordAlignment::Right);

    // Sizes the word processor refuses change nothing either.
    doc.setTableFontSize(t, 0);
    doc.setTableFontSize(t, std::nan(""));
    doc.setFontSize(-3);
    doc.setFontSize(5000);
    EXPECT_EQ(doc.table(t).fontSize, 12);
    EXPECT_EQ(doc.fontSize(), 12);
}

TEST(WordDocumentModel, AlignmentActsOnTheSelection) {
    WordDocument doc;
    doc.TypeText(QStringLiteral("testo\r"));
    const int t = addFilledTable(doc, 4, 3, 10);
    doc.TypeText(QStringLiteral("chiusura"));

    doc.selectColumn(t, 2);
    doc.setAlignment(WordAlignment::Right);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(doc.table(t).cell(r, 1).alignment, WordAlignment::Left);
        EXPECT_EQ(doc.table(t).cell(r, 2).alignment, WordAlignment::Right);
        EXPECT_EQ(doc.table(t).cell(r, 3).alignment, WordAlignment::Left);
    }
    for (const WordParagraph* p : doc.paragraphs())
        EXPECT_EQ(p->alignment, WordAlignment::Left);

    // A column outside the table leaves the selection where it was.
    doc.selectColumn(t, 4);
    doc.setAlignment(WordAlignment::Center);
    EXPECT_EQ(doc.table(t).cell(1, 2).alignment, WordAlignment::Center);
    EXPECT_EQ(doc.table(t).cell(1, 3).alignment, WordAlignment::Left);

    doc.collapseSelection();
    doc.setAlignment(WordAlignment::Justify);
    EXPECT_EQ(doc.paragraphs().back()->alignment, WordAlignment::Justify);
    EXPECT_EQ(doc.paragraphs().front()->alignment, WordAlignment::Left);
}

TEST(WordPageCount, GrowsWithPageBreaks) {
    WordDocument doc;
    EXPECT_EQ(doc.pageCount(), 1);
    doc.TypeText(QStringLiteral("uno\x0c"));
    EXPECT_EQ(doc.pageCount(), 2); // a break at the end opens an empty page
    doc.TypeText(QStringLiteral("due\x0c"
                                "tre\x0c"
                                "quattro"));
    EXPECT_EQ(doc.pageCount(), 4);
    doc.TypeText(QStringLiteral("\r\x0c"));
    EXPECT_EQ(doc.pageCount(), 5);
}

TEST(WordPageCount, FillsAnA4PageWithAboutFiftyLinesOfTwelvePoints) {
    // 2 cm margins leave 25.7 cm, some fifty single-spaced 12-point lines.
    WordDocument doc;
    doc.setFontSize(12);
    for (int i = 1; i < 45; ++i)
        doc.TypeText(QStringLiteral("riga\r"));
    EXPECT_EQ(doc.pageCount(), 1);
    for (int i = 45; i < 60; ++i)
        doc.TypeText(QStringLiteral("riga\r"));
    EXPECT_EQ(doc.pageCount(), 2);

    // Larger type takes more room: the same lines at 24 points.
    WordDocument large;
    large.setFontSize(24);
    for (int i = 1; i < 60; ++i)
        large.TypeText(QStringLiteral("riga\r"));
    EXPECT_GE(large.pageCount(), 3);
}

// Paragraphs kept with the next one that would be split start a new page
// together, as the word processor moves them; at the top of a page, or too
// long for one page, they stay where they are.
TEST(WordPageCount, ParagraphsKeptTogetherMoveToTheNextPage) {
    int perPage = 1;
    for (WordDocument probe; probe.pageCount() == 1; ++perPage)
        probe.TypeText(QStringLiteral("riga\r"));
    --perPage; // the lines of 12 points that fill a page
    const auto pages = [&](int before, int kept, int after) {
        WordDocument doc;
        for (int i = 0; i < before; ++i)
            doc.TypeText(QStringLiteral("prima\r"));
        doc.setKeepWithNext(true);
        for (int i = 0; i < kept; ++i)
            doc.TypeText(QStringLiteral("firma\r"));
        doc.setKeepWithNext(false);
        doc.TypeText(QStringLiteral("ultima\r"));
        for (int i = 0; i < after; ++i)
            doc.TypeText(QStringLiteral("dopo\r"));
        return doc.pageCount();
    };
    // Split at the page end: the block moves, and what follows fills page 2
    // over its end.
    EXPECT_EQ(pages(perPage - 3, 4, perPage - 4), 3);
    // Fits before the page end: nothing moves.
    EXPECT_EQ(pages(perPage - 8, 4, perPage - 4), 2);
    // Longer than a page: it cannot be kept whole and flows on.
    EXPECT_EQ(pages(5, perPage + 1, 0), 2);
}

TEST(WordPageCount, LongParagraphsWrapIntoLines) {
    // Blank lines 12 points high fill two pages less a few lines; the same
    // count of paragraphs each several lines long fills many more.
    WordDocument shortOnes, longOnes;
    QString words;
    for (int i = 0; i < 60; ++i)
        words += QStringLiteral("parola ");
    for (int i = 0; i < 80; ++i) {
        shortOnes.TypeText(QStringLiteral("breve\r"));
        longOnes.TypeText(words + QStringLiteral("\r"));
    }
    EXPECT_EQ(shortOnes.pageCount(), 2);
    EXPECT_GE(longOnes.pageCount(), 3 * shortOnes.pageCount());

    // A word longer than the line is split, not lost.
    WordDocument oneWord;
    oneWord.TypeText(lineOf(50000));
    EXPECT_GE(oneWord.pageCount(), 8);
}

TEST(WordPageCount, LongTablesSpanManyPages) {
    WordDocument small = startedDocument();
    addFilledTable(small, 20, 15, 7);
    EXPECT_EQ(small.pageCount(), 1);

    WordDocument big = startedDocument();
    addFilledTable(big, 503, 15, 7);
    const int pages = big.pageCount();
    // 7-point rows, about eighty to the page.
    EXPECT_GE(pages, 5);
    EXPECT_LE(pages, 9);

    // Text that wraps in its cells makes higher rows.
    WordDocument wrapped = startedDocument();
    addFilledTable(wrapped, 503, 15, 7, QStringLiteral("testo lungo che va a capo più volte"));
    EXPECT_GE(wrapped.pageCount(), 2 * pages);

    // Tables and page breaks add up.
    big.TypeText(QStringLiteral("\x0c\x0c"));
    EXPECT_EQ(big.pageCount(), pages + 2);
}

TEST(WordPageCount, HeadingRowRepeatsOnEveryPageOfAFormattedTable) {
    WordDocument plain, formatted;
    for (WordDocument* doc : {&plain, &formatted}) {
        doc->addParagraphAtEnd();
        const int t = doc->addTableAtEnd(2000, 2);
        doc->setTableFontSize(t, 10);
        // A tall heading: many short words in narrow-ish columns.
        doc->setCellText(t, 1, 1, QString(QStringLiteral("ab ")).repeated(300));
        doc->setCellText(t, 2, 2, QString(QStringLiteral("ab ")).repeated(300));
        if (doc == &formatted)
            doc->autoFormat(t, 9);
    }
    EXPECT_GT(formatted.pageCount(), plain.pageCount());
}

TEST(WordTableColumns, FillTheTextWidthAndFitTheirTexts) {
    WordDocument doc;
    const int t = doc.addTableAtEnd(3, 4);
    doc.setTableFontSize(t, 10);
    doc.setCellText(t, 1, 1, QStringLiteral("n."));
    doc.setCellText(t, 1, 2, QStringLiteral("perdita di carico totale nel tronco"));
    doc.setCellText(t, 2, 3, QStringLiteral("diam."));
    const std::vector<int> widths = WordTableColumnWidths(doc.table(t));
    ASSERT_EQ(widths.size(), 4u);
    int sum = 0;
    for (int w : widths)
        sum += w;
    EXPECT_EQ(sum, WordPage::TextWidth);
    EXPECT_GT(widths[1], widths[0]);
    EXPECT_GT(widths[1], widths[2]);
    EXPECT_GT(widths[3], 0); // an empty column keeps some room
    // The long text fits on one line of its column, margins included.
    EXPECT_GE(widths[1],
              WordTextPoints(QStringLiteral("perdita di carico totale nel tronco"), 10) * 20 +
                  2 * WordPage::CellMargin);
}

TEST(WordTableColumns, FifteenNarrowColumnsAtSevenPointsKeepTheirWordsWhole) {
    const QStringList names = {
        QStringLiteral("tronco"), QStringLiteral("lungh."), QStringLiteral("l.virt."),
        QStringLiteral("fi"),     QStringLiteral("port."),  QStringLiteral("gas"),
        QStringLiteral("diam."),  QStringLiteral("visc."),  QStringLiteral("rey"),
        QStringLiteral("attr."),  QStringLiteral("vel."),   QStringLiteral("massa"),
        QStringLiteral("pcs"),    QStringLiteral("pci"),    QStringLiteral("perdita")};
    WordDocument doc;
    const int t = doc.addTableAtEnd(3, 15);
    doc.setTableFontSize(t, 7);
    doc.autoFormat(t, 9);
    for (int c = 1; c <= 15; ++c) {
        doc.setCellText(t, 1, c, names[c - 1]);
        doc.setCellText(t, 2, c, QStringLiteral("1234.5"));
    }
    const std::vector<int> widths = WordTableColumnWidths(doc.table(t));
    for (int c = 0; c < 15; ++c) {
        // Room for the heading and a number of six characters.
        const double text =
            std::max(WordTextPoints(names[c], 7), WordTextPoints(QStringLiteral("1234.5"), 7));
        EXPECT_GE(widths[static_cast<size_t>(c)], text * 20 + 2 * WordPage::CellMargin)
            << "column " << c + 1;
    }
    EXPECT_GT(widths[14], widths[3]); // "perdita" against "fi"

    // Overlong text wraps rather than pushing the table past the margin.
    doc.setCellText(t, 3, 1, QString(QStringLiteral("parola ")).repeated(100));
    int sum = 0;
    for (int w : WordTableColumnWidths(doc.table(t)))
        sum += w;
    EXPECT_EQ(sum, WordPage::TextWidth);
}

// Widest word of a text at a size, in twips, with the cell margins.
static int widestWordTwips(const QString& text, double points, bool bold = false) {
    double widest = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = std::max(widest, WordTextPoints(word, points, bold));
    return static_cast<int>(std::ceil(widest * 20)) + 2 * WordPage::CellMargin;
}

TEST(WordTableColumns, BlankFormsKeepTheirHeadsWholeAndLeaveRoomToWrite) {
    // A number written by hand needs about a centimetre.
    constexpr int HandwrittenNumber = 567;
    ApplicationState state;
    WordDocument water, gas;
    BuildWaterForm(water, state);
    BuildGasForm(gas, state);
    for (const WordDocument* form : {&water, &gas}) {
        const WordTableContent& table = form->table(form->tableCount());
        const std::vector<int> widths = WordTableColumnWidths(table);
        for (int c = 1; c <= table.columns; ++c) {
            const int width = widths[static_cast<size_t>(c - 1)];
            EXPECT_GE(width, HandwrittenNumber) << table.cell(1, c).text.toStdString();
            for (int r = 1; r <= 2; ++r)
                EXPECT_GE(width, widestWordTwips(table.cell(r, c).text, table.fontSize, r == 1))
                    << table.cell(r, c).text.toStdString();
        }
    }
}

TEST(WordTableColumns, ALongUnbrokenWordLeavesTheOtherColumnsTheirWords) {
    ApplicationState state;
    state.project.cover.committente = QStringLiteral("Società Immobiliare Corte Nuova S.r.l.");
    state.project.cover.allegati =
        QStringLiteral("https://archivio.studiotecnico-esempio.it/progetti/2026/corte-nuova/tavole/"
                       "schema-verticale-colonne-montanti.pdf");
    WordDocument sheet;
    BuildCoverSheet(sheet, state);
    const WordTableContent& table = sheet.table(1);
    const std::vector<int> widths = WordTableColumnWidths(table);
    for (int r = 2; r <= table.rows; ++r)
        EXPECT_GE(widths[0], widestWordTwips(table.cell(r, 1).text, table.fontSize))
            << table.cell(r, 1).text.toStdString();
    EXPECT_EQ(widths[0] + widths[1], WordPage::TextWidth);
}

TEST(WordDocumentProperties, EveryDocumentIsTitledAndSignedByTheOwner) {
    ApplicationState state;
    InitApplicationState(state);
    state.program.OwnerName = QStringLiteral("Studio Tecnico Rossi");
    std::vector<std::pair<WordDocument, QString>> documents;
    const auto built = [&](const std::function<void(WordDocument&)>& build, const char* title) {
        WordDocument doc;
        build(doc);
        documents.emplace_back(doc, QString::fromUtf8(title));
    };
    built([&](WordDocument& d) { BuildWaterDocument(d, state, 0, QLocale::c()); },
          "Tubarex: rete idrica, dati e risultati");
    built([&](WordDocument& d) { BuildWaterForm(d, state); },
          "Tubarex: rete idrica, modello di acquisizione dati");
    built([&](WordDocument& d) { BuildGasDocument(d, state, 0, QLocale::c()); },
          "Tubarex: rete gas, dati e risultati");
    built([&](WordDocument& d) { BuildGasForm(d, state); },
          "Tubarex: rete gas, modello di acquisizione dati");
    built([&](WordDocument& d) { BuildCoverSheet(d, state); },
          "Tubarex: dati generali del progetto");
    built([&](WordDocument& d) { BuildTechnicalReport(d, state, {}, QLocale::c()); },
          "Tubarex: relazione tecnica");
    built([&](WordDocument& d) { d = PrintHelpToWord(state, QStringLiteral("archivio"), {}); },
          "Tubarex: guida, archivio");
    built([&](WordDocument& d) { d = WholeHelpDocument(state, HelpTopics()); }, "Tubarex: guida");
    built([&](WordDocument& d) { d = LicenceDocument(state, LicenceText()); },
          "Tubarex: contratto di licenza");
    for (const auto& [doc, title] : documents) {
        EXPECT_EQ(doc.properties().title, title);
        EXPECT_EQ(doc.properties().author, state.program.OwnerName) << title.toStdString();
        EXPECT_LE(doc.properties().created.secsTo(QDateTime::currentDateTimeUtc()), 60)
            << title.toStdString();
    }
}

TEST(WordPageCount, AgreesWithTheWordProcessorOnAReportAndOnRunningText) {
    // Page counts read off these documents as the word processor laid them
    // out (A4, 2 cm margins, URW Gothic in place of "Century Gothic").
    const QString paragraph = QStringLiteral(
        "Il procedimento di calcolo, eseguito in modo automatico, appare quindi piuttosto "
        "semplice per la verifica della perdita di carico costante in una condotta in "
        "pressione, attraversata da acqua; il risultato finale è la perdita di carico "
        "complessiva, riferita alla temperatura di 10 gradi.\r");
    WordDocument text;
    text.StandardSetup();
    text.setFontSize(12);
    for (int i = 0; i < 40; ++i)
        text.TypeText(paragraph);
    text.setFontSize(16);
    text.TypeText(QStringLiteral("Titolo\x0c"));
    text.setFontSize(10);
    for (int i = 0; i < 30; ++i)
        text.TypeText(paragraph);
    EXPECT_EQ(text.pageCount(), 6);

    // A cover page, criteria, a 14-row legend and the gas table at 7 points:
    // 5 pages with 200 segments, 9 with 500.
    for (const auto& [segments, least, most] : {std::tuple{200, 5, 5}, std::tuple{500, 9, 9}}) {
        WordDocument doc = startedDocument();
        doc.TypeText(QStringLiteral("indirizzo\x0c"));
        for (int i = 0; i < 6; ++i)
            doc.TypeText(paragraph);
        addFilledTable(doc, 14, 2, 10, QStringLiteral("lunghezza del tronco"));
        doc.addParagraphAtEnd();
        addFilledTable(doc, segments + 3, 15, 7, QStringLiteral("182.34"));
        doc.addParagraphAtEnd();
        doc.TypeText(QStringLiteral("\r\rLa presente relazione è composta di n. 8 pagine.\r"));
        EXPECT_GE(doc.pageCount(), least) << segments << " segments";
        EXPECT_LE(doc.pageCount(), most) << segments << " segments";
    }
}
