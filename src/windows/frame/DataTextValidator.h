#pragma once
#include <QValidator>

// The validator of every input box: a text the data file could not hold is
// refused as it is typed or pasted, with a beep. The file quotes its texts
// with no escape, so a double quote would split a value; it keeps one record
// a line, so a line break would split a record; and it is written in
// Windows-1252, so a character outside that code page has no byte. A block
// of cells pasted from a table (tabs, line breaks) is refused too: one box
// holds one value (the data windows paste such a block across their band
// before the box sees it). The reason of a refusal is told (refused), so
// that the window can show it.
class DataTextValidator : public QValidator {
    Q_OBJECT
public:
    explicit DataTextValidator(QObject* parent = nullptr)
        : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
    // True when the data file can hold the text as one value.
    static bool canStore(const QString& text);

signals:
    // A text refused, and why (one line); a text taken after it.
    void refused(const QString& reason) const;
    void taken() const;
};

class QLabel;
class QWidget;

// The refusals of every input box of `window` go to its hint box: the
// reason replaces the hint until a text is taken, which gives the hint back
// (when nothing else has changed it meanwhile).
void ShowRefusalsInHint(QWidget& window, QLabel* hint);

// The validator of a box that holds a number: as DataTextValidator, and a
// comma typed or pasted is the decimal point (TypedNumberText), so that the
// box, the table and the file carry the point.
class NumberTextValidator : public DataTextValidator {
    Q_OBJECT
public:
    using DataTextValidator::DataTextValidator;
    State validate(QString& input, int& pos) const override;
};
