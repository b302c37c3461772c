#pragma once

#include <QString>

#include <variant>

// One cell of a segment table. A cell is either never written, a text exactly
// as typed (possibly empty), or a number (computed columns, and values that a
// data file holds unquoted). "Never written" and "empty text" are different:
// the data file writes nothing for the first and "" for the second.
class Cell {
public:
    Cell() = default;

    static Cell text(const QString& t);
    static Cell number(double v) { return Cell(Value(v), v); }
    static Cell emptyText() { return Cell(Value(QString()), 0.0); }

    // Makes the cell the number v (in place when it already holds a number:
    // recomputing a table rewrites its result cells thousands of times).
    void setNumber(double v) {
        if (double* n = std::get_if<double>(&m_value))
            *n = v;
        else
            m_value = v;
        m_number = v;
    }

    bool isNeverWritten() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }
    bool isNumber() const { return std::holds_alternative<double>(m_value); }

    // Empty as the tables test it: never written, or the empty text. A number
    // is never empty.
    bool isEmpty() const { return isNeverWritten() || (isText() && textValue().isEmpty()); }

    // Only valid for a text cell.
    const QString& textValue() const { return std::get<QString>(m_value); }
    // Only valid for a number cell.
    double numberValue() const { return std::get<double>(m_value); }

    // The text a box shows for this cell ("" when empty).
    QString displayText() const;
    // The numeric value: a number as is, a text through the leading-number
    // reading, an empty cell as 0. A text is read once, when it is stored, so
    // that recomputing a table reads no text.
    double value() const { return m_number; }

    friend bool operator==(const Cell& a, const Cell& b) { return a.m_value == b.m_value; }

private:
    using Value = std::variant<std::monostate, QString, double>;
    Cell(Value v, double number)
        : m_value(std::move(v))
        , m_number(number) {}
    Value m_value;
    double m_number = 0.0;
};
