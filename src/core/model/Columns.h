#pragma once

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

// The facts of one column of a network's table, wherever the column shows:
// in the data window, the printed listing, the word-processor document, the
// blank form and the command line. Each place that names the column has
// its own wording here, named for that place; a place that names it as the
// printouts do leaves its own wording null and takes theirs, as each field
// says. A column that a place does not show has its place 0 there.
struct ColumnFacts {
    // The table column (WaterColumn::lungh, ...); 0 is the row number, which
    // no table holds.
    int column = 0;
    // The short name: the boxes ("lungh(3)"), the window's head labels
    // ("testa_lungh"), the keys of the command line's JSON and CSV, the data
    // file's messages.
    const char* key = nullptr;

    // The printouts' wording: the short name that heads the column in the
    // listing, the document and the form, its unit, and the legend line that
    // explains the name.
    const char* name = nullptr;
    const char* unit = nullptr;
    const char* legend = nullptr;

    // The data window: the head label and its tooltip, the unit label and
    // its tooltip, and the name a screen reader gives the column's boxes.
    // Null takes, in turn: the name; the legend; the unit; the head's
    // tooltip; the legend.
    const char* head = nullptr;
    const char* headHint = nullptr;
    const char* windowUnit = nullptr;
    const char* unitHint = nullptr;
    const char* spoken = nullptr;

    // The printed listing. `listingTable` is the table of the listing that
    // shows the column (1; the gas listing prints the fittings in a second
    // table), 0 for none. The head lines hold the name from character
    // `headAt` and the unit (or `listingUnit`, where the listing words it
    // apart) from character `unitAt`. A value is set at column `at`: with
    // its decimal separator there (a whole number ends just before it), or,
    // where `atEnd`, ending just before it. A value the listing shows in
    // another unit or rounded is printed as Int(value × scale × 10^decimals
    // + 0.5) / 10^decimals; `listingDecimals` -1 prints it as it is held.
    int listingTable = 0;
    int headAt = 0;
    int unitAt = 0;
    const char* listingUnit = nullptr;
    int at = 0;
    bool atEnd = false;
    double scale = 1;
    int listingDecimals = -1;

    // The document: the column's place in the table that shows it (1 for
    // the first column; 0 for none), which table (1; the gas document puts
    // the fittings in a second table), its name and legend where the
    // document words them apart, and how it writes the value: to
    // `documentDecimals` fixed decimals (of the value times `scale`, with the
    // regional separator), or as held (-1, a number with the regional
    // separator), or as text (-2).
    int documentPlace = 0;
    int documentTable = 1;
    const char* documentName = nullptr;
    const char* documentLegend = nullptr;
    int documentDecimals = -1;

    // The blank form of data acquisition: the column's place (0 for none),
    // and its name and unit where the form words them apart.
    int formPlace = 0;
    const char* formName = nullptr;
    const char* formUnit = nullptr;

    // The command line's `calc`: the column's place among its columns (0
    // for none), whether it is a result (the JSON gives results as numbers,
    // inputs as typed), and the decimals of its readable listing (-1: as
    // held).
    int cliPlace = 0;
    bool result = false;
    int cliDecimals = -1;

    QString keyText() const { return text(key); }
    QString nameText() const { return text(name); }
    QString unitText() const { return text(unit); }
    QString legendText() const { return text(legend); }
    QString headText() const { return text(head ? head : name); }
    QString headHintText() const { return text(headHint ? headHint : legend); }
    QString windowUnitText() const { return text(windowUnit ? windowUnit : unit); }
    QString unitHintText() const { return unitHint ? text(unitHint) : headHintText(); }
    QString spokenText() const { return text(spoken ? spoken : legend); }
    QString listingUnitText() const { return text(listingUnit ? listingUnit : unit); }
    QString documentNameText() const { return text(documentName ? documentName : name); }
    QString documentLegendText() const { return text(documentLegend ? documentLegend : legend); }
    QString formNameText() const { return text(formName ? formName : name); }
    QString formUnitText() const { return text(formUnit ? formUnit : unit); }

    static QString text(const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); }
};

// A network's columns: the row number first, then every table column in
// table order.
using ColumnTable = std::span<const ColumnFacts>;

const ColumnFacts& FactsOf(ColumnTable table, int column);

// The columns a place shows, in its order, without the row number (which
// opens every table of them): the listing's table `table` from left to
// right, the document's table `table`, the form and the command line by
// their places.
std::vector<const ColumnFacts*> ListingColumns(ColumnTable columns, int table);
std::vector<const ColumnFacts*> DocumentColumns(ColumnTable columns, int table);
std::vector<const ColumnFacts*> FormColumns(ColumnTable columns);
std::vector<const ColumnFacts*> CommandLineColumns(ColumnTable columns);

// The two head lines of a listing table: the row number's and each
// column's name (and unit) at its character.
QString ListingHeadLine(ColumnTable columns, int table);
QString ListingUnitLine(ColumnTable columns, int table);
// The legend of the listing's first table, a line per column from the row
// number on: "lungh.    = lunghezza del tronco".
QStringList ListingLegendLines(ColumnTable columns);
