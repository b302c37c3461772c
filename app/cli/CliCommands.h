#pragma once

#include <QString>

#include <vector>

struct CliCommandLine;
struct CliIo;

// An option of a command, as the command line takes it and the help names it.
struct CliOption {
    const char* name;
    const char* valueName; // nullptr for a flag
    const char* help;
    // A flag that may also carry a value, given only as --name=value.
    bool optionalValue = false;
};

// Which of its own options a command needs.
enum class CliChoice {
    Free,
    OneOutput,    // exactly one of --pdf, --text, --docx
    AtMostOneForm // at most one of --json, --csv
};

// A command of tubarex-cli, registered once: every text that shows how to
// call it (the general help, its own help, the message of a command line
// that does not give it what it needs) is built from this entry.
struct CliCommand {
    const char* name;
    const char* synopsis;    // after "tubarex-cli "
    const char* summary;     // its lines in the general help
    const char* description; // the paragraph of its own help
    std::vector<CliOption> options;
    int minArguments;
    int maxArguments;  // -1: no limit
    const char* wants; // what its arguments must give, as its usage says it
    CliChoice choice = CliChoice::Free;
    // Runs on a command line read for this command (arguments counted,
    // options checked); returns the exit status.
    int (*run)(const CliCommandLine& line, const CliIo& io);

    // "NAME vuole WHAT: SYNOPSIS.": what the command needs and how it is
    // called (no stop after a synopsis ending with "...").
    QString usage(const QString& what) const;
    // The usage for arguments that are too few, too many, or lack the one
    // output the command writes.
    QString argumentsError() const;
};

// Every command, in the order of the general help.
const std::vector<CliCommand>& CliCommands();

// The command called `name`; nullptr when there is none.
const CliCommand* FindCliCommand(const QString& name);

// The work of each command, beside the code it shares with others: calc,
// check and resave in Cli.cpp; print, form, sheet and report in
// CliOutputs.cpp; verify in CliVerify.cpp; size in CliSize.cpp; flows in CliFlows.cpp.
int CalcCommand(const CliCommandLine& line, const CliIo& io);
int CheckCommand(const CliCommandLine& line, const CliIo& io);
int ResaveCommand(const CliCommandLine& line, const CliIo& io);
int PrintCommand(const CliCommandLine& line, const CliIo& io);
int FormCommand(const CliCommandLine& line, const CliIo& io);
int SheetCommand(const CliCommandLine& line, const CliIo& io);
int ReportCommand(const CliCommandLine& line, const CliIo& io);
int VerifyCommand(const CliCommandLine& line, const CliIo& io);
int SizeCommand(const CliCommandLine& line, const CliIo& io);
int FlowsCommand(const CliCommandLine& line, const CliIo& io);
