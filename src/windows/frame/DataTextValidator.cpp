#include "windows/frame/DataTextValidator.h"

#include "core/editing/BlockPaste.h"

#include <QApplication>
#include <QLabel>

#include <memory>

#include <algorithm>

bool DataTextValidator::canStore(const QString& text) {
    return FileCanHoldValue(text);
}

QValidator::State DataTextValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    if (canStore(input)) {
        emit taken();
        return Acceptable;
    }
    QApplication::beep();
    emit refused(RefusedCharacterReason(input));
    return Invalid;
}

void ShowRefusalsInHint(QWidget& window, QLabel* hint) {
    // The hint the reason stands in for, and the reason shown.
    auto previous = std::make_shared<QString>();
    auto shown = std::make_shared<QString>();
    for (DataTextValidator* validator : window.findChildren<DataTextValidator*>()) {
        QObject::connect(validator, &DataTextValidator::refused, hint,
                         [hint, previous, shown](const QString& reason) {
                             if (shown->isEmpty() || hint->text() != *shown)
                                 *previous = hint->text();
                             *shown = reason;
                             hint->setText(reason);
                         });
        QObject::connect(validator, &DataTextValidator::taken, hint, [hint, previous, shown] {
            if (shown->isEmpty())
                return;
            if (hint->text() == *shown)
                hint->setText(*previous);
            shown->clear();
        });
    }
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
