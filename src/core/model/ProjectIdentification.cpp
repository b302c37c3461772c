#include "core/model/ProjectIdentification.h"

QString& ProjectIdentification::field(int i) {
    return const_cast<QString&>(std::as_const(*this).field(i));
}

const QString& ProjectIdentification::field(int i) const {
    switch (i) {
    case 0:
        return progetto;
    case 1:
        return localita;
    case 2:
        return tipostudio;
    case 3:
        return committente;
    case 4:
        return luogo;
    case 5:
        return data;
    default:
        return allegati;
    }
}

QString ProjectIdentification::fieldName(int i) {
    static const std::array<QString, FieldCount> names = {
        QStringLiteral("progetto"),    QStringLiteral("località"), QStringLiteral("tipostudio"),
        QStringLiteral("committente"), QStringLiteral("luogo"),    QStringLiteral("data"),
        QStringLiteral("allegati")};
    return (i >= 0 && i < FieldCount) ? names[static_cast<size_t>(i)] : QString();
}

Notice CheckCover(const ProjectIdentification& c) {
    Notice n;
    if (c.progetto.isEmpty() && c.localita.isEmpty() && c.tipostudio.isEmpty() &&
        c.committente.isEmpty() && c.allegati.isEmpty()) {
        n.text = QStringLiteral("Non è stato immesso alcun dato.");
        n.icon = NoticeIcon::Question;
    } else if (!c.progetto.isEmpty() && !c.localita.isEmpty() && !c.tipostudio.isEmpty() &&
               !c.committente.isEmpty() && !c.data.isEmpty() && !c.allegati.isEmpty()) {
        n.text = QStringLiteral("I dati sono stati immessi correttamente.");
        n.icon = NoticeIcon::Information;
    } else {
        n.text = QStringLiteral("Inserire dati per ogni campo.");
        n.icon = NoticeIcon::Exclamation;
    }
    return n;
}

QString CoverDateText(const QLocale& locale, const QDate& date) {
    QString month = locale.monthName(date.month(), QLocale::ShortFormat);
    while (month.endsWith(QLatin1Char('.')))
        month.chop(1);
    return QStringLiteral("%1, %2 %3 %4")
        .arg(locale.dayName(date.dayOfWeek(), QLocale::LongFormat), QString::number(date.day()),
             month, QString::number(date.year()));
}
