#include "core/editing/BlockPaste.h"

#include "core/file/Windows1252.h"
#include "core/model/NumberText.h"
#include "core/model/RowGuide.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace {

// A refusal of the whole block: the segment and the place, what is wrong,
// and that nothing was pasted.
Notice refused(int row, const QString& place, const QString& reason) {
    Notice notice;
    notice.text = QStringLiteral("Tronco n.") + RowNumberText(row) + place +
                  QStringLiteral(":\r- ") + reason +
                  QStringLiteral(";\r- il blocco non è stato incollato.");
    notice.icon = NoticeIcon::Critical;
    notice.row = row;
    return notice;
}

QString inColumn(const QString& head) {
    return QStringLiteral(", colonna '") + head + QStringLiteral("'");
}

const QString BlankRows =
    QStringLiteral("non è possibile incollare dati lasciando righe in bianco");

// What a paste does to the lengths, followed before anything is typed: the
// lengths it writes, over the table's own.
class LengthPlan {
public:
    explicit LengthPlan(const PasteTarget& target)
        : m_target(target)
        , m_count(target.count) {}

    bool isEmpty(int row) const {
        const auto it = m_written.constFind(row);
        return it != m_written.cend() ? it->isEmpty()
                                      : m_target.cellAt(row, m_target.lengthColumn).isEmpty();
    }
    double value(int row) const {
        const auto it = m_written.constFind(row);
        return it != m_written.cend() ? ReadNumber(*it)
                                      : m_target.cellAt(row, m_target.lengthColumn).value();
    }
    // As the typing rule has it: a value on a row after the first free one.
    bool leavesBlankRowBefore(int row) const {
        return row > 1 && isEmpty(row - 1) && row > m_count;
    }
    void write(int row, const QString& text) {
        m_count += (ReadNumber(text) > 0 ? 1 : 0) - (value(row) > 0 ? 1 : 0);
        m_written.insert(row, text);
    }
    // The first row whose length the paste empties while a later row keeps
    // one; 0 when none.
    int emptiedBeforeKeptLength() const {
        int last = 0;
        for (int r = MaxRows; r >= 1 && last == 0; --r) {
            if (!isEmpty(r))
                last = r;
        }
        int first = 0;
        for (auto it = m_written.cbegin(); it != m_written.cend(); ++it) {
            const int row = it.key();
            if (it->isEmpty() && !m_target.cellAt(row, m_target.lengthColumn).isEmpty() &&
                row < last && (first == 0 || row < first))
                first = row;
        }
        return first;
    }

private:
    const PasteTarget& m_target;
    int m_count;
    QHash<int, QString> m_written;
};

} // namespace

bool HoldsCellBlock(const QString& text) {
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\t':
        case u'\n':
        case u'\v':
        case u'\f':
        case u'\r':
        case 0x0085: // next line
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
            return true;
        default:
            break;
        }
    }
    return false;
}

bool FileCanHoldValue(const QString& text) {
    return !text.contains(QLatin1Char('"')) && !HoldsCellBlock(text) && Windows1252::canHold(text);
}

QString RefusedCharacterReason(const QString& text) {
    for (const QChar c : text) {
        const QString one(c);
        if (c == u'"')
            return QStringLiteral("Il carattere \" non \u00e8 ammesso: il file dati racchiude i "
                                  "testi tra virgolette.");
        if (HoldsCellBlock(one))
            return QStringLiteral("Una casella contiene un solo dato: tabulazioni e a capo non "
                                  "sono ammessi.");
        if (!Windows1252::canHold(one))
            return QStringLiteral("Il carattere ") + one +
                   QStringLiteral(" non \u00e8 ammesso: il file dati (Windows-1252) non pu\u00f2 "
                                  "contenerlo.");
    }
    return QString();
}

CellBlock ParseCellBlock(const QString& text) {
    CellBlock block;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        block.append(text.sliced(start, i - start).split(QLatin1Char('\t')));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        block.append(text.sliced(start).split(QLatin1Char('\t')));
    return block;
}

QString PastedCellText(const QString& cell) {
    static const QRegularExpression italian(
        QStringLiteral(R"(^\s*([+-]?)(\d{1,3}(?:\.\d{3})+|\d+),(\d+)([eE][+-]?\d+)?\s*$)"));
    // A pipe size in inches as a spreadsheet writes it (1/2", 1 1/4"): the
    // lists name them with two apostrophes, as the data file cannot hold a
    // double quote.
    static const QRegularExpression inches(
        QStringLiteral(R"re(^\s*(\d+(?: \d+/\d+|/\d+)?)"\s*$)re"));
    if (const QRegularExpressionMatch m = inches.match(cell); m.hasMatch())
        return m.captured(1) + QStringLiteral("''");
    const QRegularExpressionMatch m = italian.match(cell);
    if (!m.hasMatch())
        return cell;
    QString whole = m.captured(2);
    whole.remove(QLatin1Char('.'));
    return m.captured(1) + whole + QLatin1Char('.') + m.captured(3) + m.captured(4);
}

QString TypedNumberText(const QString& text) {
    QString typed = PastedCellText(text);
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    return typed;
}

int PasteLastRow(int row, const CellBlock& block) {
    return std::min<int>(MaxRows, row + static_cast<int>(block.size()) - 1);
}

PasteOutcome PasteBlock(const PasteTarget& target, int row, int column, const CellBlock& block) {
    struct Value {
        int row;
        int column;
        QString text;
    };
    const auto first = std::find(target.columns.begin(), target.columns.end(), column);
    const auto firstIndex = first - target.columns.begin();
    const auto columnCount = static_cast<qsizetype>(target.columns.size());

    std::vector<Value> values;
    LengthPlan lengths(target);
    for (qsizetype k = 0; k < block.size(); ++k) {
        const int r = row + static_cast<int>(k);
        const QStringList& cells = block.at(k);
        for (qsizetype j = 0; j < cells.size(); ++j) {
            const QString text = PastedCellText(cells.at(j));
            const qsizetype index = firstIndex + j;
            if (index >= columnCount || r > MaxRows) {
                if (text.trimmed().isEmpty())
                    continue;
                if (r > MaxRows)
                    return {refused(r,
                                    inColumn(target.head(
                                        target.columns[std::min(index, columnCount - 1)])),
                                    QStringLiteral("la tabella finisce al tronco n. 500")),
                            0, 0};
                return {refused(r,
                                QStringLiteral(", dopo la colonna '") +
                                    target.head(target.columns.back()) + QStringLiteral("'"),
                                QStringLiteral("il blocco va oltre l'ultima colonna dei dati")),
                        0, 0};
            }
            const int c = target.columns[index];
            if (!FileCanHoldValue(text))
                return {refused(r, inColumn(target.head(c)),
                                QStringLiteral("il dato contiene un carattere che il file dati "
                                               "non può contenere (le virgolette \" o un "
                                               "simbolo estraneo alla codifica Windows-1252)")),
                        0, 0};
            if (!text.isEmpty() && lengths.leavesBlankRowBefore(r))
                return {refused(r, inColumn(target.head(c)), BlankRows), 0, 0};
            if (c == target.lengthColumn)
                lengths.write(r, text);
            values.push_back({r, c, text});
        }
    }
    if (const int emptied = lengths.emptiedBeforeKeptLength())
        return {refused(emptied, inColumn(target.head(target.lengthColumn)), BlankRows), 0, 0};

    PasteOutcome outcome;
    for (const Value& v : values) {
        target.type(v.row, v.column, v.text);
        outcome.firstRow = outcome.firstRow == 0 ? v.row : outcome.firstRow;
        outcome.lastRow = v.row;
    }
    return outcome;
}

QString CopyRowsText(std::span<const CopiedColumn> columns, int count,
                     const std::function<const Cell&(int row, int column)>& cellAt,
                     const QLocale& locale) {
    QStringList names;
    QStringList units;
    for (const CopiedColumn& c : columns) {
        names.append(c.name);
        units.append(c.unit);
    }
    QString text = names.join(QLatin1Char('\t')) + QLatin1Char('\n') +
                   units.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int r = 1; r <= count && r <= MaxRows; ++r) {
        QStringList cells;
        for (const CopiedColumn& c : columns)
            cells.append(c.column == 0
                             ? NumberToText(r)
                             : WithDecimalSeparator(cellAt(r, c.column).displayText(), locale));
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}
