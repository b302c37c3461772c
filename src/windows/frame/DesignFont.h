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
