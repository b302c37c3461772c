#pragma once

#include <QFont>

// The font the small windows were laid out for: an 8-point sans serif with
// Arial's metrics. Liberation Sans has the same metrics where Arial is
// missing, so text measured in twips fits the same way on every system.
inline QFont DesignFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

// The font of the windows the user works in (the data windows, the cover
// page, the chooser), chosen by measuring every designed text against its
// control at the designed size: a narrow sans serif with Arial Narrow's
// metrics at 7.5 points, the largest at which the tightest ones fit (the
// wall type "corrente" in its list, 30 pixels at 96 dpi; a viscosity such
// as "1.51E-05" in its box, 33; the unit "litri al secondo" on two lines of
// its column, 24 high). Liberation Sans Narrow has the short line spacing
// that the two lines need; Nimbus Sans Narrow, of the URW fonts, has the
// same widths.
inline QFont InterfaceFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
                      QStringLiteral("Nimbus Sans Narrow")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(7.5);
    return font;
}
