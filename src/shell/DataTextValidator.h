#pragma once
#include <QValidator>

// The validator of every input box: a text the data file could not hold is
// refused as it is typed or pasted, with a beep. The file quotes its texts
// with no escape, so a double quote would split a value; and it is written
// in Windows-1252, so a character outside that code page has no byte.
class DataTextValidator : public QValidator {
    Q_OBJECT
public:
    explicit DataTextValidator(QObject* parent = nullptr)
        : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
    // True when the data file can hold the text as one value.
    static bool canStore(const QString& text);
};
