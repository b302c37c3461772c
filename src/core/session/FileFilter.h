#pragma once

#include <QString>
#include <QStringList>

// The classic file-dialog filter is one text of description and pattern
// pairs separated by "|", several patterns of one pair separated by ";"
// ("Tutti i file (*.*)|*.*|Testo|*.txt;*.doc"). Qt's dialogs take one name
// filter per pair with the patterns, separated by blanks, in parentheses.
QStringList ClassicFilterToNameFilters(const QString& filter);

// The name filter preselected by a 1-based index; the first when the index is
// out of range, empty when there is no filter at all.
QString SelectedNameFilter(const QStringList& nameFilters, int filterIndex);
