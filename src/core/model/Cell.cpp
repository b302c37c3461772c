#include "core/model/Cell.h"

#include "core/model/NumberText.h"

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
