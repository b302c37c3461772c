#include "documents/DocxWriter.h"
#include "DocxReadBack.h"
#include "UnwritableFolder.h"
#include "documents/WordDocument.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

const QString Body = QStringLiteral("w:body");

std::vector<ZipEntry> package(const WordDocument& doc) {
    const Result<QByteArray> bytes = DocxPackage(doc);
    EXPECT_TRUE(bytes) << bytes.error().toStdString();
    return UnzipEntries(bytes ? bytes.value() : QByteArray());
}

// The body of the document part, checked to be well-formed.
XmlNode body(const WordDocument& doc) {
    QString error;
    const XmlNode root = ParseXml(DocxDocumentXml(doc), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    const XmlNode* document = root.child(QStringLiteral("w:document"));
    const XmlNode* b = document ? document->child(Body) : nullptr;
    EXPECT_NE(b, nullptr);
    return b ? *b : XmlNode();
}

// The text of a paragraph as typed: its w:t texts, tabs as tab characters.
QString paragraphText(const XmlNode& p) {
    QString text;
    for (const XmlNode* r : p.all(QStringLiteral("w:r")))
        for (const XmlNode& piece : r->children) {
            if (piece.name == QStringLiteral("w:t"))
                text += piece.text;
            else if (piece.name == QStringLiteral("w:tab"))
                text += QLatin1Char('\t');
        }
    return text;
}

QString alignmentOf(const XmlNode& p) {
    const XmlNode* pPr = p.child(QStringLiteral("w:pPr"));
    const XmlNode* jc = pPr ? pPr->child(QStringLiteral("w:jc")) : nullptr;
    return jc ? jc->attr(QStringLiteral("w:val")) : QString();
}

int pageBreaksIn(const XmlNode& p) {
    int n = 0;
    for (const XmlNode* br : p.descendants(QStringLiteral("w:br")))
        n += br->attr(QStringLiteral("w:type")) == QStringLiteral("page");
    return n;
}

// Texts of the cells of a table, row by row.
std::vector<std::vector<QString>> cellTexts(const XmlNode& tbl) {
    std::vector<std::vector<QString>> rows;
    for (const XmlNode* tr : tbl.all(QStringLiteral("w:tr"))) {
        rows.emplace_back();
        for (const XmlNode* tc : tr->all(QStringLiteral("w:tc"))) {
            QStringList lines;
            for (const XmlNode* p : tc->all(QStringLiteral("w:p")))
                lines << paragraphText(*p);
            rows.back().push_back(lines.join(QLatin1Char('\r')));
        }
    }
    return rows;
}

// The water legend and a data table, as the report builds them.
WordDocument reportLike() {
    WordDocument doc;
    doc.StandardSetup();
    doc.setFontSize(24);
    doc.TypeText(QStringLiteral("PERDITE DI CARICO NELLE TUBAZIONI\r\r"));
    doc.setFontSize(14);
    doc.TypeText(QStringLiteral("progetto: Palazzina\rindirizzo\x0c"));
    doc.setFontSize(16);
    doc.TypeText(QStringLiteral("Criteri di calcolo (tubi per acqua)\r\r"));
    doc.setFontSize(12);
    doc.setKeepWithNext(true);
    doc.TypeText(QStringLiteral("Si riportano i dati.\r"));
    doc.setKeepWithNext(false);

    doc.addParagraphAtEnd();
    const int legend = doc.addTableAtEnd(3, 2);
    doc.setTableFontSize(legend, 10);
    doc.setCellText(legend, 1, 1, QStringLiteral("colonna"));
    doc.setCellText(legend, 1, 2, QStringLiteral("significato"));
    doc.setCellText(legend, 2, 1, QStringLiteral("tronco"));
    doc.setCellText(legend, 2, 2, QStringLiteral("numero del tronco"));
    doc.setCellText(legend, 3, 1, QStringLiteral("c.45"));
    doc.setCellText(legend, 3, 2, QStringLiteral("curve a 45°"));
    doc.autoFormat(legend, 9);
    doc.addParagraphAtEnd();

    doc.addParagraphAtEnd();
    const int data = doc.addTableAtEnd(4, 3);
    doc.setTableFontSize(data, 7);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 3; ++c)
            doc.setCellText(data, r, c, QStringLiteral("%1.%2").arg(r).arg(c));
    doc.autoFormat(data, 9);
    doc.addParagraphAtEnd();
    doc.setFontSize(12);
    doc.TypeText(QStringLiteral("\r\rLa presente relazione è composta di n. 2 pagine.\r"));
    return doc;
}

} // namespace

TEST(DocxPackage, HoldsEveryPartWithTheContentTypesFirst) {
    const WordDocument doc = reportLike();
    const std::vector<ZipEntry> entries = package(doc);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front().name, "[Content_Types].xml");

    std::map<std::string, QByteArray> parts;
    for (const ZipEntry& e : entries)
        parts[e.name] = e.bytes;
    for (const char* name : {"_rels/.rels", "word/document.xml", "word/_rels/document.xml.rels",
                             "word/styles.xml", "word/settings.xml", "docProps/app.xml"}) {
        ASSERT_TRUE(parts.count(name)) << name;
        QString error;
        ParseXml(parts[name], &error);
        EXPECT_TRUE(error.isEmpty()) << name << ": " << error.toStdString();
    }
    EXPECT_EQ(parts["word/document.xml"], DocxDocumentXml(doc));

    // Every part but the relationships has its content type.
    const XmlNode types = ParseXml(parts["[Content_Types].xml"]);
    QStringList overridden;
    for (const XmlNode* o : types.child(QStringLiteral("Types"))->all(QStringLiteral("Override")))
        overridden << o->attr(QStringLiteral("PartName"));
    for (const char* part :
         {"/word/document.xml", "/word/styles.xml", "/word/settings.xml", "/docProps/app.xml"})
        EXPECT_TRUE(overridden.contains(QLatin1String(part))) << part;

    // The page count the document was laid out to.
    const XmlNode app = ParseXml(parts["docProps/app.xml"]);
    const XmlNode* pages = app.child(QStringLiteral("Properties"))->child(QStringLiteral("Pages"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->text.toInt(), doc.pageCount());
    EXPECT_EQ(doc.pageCount(), 2);
}

TEST(DocxPackage, CorePropertiesCarryTitleAuthorAndCreation) {
    WordDocument doc = reportLike();
    doc.setProperties(QStringLiteral("Tubarex: rete idrica, dati e risultati"),
                      QStringLiteral("Studio <Rossi> & Figli"));
    doc.setCreated(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 5), Qt::UTC));
    const std::vector<ZipEntry> entries = package(doc);
    const QByteArray core = EntryBytes(entries, "docProps/core.xml");
    QString error;
    const XmlNode root = ParseXml(core, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const XmlNode* props = root.child(QStringLiteral("cp:coreProperties"));
    ASSERT_NE(props, nullptr);
    const auto text = [&](const char* name) {
        const XmlNode* n = props->child(QLatin1String(name));
        return n ? n->text : QStringLiteral("(assente)");
    };
    EXPECT_EQ(text("dc:title"), QStringLiteral("Tubarex: rete idrica, dati e risultati"));
    EXPECT_EQ(text("dc:creator"), QStringLiteral("Studio <Rossi> & Figli"));
    EXPECT_EQ(text("dcterms:created"), QStringLiteral("2026-12-07T09:30:05Z"));
    EXPECT_EQ(props->child(QStringLiteral("dcterms:created"))->attr(QStringLiteral("xsi:type")),
              QStringLiteral("dcterms:W3CDTF"));

    // The package names the part and its type.
    const XmlNode rels = ParseXml(EntryBytes(entries, "_rels/.rels"));
    bool related = false;
    for (const XmlNode* r :
         rels.child(QStringLiteral("Relationships"))->all(QStringLiteral("Relationship")))
        related |=
            r->attr(QStringLiteral("Target")) == QStringLiteral("docProps/core.xml") &&
            r->attr(QStringLiteral("Type")).endsWith(QStringLiteral("/metadata/core-properties"));
    EXPECT_TRUE(related);
    const XmlNode types = ParseXml(EntryBytes(entries, "[Content_Types].xml"));
    bool typed = false;
    for (const XmlNode* o : types.child(QStringLiteral("Types"))->all(QStringLiteral("Override")))
        typed |= o->attr(QStringLiteral("PartName")) == QStringLiteral("/docProps/core.xml");
    EXPECT_TRUE(typed);

    // No owner configured: no author rather than an empty one.
    doc.setProperties(QStringLiteral("Tubarex"), QString());
    const XmlNode bare = ParseXml(EntryBytes(package(doc), "docProps/core.xml"));
    EXPECT_EQ(bare.child(QStringLiteral("cp:coreProperties"))->child(QStringLiteral("dc:creator")),
              nullptr);
}

TEST(DocxPackage, BodyHoldsTheParagraphsTablesAndOnePageBreak) {
    const XmlNode b = body(reportLike());
    std::vector<QString> order; // "p" or "tbl"
    std::vector<const XmlNode*> paragraphs, tables;
    for (const XmlNode& child : b.children) {
        if (child.name == QStringLiteral("w:p"))
            paragraphs.push_back(&child);
        else if (child.name == QStringLiteral("w:tbl"))
            tables.push_back(&child);
    }
    ASSERT_FALSE(b.children.empty());
    EXPECT_EQ(b.children.back().name, QStringLiteral("w:sectPr"));
    ASSERT_EQ(tables.size(), 2u);

    // Paragraphs split at each CR, the break between the address and the
    // heading that follows it on the next page.
    ASSERT_GE(paragraphs.size(), 6u);
    EXPECT_EQ(paragraphText(*paragraphs[0]), QStringLiteral("PERDITE DI CARICO NELLE TUBAZIONI"));
    EXPECT_EQ(paragraphText(*paragraphs[1]), QString());
    EXPECT_EQ(paragraphText(*paragraphs[2]), QStringLiteral("progetto: Palazzina"));
    EXPECT_EQ(paragraphText(*paragraphs[3]),
              QStringLiteral("indirizzoCriteri di calcolo (tubi per acqua)"));
    int breaks = 0;
    for (const XmlNode* p : b.descendants(QStringLiteral("w:p")))
        breaks += pageBreaksIn(*p);
    EXPECT_EQ(breaks, 1);
    ASSERT_EQ(pageBreaksIn(*paragraphs[3]), 1);
    const auto runs = paragraphs[3]->all(QStringLiteral("w:r"));
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_NE(runs[1]->child(QStringLiteral("w:br")), nullptr);

    // Tables: rows, columns, texts, widths.
    const auto legend = cellTexts(*tables[0]);
    ASSERT_EQ(legend.size(), 3u);
    for (const auto& row : legend)
        EXPECT_EQ(row.size(), 2u);
    EXPECT_EQ(legend[0][1], QStringLiteral("significato"));
    EXPECT_EQ(legend[2][1], QStringLiteral("curve a 45°"));
    const auto data = cellTexts(*tables[1]);
    ASSERT_EQ(data.size(), 4u);
    ASSERT_EQ(data[3].size(), 3u);
    EXPECT_EQ(data[3][2], QStringLiteral("4.3"));
    EXPECT_EQ(data[1][0], QStringLiteral("2.1"));

    for (const XmlNode* tbl : tables) {
        const auto gridCols =
            tbl->child(QStringLiteral("w:tblGrid"))->all(QStringLiteral("w:gridCol"));
        int sum = 0;
        for (const XmlNode* g : gridCols)
            sum += g->attr(QStringLiteral("w:w")).toInt();
        EXPECT_EQ(sum, WordPage::TextWidth);
        for (const XmlNode* tr : tbl->all(QStringLiteral("w:tr"))) {
            const auto cells = tr->all(QStringLiteral("w:tc"));
            ASSERT_EQ(cells.size(), gridCols.size());
            for (size_t c = 0; c < cells.size(); ++c) {
                EXPECT_EQ(cells[c]
                              ->child(QStringLiteral("w:tcPr"))
                              ->child(QStringLiteral("w:tcW"))
                              ->attr(QStringLiteral("w:w")),
                          gridCols[c]->attr(QStringLiteral("w:w")));
                ASSERT_FALSE(cells[c]->children.empty());
                EXPECT_EQ(cells[c]->children.back().name, QStringLiteral("w:p"));
            }
        }
    }

    // A4, whatever the paper the document asked for.
    const XmlNode* pgSz = b.children.back().child(QStringLiteral("w:pgSz"));
    ASSERT_NE(pgSz, nullptr);
    EXPECT_EQ(pgSz->attr(QStringLiteral("w:w")), QStringLiteral("11906"));
    EXPECT_EQ(pgSz->attr(QStringLiteral("w:h")), QStringLiteral("16838"));
}

TEST(DocxPackage, RunsCarryTheirFontAndHalfPointSize) {
    const XmlNode b = body(reportLike());
    std::vector<std::pair<QString, int>> seen; // text, half-points
    for (const XmlNode* r : b.descendants(QStringLiteral("w:r"))) {
        const XmlNode* rPr = r->child(QStringLiteral("w:rPr"));
        const XmlNode* t = r->child(QStringLiteral("w:t"));
        if (!t)
            continue;
        ASSERT_NE(rPr, nullptr);
        EXPECT_EQ(rPr->child(QStringLiteral("w:rFonts"))->attr(QStringLiteral("w:ascii")),
                  QStringLiteral("Century Gothic"));
        const int half = rPr->child(QStringLiteral("w:sz"))->attr(QStringLiteral("w:val")).toInt();
        EXPECT_EQ(rPr->child(QStringLiteral("w:szCs"))->attr(QStringLiteral("w:val")).toInt(),
                  half);
        seen.emplace_back(t->text, half);
    }
    const auto sizeOf = [&](const QString& text) {
        for (const auto& [t, half] : seen)
            if (t == text)
                return half;
        return -1;
    };
    EXPECT_EQ(sizeOf(QStringLiteral("PERDITE DI CARICO NELLE TUBAZIONI")), 48);
    EXPECT_EQ(sizeOf(QStringLiteral("progetto: Palazzina")), 28);
    EXPECT_EQ(sizeOf(QStringLiteral("Criteri di calcolo (tubi per acqua)")), 32);
    EXPECT_EQ(sizeOf(QStringLiteral("numero del tronco")), 20);
    EXPECT_EQ(sizeOf(QStringLiteral("4.3")), 14);

    // The blank line under the title is as high as the title.
    const XmlNode* blank = b.all(QStringLiteral("w:p"))[1];
    EXPECT_EQ(blank->child(QStringLiteral("w:pPr"))
                  ->child(QStringLiteral("w:rPr"))
                  ->child(QStringLiteral("w:sz"))
                  ->attr(QStringLiteral("w:val")),
              QStringLiteral("48"));
}

TEST(DocxPackage, FormattedTableHasABoldShadedRepeatedHeading) {
    const XmlNode b = body(reportLike());
    const XmlNode* tbl = b.child(QStringLiteral("w:tbl"));
    ASSERT_NE(tbl, nullptr);
    const auto rows = tbl->all(QStringLiteral("w:tr"));
    const auto isBold = [](const XmlNode* tc) {
        for (const XmlNode* r : tc->descendants(QStringLiteral("w:r")))
            if (!r->child(QStringLiteral("w:rPr"))->child(QStringLiteral("w:b")))
                return false;
        return true;
    };
    const auto fill = [](const XmlNode* tc) {
        const XmlNode* shd = tc->child(QStringLiteral("w:tcPr"))->child(QStringLiteral("w:shd"));
        return shd ? shd->attr(QStringLiteral("w:fill")) : QString();
    };
    ASSERT_NE(rows[0]->child(QStringLiteral("w:trPr")), nullptr);
    EXPECT_NE(rows[0]->child(QStringLiteral("w:trPr"))->child(QStringLiteral("w:tblHeader")),
              nullptr);
    for (const XmlNode* tc : rows[0]->all(QStringLiteral("w:tc"))) {
        EXPECT_TRUE(isBold(tc));
        EXPECT_FALSE(fill(tc).isEmpty());
    }
    EXPECT_EQ(rows[1]->child(QStringLiteral("w:trPr"))->child(QStringLiteral("w:tblHeader")),
              nullptr);
    for (const XmlNode* tr : rows)
        EXPECT_NE(tr->child(QStringLiteral("w:trPr"))->child(QStringLiteral("w:cantSplit")),
                  nullptr);
    for (const XmlNode* tc : rows[1]->all(QStringLiteral("w:tc"))) {
        EXPECT_FALSE(isBold(tc));
        EXPECT_TRUE(fill(tc).isEmpty());
    }
    // The grid: all six border lines drawn.
    const XmlNode* borders =
        tbl->child(QStringLiteral("w:tblPr"))->child(QStringLiteral("w:tblBorders"));
    ASSERT_NE(borders, nullptr);
    EXPECT_EQ(borders->children.size(), 6u);
    for (const XmlNode& side : borders->children)
        EXPECT_EQ(side.attr(QStringLiteral("w:val")), QStringLiteral("single"));
}

TEST(DocxPackage, PropertiesFollowTheSchemaOrder) {
    // Word refuses a document whose property children are out of order.
    const std::map<QString, QStringList> orders = {
        {QStringLiteral("w:rPr"),
         {QStringLiteral("w:rFonts"), QStringLiteral("w:b"), QStringLiteral("w:bCs"),
          QStringLiteral("w:sz"), QStringLiteral("w:szCs"), QStringLiteral("w:lang")}},
        {QStringLiteral("w:pPr"),
         {QStringLiteral("w:keepNext"), QStringLiteral("w:spacing"), QStringLiteral("w:ind"),
          QStringLiteral("w:jc"), QStringLiteral("w:rPr")}},
        {QStringLiteral("w:tblPr"),
         {QStringLiteral("w:tblStyle"), QStringLiteral("w:tblW"), QStringLiteral("w:jc"),
          QStringLiteral("w:tblInd"), QStringLiteral("w:tblBorders"), QStringLiteral("w:shd"),
          QStringLiteral("w:tblLayout"), QStringLiteral("w:tblCellMar"),
          QStringLiteral("w:tblLook")}},
        {QStringLiteral("w:tcPr"),
         {QStringLiteral("w:tcW"), QStringLiteral("w:gridSpan"), QStringLiteral("w:vMerge"),
          QStringLiteral("w:tcBorders"), QStringLiteral("w:shd"), QStringLiteral("w:vAlign")}},
        {QStringLiteral("w:tblBorders"),
         {QStringLiteral("w:top"), QStringLiteral("w:left"), QStringLiteral("w:bottom"),
          QStringLiteral("w:right"), QStringLiteral("w:insideH"), QStringLiteral("w:insideV")}},
        {QStringLiteral("w:tbl"),
         {QStringLiteral("w:tblPr"), QStringLiteral("w:tblGrid"), QStringLiteral("w:tr")}},
        {QStringLiteral("w:tr"), {QStringLiteral("w:trPr"), QStringLiteral("w:tc")}},
        {QStringLiteral("w:trPr"), {QStringLiteral("w:cantSplit"), QStringLiteral("w:tblHeader")}},
        {QStringLiteral("w:tc"), {QStringLiteral("w:tcPr"), QStringLiteral("w:p")}},
        {QStringLiteral("w:p"), {QStringLiteral("w:pPr"), QStringLiteral("w:r")}},
        {QStringLiteral("w:r"),
         {QStringLiteral("w:rPr"), QStringLiteral("w:br"), QStringLiteral("w:t"),
          QStringLiteral("w:tab")}},
        {QStringLiteral("w:sectPr"), {QStringLiteral("w:pgSz"), QStringLiteral("w:pgMar")}},
    };
    WordDocument doc = reportLike();
    doc.TypeText(QStringLiteral("a\tb"));
    const XmlNode root = ParseXml(DocxDocumentXml(doc));
    const XmlNode styles = ParseXml(EntryBytes(package(doc), "word/styles.xml"));
    int checked = 0;
    for (const XmlNode* tree : {&root, &styles})
        for (const auto& [parent, order] : orders)
            for (const XmlNode* node : tree->descendants(parent)) {
                qsizetype last = 0;
                for (const XmlNode& c : node->children) {
                    qsizetype at = order.indexOf(c.name);
                    ASSERT_GE(at, 0) << c.name.toStdString() << " in " << parent.toStdString();
                    // A run's content (breaks, texts, tabs) may come in any order.
                    if (parent == QStringLiteral("w:r"))
                        at = std::min<qsizetype>(at, 1);
                    EXPECT_GE(at, last) << c.name.toStdString() << " in " << parent.toStdString();
                    last = at;
                }
                ++checked;
            }
    EXPECT_GT(checked, 100);
}

TEST(DocxPackage, AlignmentReachesTheSelectedColumnOnly) {
    WordDocument doc = reportLike();
    doc.selectColumn(2, 2);
    doc.setAlignment(WordAlignment::Right);
    const XmlNode b = body(doc);
    const auto tables = b.all(QStringLiteral("w:tbl"));
    ASSERT_EQ(tables.size(), 2u);
    for (const XmlNode* tr : tables[1]->all(QStringLiteral("w:tr"))) {
        const auto cells = tr->all(QStringLiteral("w:tc"));
        EXPECT_EQ(alignmentOf(*cells[0]->child(QStringLiteral("w:p"))), QStringLiteral("left"));
        EXPECT_EQ(alignmentOf(*cells[1]->child(QStringLiteral("w:p"))), QStringLiteral("right"));
        EXPECT_EQ(alignmentOf(*cells[2]->child(QStringLiteral("w:p"))), QStringLiteral("left"));
    }
    for (const XmlNode* p : tables[0]->descendants(QStringLiteral("w:p")))
        EXPECT_EQ(alignmentOf(*p), QStringLiteral("left"));
    for (const XmlNode* p : b.all(QStringLiteral("w:p")))
        EXPECT_EQ(alignmentOf(*p), QStringLiteral("left"));

    doc.selectAll();
    doc.setAlignment(WordAlignment::Justify);
    const XmlNode justified = body(doc);
    int paragraphs = 0;
    for (const XmlNode* p : justified.descendants(QStringLiteral("w:p"))) {
        EXPECT_EQ(alignmentOf(*p), QStringLiteral("both"));
        ++paragraphs;
    }
    EXPECT_GT(paragraphs, 20);
}

TEST(DocxPackage, TextIsEscapedAndControlCharactersDropped) {
    WordDocument doc;
    doc.setFontName(QStringLiteral("A&B <font>"));
    doc.TypeText(QStringLiteral("a & b < c > d \"e\" 'f'\x01\x0b\x1f\tg") + QChar(0xFFFF) +
                 QChar(0xD800) + QStringLiteral("h \U0001F600"));
    doc.addParagraphAtEnd();
    const int t = doc.addTableAtEnd(1, 2);
    doc.setCellText(t, 1, 1, QStringLiteral("<x&y>\x07"));
    doc.setCellText(t, 1, 2, QStringLiteral("prima\rseconda"));

    const XmlNode b = body(doc); // well-formed, or body() fails
    const XmlNode* p = b.child(QStringLiteral("w:p"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(paragraphText(*p), QStringLiteral("a & b < c > d \"e\" 'f'\tgh \U0001F600"));
    EXPECT_EQ(p->child(QStringLiteral("w:r"))
                  ->child(QStringLiteral("w:rPr"))
                  ->child(QStringLiteral("w:rFonts"))
                  ->attr(QStringLiteral("w:ascii")),
              QStringLiteral("A&B <font>"));
    const auto cells = cellTexts(*b.child(QStringLiteral("w:tbl")));
    EXPECT_EQ(cells[0][0], QStringLiteral("<x&y>"));
    // A line end in a cell's text starts a paragraph of the cell.
    EXPECT_EQ(cells[0][1], QStringLiteral("prima\rseconda"));
}

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(SaveDocx, ReplacesAnExistingFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("relazione.docx"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("vecchio contenuto");
    }
    const Result<> saved = SaveDocx(reportLike(), path);
    ASSERT_TRUE(saved) << saved.error().toStdString();
    const auto entries = UnzipEntries(readAll(path));
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(EntryBytes(entries, "word/document.xml"), DocxDocumentXml(reportLike()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left
}

TEST(SaveDocx, FailureKeepsTheOldFileAndNamesIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("protetta"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("relazione.docx"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("vecchio contenuto");
    }
    QString error;
    {
        UnwritableFolder locked(folder);
        const Result<> saved = SaveDocx(reportLike(), path);
        EXPECT_FALSE(saved);
        error = saved.error();
    }
    EXPECT_EQ(readAll(path), QByteArray("vecchio contenuto"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Impossibile salvare il documento «")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("non è stato modificato")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1); // no temporary left

    // A folder that does not exist.
    const QString nowhere = dir.filePath(QStringLiteral("manca/relazione.docx"));
    error = SaveDocx(reportLike(), nowhere).error();
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(nowhere))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(nowhere));
}
