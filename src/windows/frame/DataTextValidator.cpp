#include "windows/frame/DataTextValidator.h"

#include "core/BlockPaste.h"

#include <QApplication>

#include <algorithm>

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

QValidator::State NumberTextValidator::validate(QString& input, int& pos) const {
    const State state = DataTextValidator::validate(input, pos);
    if (state != Acceptable)
        return state;
    const QString typed = TypedNumberText(input);
    if (typed != input) {
        // The cursor keeps its place from the end: a grouping point dropped
        // before it moves it left.
        const qsizetype fromEnd = input.size() - pos;
        input = typed;
        pos = static_cast<int>(std::max<qsizetype>(0, input.size() - fromEnd));
    }
    return Acceptable;
}
