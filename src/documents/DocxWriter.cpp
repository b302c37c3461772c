#include "documents/DocxWriter.h"

#include "core/file/SafeFile.h"
#include "documents/WordDocument.h"

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Fill of the heading row of a formatted table (the predefined format 9
// shades its heading row), and of the grid lines.
const char* const HeadingFill = "D9D9D9";

// Text as XML character data. Characters XML cannot hold (controls other
// than the tab, U+FFFE, U+FFFF and halves of a broken surrogate pair) are
// dropped; the model gives them no meaning.
QString escaped(const QString& text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u >= 0x20 && u != '&' && u != '<' && u != '>' && u != '"' && u < 0xD800;
    });
    if (plain)
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            continue;
        else if (u == '&')
            out += QLatin1String("&amp;");
        else if (u == '<')
            out += QLatin1String("&lt;");
        else if (u == '>')
            out += QLatin1String("&gt;");
        else if (u == '"')
            out += QLatin1String("&quot;");
        else if (u < 0x20 && u != '\t')
            continue; // not allowed in XML; the model has no other controls
        else
            out += c;
    }
    return out;
}

const char* jcValue(WordAlignment a) {
    switch (a) {
    case WordAlignment::Center:
        return "center";
    case WordAlignment::Right:
        return "right";
    case WordAlignment::Justify:
        return "both";
    case WordAlignment::Left:
        break;
    }
    return "left";
}

// Run properties in schema order: rFonts, b, sz, szCs.
QString runProperties(const QString& font, double points, bool bold) {
    const QString f = escaped(font);
    const int half = static_cast<int>(std::lround(points * 2));
    QString p =
        QStringLiteral("<w:rPr><w:rFonts w:ascii=\"%1\" w:hAnsi=\"%1\" w:cs=\"%1\"/>").arg(f);
    if (bold)
        p += QLatin1String("<w:b/><w:bCs/>");
    p += QStringLiteral("<w:sz w:val=\"%1\"/><w:szCs w:val=\"%1\"/></w:rPr>").arg(half);
    return p;
}

// Paragraph properties in schema order: keepNext, spacing, jc. A spacing of
// 12 points on text of 12 points is single spacing; "auto" keeps larger
// titles whole.
QString paragraphProperties(WordAlignment a, double lineSpacing, bool keepWithNext = false) {
    QString p = QStringLiteral("<w:pPr>");
    if (keepWithNext)
        p += QLatin1String("<w:keepNext/>");
    if (lineSpacing > 0)
        p += QLatin1String("<w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>");
    else
        p += QLatin1String("<w:spacing w:after=\"0\"/>");
    p += QStringLiteral("<w:jc w:val=\"%1\"/></w:pPr>").arg(QLatin1String(jcValue(a)));
    return p;
}

void appendTextRun(QString& out, const QString& text, const QString& rPr) {
    out += QLatin1String("<w:r>");
    out += rPr;
    // A tab is an element of its own inside a run.
    qsizetype from = 0;
    while (from <= text.size()) {
        qsizetype tab = text.indexOf(QLatin1Char('\t'), from);
        if (tab < 0)
            tab = text.size();
        if (tab > from) {
            out += QLatin1String("<w:t xml:space=\"preserve\">");
            out += escaped(text.mid(from, tab - from));
            out += QLatin1String("</w:t>");
        }
        if (tab < text.size())
            out += QLatin1String("<w:tab/>");
        from = tab + 1;
    }
    out += QLatin1String("</w:r>");
}

// `pages` is the stored result of the page-count fields.
QString paragraphXml(const WordParagraph& p, double lineSpacing, const QString& markFont,
                     double markSize, int pages) {
    QString out =
        QLatin1String("<w:p>") + paragraphProperties(p.alignment, lineSpacing, p.keepWithNext);
    for (const WordRun& run : p.runs) {
        const QString rPr = runProperties(run.fontName, run.fontSize, false);
        if (run.pageBreak) {
            out += QLatin1String("<w:r><w:br w:type=\"page\"/></w:r>");
        } else if (run.pageCountField) {
            out += QLatin1String("<w:fldSimple w:instr=\" NUMPAGES \">");
            appendTextRun(out, QString::number(pages), rPr);
            out += QLatin1String("</w:fldSimple>");
        } else {
            appendTextRun(out, run.text, rPr);
        }
    }
    if (p.runs.empty()) {
        // The mark of an empty paragraph sets the height of its line.
        out.replace(QLatin1String("</w:pPr>"),
                    runProperties(markFont, markSize, false) + QLatin1String("</w:pPr>"));
    }
    out += QLatin1String("</w:p>");
    return out;
}

// Table properties in schema order: tblW, tblBorders, tblLayout, tblCellMar,
// tblLook. Every table is drawn with a single 1/2-point grid; the columns
// have fixed widths, computed from their texts as the page count takes them.
// Appends the table to `out`: a large table is megabytes of markup, written
// once into the document's text rather than copied there.
void appendTableXml(QString& out, const WordTableContent& t, double lineSpacing) {
    const std::vector<int> widths = WordTableColumnWidths(t);
    out += QStringLiteral("<w:tbl><w:tblPr><w:tblW w:w=\"%1\" w:type=\"dxa\"/>"
                          "<w:tblBorders>")
               .arg(WordPage::TextWidth);
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        out +=
            QStringLiteral("<w:%1 w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>")
                .arg(QLatin1String(side));
    out += QStringLiteral("</w:tblBorders><w:tblLayout w:type=\"fixed\"/>"
                          "<w:tblCellMar><w:left w:w=\"%1\" w:type=\"dxa\"/>"
                          "<w:right w:w=\"%1\" w:type=\"dxa\"/></w:tblCellMar>"
                          "<w:tblLook w:val=\"04A0\" w:firstRow=\"1\" w:lastRow=\"0\" "
                          "w:firstColumn=\"1\" w:lastColumn=\"0\" w:noHBand=\"0\" "
                          "w:noVBand=\"1\"/></w:tblPr><w:tblGrid>")
               .arg(WordPage::CellMargin);
    for (int w : widths)
        out += QStringLiteral("<w:gridCol w:w=\"%1\"/>").arg(w);
    out += QLatin1String("</w:tblGrid>");
    const QString runs[2] = {runProperties(t.fontName, t.fontSize, false),
                             runProperties(t.fontName, t.fontSize, true)};
    // Paragraph properties of a cell for each alignment, body and heading,
    // loose and kept with the next row: the mark carries the table's font so
    // that empty cells are as high.
    QString cellPPr[2][2][4];
    for (int k = 0; k < 2; ++k)
        for (int h = 0; h < 2; ++h)
            for (int a = 0; a < 4; ++a) {
                QString& pPr = cellPPr[k][h][a];
                pPr = paragraphProperties(static_cast<WordAlignment>(a), lineSpacing, k == 1);
                pPr.replace(QLatin1String("</w:pPr>"), runs[h] + QLatin1String("</w:pPr>"));
            }
    std::vector<QString> cellStarts;
    for (int w : widths)
        cellStarts.push_back(
            QStringLiteral("<w:tc><w:tcPr><w:tcW w:w=\"%1\" w:type=\"dxa\"/>").arg(w));
    const QString headingShade =
        QStringLiteral("<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"%1\"/>")
            .arg(QLatin1String(HeadingFill));

    for (int r = 1; r <= t.rows; ++r) {
        // Format 9: a shaded heading row in bold. Head rows repeat on every
        // page; kept heads and the rows under them that go with them keep
        // their paragraphs with the next row. Rows are not split across
        // pages, as the page count lays them out.
        const int heading = t.autoFormat != 0 && r == 1 ? 1 : 0;
        const int kept = t.headsKept && r < t.leadRows() ? 1 : 0;
        out += t.isHeadRow(r) ? QLatin1String("<w:tr><w:trPr><w:cantSplit/><w:tblHeader/></w:trPr>")
                              : QLatin1String("<w:tr><w:trPr><w:cantSplit/></w:trPr>");
        for (int c = 1; c <= t.columns; ++c) {
            const WordCell& cell = t.cell(r, c);
            // tcPr in schema order: tcW, shd.
            out += cellStarts[static_cast<size_t>(c - 1)];
            if (heading)
                out += headingShade;
            out += QLatin1String("</w:tcPr>");
            const QString& pPr = cellPPr[kept][heading][static_cast<int>(cell.alignment) & 3];
            // A cell always ends with a paragraph, one per line of its text.
            const auto addParagraph = [&](const QString& line) {
                out += QLatin1String("<w:p>");
                out += pPr;
                if (!line.isEmpty())
                    appendTextRun(out, line, runs[heading]);
                out += QLatin1String("</w:p>");
            };
            if (cell.text.contains(QLatin1Char('\r')) || cell.text.contains(QLatin1Char('\n'))) {
                for (const QString& line : WordCellParagraphs(cell.text))
                    addParagraph(line);
            } else {
                addParagraph(cell.text);
            }
            out += QLatin1String("</w:tc>");
        }
        out += QLatin1String("</w:tr>");
    }
    out += QLatin1String("</w:tbl>");
}

const char* const ContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/word/settings.xml\" "
    "ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
    "<Override PartName=\"/docProps/app.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" "
    "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
    "</Types>";

const char* const PackageRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "extended-properties\" Target=\"docProps/app.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
    "core-properties\" Target=\"docProps/core.xml\"/>"
    "</Relationships>";

const char* const DocumentRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" "
    "Target=\"settings.xml\"/>"
    "</Relationships>";

// The current layout rules of the word processor (no compatibility mode),
// and tab stops every 1.25 cm.
const char* const Settings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:settings xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:defaultTabStop w:val=\"708\"/>"
    "<w:compat><w:compatSetting w:name=\"compatibilityMode\" "
    "w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/></w:compat>"
    "</w:settings>";

// Extended properties: the page count the document was laid out to.
QByteArray appProperties(int pages) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
               "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
               "extended-properties\">"
               "<Application>Tubarex</Application><Pages>%1</Pages></Properties>")
        .arg(pages)
        .toUtf8();
}

// Core properties: title, author and creation time (UTC, as the part's
// date type wants it); the document counts as last changed when made.
QByteArray coreProperties(const WordProperties& properties) {
    const QString when =
        properties.created.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<cp:coreProperties "
        "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">");
    if (!properties.title.isEmpty())
        xml += QStringLiteral("<dc:title>%1</dc:title>").arg(escaped(properties.title));
    if (!properties.author.isEmpty())
        xml += QStringLiteral("<dc:creator>%1</dc:creator>").arg(escaped(properties.author));
    if (properties.created.isValid())
        xml += QStringLiteral("<dcterms:created xsi:type=\"dcterms:W3CDTF\">%1</dcterms:created>"
                              "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">%1</dcterms:modified>")
                   .arg(when);
    xml += QLatin1String("</cp:coreProperties>");
    return xml.toUtf8();
}

const char* const Styles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:docDefaults><w:rPrDefault><w:rPr>"
    "<w:rFonts w:ascii=\"Century Gothic\" w:hAnsi=\"Century Gothic\" w:cs=\"Century Gothic\"/>"
    "<w:sz w:val=\"24\"/><w:szCs w:val=\"24\"/><w:lang w:val=\"it-IT\"/>"
    "</w:rPr></w:rPrDefault>"
    "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>"
    "</w:pPr></w:pPrDefault></w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
    "<w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
    "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\">"
    "<w:name w:val=\"Normal Table\"/><w:uiPriority w:val=\"99\"/><w:semiHidden/>"
    "<w:unhideWhenUsed/><w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/>"
    "<w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\" w:type=\"dxa\"/>"
    "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\" w:type=\"dxa\"/>"
    "</w:tblCellMar></w:tblPr></w:style>"
    "</w:styles>";

// `pages` is the document's page count, for the fields that show it.
QByteArray documentXml(const WordDocument& document, int pages) {
    const double spacing = document.lineSpacing();
    // The whole text in one buffer: about 450 characters of markup per
    // table cell.
    qsizetype cells = 0;
    for (const WordTableContent& t : document.tables())
        cells += static_cast<qsizetype>(t.rows) * t.columns;
    QString xml;
    xml.reserve(cells * 480 + static_cast<qsizetype>(document.blocks().size()) * 200 + 1000);
    xml += QLatin1String(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<w:body>");
    QString lastFont = document.fontName();
    double lastSize = document.fontSize();
    for (const WordBlock& block : document.blocks()) {
        if (block.isTable) {
            appendTableXml(xml, document.table(block.table), spacing);
            continue;
        }
        const WordParagraph& p = block.paragraph;
        if (p.markSize > 0) {
            lastFont = p.markFont;
            lastSize = p.markSize;
        }
        for (const WordRun& run : p.runs)
            if (!run.pageBreak) {
                lastFont = run.fontName;
                lastSize = run.fontSize;
            }
        xml += paragraphXml(p, spacing, p.markSize > 0 ? p.markFont : lastFont,
                            p.markSize > 0 ? p.markSize : lastSize, pages);
    }
    xml += QStringLiteral("<w:sectPr><w:pgSz w:w=\"%1\" w:h=\"%2\"/>"
                          "<w:pgMar w:top=\"%3\" w:right=\"%3\" w:bottom=\"%3\" w:left=\"%3\" "
                          "w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/></w:sectPr>")
               .arg(WordPage::Width)
               .arg(WordPage::Height)
               .arg(WordPage::Margin);
    xml += QLatin1String("</w:body></w:document>");
    return xml.toUtf8();
}

} // namespace

QByteArray DocxDocumentXml(const WordDocument& document) {
    // Laying the document out takes time: only for a document that shows
    // its page count.
    int pages = 0;
    for (const WordParagraph* p : document.paragraphs())
        for (const WordRun& run : p->runs)
            if (run.pageCountField && pages == 0)
                pages = document.pageCount();
    return documentXml(document, pages);
}

namespace {

// Owners of libzip's handles: each releases its handle however the package
// ends, unless the handle was passed on (a part's source to the archive, the
// archive to zip_close).
struct ZipError {
    zip_error_t error;
    ZipError() { zip_error_init(&error); }
    ~ZipError() { zip_error_fini(&error); }
    ZipError(const ZipError&) = delete;
    ZipError& operator=(const ZipError&) = delete;
};

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using OwnedSource = std::unique_ptr<zip_source_t, SourceFree>;

struct ArchiveDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using OwnedArchive = std::unique_ptr<zip_t, ArchiveDiscard>;

// The bytes of a memory source, read whole; empty when they cannot be.
QByteArray bytesOf(zip_source_t* memory) {
    if (zip_source_open(memory) != 0)
        return {};
    QByteArray bytes;
    zip_source_seek(memory, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(memory);
    zip_source_seek(memory, 0, SEEK_SET);
    if (size > 0) {
        bytes.resize(static_cast<qsizetype>(size));
        if (zip_source_read(memory, bytes.data(), static_cast<zip_uint64_t>(size)) != size)
            bytes.clear();
    }
    zip_source_close(memory);
    return bytes;
}

} // namespace

Result<QByteArray> DocxPackage(const WordDocument& document) {
    // The document is laid out once, for its page-count fields and for the
    // page count among its properties.
    const int pages = document.pageCount();
    const QByteArray body = documentXml(document, pages);
    struct Part {
        const char* name;
        QByteArray bytes;
    };
    // The bytes stay alive until the archive is closed: libzip reads them then.
    const std::vector<Part> parts = {
        {"[Content_Types].xml", QByteArray(ContentTypes)},
        {"_rels/.rels", QByteArray(PackageRels)},
        {"word/document.xml", body},
        {"word/_rels/document.xml.rels", QByteArray(DocumentRels)},
        {"word/styles.xml", QByteArray(Styles)},
        {"word/settings.xml", QByteArray(Settings)},
        {"docProps/app.xml", appProperties(pages)},
        {"docProps/core.xml", coreProperties(document.properties())},
    };
    const auto fail = [](const char* what) {
        return Result<QByteArray>::failure(QString::fromUtf8(what));
    };

    ZipError zerr;
    // Kept past the archive's close (zip_source_keep), which writes into it.
    const OwnedSource memory(zip_source_buffer_create(nullptr, 0, 0, &zerr.error));
    if (!memory)
        return fail("memoria insufficiente per il documento");
    zip_source_keep(memory.get());
    OwnedArchive archive(zip_open_from_source(memory.get(), ZIP_TRUNCATE, &zerr.error));
    if (!archive) {
        // The archive took no reference of its own.
        zip_source_free(memory.get());
        return fail("impossibile creare il documento");
    }
    for (const Part& part : parts) {
        OwnedSource source(zip_source_buffer(archive.get(), part.bytes.constData(),
                                             static_cast<zip_uint64_t>(part.bytes.size()), 0));
        const zip_int64_t index =
            source ? zip_file_add(archive.get(), part.name, source.get(), ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0)
            return fail("impossibile comporre il documento");
        // The archive owns the source from now on.
        static_cast<void>(source.release());
        zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                 1);
    }
    if (zip_close(archive.get()) != 0)
        return fail("impossibile comporre il documento");
    // Closed, the archive is freed.
    static_cast<void>(archive.release());
    QByteArray bytes = bytesOf(memory.get());
    if (bytes.isEmpty())
        return fail("impossibile comporre il documento");
    return bytes;
}

Result<> SaveDocx(const WordDocument& document, const QString& path) {
    const auto fail = [&](const QString& why) {
        return Result<>::failure(QStringLiteral("Impossibile salvare il documento %1: %2.%3")
                                     .arg(QuotedPath(path), why, PreviousFileKept(path)));
    };
    const Result<QByteArray> bytes = DocxPackage(document);
    if (!bytes)
        return fail(bytes.error());
    const Result<> replaced = ReplaceFile(path, bytes.value());
    if (!replaced)
        return fail(replaced.error());
    return {};
}
