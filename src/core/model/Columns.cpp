#include "core/model/Columns.h"

#include <algorithm>

namespace {

template <typename Shows, typename Place>
std::vector<const ColumnFacts*> placed(ColumnTable columns, Shows shows, Place place) {
    std::vector<const ColumnFacts*> out;
    for (const ColumnFacts& c : columns) {
        if (c.column > 0 && shows(c))
            out.push_back(&c);
    }
    std::stable_sort(out.begin(), out.end(), [&](const ColumnFacts* a, const ColumnFacts* b) {
        return place(*a) < place(*b);
    });
    return out;
}

// A head line: each text from its character, at least one blank after the
// text before it.
QString headLine(ColumnTable columns, int table, bool units) {
    std::vector<const ColumnFacts*> shown{&columns.front()};
    const auto rest = ListingColumns(columns, table);
    shown.insert(shown.end(), rest.begin(), rest.end());
    QString line;
    for (const ColumnFacts* c : shown) {
        const int from = units ? c->unitAt : c->headAt;
        if (line.size() < from)
            line += QString(from - line.size(), u' ');
        else if (!line.isEmpty())
            line += u' ';
        line += units ? c->listingUnitText() : c->nameText();
    }
    return line;
}

} // namespace

const ColumnFacts& FactsOf(ColumnTable table, int column) {
    for (const ColumnFacts& c : table) {
        if (c.column == column)
            return c;
    }
    return table.front();
}

std::vector<const ColumnFacts*> ListingColumns(ColumnTable columns, int table) {
    return placed(
        columns, [table](const ColumnFacts& c) { return c.listingTable == table; },
        [](const ColumnFacts& c) { return c.at; });
}

std::vector<const ColumnFacts*> DocumentColumns(ColumnTable columns, int table) {
    return placed(
        columns,
        [table](const ColumnFacts& c) { return c.documentPlace > 0 && c.documentTable == table; },
        [](const ColumnFacts& c) { return c.documentPlace; });
}

std::vector<const ColumnFacts*> FormColumns(ColumnTable columns) {
    return placed(
        columns, [](const ColumnFacts& c) { return c.formPlace > 0; },
        [](const ColumnFacts& c) { return c.formPlace; });
}

std::vector<const ColumnFacts*> CommandLineColumns(ColumnTable columns) {
    return placed(
        columns, [](const ColumnFacts& c) { return c.cliPlace > 0; },
        [](const ColumnFacts& c) { return c.cliPlace; });
}

QString ListingHeadLine(ColumnTable columns, int table) {
    return headLine(columns, table, false);
}

QString ListingUnitLine(ColumnTable columns, int table) {
    return headLine(columns, table, true);
}

QStringList ListingLegendLines(ColumnTable columns) {
    // The name in a field of ten, then "= " and what it stands for.
    constexpr int NameWidth = 10;
    QStringList lines{columns.front().nameText().leftJustified(NameWidth) + QStringLiteral("= ") +
                      columns.front().legendText()};
    for (const ColumnFacts* c : ListingColumns(columns, 1))
        lines << c->nameText().leftJustified(NameWidth) + QStringLiteral("= ") + c->legendText();
    return lines;
}
