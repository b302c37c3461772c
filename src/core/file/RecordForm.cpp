#include "core/file/RecordForm.h"

#include "core/file/SafeFile.h"
#include "core/file/Windows1252.h"
#include "core/model/NumberText.h"

#include <cmath>

void SplitRecordValues(QStringView line, QList<QStringView>& values) {
    values.clear();
    bool inQuotes = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"') {
            inQuotes = !inQuotes;
        } else if (c == u',' && !inQuotes) {
            values.append(line.sliced(start, i - start));
            start = i + 1;
        }
    }
    values.append(line.sliced(start));
}

QList<QStringView> SplitRecordLines(QStringView text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

Result<Cell> ReadRecordValue(QStringView raw) {
    const QStringView v = raw.trimmed();
    if (v.isEmpty())
        return Cell();
    if (v.startsWith(u'"')) {
        const QStringView inner = v.size() >= 2 ? v.sliced(1, v.size() - 2) : QStringView();
        if (v.size() < 2 || !v.endsWith(u'"') || inner.contains(u'"'))
            return Result<Cell>::failure(
                QStringLiteral("testo tra virgolette non valido %1.").arg(QuotedExcerpt(raw)));
        return Cell::text(inner.toString());
    }
    double number = 0.0;
    if (!IsPlainNumberToken(v, &number) || !std::isfinite(number))
        return Result<Cell>::failure(
            QStringLiteral("%1 non è un numero e non è un testo tra virgolette.")
                .arg(QuotedExcerpt(raw)));
    return Cell::number(number);
}

bool AppendRecordCell(QByteArray& out, const Cell& cell) {
    if (cell.isNumber()) {
        out.append(NumberToFileText(cell.numberValue()).toLatin1());
    } else if (cell.isText()) {
        const QString& t = cell.textValue();
        if (t.contains(u'"') || t.contains(u'\r') || t.contains(u'\n'))
            return false;
        out.append('"');
        if (!Windows1252::append(out, t))
            return false;
        out.append('"');
    }
    return true;
}
