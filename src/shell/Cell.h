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

    static Cell text(const QString& t) { return Cell(Value(t)); }
    static Cell number(double v) { return Cell(Value(v)); }
    static Cell emptyText() { return Cell(Value(QString())); }

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
    // reading, an empty cell as 0.
    double value() const;

    friend bool operator==(const Cell&, const Cell&) = default;

private:
    using Value = std::variant<std::monostate, QString, double>;
    explicit Cell(Value v)
        : m_value(std::move(v)) {}
    Value m_value;
};
