#include "shell/Cell.h"

#include "shell/NumberText.h"

QString Cell::displayText() const {
    if (isText())
        return textValue();
    if (isNumber())
        return NumberToText(numberValue());
    return QString();
}

double Cell::value() const {
    if (isText())
        return ReadNumber(textValue());
    if (isNumber())
        return numberValue();
    return 0.0;
}
