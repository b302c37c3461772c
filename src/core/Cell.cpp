#include "core/Cell.h"

#include "core/NumberText.h"

QString Cell::displayText() const {
    if (isText())
        return textValue();
    if (isNumber())
        return NumberToText(numberValue());
    return QString();
}

Cell Cell::text(const QString& t) {
    return Cell(Value(t), ReadNumber(t));
}
