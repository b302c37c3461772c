#pragma once

#include "core/GasTable.h"
#include "core/ProjectExtension.h"
#include "core/ProjectIdentification.h"
#include "core/WaterTable.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

class QIODevice;
struct ApplicationState;

// The project data file: one text file (Windows-1252, CR LF) that holds the
// water table, the gas table and the project identification, in the classic
// comma-separated record form:
//   line 1          water count
//   n lines         water rows 1..n: lungh diam port tipoc sca c45 c90 c91 tes croc sarac valv
//   next line       gas count
//   g lines         gas rows 1..g: cu45 cu90 cu91 rt rx rs rv lungh tipofi portgas tipoc diam visc
//   last line       progetto località tipostudio committente luogo data allegati
//   then, when the project holds any, the block of what the classic file
//   cannot hold (ExtensionBlock.h): upstream segments, limits, report option
// Texts are quoted with no escape, numbers unquoted with "." as the point, a
// never-written cell writes nothing, a count never set an empty line.

// Everything a data file holds.
struct ProjectData {
    std::optional<int> waterCount;
    WaterTable water;
    std::optional<int> gasCount;
    GasSegmentTable gas;
    ProjectIdentification cover;
    ProjectExtension extension;
};

// Columns of a water and of a gas row record, in file order.
inline constexpr std::array<int, 12> WaterRecordColumns = {
    WaterColumn::lungh, WaterColumn::diam, WaterColumn::port,  WaterColumn::tipoc,
    WaterColumn::sca,   WaterColumn::c45,  WaterColumn::c90,   WaterColumn::c91,
    WaterColumn::tes,   WaterColumn::croc, WaterColumn::sarac, WaterColumn::valv};
inline constexpr std::array<int, 13> GasRecordColumns = {
    GasColumn::cu45,  GasColumn::cu90, GasColumn::cu91,  GasColumn::rt,     GasColumn::rx,
    GasColumn::rs,    GasColumn::rv,   GasColumn::lungh, GasColumn::tipofi, GasColumn::portgas,
    GasColumn::tipoc, GasColumn::diam, GasColumn::visc};

// Parses and validates a whole file. On failure, the Italian reason (without
// the file name); nothing partial is returned.
std::variant<ProjectData, QString> ParseProjectFile(const QByteArray& bytes);

// The rows a file holds: the counted ones, as a data file of the user's; or,
// for the copy of unsaved work, every row through the last that holds an
// input, so that rows a blank row leaves beyond the count (a row inserted, a
// length deleted) are kept. The count written is then that last row; the
// reader of the copy counts the rows again.
enum class FileRows { Counted, ThroughLastInput };

// Builds the whole file from the state. A text that the file cannot hold (a
// double quote, a line break, a character outside Windows-1252) gives the
// reason naming the row and column or the cover field.
std::variant<QByteArray, QString> BuildProjectFile(const ApplicationState& state,
                                                   FileRows rows = FileRows::Counted);

// Replaces both tables whole, the counts and the cover fields with what a
// file holds, brings both bands back to row 1 and starts both undo
// histories afresh.
void ApplyProjectData(ApplicationState& state, ProjectData data);

// Reads, validates and applies the file at `path`, and makes it the current
// file. Returns the message to show, empty on success; on failure the state
// is untouched.
QString LoadProjectFile(ApplicationState& state, const QString& path);

// Validates and applies the bytes of a data file that came from elsewhere
// (standard input), named `name` in the message. Returns the message, empty
// on success; on failure the state is untouched. The current file stays.
QString LoadProjectBytes(ApplicationState& state, const QByteArray& bytes, const QString& name);

// Builds the file and writes it to `device`. Returns the message, empty on
// success.
QString WriteProjectFile(const ApplicationState& state, QIODevice& device);

// Writes the file to `path` atomically: on any failure the previous file is
// left as it was. Returns the message to show, empty on success.
QString SaveProjectFile(const ApplicationState& state, const QString& path,
                        FileRows rows = FileRows::Counted);
