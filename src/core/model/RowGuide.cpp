#include "core/model/RowGuide.h"

#include <algorithm>

#include "core/model/NumberText.h"

namespace {
const QChar CR(u'\r');
}

QString RowNumberText(int row) {
    return SignedNumberText(row);
}

QString DataWindowHelpText() {
    const QString lines[] = {
        QStringLiteral("- Aprire un file archiviato per prelevare i dati;"),
        QStringLiteral("- digitare i dati seguendo le indicazioni della casella gialla posta in "
                       "basso;"),
        QStringLiteral("- digitare i decimali usando il punto (la virgola viene ignorata);"),
        QStringLiteral(
            "- visualizzare i tronchi successivi con la barra di scorrimento verticale;"),
        QStringLiteral("- evidenziare dati e risultati spostando il mouse sul numero del tronco "
                       "corrispondente;"),
        QStringLiteral("- effettuare i controlli dei dati cliccando sul tasto ABC;"),
        QStringLiteral("- visualizzare l'uso dei tasti fermando il puntatore del mouse su di "
                       "essi.")};
    QString text;
    for (const QString& line : lines)
        text += (text.isEmpty() ? QString() : QString(CR)) + line;
    return text;
}

QString HintNoRows() {
    return QStringLiteral("Aprire un file archiviato o iniziare l'immissione digitando la "
                          "lunghezza del primo tronco.");
}

QString HintAllComplete() {
    return QStringLiteral("Correggere, archiviare quanto immesso, digitare ulteriori dati, andare "
                          "oltre (stampa, Frontespizio).");
}

QString StepHint(int count, const CellAt& cellAt, std::span<const RequiredItem> items) {
    if (count <= 0)
        return HintNoRows();
    for (int row = 1; row <= count && row <= MaxRows; ++row) {
        for (const RequiredItem& item : items) {
            if (IsMissing(cellAt(row, item.column), item)) {
                return QStringLiteral("Tronco n.") + RowNumberText(row) + QStringLiteral(": ") +
                       QString::fromUtf8(item.hint);
            }
        }
    }
    return HintAllComplete();
}

CheckOutcome CheckRows(int count, bool quiet, const CellAt& cellAt,
                       std::span<const RequiredItem> items, const QString& networkWords) {
    CheckOutcome out;
    if (count <= 0) {
        out.notice.text = QStringLiteral("Non esistono dati riconosciuti:") + CR +
                          QStringLiteral("- per procedere è necessario digitare almeno la "
                                         "lunghezza del tronco n.1;") +
                          CR +
                          QStringLiteral("- il controllo viene effettuato solo sui tronchi per i "
                                         "quali esiste il dato della lunghezza.");
        out.notice.icon = NoticeIcon::Exclamation;
        return out;
    }
    for (int row = 1; row <= count && row <= MaxRows; ++row) {
        for (const RequiredItem& item : items) {
            if (!IsMissing(cellAt(row, item.column), item))
                continue;
            Notice& n = out.notice;
            n.text = QStringLiteral("Tronco n.") + RowNumberText(row) + QLatin1Char(':') + CR +
                     QString::fromUtf8(item.check);
            n.icon = NoticeIcon::Critical;
            n.row = row;
            n.column = item.focusColumn;
            n.bandTop = BandTopShowing(row);
            n.line = row - n.bandTop + 1;
            return out;
        }
    }
    out.passed = true;
    if (quiet)
        return out;
    out.notice.text = QStringLiteral("I dati (") + networkWords +
                      QStringLiteral(") sono stati immessi correttamente per n.") +
                      RowNumberText(count) +
                      QStringLiteral(" tronchi: i valori non inseriti vengono considerati nulli.");
    out.notice.icon = NoticeIcon::Information;
    return out;
}

std::optional<Notice> RefuseLengthEntry(int row, const QString& newText, bool previousLengthEmpty,
                                        int count, int lengthColumn) {
    if (newText.isEmpty() || row <= 1 || !previousLengthEmpty || count >= row)
        return std::nullopt;
    Notice n;
    n.text = QStringLiteral("Non è possibile digitare dati lasciando righe in bianco.");
    n.icon = NoticeIcon::Critical;
    // The first free row is count + 1: shown on line 2 of a band starting at
    // the last typed row, or on its own line of the last band.
    n.row = count + 1;
    n.column = lengthColumn;
    n.bandTop = BandTopShowing(count < 1 ? 1 : count);
    n.line = n.row - n.bandTop + 1;
    return n;
}

Notice MissingLengthOnDelete(int row) {
    Notice n;
    n.text = QStringLiteral("I dati del tronco n.") + RowNumberText(row) +
             QStringLiteral(" non sono ancora considerati in quanto manca la lunghezza.");
    n.icon = NoticeIcon::Exclamation;
    n.row = row;
    return n;
}

bool IsGapRow(int row, const CellAt& cellAt, std::span<const int> columns) {
    const auto holdsData = [&](int r) {
        return std::any_of(columns.begin(), columns.end(),
                           [&](int c) { return !cellAt(r, c).isEmpty(); });
    };
    if (holdsData(row))
        return false;
    for (int r = row + 1; r <= MaxRows; ++r) {
        if (holdsData(r))
            return true;
    }
    return false;
}
