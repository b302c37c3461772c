#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

struct CliCommand;

// The command line of tubarex-cli as read: the command, its arguments and
// options, or what to show instead. Options may stand anywhere after the
// command, as "--name value", "--name=value" or with a single dash; "--"
// ends them. Before the command only -h/--help and -v/--version are taken.
struct CliCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Error;
    // The command named; nullptr for the general help, or for an error that
    // concerns the command word itself (the general help follows it).
    const CliCommand* command = nullptr;
    QStringList arguments;          // the positional arguments, in order
    QMap<QString, QString> options; // by long name: the value, "" for a flag
    QString error;                  // Action::Error: what is wrong, in Italian

    bool has(const char* option) const { return options.contains(QLatin1String(option)); }
    QString value(const char* option) const { return options.value(QLatin1String(option)); }
};

// Reads `arguments`, the executable's name first. Checks the options each
// command knows, the number of its arguments and the choice of one output.
CliCommandLine ParseCliCommandLine(const QStringList& arguments);

// The help texts, in Italian: the general one (every command, the general
// options, the exit codes) and that of one command.
QString CliGeneralHelp();
QString CliCommandHelp(const CliCommand& command);
