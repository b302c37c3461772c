#pragma once

#include "core/model/Project.h"
#include "core/model/Result.h"

#include <QByteArray>
#include <QString>

class QIODevice;

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

// The columns of a water and of a gas row record, in file order.
inline constexpr const auto& WaterRecordColumns = WaterStoredColumns;
inline constexpr const auto& GasRecordColumns = GasStoredColumns;

// Parses and validates a whole file; the failure gives the Italian reason
// (without the file name). Nothing partial is returned.
Result<ProjectData> ParseProjectFile(const QByteArray& bytes);

// The rows a file holds: the counted ones, as a data file of the user's; or,
// for the copy of unsaved work, every row through the last that holds an
// input, so that rows a blank row leaves beyond the count (a row inserted, a
// length deleted) are kept. The count written is then that last row; the
// reader of the copy counts the rows again.
enum class FileRows { Counted, ThroughLastInput };

// Builds the whole file of a project. A text that the file cannot hold (a
// double quote, a line break, a character outside Windows-1252) fails with
// the reason naming the row and column or the cover field.
Result<QByteArray> BuildProjectFile(const Project& project, FileRows rows = FileRows::Counted);
// The same of a file as it was read, written back as read: nothing is
// computed.
Result<QByteArray> BuildProjectFile(const ProjectData& data);

// Reads and validates the file at `path`, or the bytes of a data file that
// came from elsewhere (standard input) named `name`. The failure names the
// file and says that the project open did not change.
Result<ProjectData> ReadProjectFile(const QString& path);
Result<ProjectData> ReadProjectBytes(const QByteArray& bytes, const QString& name);

// Builds the file and writes it to `device`.
Result<> WriteProjectFile(const Project& project, QIODevice& device);

// Writes the file to `path` atomically: on any failure the previous file is
// left as it was, and the failure names the file.
Result<> SaveProjectFile(const Project& project, const QString& path,
                         FileRows rows = FileRows::Counted);
// The same of a file as it was read, written back as read.
Result<> SaveProjectFile(const ProjectData& data, const QString& path);
