#pragma once

#include <QStringList>
#include <QTextStream>

// The printed outputs from the command line, with the exit codes of RunCli.
//   print water|gas FILE (--pdf OUT | --text OUT | --docx OUT)
//   form water|gas OUT.docx
//   sheet FILE OUT.docx
//   report FILE (--pdf OUT | --text OUT | --docx OUT)
// `args` starts after the command word.
int PrintCommand(const QStringList& args, QTextStream& err);
int ReportCommand(const QStringList& args, QTextStream& err);
int FormCommand(const QStringList& args, QTextStream& err);
int SheetCommand(const QStringList& args, QTextStream& err);

struct ApplicationState;

// Loads a project for a command: identity and message titles set, the file
// read and validated; its message goes to `err` when it cannot be loaded.
bool LoadProjectForCli(ApplicationState& state, const QString& path, QTextStream& err);

// Whether a command line needs the font machinery of a GUI application (a
// PDF is drawn with real fonts); the others run on a core application.
bool NeedsFonts(const QStringList& arguments);
