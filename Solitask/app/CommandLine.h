#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <span>

/// The flags and environment variables the application understands, as one
/// table that drives both the parser and --help.
namespace CommandLine {

struct Option
{
    const char *name; // "--dry-run"
    const char *argument; // placeholder of the value it takes ("FILE"), or empty
    const char *help;
};

struct Variable
{
    const char *name; // as typed, with its value's placeholder ("SOLITASK_SHOT=PATH")
    const char *help;
};

std::span<const Option> options();
std::span<const Variable> variables();

struct Parsed
{
    QStringList flags; // every option given, by its long name
    QMap<QString, QString> values; // the values of options that take one
    QString error; // set when the line cannot be run

    bool has(const QString &name) const { return flags.contains(name); }
};

/// Reads the arguments after the program name; an unknown option, a stray
/// word or a missing value is an error rather than silently ignored.
Parsed parse(const QStringList &arguments, std::span<const Option> table = options());

/// The text of --help.
QString help();

} // namespace CommandLine
