#include "shell/WindowParts.h"

#include "shell/Form.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

QLabel* MakeHintBox(Form& form, QWidget* area, const QRect& twips) {
    auto* passo = new QLabel(area);
    passo->setObjectName(QStringLiteral("passo"));
    passo->setToolTip(
        QStringLiteral("indicazioni sulla corretta procedura di immissione dei dati"));
    passo->setGeometry(form.twipsX(twips.x()), form.twipsY(twips.y()), form.twipsX(twips.width()),
                       form.twipsY(twips.height()));
    passo->setAutoFillBackground(true);
    QPalette yellow = passo->palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 0));
    passo->setPalette(yellow);
    return passo;
}

void MakePrintOptions(Form& form, QWidget* area, const PrintOptionsPlace& place,
                      std::array<QRadioButton*, 2>& comestampo) {
    auto* options = new QGroupBox(QStringLiteral("Opzioni di stampa"), area);
    options->setObjectName(QStringLiteral("Frame1"));
    options->setGeometry(form.twipsX(place.frame.x()), form.twipsY(place.frame.y()),
                         form.twipsX(place.frame.width()), form.twipsY(place.frame.height()));
    const QString captions[] = {QStringLiteral("Stampa con Word"),
                                QStringLiteral("Stampa diretta")};
    for (int k = 1; k <= 2; ++k) {
        auto* option = new QRadioButton(captions[k - 1], options);
        option->setObjectName(QStringLiteral("comestampo(%1)").arg(k));
        option->setGeometry(form.twipsX(120),
                            form.twipsY(k == 1 ? place.firstTop : place.secondTop),
                            form.twipsX(place.optionWidth), form.twipsY(255));
        comestampo.at(static_cast<size_t>(k - 1)) = option;
    }
    comestampo[0]->setChecked(true);
}

QPushButton* MakeCommandButton(Form& form, QWidget* area, const char* name, const QString& caption,
                               const QString& hint, int left, int top) {
    auto* b = new QPushButton(caption, area);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setGeometry(form.twipsX(left), form.twipsY(top), form.twipsX(1095), form.twipsY(375));
    return b;
}
