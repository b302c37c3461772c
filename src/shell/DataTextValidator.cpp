#include "shell/DataTextValidator.h"

#include "shell/Windows1252.h"

#include <QApplication>

namespace {

// A tab or a line break of any kind: the text is a block of cells copied
// from a table, not one value.
bool holdsBlock(const QString& text) {
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

} // namespace

bool DataTextValidator::canStore(const QString& text) {
    return !text.contains(QLatin1Char('"')) && !holdsBlock(text) && Windows1252::canHold(text);
}

QValidator::State DataTextValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    if (canStore(input))
        return Acceptable;
    QApplication::beep();
    return Invalid;
}
