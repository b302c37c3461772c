#pragma once

#include "core/model/Notice.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <array>

// The project identification that heads every report: seven free texts, in
// the order of the cover page and of the data file.
struct ProjectIdentification {
    QString progetto;
    QString localita; // "località" on the cover page and in the data file
    QString tipostudio;
    QString committente;
    QString luogo; // where the calculation was made
    QString data;  // date of the calculation
    QString allegati;

    static constexpr int FieldCount = 7;
    // Field i (0..6) in file order, and its name as the cover page calls it.
    QString& field(int i);
    const QString& field(int i) const;
    static QString fieldName(int i);

    friend bool operator==(const ProjectIdentification&, const ProjectIdentification&) = default;
};

// The input check of the cover page. Stage one: progetto, località,
// tipostudio, committente and allegati all empty, "nothing typed". Stage two
// adds data: all six non-empty is correct, otherwise some are missing. luogo
// never counts, and a text of blanks is not empty.
Notice CheckCover(const ProjectIdentification& cover);

// The date the cover page proposes for `data`: weekday name, comma, day
// without leading zero, abbreviated month and four-digit year in the
// language of `locale` ("lunedì, 7 dic 2026" in Italian). Some locales
// write the abbreviated month with a full stop; it is left out, so that the
// date reads the same everywhere.
QString CoverDateText(const QLocale& locale, const QDate& date);
