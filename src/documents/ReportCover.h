#pragma once

#include <QString>

struct ApplicationState;
struct ProjectIdentification;
class PrinterPage;
class WordDocument;

// The cover of the technical report, on paper and in the document: the
// title, the project identification, the designer and the client, place
// and date, and the owner's studio at the foot. The cover is always one
// page: fields too long for the usual layout first take the room of its
// blank lines, then a smaller type.

// "luogo: data" as the report prints it; empty when both are empty, so that
// no lone ":" is printed.
QString ReportPlaceAndDate(const ProjectIdentification& cover);

// Types the cover at the insertion point, ending with a page break.
void TypeReportCover(WordDocument& document, const ApplicationState& state);

// Prints the cover on the first page from (1000, 1000) twips, with the two
// rules that frame the owner's name and address; it leaves the page open
// (it carries no page number).
void PrintReportCover(const ApplicationState& state, PrinterPage& page);
