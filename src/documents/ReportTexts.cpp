#include "documents/ReportTexts.h"

#include <QRegularExpression>

// Lines of running text are justified to the measure by doubling blanks;
// the lines of the formulas and of their terms are printed as they are.

const std::vector<CriteriaParagraph>& WaterCriteria() {
    static const std::vector<CriteriaParagraph> text = {
        {{QStringLiteral("I calcoli delle perdite di carico nelle tubazioni sono  effettuati"),
          QStringLiteral("utilizzando la formula del Darcy:")},
         1,
         false},
        {{QStringLiteral("Y = B * L * Q ^ 2 / D ^ 5      in cui")}, 1, false},
        // The loss comes out in metres of water column, the unit of the tables.
        {{QStringLiteral("Y = perdita di carico in metri;")}, 0, false},
        {{QStringLiteral("B = coefficiente di scabrezza delle pareti dei tubi, con valore di"),
          QStringLiteral("    0.002 per tubazioni lisce,  0.0025 per tubazioni di  servizio"),
          QStringLiteral("    corrente e 0.004 per tubazioni con pareti interne scabre;")},
         0,
         false},
        {{QStringLiteral("L = lunghezza del tronco in metri;")}, 0, false},
        {{QStringLiteral("Q = portata in metri cubi al secondo;")}, 0, false},
        {{QStringLiteral("D = diametro del tubo in metri.")}, 1, false},
        // Equivalent lengths in diameters: the calculation's metres per fitting and per
        // millimetre of diameter, times 1000 (0.013 m/mm is 13 diameters).
        {{QStringLiteral("Il procedimento di calcolo, eseguito  in modo  automatico,  appare"),
          QStringLiteral("quindi  piuttosto semplice per la verifica della perdita di carico"),
          QStringLiteral("di   ogni   tronco:  alla  lunghezza  del  tubo  si  somma  quella"),
          QStringLiteral("equivalente  dei  pezzi  speciali,  secondo il loro tipo e numero."),
          QStringLiteral("Ogni  pezzo vale un tratto di tubo diritto di 13 diametri (curva a"),
          QStringLiteral("45°),  30  (a  90°),  18  (ad  ampio  raggio),  60  (T o croce), 6"),
          QStringLiteral("(saracinesca)  o  6,5  (valvola), misurati sul diametro interno (o"),
          QStringLiteral("nominale) del tubo considerato.")},
         1,
         false},
        {{QStringLiteral("Il risultato finale è la perdita di carico complessiva. Al variare"),
          QStringLiteral("della temperatura varia la viscosità dell'acqua, di cui la formula"),
          QStringLiteral("non  tiene  conto:  i coefficienti valgono per acqua a temperatura"),
          QStringLiteral("ordinaria (10-15 °C) e per l'acqua calda, meno viscosa, il calcolo"),
          QStringLiteral("è  a  favore  della  sicurezza, poiché ne sovrastima la perdita di"),
          QStringLiteral("carico.")},
         1,
         false},
        {{QStringLiteral("Non si è tenuto conto del tipo di materiale usato per le tubazioni"),
          QStringLiteral("(acciaio, ghisa, rame, materie plastiche), ma soltanto dello stato"),
          QStringLiteral("delle  pareti  interne,  espresso  dal coefficiente di scabrezza B"),
          QStringLiteral("(pareti  lisce,  di servizio corrente o scabre per incrostazioni),"),
          QStringLiteral("da cui deriva la resistenza al perfetto scorrimento del fluido.")},
         1,
         true},
        {{QStringLiteral("Per quanto riguarda la formula scelta si può facilmente constatare"),
          QStringLiteral("che  la  perdita cresce con il quadrato della portata e diminuisce"),
          QStringLiteral("con  la  quinta  potenza del diametro: a parità di portata, con un"),
          QStringLiteral("diametro  doppio  la  perdita  di  carico diventa 32 volte minore."),
          QStringLiteral("Basta conoscere la portata, il diametro, la scabrezza delle pareti"),
          QStringLiteral("e, quindi, la lunghezza per ottenere la perdita totale.")},
         1,
         false},
        {{QStringLiteral("Si riportano, sotto forma tabellare, tutti i dati ed  i  risultati"),
          QStringLiteral("del calcolo eseguito.")},
         0,
         false},
    };
    return text;
}

const std::vector<CriteriaParagraph>& GasCriteria() {
    static const std::vector<CriteriaParagraph> text = {
        {{QStringLiteral("I calcoli delle perdite di carico nelle tubazioni sono  effettuati"),
          QStringLiteral("utilizzando la seguente formula:")},
         1,
         false},
        // The density of the gas multiplies the loss, as the calculation takes it: the
        // dynamic pressure is ro V^2 / 2 in pascal, a hundredth of it in millibar.
        {{QStringLiteral("Pa-Pb = (la ro V^2 ) L / (200 Di)")},
         1,
         false,
         QStringLiteral("Pa-Pb = (la ro V^2 ) L / (200 Di) in cui")},
        {{QStringLiteral("Pa = è la pressione relativa in un punto A (in mbar);")},
         0,
         false,
         QStringLiteral("Pa = pressione relativa in un punto A (in mbar);")},
        {{QStringLiteral("Pb = è la pressione relativa in un punto B (in mbar);")},
         0,
         false,
         QStringLiteral("Pb = pressione relativa in un punto B (in mbar);")},
        {{QStringLiteral("la = (lambda) è il coefficiente di attrito (lo + b/Di)")},
         0,
         false,
         QStringLiteral("la = (lambda) coefficiente di attrito (lo + b/Di)")},
        {{QStringLiteral("lo = 0,0072 + 0,612/(Re^0,35);")}, 0, false},
        {{QStringLiteral("b  = 2,9 * 10^-5 * Re^ 0,109;")}, 0, false},
        {{QStringLiteral("Re = numero di Reynolds = 354*(Q*10^-6)/(Di*J)")}, 0, false},
        {{QStringLiteral("Q  = portata di gas (in mc/h, a 15 °C e 1 013 mbar);")}, 0, false},
        {{QStringLiteral("J  = viscosità cinematica (in m2 /s);")}, 0, false},
        {{QStringLiteral("ro = (rho) massa volumica del gas (in kg/mc);")}, 0, false},
        {{QStringLiteral("V  = velocità del gas (in m/s) = Q/(2827· Di^2);")}, 0, false},
        {{QStringLiteral("L  = lunghezza virtuale delle tubazioni (in metri);")}, 0, false},
        {{QStringLiteral("D  = diametro interno del tubo (in metri).")}, 1, false},
        {{QStringLiteral("Il procedimento di calcolo, eseguito  in modo  automatico,  appare"),
          QStringLiteral("quindi  piuttosto semplice per la verifica della perdita di carico"),
          QStringLiteral("costante in una condotta in pressione, attraversata da gas.")},
         1,
         true},
        {{QStringLiteral("La verifica della caduta di pressione è basata sulla  formula  che"),
          QStringLiteral("precede,  con  il  coefficiente  di attrito ricavato dal numero di"),
          QStringLiteral("Reynolds  e dal diametro interno del tubo; la viscosità cinematica"),
          QStringLiteral("è  assunta pari a J = 15,1*10^-6 m2/s per il metano (a 20 gradi di"),
          QStringLiteral("temperatura) e J = 12,0*10^-6 m2/s per il GPL.")},
         1,
         false},
        {{QStringLiteral("Le tubazioni sono state utilizzate secondo i diametri commerciali,"),
          QStringLiteral("della serie UNI 7129/01, UNI 8863 serie  leggera e UNI 9165.")},
         1,
         false},
        {{QStringLiteral("Si riportano, sotto forma tabellare, tutti i dati ed  i  risultati"),
          QStringLiteral("del calcolo eseguito.")},
         0,
         false},
    };
    return text;
}

QStringList CriteriaLines(const std::vector<CriteriaParagraph>& text) {
    QStringList lines;
    for (const CriteriaParagraph& p : text) {
        lines += p.lines;
        for (int k = 0; k < p.emptyLinesAfter; ++k)
            lines.append(QString());
    }
    return lines;
}

QStringList CriteriaDocumentParagraphs(const std::vector<CriteriaParagraph>& text) {
    static const QRegularExpression padding(QStringLiteral(" {2,}"));
    QStringList paragraphs;
    QString current;
    for (const CriteriaParagraph& p : text) {
        const QStringList lines = p.documentText.isEmpty() ? p.lines : QStringList{p.documentText};
        for (QString line : lines) {
            if (line.size() == CriteriaMeasure)
                line.replace(padding, QStringLiteral(" "));
            line = line.trimmed();
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
        if (!p.runsOn) {
            paragraphs.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        paragraphs.append(current);
    return paragraphs;
}
