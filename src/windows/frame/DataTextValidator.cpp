#include "windows/frame/DataTextValidator.h"

#include "core/BlockPaste.h"

#include <QApplication>

bool DataTextValidator::canStore(const QString& text) {
    return FileCanHoldValue(text);
}

QValidator::State DataTextValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    if (canStore(input))
        return Acceptable;
    QApplication::beep();
    return Invalid;
}
