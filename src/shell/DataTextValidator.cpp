#include "shell/DataTextValidator.h"

#include "shell/Windows1252.h"

#include <QApplication>

bool DataTextValidator::canStore(const QString& text) {
    return !text.contains(QLatin1Char('"')) && Windows1252::canHold(text);
}

QValidator::State DataTextValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    if (canStore(input))
        return Acceptable;
    QApplication::beep();
    return Invalid;
}
