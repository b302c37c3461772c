#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include "core/model/GasTable.h"
#include "core/model/Result.h"
#include "core/model/WaterTable.h"

struct ProjectData;
struct ProjectExtension;

// The block of the data file that holds what the classic file cannot: the
// upstream segments, the limits of the verification, whether the report
// carries it and the water pipe series. It follows the cover record, which the classic reader never
// reads past (it takes an exact number of values), and is written only when
// the project holds any of these, so a project that uses none of them is
// written as before, byte for byte. In the file's own record form:
//
//   "Tubarex dati aggiuntivi",1                  opening line and version
//   "tronchi a monte acqua",,,1,,2               per row 1..n: empty for the
//   "tronchi a monte gas",0,1,1                  row before, else the segment
//   "limiti acqua",2,10                          m/s, head in m (empty: none)
//   "limiti gas",1,2                             mbar: methane, LPG
//   "verifica nella relazione",1
//   "serie acqua","rame"                         the water pipe series
//   "fine dati aggiuntivi"
//
// Each entry is a quoted key followed by its values; an entry with a key
// this version does not know is kept as it was read and written back on
// every save, in its place.

inline constexpr char ExtensionBlockOpening[] = "Tubarex dati aggiuntivi";
inline constexpr char ExtensionBlockClosing[] = "fine dati aggiuntivi";

// Reads what follows the cover record: nothing but blank lines, or the
// block (blank lines around it allowed). `lines` are the lines after the
// cover record, the first of them line `firstNumber` of the file. The
// upstream segments go into the tables of `data`, whose counts are read.
// The failure says why the lines are not a valid block.
Result<> ReadExtensionBlock(QList<QStringView> lines, int firstNumber, ProjectData& data);

// Appends the block for a project of these values and tables (its upstream
// segments of rows 1..waterRows and 1..gasRows), or nothing when it holds
// nothing for it.
void AppendExtensionBlock(QByteArray& out, const ProjectExtension& extension,
                          const WaterTable& water, int waterRows, const GasSegmentTable& gas,
                          int gasRows);
